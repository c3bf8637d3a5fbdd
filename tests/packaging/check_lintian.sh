#!/usr/bin/env bash
# Runs Debian's package checker on the .deb at its default level: it must
# report no error and no warning. Its remarks are printed for the record.
#   check_lintian.sh DEB_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
deb=$(deb_in "$1")

report=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
echo "$report"
[ "$status" -eq 0 ] || fail "lintian failed (status $status)"
grep -Eq '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

finish
