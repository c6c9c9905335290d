#!/usr/bin/env bash
# The demo inside the Wine session (scripts/demo runs it with
# scripts/wine-run --script): tolvar.exe with Vedrokan.gkf beside it,
# typepad in the Vedrokan font, a click on "Enable Indian Keyboard", the
# phrase typed with xdotool, what arrived, a screenshot.
# Usage: demo_session.sh SCREENSHOT_PNG KEEP PHRASE PACE_MS OUTPUT [TYPEPAD_EXE]
#   OUTPUT font: glyph codes into typepad in the Vedrokan font
#   OUTPUT unicode: Unicode text into a Unicode typepad in Noto Sans Devanagari
#   TYPEPAD_EXE: the typepad to type into (default the tree's own)
set -euo pipefail
screenshot=$1
keep=$2
phrase=$3
pace=$4
output=${5:-font}
typepad=${6:-$TOLVAR_BIN/typepad.exe}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/e2e_support.sh"
[ "$keep" = 1 ] || trap e2e_finish EXIT
e2e_typepad_exe=$typepad

step() { echo "demo: $*"; }

if [ "$output" = unicode ]; then
  step "starting tolvar.exe with Vedrokan.gkf and Vedrokan.tsv beside it (output: Unicode)"
  e2e_start_tolvar "$TOLVAR_BIN/Vedrokan.gkf" 2 1
  step "starting typepad as a Unicode program in Noto Sans Devanagari"
  e2e_typepad_title="TypePad - Unicode, Noto Sans Devanagari"
  e2e_start_typepad --unicode --fontfile \
    "$(e2e_windows_path /usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf)" \
    --font "Noto Sans Devanagari" --size 48
else
  # Wine accepts a journal playback hook but never plays it, so the demo uses
  # the send method "Use Keybd_Event" (tolvar.ini: UseJournalPBH=0).
  step "starting tolvar.exe with Vedrokan.gkf beside it (send method: keyboard events)"
  e2e_start_tolvar "$TOLVAR_BIN/Vedrokan.gkf" 0
  step "starting typepad in the Vedrokan font"
  e2e_typepad_title="TypePad - Vedrokan font"
  e2e_start_typepad --fontfile "$(e2e_windows_path "$TOLVAR_BIN/Vedrokan.ttf")" --font Vedrokan --size 56
fi
step "clicking \"Enable Indian Keyboard\""
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: Vedrokan)" ||
  e2e_fail "the keyboard did not switch ON: the title is '$(e2e_tolvar_title)'"
step "title now: $(e2e_tolvar_title)"
e2e_focus_typepad
step "typing with xdotool, $pace ms between keys: $phrase"
e2e_type "$phrase" "$pace"
text=$(e2e_wait_text "" 10)
[ -n "$text" ] || e2e_fail "nothing arrived in typepad"

echo
echo "keys typed:          $phrase"
if [ "$output" = unicode ]; then
  echo "text arrived:        $(printf '%s' "$text" | xxd -r -p)"
else
  unicode=$(printf '%s' "$text" | xxd -r -p | "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/legacyconv.exe" --to-unicode)
  echo "glyph bytes arrived: $text"
  echo "as Unicode:          $unicode"
fi
echo

# Both windows, cut from the screen around Tolvar's window and typepad's.
eval "$(xdotool getwindowgeometry --shell "$e2e_tolvar_window" | sed 's/^/T_/')"
eval "$(xdotool getwindowgeometry --shell "$e2e_typepad_window" | sed 's/^/P_/')"
left=$((T_X < P_X ? T_X : P_X))
top=$((T_Y < P_Y ? T_Y : P_Y))
right=$((T_X + T_WIDTH > P_X + P_WIDTH ? T_X + T_WIDTH : P_X + P_WIDTH))
bottom=$((T_Y + T_HEIGHT > P_Y + P_HEIGHT ? T_Y + T_HEIGHT : P_Y + P_HEIGHT))
mkdir -p "$(dirname "$screenshot")"
import -window root -crop "$((right - left + 8))x$((bottom - top + 8))+$((left - 4))+$((top - 4))" \
  +repage -strip "$screenshot"
step "screenshot: $screenshot"

if [ "$keep" = 1 ]; then
  step "leaving tolvar.exe and typepad up on $DISPLAY; type into typepad to try it"
else
  step "closing typepad and tolvar.exe"
  e2e_finish
  trap - EXIT
fi
