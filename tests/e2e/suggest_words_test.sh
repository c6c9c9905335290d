#!/usr/bin/env bash
# Suggest words, through the real tolvar.exe, tvkhook.dll, suggestion data
# and typepad: "mera naam " arrives as मेरा नाम (Unicode output, or in font
# output the bytes Vedrokan's table gives for it), a digit picks the second
# candidate, Escape keeps the typed spelling. In Unicode output the user's
# remembered words start damaged: the file is named in a box, its good line
# still ranks first, and the file as it was is kept aside. With a screenshot folder, the
# candidate window is also caught at this DPI: shown, beside the caret, and
# drawn (not blank).
# Usage: suggest_words_test.sh VEDROKAN_GKF OUTPUT [SCREENSHOT_DIR DPI]
set -euo pipefail
vedrokan=$1
output=$2
shots=${3:-}
dpi=${4:-96}
source "$(dirname "$0")/e2e_support.sh"

set_dpi() {
  "$TOLVAR_WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
finish() {
  e2e_finish
  [ "$dpi" = 96 ] || set_dpi 96 || echo "could not put LogPixels back to 96" >&2
}
trap finish EXIT
[ "$dpi" = 96 ] || set_dpi "$dpi" || e2e_fail "could not set LogPixels to $dpi"

# The choices of earlier runs would rank first.
user_words=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tolvar/user-words.txt
rm -f "$user_words" "$user_words".damaged*
damaged=""
if [ "$output" = 1 ] && [ -z "$shots" ]; then
  damaged=1
  mkdir -p "$(dirname "$user_words")"
  printf 'tolvar-user-words 1\nkya\tकया\t3\t1\nnot a choice\n' >"$user_words"
fi

# The text as typepad keeps it: UTF-8 in Unicode output, the font's bytes in
# font output (through Vedrokan's table, as legacyconv gives them).
expected_hex() {
  if [ "$output" = 1 ]; then
    printf '%s' "$1" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
  else
    printf '%s' "$1" | "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/legacyconv.exe" --from-unicode |
      od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
  fi
}

# check KEYS EXPECTED WHAT: typed into an empty typepad, KEYS arrive as EXPECTED.
check() {
  local want
  want=$(expected_hex "$2")
  e2e_clear_typepad
  e2e_type "$1" 60
  e2e_expect_text "$want" "$3: '$1' should arrive as $2"
  echo "$3: '$1' arrives as $2"
}

e2e_start_tolvar "$vedrokan" 2 "$output" 1
if [ "$output" = 1 ]; then e2e_start_typepad --unicode; else e2e_start_typepad; fi
# Where X shows typepad, Wine puts it too, so the caret it reports is where
# the screenshot finds it.
e2e_probe move-pad "$e2e_typepad_title" 380 40 >/dev/null
e2e_click_check_box
# At a higher DPI the splash can still cover the check box: one more click.
e2e_wait_title "Tolvar (Is ON: Vedrokan)" || e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: Vedrokan)" "the check box"
e2e_focus_typepad

if [ -n "$damaged" ]; then
  # The first word loads the data and the remembered words.
  e2e_type "k" 60
  box=$(e2e_probe wait-box 10)
  grep -q 'user-words.txt line 3' <<<"$box" || e2e_fail "a box should name the damaged file and its line 3, got [$box]"
  e2e_probe box-ok >/dev/null
  [ -f "$user_words.damaged" ] || e2e_fail "the damaged file should be kept as user-words.txt.damaged"
  e2e_focus_typepad
  xdotool key Escape
  check "kya " "कया " "the good choice of the damaged file ranks first"
  grep -qP '^kya\tकया\t4\t' "$user_words" || e2e_fail "the choice should be saved again: $(cat "$user_words")"
  echo "a damaged file of remembered words: named in a box, its good line kept and saved"
fi
check "mera naam " "मेरा नाम " "Space commits the first candidate"
box=$(e2e_probe wait-box 0)
[ "$box" = "box none" ] || e2e_fail "no box should show while typing, got [$box]"
check "mera2" "मेरे" "a digit picks that candidate"
xdotool key Escape
check "mera" "मेर" "the exact keys while the word is typed"

if [ -n "$shots" ]; then
  mkdir -p "$shots"
  # The word is still open: its candidates are shown beside the caret.
  # (The window follows the caret on a timer of 100 ms.)
  sleep 0.3
  read -r _ shown x y width height < <(e2e_probe candidates) || e2e_fail "no candidate window"
  [ "$shown" = 1 ] || e2e_fail "the candidate window should be shown while 'mera' is typed"
  read -r _ caret_x caret_y caret_h < <(e2e_probe caret "$e2e_typepad_title") || e2e_fail "typepad shows no caret"
  [ $((x - caret_x)) -ge -2 ] && [ $((x - caret_x)) -le 4 ] ||
    e2e_fail "the candidate window should start at the caret's left ($caret_x), it is at $x"
  [ "$y" -ge $((caret_y + caret_h)) ] && [ "$y" -le $((caret_y + caret_h + 8)) ] ||
    e2e_fail "the candidate window should be just below the caret (line $caret_y-$((caret_y + caret_h))), it is at $y"
  shot=$shots/candidates-$dpi-dpi.png
  import -window root -crop "$((width + 40))x$((height + caret_h + 40))+$((x - 20))+$((caret_y - 20))" +repage \
    -strip "$shot"
  # Drawn: far more than the background's one colour.
  colours=$(convert "$shot" -format '%k' info:)
  [ "$colours" -ge 3 ] || e2e_fail "the candidate window looks blank ($colours colours): $shot"
  echo "candidate window at $dpi DPI: ${width}x$height at $x,$y below the caret at $caret_x,$caret_y: $shot"

  # A click into another window (a corner of Tolvar's, clear of its
  # controls) moves the focus there: the window closes, the word stays.
  eval "$(xdotool getwindowgeometry --shell "$e2e_tolvar_window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  e2e_click_at $((X + WIDTH - 3)) $((Y + HEIGHT - 3))
  sleep 0.3
  read -r _ shown _ < <(e2e_probe candidates)
  [ "$shown" = 0 ] || e2e_fail "the candidate window should close when the focus moves to another window"
  echo "the candidate window closes when the focus moves"
  e2e_focus_typepad
fi
xdotool key Escape
e2e_clear_typepad
e2e_type "mera" 60
xdotool key Escape
xdotool type --delay 60 " "
e2e_expect_text "$(expected_hex "मेर ")" "Escape should keep the typed spelling"
echo "Escape keeps the typed spelling: passed"

if [ -n "$damaged" ]; then
  # Control > Suggest words switches back to the exact keys, and the choice
  # is saved at exit.
  e2e_probe command 180 >/dev/null
  check "mera " "मेर " "the exact keys after Control > Suggest words"
  e2e_probe close >/dev/null
  e2e_wait_exit "$e2e_tolvar_pid" 10 || e2e_fail "Tolvar did not end after its window was closed"
  settings=$(dirname "$user_words")/tolvar.ini
  grep -q '^SuggestWords=0' "$settings" || e2e_fail "SuggestWords=0 should be saved: $(cat "$settings")"
  echo "the menu item switches the mode off, and that is saved"
fi
echo "Suggest words, output $output: passed"
