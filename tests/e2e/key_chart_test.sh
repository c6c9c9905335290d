#!/usr/bin/env bash
# The key chart window: "Key chart" in the notification-area icon's menu
# opens it, titled after the language in force; Help > Key chart (its
# command) while it is open brings that window forward, no second one; a
# language chosen from the Language menu retitles it. Each time it lies on
# the screen and its cells are drawn (a screenshot per language into
# SCREENSHOT_DIR); Escape closes it and Tolvar runs on.
# Usage: key_chart_test.sh VEDROKAN_GKF SCREENSHOT_DIR
set -euo pipefail
vedrokan=$1
shots=$2
source "$(dirname "$0")/e2e_support.sh"
finish() {
  e2e_finish
  e2e_forget_language_choice
}
trap finish EXIT
mkdir -p "$shots"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)

chart_windows() { xdotool search --onlyvisible --name '^Key chart' 2>/dev/null || true; }

# expect_chart TITLE WHAT: within 10 s exactly one key chart window is shown,
# titled TITLE; its X window goes into $chart.
expect_chart() {
  local ids="" i
  for i in $(seq 100); do
    ids=$(chart_windows)
    if [ "$(grep -c . <<<"$ids")" = 1 ] && [ "$(xdotool getwindowname "$ids")" = "$1" ]; then
      chart=$ids
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "$2: expected one window titled '$1', found [$(for id in $ids; do xdotool getwindowname "$id"; done | paste -sd '|')]"
}

# shoot NAME: the chart window lies on the screen; saved as NAME.png, its
# area below the caption holds more than the background and the cells' lines.
shoot() {
  local shot=$shots/$1.png colours
  eval "$(xdotool getwindowgeometry --shell "$chart" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$screen_width" ] &&
    [ $((Y + HEIGHT)) -le "$screen_height" ] ||
    e2e_fail "$1: the chart (${WIDTH}x$HEIGHT at $X,$Y) should lie on the ${screen_width}x$screen_height screen"
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -strip "$shot"
  colours=$(convert "$shot" -crop "$((WIDTH - 8))x$((HEIGHT - 48))+4+44" +repage -format '%k' info:)
  [ "$colours" -ge 3 ] || e2e_fail "$1: the chart looks blank ($colours colours): $shot"
  echo "key chart of $1: ${WIDTH}x$HEIGHT at $X,$Y, $colours colours: $shot"
}

e2e_start_tolvar "$vedrokan" 2
e2e_tray_choose k
expect_chart "Key chart - Vedrokan" "Key chart from the icon's menu"
first=$chart
e2e_probe command 150 >/dev/null
sleep 0.5
expect_chart "Key chart - Vedrokan" "Help > Key chart while the chart is open"
[ "$chart" = "$first" ] || e2e_fail "Help > Key chart should bring the open chart forward, it made another"
shoot vedrokan

# Kruti Dev 010, the first of the Language menu.
e2e_tray_choose g Return
expect_chart "Key chart - Kruti Dev 010" "Kruti Dev 010 chosen from the Language menu while the chart is open"
# The icon's menu brought Tolvar's window to the front; the chart comes back over it.
e2e_probe command 150 >/dev/null
sleep 0.5
shoot kruti-dev-010

e2e_click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool key Escape
for i in $(seq 50); do
  [ -z "$(chart_windows)" ] && break
  sleep 0.1
done
[ -z "$(chart_windows)" ] || e2e_fail "Escape should close the key chart"
e2e_expect_title "Tolvar (Is OFF)" "Tolvar after the chart closed"
echo "Key chart: passed"
