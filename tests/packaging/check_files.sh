#!/usr/bin/env bash
# Checks that the unpacked package holds what a desktop installation needs:
# both programs, the launcher, a sample bank with questions, a valid desktop
# entry in Simplified Chinese with an English fallback, the icon it names in
# every size, and AppStream metadata that matches the entry and the package.
#   check_files.sh DEB_DIR UNPACKED_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
deb=$(deb_in "$1")
usr=$2/usr
app_id=org.quenhar.Quenhar

for program in quenhar quenhar-bank; do
  expect_executable "$usr/bin/$program"
  cmp -s -n 4 <(printf '\177ELF') "$usr/bin/$program" || fail "$program is not a compiled program"
done
expect_executable "$usr/bin/quenhar-launcher"

bank=$usr/share/quenhar/velmora.db
expect_file "$bank"
questions=$(sqlite3 -readonly "$bank" 'select count(*) from Subjects' 2>/dev/null)
[ "${questions:-0}" -gt 0 ] || fail "the sample bank holds no questions"

entry=$usr/share/applications/$app_id.desktop
expect_file "$entry"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
entry_value() {
  awk -v key="$1" 'index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$entry"
}
read -r exec_program _ <<<"$(entry_value Exec)"
expect_executable "$usr/bin/$exec_program"
[ "$exec_program" = quenhar-launcher ] || fail "the desktop entry starts $exec_program, not the launcher"
LC_ALL=C grep -q '[^ -~]' <<<"$(entry_value 'Name[zh_CN]')" || fail "the desktop entry has no Chinese name"
LC_ALL=C grep -q '^[ -~]\+$' <<<"$(entry_value Name)" || fail "the desktop entry has no English fallback name"

icon=$(entry_value Icon)
expect_file "$usr/share/icons/hicolor/scalable/apps/$icon.svg"
for size in 16 24 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  expect_file "$png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

metainfo=$usr/share/metainfo/$app_id.metainfo.xml
expect_file "$metainfo"
appstreamcli validate-tree --no-net "$2" || fail "the AppStream metadata does not validate against the entry"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream metadata does not launch $app_id.desktop"
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream metadata lists no release $version"

finish
