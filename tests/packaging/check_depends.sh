#!/usr/bin/env bash
# Checks that the package depends on exactly what its programs need: the
# package of every library a program links, resolved on this machine where
# they were built, and fonts for the Chinese interface; nothing more (the Qt
# platform plugins come with libqt6gui6). Every alternative must name a real
# package, one of which is installed here, where the programs were built and
# run. That the list is complete on a machine that has nothing else is shown
# by scripts/test-clean-root.sh.
#   check_depends.sh DEB_DIR UNPACKED_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
deb=$(deb_in "$1")
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
fonts="fonts-noto-cjk | fonts-arphic-uming"

# The packages of the libraries a program links (its NEEDED entries, not
# what those link in turn), found where the loader finds them. With a merged
# /usr, dpkg may know a library found in /lib under /usr/lib.
packages_linked_by() {
  local libraries soname path
  libraries=$(ldd "$1")
  objdump -p "$1" | awk '$1 == "NEEDED" { print $2 }' | while read -r soname; do
    path=$(awk -v soname="$soname" '$1 == soname && $2 == "=>" { print $3 }' <<<"$libraries")
    dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "/usr$path" 2>/dev/null || echo "unresolved $soname"
  done | cut -d: -f1
}

needed=$(for program in "$2"/usr/bin/*; do
  [ "$(head -c 4 "$program")" = $'\177ELF' ] && packages_linked_by "$program"
done | sort -u)
[ -n "$needed" ] || fail "no linked library was found"
grep '^unresolved' <<<"$needed" && fail "libraries the programs link are not on this machine"

expected=$(printf '%s\n' "$fonts" $needed | sort)
declared=$(tr ',' '\n' <<<"$depends" | sed 's/([^)]*)//g; s/^ *//; s/ *$//; s/  */ /g' | sort)
[ "$declared" = "$expected" ] || fail "Depends differs from what the programs need:
$(diff <(echo "$expected") <(echo "$declared") | grep '^[<>]' | sed 's/^</  missing:/; s/^>/  not needed:/')"

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
