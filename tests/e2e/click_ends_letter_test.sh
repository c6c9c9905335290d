#!/usr/bin/env bash
# A mouse click ends the letter being typed: the test language typed with
# "Use Unicode Input" into Wine's notepad, whose caret a click moves. "t "
# is typed, then Ctrl+Home and "k" (an open letter at the start); a click
# below the text puts the caret at its end, and "h" (which would make the
# half KA of that letter, retyped with a backspace) and "t" follow. The text
# before the click stays whole and "h" and "t" start a letter of their own:
# A0 A1 20 A1. Were the letter still open, the backspaces would erase the
# space at the end: A0 A1 C0.
# Usage: click_ends_letter_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"

notepad_pid=""
finish() {
  [ -z "$notepad_pid" ] || kill "$notepad_pid" 2>/dev/null || true
  e2e_finish
}
trap finish EXIT

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: E2E)" "the check box"
"$TOLVAR_WINE_RUN" --build "$TOLVAR_BUILD_DIR" notepad >"$e2e_work/notepad.out" 2>&1 &
notepad_pid=$!
notepad=$(timeout 30 xdotool search --sync --name 'Notepad$' | head -n 1) ||
  e2e_fail "expected notepad's window within 30 s, none appeared"
eval "$(xdotool getwindowgeometry --shell "$notepad" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
# Well below the one line of text: a click there puts the caret at its end.
below_x=$((X + WIDTH / 2))
below_y=$((Y + HEIGHT / 2))
e2e_click_at "$below_x" "$below_y"
xdotool windowfocus --sync "$notepad"
sleep 0.2

# copied_text EXPECTED: notepad's whole text, copied to the clipboard, comes
# to be EXPECTED within 5 s; prints what it is then.
copied_text() {
  local clipboard=""
  for _ in $(seq 20); do
    xdotool key ctrl+a ctrl+c
    clipboard=$(e2e_probe clipboard)
    [ "$clipboard" = "clipboard $1" ] && break
    sleep 0.25
  done
  echo "${clipboard#clipboard }"
}

e2e_type "t " 40
xdotool key ctrl+Home
e2e_type k 40
sleep 0.5
e2e_click_at "$below_x" "$below_y"
sleep 0.3
e2e_type ht 40
sleep 0.5
text=$(copied_text "a0 a1 20 a1")
[ "$text" = "a0 a1 20 a1" ] ||
  e2e_fail "'t ', Ctrl+Home, 'k', a click at the end, 'ht' should hold [a0 a1 20 a1] (nothing erased where the click put the caret), notepad holds [$text]"
echo "a click ends the letter: passed"
