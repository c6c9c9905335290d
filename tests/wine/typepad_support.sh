# Shared by the typepad scripts (sourced): a windows path for a file of the
# host, a failure, and the wait for a file typepad writes.
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

wait_for_file() {
  local i
  for i in $(seq 100); do
    [ -f "$1" ] && return 0
    sleep 0.1
  done
  fail "expected $1 to be written, it was not"
}
