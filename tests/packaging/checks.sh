# Shared by the package checks: each check reports what it finds wrong and
# goes on, so one run lists every fault; finish ends the script with the verdict.
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_file() {
  [ -f "$1" ] || fail "missing $1"
}

expect_executable() {
  [ -f "$1" ] && [ -x "$1" ] || fail "missing or not executable: $1"
}

# The single .deb that build_deb.sh left in the given folder.
deb_in() {
  local debs=("$1"/*.deb)
  [ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one .deb in $1" >&2; exit 1; }
  echo "${debs[0]}"
}

finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}
