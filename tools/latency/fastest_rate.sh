#!/usr/bin/env bash
# Inside the Wine session (scripts/latency runs it): the "fast" phrase of the
# end-to-end data (50 keys) typed with xdotool at shorter and shorter pauses
# between keys, RUNS times each, through tolvar.exe with the send method
# METHOD (a value of UseJournalPBH: 0 keyboard events, 2 Unicode input).
# Prints each pace and how many runs arrived exactly, then the fastest pace
# at which every run at it and at all slower paces did.
# Usage: fastest_rate.sh RUNS METHOD [DELAY_MS...]
set -euo pipefail
runs=$1
method=$2
shift 2
delays=("$@")
[ ${#delays[@]} -gt 0 ] || delays=(20 15 12 10 8 5 3 2 1)
root=$(cd "$(dirname "$0")/../.." && pwd)
data=$root/tests/e2e/data
source "$root/tests/e2e/e2e_support.sh"
trap e2e_finish EXIT

IFS=$'\t' read -r _ keys expected < <(grep -P '^fast\t' "$data/phrases.tsv")
expected=${expected,,}

e2e_start_tolvar "$data/e2e.gkf" "$method"
e2e_start_typepad
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: E2E)" || e2e_fail "the keyboard did not switch ON"
e2e_focus_typepad

fastest=""
all_exact=1
for delay in "${delays[@]}"; do
  exact=0
  for _ in $(seq "$runs"); do
    # Left ends the letter without typing anything, then a clean page.
    xdotool key Left
    sleep 0.2
    e2e_clear_typepad
    e2e_type "$keys" "$delay"
    [ "$(e2e_wait_text "$expected" 10)" = "$expected" ] && exact=$((exact + 1))
  done
  echo "$delay ms between keys ($((1000 / (delay > 0 ? delay : 1))) keys/s): $exact of $runs runs exact"
  [ "$exact" = "$runs" ] || all_exact=0
  [ "$all_exact" = 1 ] && fastest=$delay
done
if [ -n "$fastest" ]; then
  echo "fastest lossless: $fastest ms between keys"
else
  echo "fastest lossless: none of the paces tried"
fi
