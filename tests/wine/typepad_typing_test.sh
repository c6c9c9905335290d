#!/usr/bin/env bash
# typepad under Wine, typed through the X server with xdotool: typed keys
# arrive as text, ALT + keypad 0233 arrives as the byte 0xE9, Backspace
# removes, F12 and closing the window write the text and the key log.
set -euo pipefail

work=$(mktemp -d "$TMPDIR/typepad_typing.XXXXXX")
title="TypePad typing $$"
source "$(dirname "$0")/typepad_support.sh"

# The bytes of a file as hex pairs, e.g. "68 65 6c 6c e9".
hex_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

"$TOLVAR_WINE_RUN" "$TOLVAR_BIN/typepad.exe" --title "$title" \
  --text "$(windows_path "$work/text")" --log "$(windows_path "$work/log")" \
  >"$work/output" 2>&1 &
typepad=$!
trap 'kill $typepad 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
  fail "expected a window titled '$title', none appeared"
xdotool windowfocus --sync "$window"

xdotool type --delay 30 "hello"
xdotool key --delay 30 BackSpace
# The keypad keys themselves: VK_INSERT, VK_DOWN, ... with NumLock off,
# VK_NUMPAD0, VK_NUMPAD2, ... with it on; both compose.
xdotool keydown Alt_L key --delay 30 KP_Insert KP_Down KP_Next KP_Next keyup Alt_L
xdotool keydown Alt_L key --delay 30 KP_Insert KP_Insert KP_Right KP_Begin keyup Alt_L
xdotool key F12
wait_for_file "$work/text"

text=$(hex_of "$work/text")
[ "$text" = "68 65 6c 6c e9 41" ] ||
  fail "expected text bytes 68 65 6c 6c e9 41 (hell, 0xE9, A), got '$text'; key log: $(cat "$work/log")"
grep -q ' WM_CHAR 0x68 ' "$work/log" ||
  fail "expected a WM_CHAR 0x68 line in the log, got: $(cat "$work/log")"
grep -q ' ALTNUM 0xE9 ' "$work/log" ||
  fail "expected the composed byte as an ALTNUM 0xE9 line in the log, got: $(cat "$work/log")"
grep -q ' WM_SYSKEYDOWN 0x12 ' "$work/log" ||
  fail "expected ALT to arrive as WM_SYSKEYDOWN 0x12, got: $(cat "$work/log")"

rm -f "$work/text" "$work/log"
xdotool type --delay 30 "a"
xdotool key alt+F4
for _ in $(seq 100); do
  kill -0 $typepad 2>/dev/null || break
  sleep 0.1
done
kill -0 $typepad 2>/dev/null && fail "expected typepad to close on ALT+F4, it is still running"
wait_for_file "$work/text"
text=$(hex_of "$work/text")
[ "$text" = "68 65 6c 6c e9 41 61" ] ||
  fail "expected the closing dump to hold 68 65 6c 6c e9 41 61, got '$text'"
rm -rf "$work"
echo "typepad typing: passed"
