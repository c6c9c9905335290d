#!/usr/bin/env bash
# Output "Unicode" with Vedrokan: every phrase of data/unicode_phrases.tsv,
# typed into a Unicode typepad through the real tolvar.exe and tvkhook.dll,
# arrives as exactly its text (typepad keeps it as UTF-8): letters retyped
# with backspaces inside them, a Backspace that erases a letter, a Backspace
# after it that erases the character before.
# Usage: unicode_output_test.sh DATA_DIR VEDROKAN_GKF
set -euo pipefail
data=$1
vedrokan=$2
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

e2e_start_tolvar "$vedrokan" 2 1
box=$(e2e_probe wait-box 1)
[ "$box" = "box none" ] || e2e_fail "Vedrokan with its table should start without a box, got [$box]"
e2e_start_typepad --unicode
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: Vedrokan)" "the check box"
e2e_focus_typepad

while IFS=$'\t' read -r name keys expected; do
  case "$name" in '#'* | '') continue ;; esac
  e2e_clear_typepad
  expected_hex=$(printf '%s' "$expected" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  e2e_type "$keys" 40
  text=$(e2e_wait_text "$expected_hex" 10)
  [ "$text" = "$expected_hex" ] ||
    e2e_fail "phrase $name: '$keys' should arrive as $expected [$expected_hex], typepad holds [$text]"
  echo "phrase $name: $expected"
done <"$data/unicode_phrases.tsv"
echo "Unicode output: passed"
