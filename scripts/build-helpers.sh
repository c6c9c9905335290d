# Shared by scripts/test and scripts/demo (sourced): building a tree, which
# Windows tree runs here, and an Xvfb display of their own.

tolvar_jobs=$(nproc)
[ "$tolvar_jobs" -le 2 ] || tolvar_jobs=2

# tolvar_configure_and_build ROOT TREE [CMAKE_ARGS...]: configures TREE for
# RelWithDebInfo and builds all of it.
tolvar_configure_and_build() {
  local root=$1 tree=$2
  shift 2
  cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$tree" -j "$tolvar_jobs"
}

# True when 32-bit Wine starts. Some kernels run no 32-bit programs at all
# ("Exec format error"); the Windows programs then run from an x86_64 tree
# under 64-bit Wine.
tolvar_wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# tolvar_start_xvfb FIRST: starts Xvfb on the first free display from :FIRST
# on, exports DISPLAY and sets tolvar_xvfb_pid. Returns 1 when none starts.
tolvar_start_xvfb() {
  local n display=""
  for n in $(seq "$1" $(($1 + 100))); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      display=":$n"
      break
    fi
  done
  [ -n "$display" ] || return 1
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  tolvar_xvfb_pid=$!
  for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdpyinfo -display "$display" >/dev/null 2>&1 || return 1
  export DISPLAY=$display
}

# tolvar_windows_session ROOT: builds the programs that type end to end in
# build/win64, the 64-bit Tolvar that current Windows runs and that serves
# programs of both word sizes (TOLVAR_DEMO_TREE chooses another tree; one
# whose name holds win32 is a 32-bit one), starts Xvfb when there is no
# DISPLAY and the tree's Wine session on DISPLAY. Sets tolvar_tree and
# tolvar_xvfb_pid (empty when DISPLAY was given); returns 1 with a message
# on failure. tolvar_stop_windows_session undoes it.
tolvar_windows_session() {
  local root=$1 toolchain configure
  tolvar_tree=${TOLVAR_DEMO_TREE:-$root/build/win64}
  case $(basename "$tolvar_tree") in
    *win32*) toolchain=$root/cmake/i686-w64-mingw32.cmake ;;
    *) toolchain=$root/cmake/x86_64-w64-mingw32.cmake ;;
  esac
  tolvar_xvfb_pid=""
  echo "== building the Windows programs ($tolvar_tree)"
  # The toolchain is chosen when the tree is first configured.
  configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ -f "$tolvar_tree/CMakeCache.txt" ] || configure+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
  cmake -S "$root" -B "$tolvar_tree" "${configure[@]}" >/dev/null ||
    { echo "configuring $tolvar_tree failed" >&2; return 1; }
  cmake --build "$tolvar_tree" -j "$tolvar_jobs" --target tolvar tvkhook typepad e2e_probe \
    legacyconv wine_keeper language_files >/dev/null ||
    { echo "building $tolvar_tree failed (run: cmake --build $tolvar_tree)" >&2; return 1; }
  if [ -z "${DISPLAY:-}" ]; then
    tolvar_start_xvfb 52 || { echo "could not start Xvfb" >&2; return 1; }
    echo "== started Xvfb on $DISPLAY"
  fi
  # The session must draw on this display: one left running on another
  # display is stopped first.
  if [ -f "$tolvar_tree/wine-session/display" ] &&
    [ "$(cat "$tolvar_tree/wine-session/display")" != "$DISPLAY" ]; then
    "$root/scripts/wine-run" --build "$tolvar_tree" --stop
  fi
  echo "== starting the Wine session of $tolvar_tree"
  "$root/scripts/wine-run" --build "$tolvar_tree" --start ||
    { echo "the Wine session did not start" >&2; return 1; }
}

tolvar_stop_windows_session() {
  local root=$1
  [ -z "${tolvar_tree:-}" ] || "$root/scripts/wine-run" --build "$tolvar_tree" --stop
  if [ -n "${tolvar_xvfb_pid:-}" ]; then
    kill "$tolvar_xvfb_pid" 2>/dev/null || true
    wait "$tolvar_xvfb_pid" 2>/dev/null || true
  fi
}
