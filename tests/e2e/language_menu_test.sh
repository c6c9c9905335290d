#!/usr/bin/env bash
# Languages chosen from the Language menu (in the notification-area icon's
# menu, with the keyboard): Kruti Dev 010 and Preeti type a phrase into
# typepad as their fonts' bytes, and with Output Unicode into a Unicode
# typepad as its text; the choice and the output survive a restart.
# Usage: language_menu_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
finish() {
  e2e_finish
  e2e_forget_language_choice
}
trap finish EXIT

phrase="namaste bhaarata"
unicode_hex=$(printf 'नमस्ते भारत' | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')

# e2e_choose_language N: the Nth shipped language (from 0, in menu order:
# Kruti Dev 010, Kruti Dev 010 (Remington), Preeti, Kantipur, Vedrokan).
e2e_choose_language() {
  local downs=() i
  for ((i = 0; i < $1; i++)); do downs+=(Down); done
  e2e_tray_choose g ${downs[@]+"${downs[@]}"} Return
}

# type_phrase EXPECTED_HEX WHAT: the phrase typed into typepad, which is
# cleared first, arrives as EXPECTED_HEX.
type_phrase() {
  e2e_focus_typepad
  e2e_clear_typepad
  e2e_type "$phrase" 40
  local text
  text=$(e2e_wait_text "$1" 10)
  [ "$text" = "$1" ] || e2e_fail "$2: '$phrase' should arrive as [$1], typepad holds [$text]"
}

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_start_typepad
e2e_choose_language 0
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: Kruti Dev 010)" "Kruti Dev 010 chosen from the Language menu"
type_phrase "75 65 4c 72 73 20 48 6b 6b 6a 72" "Kruti Dev 010"

e2e_choose_language 2
e2e_expect_title "Tolvar (Is ON: Preeti)" "Preeti chosen from the Language menu while ON"
type_phrase "67 64 3a 74 5d 20 65 66 2f 74" "Preeti"

e2e_tray_choose o Down Return
e2e_typepad_title="TypePad e2e unicode $$"
e2e_typepad_text=$e2e_work/unicode_text
e2e_typepad_log=$e2e_work/unicode_log
e2e_start_typepad --unicode
type_phrase "$unicode_hex" "Preeti with Output Unicode"

first_pid=$e2e_tolvar_pid
e2e_probe close >/dev/null
e2e_wait_exit "$first_pid" 10 || e2e_fail "Tolvar did not end when its window was closed"
e2e_start_tolvar "$data/e2e.gkf" keep
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: Preeti)" "the language chosen before the restart"
type_phrase "$unicode_hex" "Preeti with Output Unicode after the restart"

e2e_choose_language 0
e2e_expect_title "Tolvar (Is ON: Kruti Dev 010)" "Kruti Dev 010 chosen again"
type_phrase "$unicode_hex" "Kruti Dev 010 with Output Unicode"
echo "Language menu: passed"
