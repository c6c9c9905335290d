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

# tolvar_runnable_windows_tree ROOT: "TREE TOOLCHAIN_FILE" of the Windows
# tree whose programs run here.
tolvar_runnable_windows_tree() {
  if tolvar_wine32_runs; then
    echo "$1/build/win32 $1/cmake/i686-w64-mingw32.cmake"
  else
    echo "$1/build/win64 $1/cmake/x86_64-w64-mingw32.cmake"
  fi
}

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
