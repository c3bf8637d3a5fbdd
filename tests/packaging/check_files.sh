#!/usr/bin/env bash
# Checks that the unpacked package holds what a desktop installation needs:
# the programs (the trainer, the bank tool, the editor), the launcher, a sample bank with questions, a valid desktop
# entry in Simplified Chinese with an English fallback, the icon it names in
# every size, AppStream metadata that matches the entry and the package and
# shows the screenshots of docs/, and a changelog whose latest entry is the
# package's version, released the day the metadata says.
#   check_files.sh DEB_DIR UNPACKED_DIR SCREENSHOTS_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
deb=$(deb_in "$1")
usr=$2/usr
screenshots=$3

for program in quenhar quenhar-bank quenhar-editor; do
  expect_executable "$usr/bin/$program"
  cmp -s -n 4 <(printf '\177ELF') "$usr/bin/$program" || fail "$program is not a compiled program"
done
expect_executable "$usr/bin/quenhar-launcher"

bank=$usr/share/quenhar/velmora.db
expect_file "$bank"
questions=$(sqlite3 -readonly "$bank" 'select count(*) from Subjects' 2>/dev/null)
[ "${questions:-0}" -gt 0 ] || fail "the sample bank holds no questions"

# The trainer's entry starts the launcher, the editor's the editor itself.
declare -A starts=([org.quenhar.quenhar]=quenhar-launcher [org.quenhar.editor]=quenhar-editor)
metainfos=()
for app_id in org.quenhar.quenhar org.quenhar.editor; do
  entry=$usr/share/applications/$app_id.desktop
  expect_file "$entry"
  desktop-file-validate "$entry" || fail "the desktop entry does not validate"
  entry_value() {
    awk -v key="$1" 'index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$entry"
  }
  read -r exec_program _ <<<"$(entry_value Exec)"
  expect_executable "$usr/bin/$exec_program"
  [ "$exec_program" = "${starts[$app_id]}" ] || fail "$app_id.desktop starts $exec_program, not ${starts[$app_id]}"
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
  # Pedantic validation, which also names what it merely suggests; nothing may
  # be named.
  notes=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1 | grep -E '^[EWIP]: ')
  [ -z "$notes" ] || fail "the AppStream metadata draws notes from a pedantic validation:
$notes"
  metainfos+=("$usr/share/metainfo/$app_id.metainfo.xml")
done

# Each screenshot of the two programs is one of docs/, with its size, and
# docs/ has no other.
shown=$(cat "${metainfos[@]}" | grep -o '<image [^>]*>[^<]*</image>' |
  sed -E 's|.*width="([0-9]+)" height="([0-9]+)">.*/([^/<]+)</image>|\3 \1x\2|' | sort)
present=$(for picture in "$screenshots"/*.png; do
  echo "$(basename "$picture") $(identify -format '%wx%h' "$picture")"
done | sort)
[ -n "$shown" ] && [ "$shown" = "$present" ] ||
  fail "the metadata's screenshots ($shown) are not those of docs ($present)"

version=$(dpkg-deb -f "$deb" Version)
for metainfo in "${metainfos[@]}"; do
  grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo lists no release $version"
done

changelog=$usr/share/doc/quenhar/changelog.gz
expect_file "$changelog"
expect_file "$usr/share/doc/quenhar/copyright"
latest=$(zcat "$changelog" | dpkg-parsechangelog -l - -S Version 2>/dev/null)
[ "$latest" = "$version" ] || fail "the changelog's latest entry is '$latest', not the package's version $version"
changed=$(date -u -d "$(zcat "$changelog" | dpkg-parsechangelog -l - -S Date)" +%F 2>/dev/null)
for metainfo in "${metainfos[@]}"; do
  grep -q "<release version=\"$version\" date=\"$changed\"" "$metainfo" ||
    fail "$metainfo does not date release $version $changed, as the changelog does"
done

finish
