#!/usr/bin/env bash
# A phrase of data/phrases.tsv typed into typepad through the real tolvar.exe
# and tvkhook.dll arrives as exactly its hand-written bytes.
# Usage: phrase_test.sh DATA_DIR PHRASE USE_JOURNAL DELAY_MS [TYPEPAD_OPTION...]
#   USE_JOURNAL 0: Tolvar types with keyboard events.
#   USE_JOURNAL 1: Tolvar types with journal playback, which Wine accepts but
#   never plays; the shell then types with keyboard events, after the hook
#   library's half-second wait, so the keys must come slower than that.
#   USE_JOURNAL 2: Tolvar types as Unicode input (each glyph byte as its
#   character of the ANSI code page).
# "letters" holds a new letter, a letter retyped after backspaces (the I
# sign drawn in front), a Backspace that erases a letter and a space passed
# through; "fast" is 50 keys. TYPEPAD_OPTIONS go to typepad (--slow MS: a
# program that takes its input late).
set -euo pipefail
data=$1
phrase=$2
use_journal=$3
delay=$4
shift 4
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

IFS=$'\t' read -r _ keys expected < <(grep -P "^$phrase\t" "$data/phrases.tsv") ||
  e2e_fail "no phrase '$phrase' in $data/phrases.tsv"
expected=${expected,,}

e2e_start_tolvar "$data/e2e.gkf" "$use_journal"
e2e_start_typepad "$@"
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: E2E)" ||
  e2e_fail "expected the title 'Tolvar (Is ON: E2E)' after the click, got '$(e2e_tolvar_title)'"
e2e_focus_typepad
e2e_type "$keys" "$delay"
text=$(e2e_wait_text "$expected" 10)
[ "$text" = "$expected" ] ||
  e2e_fail "UseJournalPBH $use_journal, $delay ms between keys${1:+, typepad $*}: '$keys' should arrive as [$expected], typepad holds [$text]"
echo "$phrase, UseJournalPBH $use_journal, $delay ms between keys${1:+, typepad $*}: passed"
