#!/usr/bin/env bash
# Tolvar exits while typepad, which it typed into, stays open. Started again,
# Tolvar registers (no "already in use" box), sets its hook anew and types.
# Usage: restart_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

type_ka_while_on() {
  e2e_click_check_box
  e2e_expect_title "Tolvar (Is ON: E2E)" "$1: the check box"
  e2e_focus_typepad
  e2e_type ka 40
}

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_start_typepad
type_ka_while_on "first run"
e2e_expect_text "a0 e0" "first run"

first_pid=$e2e_tolvar_pid
e2e_probe close >/dev/null
e2e_wait_exit "$first_pid" 10 || e2e_fail "Tolvar did not end when its window was closed"
kill -0 "$e2e_typepad_pid" 2>/dev/null || e2e_fail "typepad ended with Tolvar"

e2e_start_tolvar "$data/e2e.gkf" 2
box=$(e2e_probe wait-box 2)
[ "$box" = "box none" ] || e2e_fail "the second start showed a box: [$box]"
type_ka_while_on "after the restart"
e2e_expect_text "a0 e0 a0 e0" "after the restart"
echo "restart with a program still holding the library: passed"
