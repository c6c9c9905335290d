# Sourced by the test scripts: check WHAT EXPECTED ACTUAL prints an ok or a
# FAIL line with both values and remembers a failure in `failed`; the script
# ends with `exit $failed`.
failed=0

check() {
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
  else
    printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    failed=1
  fi
}
