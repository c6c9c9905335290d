#!/usr/bin/env bash
# A mouse click ends the letter being typed, and the suggested word: typed
# with "Use Unicode Input" into Wine's notepad, whose caret a click moves,
# and read back through the clipboard.
# - letter (the test language): "t ", Ctrl+Home and "k" (a letter open at
#   the start); a click below the text puts the caret at its end; "h" (the
#   half KA of that letter, retyped with a backspace) and "t" follow. The
#   text before the click stays whole and "ht" starts a letter of its own:
#   A0 A1 20 A1. Were the letter still open, the backspace would erase the
#   space at the end: A0 A1 C0.
# - word (Vedrokan, Suggest words, font codes): "mera " (मेरा and a space),
#   Ctrl+Home and "naam" (a word open at the start), the click, then Space:
#   the text still ends in what "mera " gave, then the new space; were the
#   word still open, Space would replace it with its candidate there.
# Usage: click_ends_letter_test.sh letter DATA_DIR
#        click_ends_letter_test.sh word VEDROKAN_GKF
set -euo pipefail
mode=$1
source "$(dirname "$0")/e2e_support.sh"

trap e2e_finish EXIT

if [ "$mode" = letter ]; then
  e2e_start_tolvar "$2/e2e.gkf" 2
  title="Tolvar (Is ON: E2E)"
else
  e2e_start_tolvar "$2" 2 0 1
  title="Tolvar (Is ON: Vedrokan)"
fi
e2e_click_check_box
e2e_expect_title "$title" "the check box"
e2e_start_notepad
# Well below the one line of text: a click there puts the caret at its end.
below_x=$((X + WIDTH / 2))
below_y=$((Y + HEIGHT / 2))

# copied_text PATTERN: notepad's whole text, copied to the clipboard as hex
# pairs, comes to match the extended regular expression PATTERN within 5 s;
# prints what it is then.
copied_text() {
  local clipboard=""
  for _ in $(seq 20); do
    xdotool key ctrl+a ctrl+c
    clipboard=$(e2e_probe clipboard)
    clipboard=${clipboard#clipboard}
    clipboard=${clipboard# }
    grep -qE "$1" <<<"$clipboard" && break
    sleep 0.25
  done
  echo "$clipboard"
}

if [ "$mode" = letter ]; then
  e2e_type "t " 40
  xdotool key ctrl+Home
  e2e_type k 40
  sleep 0.5
  e2e_click_at "$below_x" "$below_y"
  sleep 0.3
  e2e_type ht 40
  sleep 0.5
  text=$(copied_text '^a0 a1 20 a1$')
  [ "$text" = "a0 a1 20 a1" ] ||
    e2e_fail "'t ', Ctrl+Home, 'k', a click at the end, 'ht' should hold [a0 a1 20 a1] (nothing erased where the click put the caret), notepad holds [$text]"
  echo "a click ends the letter: passed"
  exit 0
fi

# The choices of earlier runs would rank other candidates first.
rm -f "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tolvar/user-words.txt"
e2e_type "mera " 60
before=$(copied_text ' 20$')
grep -qE '. 20$' <<<"$before" || e2e_fail "'mera ' should leave a word and a space in notepad, it holds [$before]"
xdotool key ctrl+Home
e2e_type naam 60
sleep 0.5
e2e_click_at "$below_x" "$below_y"
sleep 0.3
e2e_type " " 60
sleep 0.5
text=$(copied_text " $before 20\$")
grep -qE " $before 20\$" <<<"$text" ||
  e2e_fail "'mera ' [$before], Ctrl+Home, 'naam', a click at the end, Space should leave [... $before 20] (nothing erased where the click put the caret), notepad holds [$text]"
echo "a click ends the suggested word: passed"
