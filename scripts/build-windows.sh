#!/usr/bin/env bash
# Builds the programs for 64-bit Windows and their installer, from Debian's own
# packages and sources only:
#   bash scripts/build-windows.sh        -> build-windows/quenhar-setup-<version>.exe
# mingw-w64 compiles; Qt, SQLite, GoogleTest and the bank tool's libraries are
# built from Debian's source packages once into a cache outside the work tree
# (QUENHAR_WINDOWS_CACHE, /var/cache/quenhar-windows by default), keyed by the
# source versions, the flags and the patches, so that a second run reuses them.
# The sample bank is built by the Linux build of the bank tool (build/). NSIS
# makes the installer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

CACHE=${QUENHAR_WINDOWS_CACHE:-/var/cache/quenhar-windows}
BUILD=${QUENHAR_WINDOWS_BUILD:-$root/build-windows}
JOBS=${JOBS:-$(nproc)}
# The test suite for Windows too (scripts/test-windows.sh runs it).
TESTS=${QUENHAR_WINDOWS_TESTS:-ON}
# --cached-only: build nothing into the cache; exit 3 when a part is missing
# there (CI builds for Windows only where the cache is already present).
CACHED_ONLY=
[ "${1:-}" != --cached-only ] || CACHED_ONLY=1
export CACHE JOBS CACHED_ONLY

step() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }

step "Packages"
# The Linux build (for the sample bank) and the cross-build's own tools.
bash scripts/install-deps.sh
windows_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  dpkg-dev tcl patch ninja-build nsis librsvg2-bin imagemagick
)
source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"
install_missing --no-install-recommends "${windows_packages[@]}"

step "Qt, its Chinese texts, SQLite and GoogleTest for Windows (cache: $CACHE)"
mkdir -p "$CACHE"
source scripts/windows/debian-source.sh
source scripts/windows/cache.sh
prepare_private_apt "$CACHE/apt"
if ! build_cache; then
  [ -z "$CACHED_ONLY" ] || exit 3
  exit 1
fi
echo "Qt: $QT_PREFIX"
echo "Qt's translations: $QT_TRANSLATIONS_PREFIX"
echo "SQLite: $SQLITE_PREFIX"
echo "GoogleTest: $GTEST_PREFIX"

step "The bank tool's and the editor's libraries for Windows"
if ! build_tool_cache; then
  [ -z "$CACHED_ONLY" ] || exit 3
  exit 1
fi
echo "zlib, libzip, libxlsxwriter, libcsv, freexl${QTSVG_PREFIX:+, Qt SVG}:"
printf '  %s\n' "${TOOL_PREFIXES[@]}"
windows_prefixes=("$QT_PREFIX" "$SQLITE_PREFIX" "$GTEST_PREFIX" "${TOOL_PREFIXES[@]}")
# pkg-config finds the Windows SQLite and the tool's libraries only.
pkg_config_dirs=()
for prefix in "${windows_prefixes[@]}"; do
  [ ! -d "$prefix/lib/pkgconfig" ] || pkg_config_dirs+=("$prefix/lib/pkgconfig")
done
PKG_CONFIG_LIBDIR=$(IFS=:; echo "${pkg_config_dirs[*]}")
export PKG_CONFIG_LIBDIR PKG_CONFIG_SYSROOT_DIR=

step "The sample bank (Linux build of the bank tool)"
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$JOBS" --target sample_bank

step "The programs for Windows"
# A build folder configured against other cache folders (a part built anew
# under a new key) would keep pkg-config's and find_library's answers, which
# name the old folders: it is configured afresh.
windows_prefix_list=$(IFS=';'; echo "${windows_prefixes[*]}")
if [ -f "$BUILD/CMakeCache.txt" ] &&
  [ "$(sed -n 's/^QUENHAR_WINDOWS_PREFIXES:[A-Z]*=//p' "$BUILD/CMakeCache.txt")" != "$windows_prefix_list" ]; then
  rm "$BUILD/CMakeCache.txt"
fi
# Qt's host tools (moc, rcc, lrelease) are the Linux ones of the same version;
# Qt SVG is a Qt module in a folder of its own, which Qt is told of.
cmake -S . -B "$BUILD" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/toolchain-mingw64.cmake" \
  -DQUENHAR_WINDOWS_PREFIXES="$windows_prefix_list" \
  -DCMAKE_PREFIX_PATH="$QT_PREFIX;$GTEST_PREFIX" -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="${QTSVG_PREFIX:-}" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DQUENHAR_BUILD_BANK_TOOL=ON -DQUENHAR_BUILD_TESTS="$TESTS"
cmake --build "$BUILD" -j"$JOBS"

step "The installer"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
bash scripts/windows/stage.sh "$BUILD" "$BUILD/installer/stage" "$QT_PREFIX" "$SQLITE_PREFIX" build/data/velmora.db \
  "$QT_TRANSLATIONS_PREFIX/translations" ${QTSVG_PREFIX:+"$QTSVG_PREFIX/bin"}
cp "$BUILD/packaging/icons/org.quenhar.quenhar.ico" "$BUILD/installer/quenhar.ico"
nsis_defines=(-DVERSION="$version" -DSTAGE="$BUILD/installer/stage" -DOUTFILE="$BUILD/quenhar-setup-$version.exe")
makensis -V2 "${nsis_defines[@]}" packaging/windows/quenhar.nsi
ls -l "$BUILD/quenhar-setup-$version.exe"
