#!/bin/bash
# Makes the suggestion engine's shipped data from its sources:
#   OUT_DIR/romanization.model  from the Dakshina Hindi training split
#   OUT_DIR/{hi,mr,ne}.words     from the frequency list, the training split's
#                                words and Debian's hunspell-hi, aspell-mr, hunspell-ne
# usage: make_suggest_data.sh SUGGEST_TRAIN DATA_DIR OUT_DIR
# (SUGGEST_TRAIN: build/native/tools/suggest_data/suggest_train; DATA_DIR:
# ../shared/data, as described in its README.md; OUT_DIR: suggest/data)
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 SUGGEST_TRAIN DATA_DIR OUT_DIR" >&2
  exit 2
fi
train=$1 data=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
"$train" "$data/romanized-hi/dakshina-hi-train.tsv" "$out/romanization.model"
/usr/bin/python3 "$here/make_word_lists.py" "$data" "$out"
