#!/usr/bin/env bash
# The 64-bit tolvar.exe alone serves 64-bit and 32-bit programs at once: its
# low-level hook runs in its own process, and neither typepad maps
# tvkhook.dll (each lists its modules). Typed into a 64-bit and a 32-bit
# typepad: a phrase with capitals (Shift) arrives exactly in each, ALT+F2
# toggles from each, Control+C reaches each as Control+C and types nothing,
# and switching OFF in the panel stops translation in both.
# Usage: mixed_sizes_test.sh DATA_DIR TYPEPAD32_EXE
set -euo pipefail
data=$1
typepad32=$2

skip() {
  echo "SKIPPED: $*"
  exit 77
}
/usr/lib/wine/wine --version >/dev/null 2>&1 ||
  skip "this machine runs no 32-bit programs, so 32-bit Wine cannot start a 32-bit typepad"
[ -f "$typepad32" ] || skip "no 32-bit typepad beside this tree: configure it with -DTOLVAR_X86_BIN=<32-bit tree>/bin"

source "$(dirname "$0")/e2e_support.sh"

enable_toggle_id=106
IFS=$'\t' read -r _ keys expected < <(grep -P "^shift\t" "$data/phrases.tsv")
expected=${expected,,}

pads=(64 32)
# Each typepad's title, files, window and process; `sum` is what it holds.
declare -A pad_window pad_title pad_text pad_log pad_pid pad_modules sum
use_pad() {
  e2e_typepad_title=${pad_title[$1]}
  e2e_typepad_text=${pad_text[$1]}
  e2e_typepad_log=${pad_log[$1]}
  e2e_typepad_window=${pad_window[$1]:-}
  e2e_typepad_pid=${pad_pid[$1]:-}
}
finish() {
  local pad
  for pad in "${pads[@]}"; do
    [ -n "${pad_title[$pad]:-}" ] || continue
    use_pad "$pad"
    if [ -n "$e2e_typepad_pid" ] && kill -0 "$e2e_typepad_pid" 2>/dev/null; then
      e2e_probe pad "$e2e_typepad_title" close >/dev/null 2>&1 || true
      e2e_wait_exit "$e2e_typepad_pid" 10 || kill "$e2e_typepad_pid" 2>/dev/null || true
    fi
  done
  e2e_typepad_pid=""
  e2e_finish
}
trap finish EXIT

start_pad() {  # SIZE EXE Y
  pad_title[$1]="TypePad$1 e2e $$"
  pad_text[$1]=$e2e_work/text$1
  pad_log[$1]=$e2e_work/log$1
  pad_modules[$1]=$e2e_work/modules$1
  use_pad "$1"
  e2e_typepad_exe=$2
  e2e_start_typepad --modules "$(e2e_windows_path "${pad_modules[$1]}")"
  e2e_probe move-pad "$e2e_typepad_title" 380 "$3" >/dev/null
  pad_window[$1]=$e2e_typepad_window
  pad_pid[$1]=$e2e_typepad_pid
}

# in_pad SIZE KEYS EXPECTED WHAT: types KEYS into that typepad, which must
# then hold EXPECTED.
in_pad() {
  local text
  use_pad "$1"
  e2e_focus_typepad
  e2e_type "$2" 40
  text=$(e2e_wait_text "$3" 10)
  [ "$text" = "$3" ] || e2e_fail "$1-bit typepad, $4: '$2' should leave [$3], it holds [$text]; keys: $(e2e_typepad_keys | tr "\n" " ")"
}

e2e_start_tolvar "$data/e2e.gkf" 0

start_pad 64 "$TOLVAR_BIN/typepad.exe" 40
start_pad 32 "$typepad32" 380

e2e_probe command "$enable_toggle_id" >/dev/null
[ "$(e2e_probe wait-box 10)" = "box Message|Enabling use of ALT+F2 to toggle TOLVAR On/Off" ] ||
  e2e_fail "expected the box announcing the ALT+F2 toggle"
e2e_probe box-ok >/dev/null
e2e_click_check_box
e2e_expect_title "Tolvar (Is ON: E2E)" "a click on the check box"

for pad in "${pads[@]}"; do
  in_pad "$pad" "$keys" "$expected" "keyboard ON"
  sum[$pad]=$expected
done

for pad in "${pads[@]}"; do
  use_pad "$pad"
  e2e_focus_typepad
  xdotool key ctrl+c
  text=$(e2e_wait_text "${sum[$pad]}" 2)
  [ "$text" = "${sum[$pad]}" ] || e2e_fail "$pad-bit typepad: Control+C typed something: [$text]"
  e2e_typepad_keys | grep -qx 'WM_CHAR 0x03' ||
    e2e_fail "$pad-bit typepad: Control+C did not arrive as the character 0x03"
done

use_pad 64
e2e_focus_typepad
e2e_press_alt_f2
e2e_expect_title "Tolvar (Is OFF)" "ALT+F2 in the 64-bit typepad"
sum[64]="${sum[64]} 6b 61"
in_pad 64 ka "${sum[64]}" "after ALT+F2 switched OFF"
use_pad 32
e2e_focus_typepad
e2e_press_alt_f2
e2e_expect_title "Tolvar (Is ON: E2E)" "ALT+F2 in the 32-bit typepad"
sum[32]="${sum[32]} a0 e0"
in_pad 32 ka "${sum[32]}" "after ALT+F2 switched ON"

e2e_click_check_box
e2e_expect_title "Tolvar (Is OFF)" "a click on the check box"
for pad in "${pads[@]}"; do
  sum[$pad]="${sum[$pad]} 6b 61"
  in_pad "$pad" ka "${sum[$pad]}" "switched OFF in the panel"
done

for pad in "${pads[@]}"; do
  use_pad "$pad"
  e2e_text_hex >/dev/null
  grep -qix 'typepad.exe' "${pad_modules[$pad]}" || e2e_fail "$pad-bit typepad listed no modules"
  ! grep -qi tvkhook "${pad_modules[$pad]}" || e2e_fail "$pad-bit typepad has tvkhook.dll mapped"
done
echo "64-bit and 32-bit programs served by one 64-bit Tolvar, nothing of it mapped into them: passed"
