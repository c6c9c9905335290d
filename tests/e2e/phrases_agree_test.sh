#!/usr/bin/env bash
# The hand-written bytes of every end-to-end phrase are what the translation
# core composes for it: typing the phrase through gkfcheck with the test
# language leaves exactly those bytes on its simulated screen.
# Usage: phrases_agree_test.sh GKFCHECK DATA_DIR
set -euo pipefail
gkfcheck=$1
data=$2
failures=0
while IFS=$'\t' read -r name keys expected; do
  case "$name" in '#'* | '') continue ;; esac
  screen=$("$gkfcheck" "$data/e2e.gkf" --type "$(printf '%b' "$keys")" | sed -n 's/^screen: *//p')
  if [ "$screen" != "$expected" ]; then
    echo "phrase $name: expected [$expected], gkfcheck gives [$screen]" >&2
    failures=$((failures + 1))
  fi
done <"$data/phrases.tsv"
[ "$failures" -eq 0 ] && echo "all phrases agree"
