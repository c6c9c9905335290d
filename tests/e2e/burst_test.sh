#!/usr/bin/env bash
# Keys the hook passes on arrive in order with the glyphs typed back for the
# keys before them, at 2 ms between keys: letters, Enter and spaces in a
# burst; then letters, an arrow and Control+C; then a capital typed with
# Shift still held while its glyph comes back. Last, a key with scan code 0
# from another program (as a touch keyboard or a script sends it) is the
# user's key: translated, not passed.
# Usage: burst_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_start_typepad
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: E2E)" ||
  e2e_fail "expected the title 'Tolvar (Is ON: E2E)' after the click, got '$(e2e_tolvar_title)'"
e2e_focus_typepad

# Enter is typed as CR LF into typepad's text.
expected="a0 e0 0d 0a d0 a0 20 a1 e0 0d 0a 20 a0"
# One xdotool run, so the keys follow each other 2 ms apart.
xdotool key --delay 2 k a Return k i space t a Return space k
text=$(e2e_wait_text "$expected" 10)
[ "$text" = "$expected" ] || e2e_fail "burst at 2 ms: expected [$expected], typepad holds [$text]"

# The arrow and Control+C leave no text; their place among the characters
# shows in typepad's key log.
e2e_clear_typepad
xdotool key --delay 2 k a Left ctrl+c k i
order=$(e2e_text_hex >/dev/null; e2e_typepad_keys | grep -E '^(WM_CHAR|WM_KEYDOWN 0x25)' | tr '\n' ' ')
expected_order="WM_CHAR 0xA0 WM_CHAR 0xE0 WM_KEYDOWN 0x25 WM_CHAR 0x03 WM_CHAR 0xA0 WM_CHAR 0x08 WM_CHAR 0xD0 WM_CHAR 0xA0 "
for _ in $(seq 20); do
  [ "$order" = "$expected_order" ] && break
  sleep 0.25
  order=$(e2e_text_hex >/dev/null; e2e_typepad_keys | grep -E '^(WM_CHAR|WM_KEYDOWN 0x25)' | tr '\n' ' ')
done
[ "$order" = "$expected_order" ] || e2e_fail "k a Left ctrl+c k i at 2 ms: expected [$expected_order], typepad took [$order]"

# Shift still down while the glyph of T is typed back (released around it).
e2e_clear_typepad
xdotool keydown --delay 1 Shift_L key --delay 1 t keyup --delay 1 Shift_L key --delay 1 i space k a
expected="d0 a2 20 a0 e0"
text=$(e2e_wait_text "$expected" 10)
[ "$text" = "$expected" ] || e2e_fail "T with Shift held, then i ka, 1 ms apart: expected [$expected], typepad holds [$text]"

e2e_clear_typepad
expected=""
sleep 0.5
e2e_probe key-scan0 4B >/dev/null
sleep 0.5
e2e_probe key-scan0 54 >/dev/null
expected="a0 a1"
text=$(e2e_wait_text "$expected" 5)
[ "$text" = "$expected" ] ||
  e2e_fail "scan-0 keys K and T of another program: expected [$expected], typepad holds [$text]"
echo "burst and foreign scan-0 keys: passed"
