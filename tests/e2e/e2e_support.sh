# Drives the real tolvar.exe, tvkhook.dll and typepad on the Wine session's
# display (sourced by the end-to-end tests, the demo and the measurements).
# Needs TOLVAR_WINE_RUN, TOLVAR_BIN, WINEPREFIX, TMPDIR and DISPLAY, as
# scripts/wine-run --script sets them.
#
# Under Wine only a real mouse click makes a window the one that receives
# the keyboard (xdotool windowfocus moves X's focus, not Wine's), so both
# the check box and typepad are clicked, as a user would.

e2e_work=$(mktemp -d "$TMPDIR/e2e.XXXXXX")
e2e_tolvar_pid=""
e2e_typepad_pid=""
e2e_notepad_pid=""
e2e_tolvar_window=""
e2e_typepad_window=""
# The typepad the helpers below act on; a test with two sets these anew.
e2e_typepad_title="TypePad e2e $$"
e2e_typepad_exe=$TOLVAR_BIN/typepad.exe
e2e_typepad_text=$e2e_work/text
e2e_typepad_log=$e2e_work/log

e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

# Runs e2e_probe.exe (tools/e2e_probe) with its arguments; Wine's console
# ends lines with CR LF.
e2e_probe() { "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/e2e_probe.exe" "$@" | tr -d '\r'; }

# e2e_start_tolvar LANGUAGE_FILE USE_JOURNAL [OUTPUT [SUGGEST]]: tolvar.exe
# started in a folder of its own with LANGUAGE_FILE as its Vedrokan.gkf (and
# the encoding table beside it, if any, as Vedrokan.tsv), UseJournalPBH,
# Output (0 font codes, the default; 1 Unicode) and SuggestWords (0 the
# exact keys, the default; 1 suggest words) set in the user's settings file.
# USE_JOURNAL "keep" leaves the settings file as the last run saved it.
e2e_start_tolvar() {
  local language=$1 use_journal=$2 output=${3:-0} suggest=${4:-0} i
  mkdir -p "$e2e_work/tolvar"
  cp "$language" "$e2e_work/tolvar/Vedrokan.gkf"
  [ ! -f "${language%.*}.tsv" ] || cp "${language%.*}.tsv" "$e2e_work/tolvar/Vedrokan.tsv"
  local settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tolvar"
  mkdir -p "$settings"
  [ "$use_journal" = keep ] ||
    printf '[Settings]\r\nUseJournalPBH=%s\r\nOutput=%s\r\nSuggestWords=%s\r\n' "$use_journal" "$output" "$suggest" \
      >"$settings/tolvar.ini"
  (cd "$e2e_work/tolvar" && exec "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/tolvar.exe") \
    >"$e2e_work/tolvar.out" 2>&1 &
  e2e_tolvar_pid=$!
  for i in $(seq 300); do
    e2e_tolvar_window=$(xdotool search --name '^Tolvar \(Is OFF\)$' 2>/dev/null | head -n 1 || true)
    [ -n "$e2e_tolvar_window" ] && return 0
    kill -0 "$e2e_tolvar_pid" 2>/dev/null || e2e_fail "tolvar.exe ended before its window appeared"
    sleep 0.1
  done
  e2e_fail "expected Tolvar's window titled 'Tolvar (Is OFF)' within 30 s, none appeared"
}

# e2e_tray_choose KEYS...: opens the notification-area icon's menu and types
# KEYS into it with xdotool, as a user picks an item with the keyboard.
e2e_tray_choose() {
  e2e_probe tray right >/dev/null
  sleep 0.5
  xdotool key --delay 100 "$@"
}

e2e_tolvar_title() { xdotool getwindowname "$e2e_tolvar_window"; }

