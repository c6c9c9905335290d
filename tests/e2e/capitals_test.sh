#!/usr/bin/env bash
# Capitals at speed: a phrase full of Shift letters, each capital's Shift
# released while its letter is still down (rolled over, as fast typists
# do), typed RUNS times at 5 ms and at 1 ms between key events into
# typepad, arrives each time exactly as the translation core types it
# (gkfcheck Vedrokan.gkf --type): no letter after a capital comes out as a
# capital, no Shift stays down, nothing is lost or reordered. Vedrokan.gkf,
# Unicode input (the default).
# Usage: capitals_test.sh VEDROKAN_GKF RUNS
set -euo pipefail
language=$1
runs=$2
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

phrase="Thaakura DaNDa kShatriya TIkA "
expected="6b 23 2a 73 24 20 46 ba 46 20 6f 37 6e 35 20 40 26 2a 23 20"

e2e_start_tolvar "$language" 2
e2e_start_typepad
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: Vedrokan)" "a click on the check box"
e2e_focus_typepad
for delay in 5 1; do
  exact=0
  for run in $(seq "$runs"); do
    e2e_clear_typepad
    e2e_type_rolled "$phrase" "$delay"
    text=$(e2e_wait_text "$expected" 5)
    if [ "$text" = "$expected" ]; then
      exact=$((exact + 1))
    else
      echo "run $run at $delay ms: [$text]"
    fi
  done
  echo "$delay ms between key events: $exact of $runs exact"
  [ "$exact" = "$runs" ] || e2e_fail "capitals at $delay ms: $exact of $runs runs exact"
done
echo "capitals at speed: passed"
