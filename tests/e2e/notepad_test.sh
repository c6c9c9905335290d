#!/usr/bin/env bash
# Unicode input reaches programs that do not compose ALT+keypad themselves:
# the "letters" phrase typed through the real Tolvar with "Use Unicode Input"
# into Wine's own notepad (in the Vedrokan font), read back through the
# clipboard after select all and copy, is exactly the phrase's bytes in the
# ANSI code page. Keys belong to an open menu: with Tolvar ON, ALT+E then A
# (Edit > Select all) and ALT+E then C (Copy) copy the text, adding no
# glyph. Then the "shift" phrase, each capital's Shift rolled over its
# letter, typed RUNS times at 5 ms and at 1 ms between key events, is exact
# each time.
# Usage: notepad_test.sh DATA_DIR FONT_FILE RUNS
set -euo pipefail
data=$1
font=$2
runs=$3
source "$(dirname "$0")/e2e_support.sh"

trap e2e_finish EXIT

IFS=$'\t' read -r _ keys expected < <(grep -P "^letters\t" "$data/phrases.tsv")
expected=${expected,,}

mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
"$TOLVAR_WINE_RUN" --build "$TOLVAR_BUILD_DIR" reg add 'HKCU\Software\Microsoft\Notepad' \
  /v lfFaceName /d Vedrokan /f >/dev/null 2>&1

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: E2E)" ||
  e2e_fail "expected the title 'Tolvar (Is ON: E2E)' after the click, got '$(e2e_tolvar_title)'"
# Started after the click: notepad may open over Tolvar's window.
e2e_start_notepad

# copied_text EXPECTED: notepad's text copied to the clipboard comes to be
# EXPECTED within 5 s; prints what it is then.
copied_text() {
  local clipboard=""
  for _ in $(seq 20); do
    clipboard=$(e2e_probe clipboard)
    [ "$clipboard" = "clipboard $1" ] && break
    sleep 0.25
  done
  echo "${clipboard#clipboard }"
}

e2e_type "$keys" 40
sleep 0.5
xdotool key ctrl+a ctrl+c
text=$(copied_text "$expected")
[ "$text" = "$expected" ] ||
  e2e_fail "notepad with Unicode input: '$keys' should hold [$expected], its text copied is [$text]"
echo "notepad, Unicode input: passed"

xdotool key Right
e2e_type ka 40
expected="$expected a0 e0"
sleep 0.3
for item in a c; do
  xdotool key alt+e
  sleep 0.5
  xdotool key "$item"
  sleep 0.5
done
text=$(copied_text "$expected")
[ "$text" = "$expected" ] ||
  e2e_fail "ALT+E A, ALT+E C with Tolvar ON should copy [$expected] from notepad, copied [$text]"
echo "notepad, menu keys with Tolvar ON: passed"

IFS=$'\t' read -r _ keys expected < <(grep -P "^shift\t" "$data/phrases.tsv")
expected=${expected,,}
for delay in 5 1; do
  exact=0
  for run in $(seq "$runs"); do
    xdotool key ctrl+a Delete
    e2e_type_rolled "$keys" "$delay"
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    text=$(copied_text "$expected")
    if [ "$text" = "$expected" ]; then
      exact=$((exact + 1))
    else
      echo "run $run at $delay ms: [$text]"
    fi
  done
  echo "notepad, '$keys' with Shift rolled over, $delay ms between key events: $exact of $runs exact"
  [ "$exact" = "$runs" ] || e2e_fail "notepad, capitals at $delay ms: $exact of $runs runs exact"
done