# e2e_wait_title TITLE: Tolvar's title becomes TITLE within 5 s.
e2e_wait_title() {
  local i
  for i in $(seq 50); do
    [ "$(e2e_tolvar_title)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# e2e_expect_title TITLE WHAT: Tolvar's title becomes TITLE, or the test fails
# naming WHAT.
e2e_expect_title() {
  e2e_wait_title "$1" || e2e_fail "$2: expected the title '$1', got '$(e2e_tolvar_title)'"
}

# ALT held while F2 goes down and up, as a person types it.
e2e_press_alt_f2() {
  xdotool keydown Alt_L
  xdotool key F2
  xdotool keyup Alt_L
}

# e2e_start_typepad [OPTIONS...]: typepad beside Tolvar's window, writing its
# text and key log into the work folder.
e2e_start_typepad() {
  "$TOLVAR_WINE_RUN" --build "$TOLVAR_BUILD_DIR" "$e2e_typepad_exe" --title "$e2e_typepad_title" \
    --text "$(e2e_windows_path "$e2e_typepad_text")" --log "$(e2e_windows_path "$e2e_typepad_log")" \
    "$@" >"$e2e_work/typepad.out" 2>&1 &
  e2e_typepad_pid=$!
  e2e_typepad_window=$(timeout 30 xdotool search --sync --name "^$e2e_typepad_title\$" | head -n 1) ||
    e2e_fail "expected typepad's window within 30 s, none appeared: $(cat "$e2e_work/typepad.out")"
  xdotool windowmove --sync "$e2e_typepad_window" 380 40
}

# e2e_click_at X Y: a real click at that point of the screen. The pointer is
# moved beside it first: `mousemove --sync` waits for the pointer to move,
# and where it already stands (an earlier test clicked there) it waits 15 s.
e2e_click_at() {
  xdotool mousemove $(($1 + 1)) $(($2 + 1))
  xdotool mousemove --sync "$1" "$2" click 1
}

# Switches the keyboard ON with a click on the check box "Enable Indian
# Keyboard"; waits for the ON title.
e2e_click_check_box() {
  local point
  point=$(e2e_probe checkbox) || e2e_fail "no check box: $point"
  # shellcheck disable=SC2086
  set -- ${point#checkbox }
  e2e_click_at "$1" "$2"
}

# Clicks into typepad's window so that Wine makes it the active window, and
# gives it X's input focus too (Wine leaves that with the owner of a message
# box that has just closed).
e2e_focus_typepad() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$e2e_typepad_window" | grep -E '^(X|Y)=')"
  x=$((X + 300))
  y=$((Y + 150))
  e2e_click_at "$x" "$y"
  xdotool windowfocus --sync "$e2e_typepad_window"
  sleep 0.2
}

# e2e_type KEYS DELAY_MS: types KEYS with xdotool, DELAY_MS between keys;
# "\b" in KEYS is the Backspace key.
e2e_type() {
  local keys=$1 delay=$2 piece rest
  rest=$keys
  while [ -n "$rest" ]; do
    piece=${rest%%\\b*}
    [ -n "$piece" ] && xdotool type --delay "$delay" -- "$piece"
    [ "$piece" = "$rest" ] && break
    rest=${rest#*\\b}
    xdotool key --delay "$delay" BackSpace
  done
}

# e2e_type_rolled KEYS DELAY_MS: types KEYS (letters and spaces) in one
# xdotool run, every key event DELAY_MS apart; a capital's Shift is released
# while its letter is still down, as fast typists roll it.
e2e_type_rolled() {
  local keys=$1 delay=$2 command=() c lower i
  for ((i = 0; i < ${#keys}; i++)); do
    c=${keys:i:1}
    lower=${c,,}
    if [ "$c" = " " ]; then
      command+=(key --delay "$delay" space)
    elif [ "$c" != "$lower" ]; then
      command+=(keydown --delay "$delay" Shift_L keydown --delay "$delay" "$lower"
        keyup --delay "$delay" Shift_L keyup --delay "$delay" "$lower")
    else
      command+=(key --delay "$delay" "$c")
    fi
  done
  xdotool "${command[@]}"
}

# The bytes typepad holds, as lower-case hex pairs ("d0 a0 20").
e2e_text_hex() {
  rm -f "$e2e_typepad_text"
  e2e_probe pad "$e2e_typepad_title" dump >/dev/null || e2e_fail "typepad did not answer"
  [ -f "$e2e_typepad_text" ] || e2e_fail "typepad did not write its text"
  od -An -v -tx1 "$e2e_typepad_text" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# e2e_wait_text EXPECTED SECONDS: typepad's text becomes EXPECTED, or stays
# the same for a second; prints what it holds then.
e2e_wait_text() {
  local expected=$1 seconds=$2 text previous="" same=0 i
  for i in $(seq $((seconds * 4))); do
    text=$(e2e_text_hex)
    [ "$text" = "$expected" ] && break
    if [ "$text" = "$previous" ]; then
      same=$((same + 1))
      [ "$same" -ge 4 ] && break
    else
      same=0
    fi
    previous=$text
    sleep 0.25
  done
  echo "$text"
}

# e2e_expect_text EXPECTED WHAT: typepad comes to hold EXPECTED (hex pairs)
# within 5 s, or the test fails naming WHAT.
e2e_expect_text() {
  local text
  text=$(e2e_wait_text "$1" 5)
  [ "$text" = "$1" ] || e2e_fail "$2: expected typepad to hold [$1], it holds [$text]"
}

e2e_clear_typepad() { e2e_probe pad "$e2e_typepad_title" clear >/dev/null; }

# typepad's key log as "MESSAGE WPARAM" pairs, one a line.
e2e_typepad_keys() { grep -v '^#' "$e2e_typepad_log" | awk '{ print $3, $4 }'; }

# e2e_wait_exit PID SECONDS
e2e_wait_exit() {
  local i
  for i in $(seq $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Starts Wine's notepad and clicks into the middle of its page, well below
# its first line, so it has the keyboard; its window goes into
# $e2e_notepad, its geometry into X, Y, WIDTH and HEIGHT.
e2e_start_notepad() {
  "$TOLVAR_WINE_RUN" --build "$TOLVAR_BUILD_DIR" notepad >"$e2e_work/notepad.out" 2>&1 &
  e2e_notepad_pid=$!
  e2e_notepad=$(timeout 30 xdotool search --sync --name 'Notepad$' | head -n 1) ||
    e2e_fail "expected notepad's window within 30 s, none appeared"
  eval "$(xdotool getwindowgeometry --shell "$e2e_notepad" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  e2e_click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  xdotool windowfocus --sync "$e2e_notepad"
  sleep 0.2
}

# A test that chooses a language from the menu: the other tests of this
# Wine prefix start with the default language again.
e2e_forget_language_choice() {
  sed -i '/^Language=/d' "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tolvar/tolvar.ini" 2>/dev/null || true
}

# Closes typepad and Tolvar as a user would (their windows' Close), ends
# notepad and removes the work folder. Safe to call twice.
e2e_finish() {
  if [ -n "$e2e_typepad_pid" ] && kill -0 "$e2e_typepad_pid" 2>/dev/null; then
    e2e_probe pad "$e2e_typepad_title" close >/dev/null 2>&1 || true
    e2e_wait_exit "$e2e_typepad_pid" 10 || kill "$e2e_typepad_pid" 2>/dev/null || true
  fi
  if [ -n "$e2e_tolvar_pid" ] && kill -0 "$e2e_tolvar_pid" 2>/dev/null; then
    e2e_probe close >/dev/null 2>&1 || true
    e2e_wait_exit "$e2e_tolvar_pid" 10 || kill "$e2e_tolvar_pid" 2>/dev/null || true
  fi
  [ -z "$e2e_notepad_pid" ] || kill "$e2e_notepad_pid" 2>/dev/null || true
  e2e_typepad_pid=""
  e2e_tolvar_pid=""
  e2e_notepad_pid=""
  rm -rf "$e2e_work"
}
