#!/bin/bash
# The shipped suggestion data is exactly what make_suggest_data.sh makes
# from its sources.
# usage: suggest_generated_test.sh SUGGEST_TRAIN DATA_DIR SHIPPED_DIR WORK_DIR
set -euo pipefail
train=$1 data=$2 shipped=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
"$here/../../tools/suggest_data/make_suggest_data.sh" "$train" "$data" "$work"
status=0
for f in romanization.model hi.words mr.words ne.words; do
  if ! cmp -s "$work/$f" "$shipped/$f"; then
    echo "FAIL: $f differs from what make_suggest_data.sh makes (see $work/$f)"
    status=1
  fi
done
[ $status -eq 0 ] && echo "all four files as generated"
exit $status
