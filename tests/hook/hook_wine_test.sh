#!/usr/bin/env bash
# tvkhook.dll for real under Wine: nothing of it is shared (another process
# that loads it registers its own window and changes nothing of the
# first's), its low-level hook queues keys typed into typepad while the
# keyboard is ON for the registered window and typepad never sees them,
# ALT+F2 queues the toggle request, typepad never maps the library, and
# the send functions type into the focused window (SendKeysJPH's wait ends
# even where the platform never plays journal hooks), and SendTextUI types
# Backspaces and UTF-16 text into a Unicode window.
# Runs in the Wine session of the build tree (TOLVAR_WINE_RUN, TOLVAR_BIN).
set -euo pipefail

work=$(mktemp -d)
typepad_pid=""
probe_pid=""

source "$(dirname "$0")/../check.sh"
give_up() {
  echo "FAIL $*"
  exit 1
}

probe() { "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/hook_probe.exe" "$@"; }

finish() {
  if [ -n "$probe_pid" ] && kill -0 "$probe_pid" 2>/dev/null; then
    probe stop >/dev/null 2>&1 || true
    wait "$probe_pid" 2>/dev/null || true
  fi
  if [ -n "$typepad_pid" ] && kill -0 "$typepad_pid" 2>/dev/null; then
    probe typepad close >/dev/null 2>&1 || true
    for _ in $(seq 50); do kill -0 "$typepad_pid" 2>/dev/null || break; sleep 0.1; done
    kill "$typepad_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT

wait_for_line() {  # file line seconds
  local i
  for i in $(seq $(($3 * 10))); do
    grep -qx "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# The probe's log after "ready", as one line.
posted() { sed '1,/^ready$/d' "$work/probe.log" | grep -v '^done$' | tr '\n' ' '; }

# typepad's text, as hex bytes, after it wrote it.
typed_text() {
  rm -f "$work/text"
  probe typepad dump || give_up "typepad did not write its text"
  od -An -tx1 "$work/text" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# The key and character messages of typepad's log: "MESSAGE WPARAM" each.
typepad_keys() { grep -v '^#' "$work/keys.log" | awk '{ print $3, $4 }' | tr '\n' ' '; }

start_typepad() {  # title [--unicode]
  "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/typepad.exe" "${@:2}" --title "$1" --text "Z:$work/text" \
    --log "Z:$work/keys.log" --modules "Z:$work/modules" >/dev/null 2>&1 &
  typepad_pid=$!
  window=""
  for _ in $(seq 300); do
    # Only once it is shown: focusing a window not yet mapped is an X error.
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || give_up "typepad's window did not appear"
}

start_typepad HookTypingTarget

"$TOLVAR_WINE_RUN" "$TOLVAR_BIN/hook_probe.exe" main "Z:$work/probe.log" >/dev/null 2>&1 &
probe_pid=$!
wait_for_line "$work/probe.log" ready 60 || give_up "the probe's main window did not start"
check "first InitKBHook registers" "init 1" "$(grep '^init' "$work/probe.log")"
check "keyboard switched ON" "on 1" "$(grep '^on' "$work/probe.log")"

# Nothing shared: a second process's registration is its own.
check "InitKBHook from a second process" "init 1" "$(probe init | tr -d '\r')"

xdotool windowfocus --sync "$window"
sleep 0.5
xdotool type --delay 80 ab
xdotool key BackSpace
sleep 0.5
xdotool key space
# ALT held while F2 goes down and up, as a person types it.
xdotool keydown alt
sleep 0.2
xdotool key F2
sleep 0.2
xdotool keyup alt
sleep 1
check "entries the hook queued" "char 0x61 char 0x62 char 0x08 reset toggle " "$(posted)"

text=$(typed_text)
check "typepad's text: only the space passed" "20" "$text"
caught=$(typepad_keys | tr ' ' '\n' | paste -d' ' - - |
  grep -E '^(WM_KEYDOWN|WM_KEYUP|WM_CHAR) 0x(41|42|61|62|08)$' | tr '\n' ' ' || true)
check "typed characters never reach typepad" "" "$caught"
check "F2's release is swallowed" "" "$(typepad_keys | grep -o 'WM_SYSKEYUP 0x71' || true)"
check "typepad's modules listed" "yes" "$(grep -qix 'typepad.exe' "$work/modules" && echo yes || echo no)"
check "typepad never loads tvkhook.dll" "" "$(grep -i tvkhook "$work/modules" || true)"

probe stop
wait "$probe_pid" || true
probe_pid=""

# Keyboard events: a Backspace, then 0xE9 and 0x41 as ALT + keypad digits.
probe typepad clear
xdotool windowfocus --sync "$window"
xdotool type --delay 50 xy
check "SendKeysKE status" "sendke 0" "$(probe sendke 08e941 | tr -d '\r')"
sleep 1
check "SendKeysKE typed Backspace, 0xE9, 0x41" "78 e9 41" "$(typed_text)"

# Journal playback ends within a bounded wait; where the platform never
# plays the hook (Wine), nothing is typed and the status says so.
read -r _ status elapsed < <(probe sendjph 42 | tr -d '\r')
sleep 0.5
after=$(typed_text)
echo "SendKeysJPH: status $status after $elapsed ms"
check "SendKeysJPH returns within 5 s" "yes" "$([ "$elapsed" -lt 5000 ] && echo yes || echo "no ($elapsed ms)")"
case $status in
  6) check "refused playback types nothing" "78 e9 41" "$after" ;;
  0) check "played playback types the byte" "78 e9 41 42" "$after" ;;
  *) check "SendKeysJPH status" "0 or 6" "$status" ;;
esac

# Unicode text into a Unicode window: one Backspace takes the b, then क्षि and
# a character beyond U+FFFF as a surrogate pair.
probe typepad close
wait "$typepad_pid" || true
start_typepad HookUnicodeTarget --unicode
xdotool windowfocus --sync "$window"
xdotool type --delay 50 ab
check "SendTextUI status" "sendtext 0" "$(probe sendtext 1 0915094d0937093fd83dde00 | tr -d '\r')"
sleep 1
check "SendTextUI typed a, then क्षि and U+1F600 as UTF-8" \
  "$(printf 'aक्षि\xf0\x9f\x98\x80' | od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')" "$(typed_text)"

exit $failed
