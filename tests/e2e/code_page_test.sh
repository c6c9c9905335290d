#!/usr/bin/env bash
# Glyph codes are typed as the Windows-1252 characters the 8-bit fonts map
# them at, whatever the system's code page: Tolvar started with
# LANG=hi_IN.UTF-8 LC_ALL=hi_IN.UTF-8 (under Wine, a system whose ANSI code page is UTF-8, a
# Windows 11 option) types the phrases of data/phrases.tsv with Unicode
# input into a Unicode typepad, which holds each glyph byte as its
# Windows-1252 character (before, E9 arrived as U+FFFD).
# Usage: code_page_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

acp=$(LANG=hi_IN.UTF-8 LC_ALL=hi_IN.UTF-8 e2e_probe acp)
[ "$acp" = "acp 65001" ] || e2e_fail "LANG=hi_IN.UTF-8 LC_ALL=hi_IN.UTF-8 should give programs the code page 65001, gave [$acp]"
LANG=hi_IN.UTF-8 LC_ALL=hi_IN.UTF-8 e2e_start_tolvar "$data/e2e.gkf" 2
e2e_start_typepad --unicode
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: E2E)" "the check box"
e2e_focus_typepad

for phrase in letters fast shift; do
  IFS=$'\t' read -r _ keys bytes < <(grep -P "^$phrase\t" "$data/phrases.tsv")
  # The bytes as Windows-1252 text, in UTF-8 as typepad keeps it.
  expected=$(python3 -c 'import sys; print(" ".join("%02x" % b for b in bytes.fromhex(sys.argv[1]).decode("cp1252").encode()))' \
    "$bytes")
  e2e_clear_typepad
  e2e_type "$keys" 12
  text=$(e2e_wait_text "$expected" 10)
  [ "$text" = "$expected" ] ||
    e2e_fail "LANG=hi_IN.UTF-8, phrase $phrase: '$keys' should arrive as [$expected], typepad holds [$text]"
  echo "phrase $phrase under a UTF-8 code page: passed"
done
