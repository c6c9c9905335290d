# Shared by the shell's script tests (sourced). They run inside the Wine
# session of the build tree (TOLVAR_WINE_RUN, TOLVAR_BIN, WINEPREFIX) and
# drive tolvar.exe from a second process with tolvar_shell_probe.exe.
# Every wait is bounded; whatever a test started ends with it, pass or fail.
set -euo pipefail

data_dir=$1
scratch=$(mktemp -d)
tolvar_pid=""
helper_pids=()

# Ends a background program: at once if it has ended, else after `seconds`
# of polling, else by force. 0 = it ended by itself within the time.
end_within() {
  local pid=$1 seconds=$2 i
  for ((i = 0; i < seconds * 20; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null || true
  return 1
}

finish() {
  local pid
  if [ -n "$tolvar_pid" ] && kill -0 "$tolvar_pid" 2>/dev/null; then
    probe close >/dev/null 2>&1 || true
    end_within "$tolvar_pid" 10 || true
  fi
  touch "$scratch/stop-holding"
  for pid in "${helper_pids[@]}"; do end_within "$pid" 10 || true; done
  rm -rf "$scratch"
}
trap finish EXIT

probe() { "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/tolvar_shell_probe.exe" "$@"; }

# Starts tolvar.exe in the scratch folder (its current directory, where it
# looks for the default language file).
start_tolvar() {
  (cd "$scratch" && exec "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/tolvar.exe") &
  tolvar_pid=$!
}

# Runs `probe COMMAND SECONDS` in the background in the scratch folder until
# the test stops it, once it has said "holding". Its output goes to
# $scratch/NAME.log.
start_helper() {
  local name=$1 i
  shift
  (cd "$scratch" && exec "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/tolvar_shell_probe.exe" "$@" >"$name.log") &
  helper_pids+=($!)
  for ((i = 0; i < 600; i++)); do
    grep -q holding "$scratch/$name.log" 2>/dev/null && return 0
    kill -0 "${helper_pids[-1]}" 2>/dev/null || break
    sleep 0.05
  done
  fail "the $name helper did not start: $(cat "$scratch/$name.log" 2>/dev/null)"
}

# Stops every helper and waits for them.
stop_helpers() {
  local pid
  touch "$scratch/stop-holding"
  for pid in "${helper_pids[@]}"; do end_within "$pid" 10 || fail "a helper did not stop"; done
  helper_pids=()
}

# Waits (at most 30 s) for tolvar.exe to end and checks its exit code.
expect_exit() {
  local code=0
  end_within "$tolvar_pid" 30 || fail "tolvar.exe did not end"
  wait "$tolvar_pid" || code=$?
  tolvar_pid=""
  [ "$code" -eq "$1" ] || fail "tolvar.exe ended with $code, expected $1"
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# expect_line EXPECTED OUTPUT: OUTPUT holds the line EXPECTED.
expect_line() {
  grep -qxF -- "$1" <<<"$2" || fail "expected the line [$1], got [$2]"
}

# expect_text PIECE OUTPUT: OUTPUT contains PIECE.
expect_text() {
  grep -qF -- "$1" <<<"$2" || fail "expected [$1] in [$2]"
}

# The user's settings file, and the one in the Windows folder read where
# the user's has no value.
settings_file() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tolvar/tolvar.ini"; }
windows_settings_file() { echo "$WINEPREFIX/drive_c/windows/tolvar.ini"; }
