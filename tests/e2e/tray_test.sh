#!/usr/bin/env bash
# The notification-area icon: a left click switches the keyboard ON and OFF
# (typepad gets glyphs only while ON); a right click opens its menu, whose
# "Enable Indian Keyboard" is chosen with the keyboard as a user may.
# Usage: tray_test.sh DATA_DIR
set -euo pipefail
data=$1
source "$(dirname "$0")/e2e_support.sh"
trap e2e_finish EXIT

e2e_start_tolvar "$data/e2e.gkf" 2
e2e_start_typepad

e2e_probe tray left >/dev/null
e2e_expect_title "Tolvar (Is ON: E2E)" "a left click on the icon while OFF"
e2e_focus_typepad
e2e_type ka 40
e2e_expect_text "a0 e0" "keys typed after the icon switched ON"

e2e_probe tray left >/dev/null
e2e_expect_title "Tolvar (Is OFF)" "a left click on the icon while ON"
e2e_type ka 40
e2e_expect_text "a0 e0 6b 61" "keys typed after the icon switched OFF"

e2e_tray_choose e
e2e_expect_title "Tolvar (Is ON: E2E)" "Enable Indian Keyboard from the icon's menu"
echo "tray icon: passed"
