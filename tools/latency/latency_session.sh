#!/usr/bin/env bash
# Inside the Wine session (scripts/latency runs it): the latency from a key
# press to the last glyph byte Tolvar types back for it, with keyboard-event
# sending and then with Unicode input (the default), Vedrokan.gkf, and for
# comparison a plain key with the keyboard OFF. Usage: latency_session.sh GAP_MS
set -euo pipefail
gap=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/e2e_support.sh"
trap e2e_finish EXIT
measure=$root/tools/latency/key_latency.py

# 120 letter keys (every one types glyphs back) and 17 blanks (passed on).
phrase="bhaarata eka vishaala desha hai yahaa aneka bhaashaa bolii jaatii hai \
namaste bhaarata prema dharma shaanti pustaka sundara vidyaalaya"

e2e_start_tolvar "$TOLVAR_BIN/Vedrokan.gkf" 0
e2e_start_typepad
read -r _ offset < <(/usr/bin/python3 "$measure" calibrate "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/e2e_probe.exe" clock |
  tee "$e2e_work/clock" | grep '^offset_us')
echo "clocks: typepad's QueryPerformanceCounter minus CLOCK_MONOTONIC, from the shortest pipe round trip:"
sed 's/^/  /' "$e2e_work/clock"

e2e_focus_typepad
/usr/bin/python3 "$measure" press "abcdefghijklmnopqrstuvwxyz" "$gap" "$e2e_work/plain"
e2e_probe typepad dump >/dev/null
echo "keyboard OFF, key press to its WM_CHAR in typepad (Wine's own path):"
/usr/bin/python3 "$measure" report "$e2e_work/plain" "$e2e_work/log" "$offset" passed | sed 's/^/  /'

e2e_clear_typepad
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: Vedrokan)" || e2e_fail "the keyboard did not switch ON"
e2e_focus_typepad
/usr/bin/python3 "$measure" press "$phrase" "$gap" "$e2e_work/presses"
e2e_probe typepad dump >/dev/null
echo "keyboard ON, key press to the last glyph byte typed back for it (keybd_event sending):"
/usr/bin/python3 "$measure" report "$e2e_work/presses" "$e2e_work/log" "$offset" typed-back | sed 's/^/  /'
# Unicode input, chosen as Control > Advanced does (its box answered): the
# last character that arrives for each key.
e2e_probe command 110 >/dev/null
e2e_probe wait-box 10 box-ok >/dev/null
e2e_clear_typepad
e2e_focus_typepad
/usr/bin/python3 "$measure" press "$phrase" "$gap" "$e2e_work/presses-unicode"
e2e_probe typepad dump >/dev/null
echo "keyboard ON, key press to the last character typed back for it (Unicode input):"
/usr/bin/python3 "$measure" report "$e2e_work/presses-unicode" "$e2e_work/log" "$offset" passed | sed 's/^/  /'
# The offset again: the two clocks must not have drifted apart meanwhile.
echo "clocks after the run: $(/usr/bin/python3 "$measure" calibrate "$TOLVAR_WINE_RUN" \
  "$TOLVAR_BIN/e2e_probe.exe" clock | grep '^offset_us')"
