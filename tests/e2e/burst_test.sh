#!/usr/bin/env bash
# Keys the hook passes on arrive in order with the glyphs typed back for the
# keys before them, at 2 ms between keys: letters, Enter and spaces in a
# burst. Then a key with scan code 0 from another program (as a touch
# keyboard or a script sends it) is the user's key: translated, not passed.
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

sleep 0.5
e2e_probe key-scan0 4B >/dev/null
sleep 0.5
e2e_probe key-scan0 54 >/dev/null
expected="$expected a0 a1"
text=$(e2e_wait_text "$expected" 5)
[ "$text" = "$expected" ] ||
  e2e_fail "scan-0 keys K and T of another program: expected [$expected], typepad holds [$text]"
echo "burst and foreign scan-0 keys: passed"
