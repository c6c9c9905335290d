#!/usr/bin/env bash
# The hand-written expectations of every end-to-end phrase are what the
# translation core composes for it: typing the phrase through gkfcheck with
# the test language leaves exactly those bytes on its simulated screen, and
# typing a Unicode phrase with Vedrokan gives exactly its text.
# Usage: phrases_agree_test.sh GKFCHECK DATA_DIR VEDROKAN_GKF
set -euo pipefail
gkfcheck=$1
data=$2
vedrokan=$3
failures=0
while IFS=$'\t' read -r name keys expected; do
  case "$name" in '#'* | '') continue ;; esac
  screen=$("$gkfcheck" "$data/e2e.gkf" --type "$(printf '%b' "$keys")" | sed -n 's/^screen: *//p')
  if [ "$screen" != "$expected" ]; then
    echo "phrase $name: expected [$expected], gkfcheck gives [$screen]" >&2
    failures=$((failures + 1))
  fi
done <"$data/phrases.tsv"
while IFS=$'\t' read -r name keys expected; do
  case "$name" in '#'* | '') continue ;; esac
  text=$("$gkfcheck" "$vedrokan" --unicode --type "$(printf '%b' "$keys")" | sed -n 's/^text: //p')
  if [ "$text" != "$expected" ]; then
    echo "Unicode phrase $name: expected [$expected], gkfcheck gives [$text]" >&2
    failures=$((failures + 1))
  fi
done <"$data/unicode_phrases.tsv"
[ "$failures" -eq 0 ] && echo "all phrases agree"
