#!/usr/bin/env bash
# Unicode input reaches programs that do not compose ALT+keypad themselves:
# the "letters" phrase typed through the real Tolvar with "Use Unicode Input"
# into Wine's own notepad (in the Vedrokan font), read back through the
# clipboard after select all and copy, is exactly the phrase's bytes in the
# ANSI code page.
# Usage: notepad_test.sh DATA_DIR FONT_FILE
set -euo pipefail
data=$1
font=$2
source "$(dirname "$0")/e2e_support.sh"

notepad_pid=""
finish() {
  [ -z "$notepad_pid" ] || kill "$notepad_pid" 2>/dev/null || true
  e2e_finish
}
trap finish EXIT

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
"$TOLVAR_WINE_RUN" --build "$TOLVAR_BUILD_DIR" notepad >"$e2e_work/notepad.out" 2>&1 &
notepad_pid=$!
notepad=$(timeout 30 xdotool search --sync --name 'Notepad$' | head -n 1) ||
  e2e_fail "expected notepad's window within 30 s, none appeared"

eval "$(xdotool getwindowgeometry --shell "$notepad" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
e2e_click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool windowfocus --sync "$notepad"
sleep 0.2
e2e_type "$keys" 40
sleep 0.5
xdotool key ctrl+a ctrl+c
clipboard=""
for _ in $(seq 20); do
  clipboard=$(e2e_probe clipboard)
  [ "$clipboard" = "clipboard $expected" ] && break
  sleep 0.25
done
[ "$clipboard" = "clipboard $expected" ] ||
  e2e_fail "notepad with Unicode input: '$keys' should hold [$expected], its text copied is [${clipboard#clipboard}]"
echo "notepad, Unicode input: passed"
