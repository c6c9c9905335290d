#!/usr/bin/env bash
# ALT+F2 pressed in typepad, once the toggle is enabled from Tolvar's
# "Control" menu, switches the keyboard ON and then OFF: the title follows,
# keys are translated only while ON, and no F2 release reaches typepad.
# Usage: alt_f2_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

# Menus are drawn by Wine and cannot be driven from another process; the
# probe posts the command the menu item "Enable &ALT+F2 Toggle" sends.
enable_toggle_id=106

e2e_start_tolvar "$data/e2e.gkf" 0
e2e_start_typepad
e2e_probe command "$enable_toggle_id" >/dev/null
box=$(e2e_probe wait-box 10)
[ "$box" = "box Message|Enabling use of ALT+F2 to toggle TOLVAR On/Off" ] ||
  e2e_fail "expected the box announcing the ALT+F2 toggle, got [$box]"
e2e_probe box-ok >/dev/null

e2e_focus_typepad
e2e_type ka 40
e2e_expect_text "6b 61" "keys typed while OFF"

e2e_press_alt_f2
e2e_expect_title "Tolvar (Is ON: E2E)" "ALT+F2 while OFF"
e2e_type ka 40
e2e_expect_text "6b 61 a0 e0" "keys typed after ALT+F2 switched ON"

e2e_press_alt_f2
e2e_expect_title "Tolvar (Is OFF)" "ALT+F2 while ON"
e2e_type ka 40
e2e_expect_text "6b 61 a0 e0 6b 61" "keys typed after ALT+F2 switched OFF"

f2_releases=$(e2e_typepad_keys | grep -cE '^WM_(SYS)?KEYUP 0x71$' || true)
[ "$f2_releases" = 0 ] || e2e_fail "expected no F2 release in typepad, it received $f2_releases"
echo "ALT+F2 toggle: passed"
