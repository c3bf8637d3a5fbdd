#!/usr/bin/env bash
# Tests the Windows build under Wine (64-bit, no display needed but Xvfb's):
#   bash scripts/test-windows.sh
# 1. every test program built for Windows, run once each under Wine (Qt's
#    offscreen platform; the session-end test uses the windows platform on a
#    virtual display). Tests that cannot apply on Windows skip themselves and
#    say why; the list is in docs/windows.md.
# 2. the installer, run silently: files, Start-menu entry, the sample bank in
#    the user's folder, and a second install that leaves the user's bank as
#    it is;
# 3. the installed trainer and editor started on the sample bank under Xvfb,
#    with screenshots (build-windows/screenshot-wine.png,
#    screenshot-editor-wine.png) and their start-up times, and the installed
#    bank tool's check of that bank;
# 4. the uninstaller, which must leave no program file and the user's bank.
# Builds first (scripts/build-windows.sh) when there is no installer yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
BUILD=${QUENHAR_WINDOWS_BUILD:-$root/build-windows}
export QUENHAR_WINDOWS_BUILD=$BUILD

step() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }

if ! ls "$BUILD"/quenhar-setup-*.exe >/dev/null 2>&1; then
  bash scripts/build-windows.sh
fi
setup=$(ls "$BUILD"/quenhar-setup-*.exe | head -n1)

step "Packages"
# Debian 12 keeps wine64 off the PATH: "wine" runs 64-bit programs too.
packages=(wine wine64 xvfb xauth x11-utils xdotool imagemagick fonts-arphic-uming)
source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"
install_missing --no-install-recommends "${packages[@]}"

source scripts/windows/wine-tests.sh
# The display first: Wine's desktop process, started with the prefix, must
# find it, or no window can be made later.
start_display

step "A fresh Wine prefix"
export WINEPREFIX="$BUILD/wine"
export WINEDEBUG=-all
# No Mono or Gecko download prompts: neither is needed.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
# Windows' Song-style font SimSun (宋体) is not free to ship: Wine stands in
# the AR PL UMing Song-style font under that name, as the Chinese editions of
# Windows have SimSun itself.
# A version 5 registry file is UTF-16, so that the Chinese name reads right.
{
  printf '\xff\xfe'
  sed 's/$/\r/' <<'EOF' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"SimSun"="AR PL UMing CN"
"宋体"="AR PL UMing CN"
"NSimSun"="AR PL UMing CN"
EOF
} >"$BUILD/simsun.reg"
wine regedit /S "$(winepath -w "$BUILD/simsun.reg")" >/dev/null 2>&1
wineserver -w

step "Test programs under Wine"
run_windows_tests "$BUILD"

step "Installer"
test_installer "$setup"

step "The installed trainer on the sample bank"
start_installed quenhar '^Quenhar$' "$BUILD/screenshot-wine.png"
TRAINER_START_MS=$STARTED_MS

step "The installed editor on the same bank, as its Start-menu entry opens it"
start_installed quenhar-editor 'velmora\.db' "$BUILD/screenshot-editor-wine.png" velmora.db
EDITOR_START_MS=$STARTED_MS

step "The installed bank tool checks that bank"
check_with_installed_tool

step "Uninstaller"
test_uninstaller

echo
echo "Windows under Wine: test programs ${WINE_TESTS_PASSED} of ${WINE_TESTS_RUN} tests passed" \
  "(${WINE_TESTS_SKIPPED} skipped); installer, uninstaller, the bank tool and the start of the trainer" \
  "(${TRAINER_START_MS} ms) and the editor (${EDITOR_START_MS} ms) checked, with screenshots"
# QUENHAR_WINE_TESTS_ADVISORY=1 (CI): failing test programs are reported
# above but do not fail the run; the build, installer and start checks still do.
[ "$WINE_TESTS_FAILED" -eq 0 ] || [ -n "${QUENHAR_WINE_TESTS_ADVISORY:-}" ]
