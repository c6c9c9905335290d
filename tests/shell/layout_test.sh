# The panel's layout at 96, 120 and 144 DPI: the window tests' layout cases
# (the real main window and panel, from the shell's own resources) run once
# per DPI, and a screenshot of each is saved in the output folder (argument
# 1). Wine reads LogPixels when a program starts, so no restart is needed;
# the test runs alone (RUN_SERIAL) and puts 96 back whatever happens.
set -euo pipefail

out_dir=$1
scratch=$(mktemp -d)
test_pid=""
mkdir -p "$out_dir"

set_dpi() {
  "$TOLVAR_WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
}

finish() {
  if [ -n "$test_pid" ]; then kill -9 "$test_pid" 2>/dev/null || true; fi
  set_dpi 96 || echo "could not put LogPixels back to 96" >&2
  rm -rf "$scratch"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Waits at most `seconds` for the test program to end; 0 = it ended.
ended_within() {
  local seconds=$1 i
  for ((i = 0; i < seconds * 20; i++)); do
    kill -0 "$test_pid" 2>/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# The main window's area on the screen, as import's -crop wants it.
window_area() {
  local id geometry
  id=$(xdotool search --name '^Tolvar \(' | head -n 1)
  [ -n "$id" ] || return 1
  geometry=$(xdotool getwindowgeometry --shell "$id")
  eval "$geometry"
  echo "$((WIDTH + 16))x$((HEIGHT + 16))+$((X > 8 ? X - 8 : 0))+$((Y > 8 ? Y - 8 : 0))"
}

failed=""
for dpi in 96 120 144; do
  set_dpi "$dpi" || fail "could not set LogPixels to $dpi"
  log=$scratch/layout-$dpi.log
  (cd "$scratch" && TOLVAR_LAYOUT_HOLD="Z:${scratch//\//\\}\\layout-shown" exec "$TOLVAR_WINE_RUN" \
    "$TOLVAR_BIN/tolvar_shell_window_tests.exe" --gtest_filter='PanelLayoutTest.*' >"$log" 2>&1) &
  test_pid=$!
  for ((i = 0; i < 400; i++)); do
    [ -f "$scratch/layout-shown" ] && break
    kill -0 "$test_pid" 2>/dev/null || break
    sleep 0.05
  done
  shot=$out_dir/panel-$dpi-dpi.png
  if [ -f "$scratch/layout-shown" ]; then
    area=$(window_area) || area=""
    if [ -n "$area" ]; then
      import -window root -crop "$area" +repage -strip "$shot"
    else
      import -window root -strip "$shot"
    fi
    echo "screenshot at $dpi DPI: $shot"
    rm -f "$scratch/layout-shown"
  else
    echo "no screenshot at $dpi DPI: the windows were not shown"
  fi
  ended_within 15 || fail "the window tests did not end at $dpi DPI: $(cat "$log")"
  code=0
  wait "$test_pid" || code=$?
  test_pid=""
  if [ "$code" -ne 0 ] || ! grep -q '\[  PASSED  \] 2 tests' "$log"; then
    echo "--- at $dpi DPI:"
    cat "$log"
    failed="$failed $dpi"
  fi
done
[ -z "$failed" ] || fail "the layout does not hold at DPI$failed"
echo "layout: passed at 96, 120 and 144 DPI"
