#!/usr/bin/env bash
# Checks the package's declared dependencies: the Qt and SQLite libraries the
# programs link, the Qt platform plugins they load, and fonts for the Chinese
# interface; and that every alternative names a real package, one of which is
# installed on this machine, where the programs were built and run.
#   check_depends.sh DEB_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
deb=$(deb_in "$1")
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"

declared=$(tr ',|' '\n\n' <<<"$depends" | awk 'NF { print $1 }')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libsqlite3-0 qt6-qpa-plugins fonts-noto-cjk; do
  grep -qx "$package" <<<"$declared" || fail "Depends does not name $package"
done

IFS=, read -ra groups <<<"$depends"
for group in "${groups[@]}"; do
  installed=0
  IFS='|' read -ra alternatives <<<"$group"
  for alternative in "${alternatives[@]}"; do
    read -r name _ <<<"$alternative"
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' && installed=1
  done
  [ "$installed" -eq 1 ] || fail "no package of '$group' is installed here"
done

finish
