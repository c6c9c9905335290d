#!/usr/bin/env bash
# typepad --unicode under Wine, typed through the X server with xdotool: a
# Devanagari character arrives whole as UTF-16 and is kept as UTF-8, Backspace
# removes one code point, ALT + keypad 0233 arrives as é (U+00E9).
set -euo pipefail

work=$(mktemp -d "$TMPDIR/typepad_unicode.XXXXXX")
title="TypePad Unicode $$"
source "$(dirname "$0")/typepad_support.sh"

"$TOLVAR_WINE_RUN" "$TOLVAR_BIN/typepad.exe" --unicode --title "$title" \
  --text "$(windows_path "$work/text")" --log "$(windows_path "$work/log")" \
  >"$work/output" 2>&1 &
typepad=$!
trap 'kill $typepad 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
  fail "expected a window titled '$title', none appeared"
xdotool windowfocus --sync "$window"

xdotool type --delay 30 "ab"
xdotool key --delay 30 BackSpace
xdotool type --delay 30 "कि"
xdotool key --delay 30 BackSpace
xdotool type --delay 30 "ी"
xdotool keydown Alt_L key --delay 30 KP_Insert KP_Down KP_Next KP_Next keyup Alt_L
xdotool key F12
wait_for_file "$work/text"

text=$(cat "$work/text")
[ "$text" = "aकीé" ] ||
  fail "expected the text aकीé, got '$text' ($(od -An -tx1 "$work/text")); key log: $(cat "$work/log")"
grep -q ' WM_CHAR 0x915 ' "$work/log" ||
  fail "expected क as one WM_CHAR 0x915 line in the log, got: $(cat "$work/log")"

xdotool key alt+F4
for _ in $(seq 100); do
  kill -0 $typepad 2>/dev/null || break
  sleep 0.1
done
kill -0 $typepad 2>/dev/null && fail "expected typepad to close on ALT+F4, it is still running"
rm -rf "$work"
echo "typepad unicode: passed"
