# Builds Qt and the libraries for Windows once, into a cache folder outside the work tree.
# Sourced by build-windows.sh after debian-source.sh. Every part lives in a folder named by a
# key: the Debian source versions, the configure flags, the patches and the compiler, so that
# a change of any of them builds that part anew and an unchanged one is reused as it is.

WIN_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TOOLCHAIN="$WIN_DIR/toolchain-mingw64.cmake"
JOBS=${JOBS:-2}

# Short hash of everything given (strings and file contents), with the
# compiler and the toolchain file.
cache_key() {
  { printf '%s\n' "$@"; x86_64-w64-mingw32-g++-posix --version | head -n1; cat "$TOOLCHAIN"; } |
    sha256sum | cut -c1-12
}

# Makes sure one part is in the cache and prints its folder:
#   cached_part <name> <source package> <builder> [key items...]
# The folder is named by the part, the source version and the key. The newest
# source version the archive lists is taken, or the next older one when the
# archive does not serve its files; a part already built is reused without
# fetching anything. With CACHED_ONLY set, only a part already built is
# taken, and none is built.
cached_part() {
  local name=$1 pkg=$2 builder=$3 version prefix src started
  shift 3
  for version in $(source_versions "$pkg"); do
    prefix="$CACHE/$name-${version//:/_}-$(cache_key "$version" "$@")"
    if [ -f "$prefix/.done" ]; then
      echo "$prefix"
      return 0
    fi
    [ -z "${CACHED_ONLY:-}" ] || continue
    if ! src=$(fetch_source "$pkg" "$version" "$CACHE/src"); then
      echo "Source $pkg $version is not served by the archive; trying an older one" >&2
      continue
    fi
    echo "Building $name from $pkg $version into $prefix (log: $CACHE/logs/$name.log)" >&2
    started=$SECONDS
    mkdir -p "$CACHE/logs"
    rm -rf "$prefix"
    # In a shell of its own, so that errexit holds inside the builder (in a
    # function called from a test, bash would run on past a failure).
    if ! CACHE=$CACHE JOBS=$JOBS bash -e -c 'source "$1"; source "$2"; "$3" "$4" "$5"' _ \
      "$WIN_DIR/debian-source.sh" "$WIN_DIR/cache.sh" "$builder" "$prefix" "$src" >"$CACHE/logs/$name.log" 2>&1; then
      echo "Building $name failed; the end of $CACHE/logs/$name.log:" >&2
      tail -n 30 "$CACHE/logs/$name.log" >&2
      return 1
    fi
    touch "$prefix/.done"
    echo "Built $name in $((SECONDS - started)) s ($(du -sh "$prefix" | cut -f1))" >&2
    echo "$prefix"
    return 0
  done
  if [ -n "${CACHED_ONLY:-}" ]; then
    echo "$name is not in the cache $CACHE" >&2
  else
    echo "No source of $pkg can be fetched from the Debian archive" >&2
  fi
  return 1
}

# Qt Base: shared, minimal; Core, Gui, Widgets, Test; windows and offscreen platforms; the
# third-party libraries it needs bundled, so the installer carries no further DLL for them.
QTBASE_FLAGS=(
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_fontconfig=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
  # Debian's source has no src/3rdparty/wintab.
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF
)
QTBASE_PATCHES=("$WIN_DIR/qt6-base-directwrite-without-direct2d.patch" "$WIN_DIR/qt6-base-dynamicgl-without-opengl.patch")

# Applies patches to an unpacked source: apply_patches <source> <patch...>. The unpacked source
# is kept between builds, so a patch already applied is left as it is; one that applies
# neither way fails.
apply_patches() {
  local src=$1 p
  shift
  for p in "$@"; do
    if patch -d "$src" -p1 -N -r - --dry-run <"$p" >/dev/null; then
      patch -d "$src" -p1 -N <"$p"
    else
      patch -d "$src" -p1 -R --dry-run <"$p" >/dev/null
    fi
  done
}

# An interrupted build goes on where it stopped when run again with the same
# key; the build folder records the key it was configured for.
build_qtbase() {
  local prefix=$1 src=$2 work="$CACHE/build/qtbase"
  apply_patches "$src" "${QTBASE_PATCHES[@]}"
  [ "$(cat "$work/.key" 2>/dev/null)" = "$(basename "$prefix")" ] || rm -rf "$work"
  mkdir -p "$work"
  basename "$prefix" >"$work/.key"
  cmake -S "$src" -B "$work" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_INSTALL_PREFIX="$prefix" "${QTBASE_FLAGS[@]}"
  cmake --build "$work" -j"$JOBS"
  cmake --install "$work"
  rm -rf "$work"
}

# SQLite as a DLL from the amalgamation made from Debian's sqlite3 source, compiled with the
# options Debian compiles it with, plus a sqlite3.pc so that the project finds it as on Linux.
build_sqlite() {
  local prefix=$1 src=$2 work="$CACHE/build/sqlite3" version flags
  version=$(cat "$src/VERSION")
  mapfile -t flags < <(grep -o -- '-DSQLITE_[A-Z0-9_]*\(=[0-9]*\)\?' "$src/debian/rules" | sort -u)
  rm -rf "$work" && mkdir -p "$work" "$prefix"/{bin,lib/pkgconfig,include}
  (cd "$work" && "$src/configure" --disable-tcl >/dev/null && make -s sqlite3.c)
  x86_64-w64-mingw32-gcc-posix -O2 -fno-strict-aliasing "${flags[@]}" -shared \
    -o "$prefix/bin/sqlite3.dll" "$work/sqlite3.c" -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a"
  cp "$work/sqlite3.h" "$work/sqlite3ext.h" "$prefix/include/"
  cat >"$prefix/lib/pkgconfig/sqlite3.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine (built for Windows from Debian's source)
Version: $version
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
PC
  rm -rf "$work"
}

# GoogleTest (with GoogleMock) as static libraries, from the sources Debian's googletest ships.
build_googletest() {
  local prefix=$1 src=$2 work="$CACHE/build/googletest"
  rm -rf "$work"
  cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF
  cmake --build "$work" -j"$JOBS"
  cmake --install "$work"
  rm -rf "$work"
}

# Qt's own texts in Chinese (file dialogs, message box buttons, the context menu of a text
# box), for the installer to ship: made by Debian's lrelease of the same Qt release from
# Debian's qt6-translations source into <part>/translations/.
QT_TRANSLATIONS=(qtbase_zh_CN)
LRELEASE=/usr/lib/qt6/bin/lrelease
build_qt_translations() {
  local prefix=$1 src=$2 name
  mkdir -p "$prefix/translations"
  for name in "${QT_TRANSLATIONS[@]}"; do
    "$LRELEASE" "$src/translations/$name.ts" -qm "$prefix/translations/$name.qm"
  done
}

# The same files when the archive does not serve that source: Debian's qt6-translations-l10n
# package (installed for the Linux build) holds them as Debian compiled them from it with
# the same lrelease. Taken only when the package is of the version the archive lists for the
# source; prints the part's folder as cached_part does.
packaged_qt_translations() {
  local version prefix name
  version=$(source_versions qt6-translations | head -n1)
  if [ -z "$version" ] || [ "$(dpkg-query -W -f='${Version}' qt6-translations-l10n 2>/dev/null)" != "$version" ]; then
    echo "Debian's qt6-translations-l10n is not installed in the version of the source (${version:-none listed})" >&2
    return 1
  fi
  prefix="$CACHE/qt6-translations-l10n-${version//:/_}-$(cache_key "$version" "$(declare -f packaged_qt_translations)" "${QT_TRANSLATIONS[@]}")"
  if [ ! -f "$prefix/.done" ]; then
    [ -z "${CACHED_ONLY:-}" ] || { echo "qt6-translations-l10n is not in the cache $CACHE" >&2; return 1; }
    echo "Taking Qt's translations from Debian's qt6-translations-l10n $version into $prefix" >&2
    rm -rf "$prefix" && mkdir -p "$prefix/translations"
    for name in "${QT_TRANSLATIONS[@]}"; do
      cp "/usr/share/qt6/translations/$name.qm" "$prefix/translations/"
    done
    touch "$prefix/.done"
  fi
  echo "$prefix"
}

# The bank tool's libraries are static: linked into quenhar-bank.exe, they add no DLL to the
# installer and cannot meet another copy of themselves (Qt carries its own zlib, for one). So
# that the project finds them through pkg-config as on Linux, each installs a .pc file whose
# Libs name everything a static link needs (pkg_check_modules reads Libs, not Libs.private),
# and zlib is named with Requires so that its folder in the cache comes along.

# Writes <prefix>/lib/pkgconfig/<file>.pc: write_static_pc <prefix> <file> <name> <version>
# <libs> [cflags] [requires].
write_static_pc() {
  mkdir -p "$1/lib/pkgconfig"
  cat >"$1/lib/pkgconfig/$2.pc" <<PC
prefix=$1
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $3
Description: $3, built for Windows as a static library from Debian's source
Version: $4
Requires: ${7:-}
Libs: -L\${libdir} $5
Cflags: -I\${includedir} ${6:-}
PC
}

# zlib with its own configure, static.
build_zlib() {
  local prefix=$1 src=$2 work="$CACHE/build/zlib"
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && CHOST=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix CFLAGS=-O2 \
    "$src/configure" --static --prefix="$prefix")
  make -C "$work" -j"$JOBS" libz.a
  make -C "$work" install
  rm -rf "$work" "${prefix:?}/share"
}

# libzip for plain deflate zips: no bzip2, LZMA, zstd or encryption libraries. (Its zipconf.h
# says ZIP_STATIC, so that zip.h does not declare the functions as imported from a DLL.)
build_libzip() {
  local prefix=$1 src=$2 work="$CACHE/build/libzip"
  rm -rf "$work"
  cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DQUENHAR_WINDOWS_PREFIXES="$ZLIB_PREFIX" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_COMMONCRYPTO=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  cmake --build "$work" -j"$JOBS"
  cmake --install "$work"
  # Its random numbers (temporary names) come from advapi32.
  write_static_pc "$prefix" libzip libzip "$(sed -n 's/^Version: //p' "$prefix/lib/pkgconfig/libzip.pc")" \
    "-lzip -ladvapi32" "" zlib
  rm -rf "$work" "${prefix:?}/bin" "${prefix:?}/share"
}

# libxlsxwriter with the minizip it carries (Debian links the system's; the bundled copy
# keeps minizip's names inside this one library) and its own temporary files (tmpfileplus,
# in the user's temporary folder: the C library's tmpfile() writes to C:\ on Windows). It
# takes file names in UTF-8 as on any Windows build, not in the system's code page.
XLSXWRITER_PATCHES=("$WIN_DIR/libxlsxwriter-utf8-names-on-mingw.patch")
build_libxlsxwriter() {
  local prefix=$1 src=$2 work="$CACHE/build/libxlsxwriter"
  apply_patches "$src" "${XLSXWRITER_PATCHES[@]}"
  rm -rf "$work"
  cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DQUENHAR_WINDOWS_PREFIXES="$ZLIB_PREFIX" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF -DUSE_STANDARD_TMPFILE=OFF \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
  cmake --build "$work" -j"$JOBS"
  cmake --install "$work"
  # (Its own .pc says the library's ABI number where the version belongs.)
  write_static_pc "$prefix" xlsxwriter libxlsxwriter \
    "$(sed -n 's/^#define LXW_VERSION "\(.*\)"/\1/p' "$src/include/xlsxwriter.h")" -lxlsxwriter "" zlib
  rm -rf "$work"
}

# libcsv is one C file and its header; the project finds it with find_path and find_library.
build_libcsv() {
  local prefix=$1 src=$2 work="$CACHE/build/libcsv"
  rm -rf "$work" && mkdir -p "$work" "$prefix/lib" "$prefix/include"
  x86_64-w64-mingw32-gcc-posix -O2 -c "$src/libcsv.c" -o "$work/libcsv.o"
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libcsv.a" "$work/libcsv.o"
  cp "$src/csv.h" "$prefix/include/"
  rm -rf "$work"
}

# freexl needs iconv, which Debian does not build for mingw-w64: win32-iconv/ gives the part
# of it freexl uses over Windows' own code pages, built here as libiconv.a beside freexl. It
# takes a workbook's name in UTF-8, as libzip and libxlsxwriter do.
FREEXL_PATCHES=("$WIN_DIR/freexl-utf8-names-on-windows.patch")
build_freexl() {
  local prefix=$1 src=$2 work="$CACHE/build/freexl"
  apply_patches "$src" "${FREEXL_PATCHES[@]}"
  rm -rf "$work" && mkdir -p "$work/freexl" "$prefix/lib" "$prefix/include"
  x86_64-w64-mingw32-gcc-posix -O2 -Wall -c "$WIN_DIR/win32-iconv/iconv.c" -o "$work/iconv.o"
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libiconv.a" "$work/iconv.o"
  cp "$WIN_DIR/win32-iconv/iconv.h" "$WIN_DIR/win32-iconv/localcharset.h" "$prefix/include/"
  (cd "$work/freexl" && "$src/configure" --host=x86_64-w64-mingw32 --prefix="$prefix" \
    --disable-shared --enable-static CC=x86_64-w64-mingw32-gcc-posix CFLAGS=-O2 \
    CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib")
  make -C "$work/freexl" -j"$JOBS"
  make -C "$work/freexl" install
  write_static_pc "$prefix" freexl freexl "$(sed -n 's/^Version: //p' "$prefix/lib/pkgconfig/freexl.pc")" \
    "-lfreexl -liconv -lm"
  rm -rf "$work" "$prefix/lib/libfreexl.la"
}

# Qt SVG, shared like Qt Base, built against the cached Qt Base with Qt's host tools from
# Debian's Qt of the same version, into a folder of its own.
build_qtsvg() {
  local prefix=$1 src=$2 work="$CACHE/build/qtsvg"
  rm -rf "$work"
  cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DQUENHAR_WINDOWS_PREFIXES="$QT_PREFIX" -DCMAKE_PREFIX_PATH="$QT_PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  cmake --build "$work" -j"$JOBS"
  cmake --install "$work"
  rm -rf "$work"
}

# Every part the programs need; sets QT_PREFIX, QT_TRANSLATIONS_PREFIX, SQLITE_PREFIX and
# GTEST_PREFIX.
build_cache() {
  QT_PREFIX=$(cached_part qt6-base qt6-base build_qtbase "${QTBASE_FLAGS[@]}" "$(cat "${QTBASE_PATCHES[@]}")") || return 1
  QT_TRANSLATIONS_PREFIX=$(cached_part qt6-translations qt6-translations build_qt_translations \
    "$(declare -f build_qt_translations)" "${QT_TRANSLATIONS[@]}" "$("$LRELEASE" -version)" ||
    packaged_qt_translations) || return 1
  SQLITE_PREFIX=$(cached_part sqlite3 sqlite3 build_sqlite "$(declare -f build_sqlite)") || return 1
  GTEST_PREFIX=$(cached_part googletest googletest build_googletest "$(declare -f build_googletest)") || return 1
}

# The bank tool's parts; sets ZLIB_PREFIX, LIBZIP_PREFIX, XLSXWRITER_PREFIX, CSV_PREFIX,
# FREEXL_PREFIX and QTSVG_PREFIX, and TOOL_PREFIXES to those that are there. Each part's key
# holds its builder and the folders of the parts it is built against. Returns 1 when one is
# missing, after trying all of them. Needs QT_PREFIX (build_cache).
build_tool_cache() {
  local missing=0
  export QT_PREFIX
  ZLIB_PREFIX=$(cached_part zlib zlib build_zlib "$(declare -f build_zlib)") || missing=1
  export ZLIB_PREFIX
  if [ -n "$ZLIB_PREFIX" ]; then
    LIBZIP_PREFIX=$(cached_part libzip libzip build_libzip "$(declare -f build_libzip write_static_pc)" "$ZLIB_PREFIX") || missing=1
    XLSXWRITER_PREFIX=$(cached_part libxlsxwriter libxlsxwriter build_libxlsxwriter \
      "$(declare -f build_libxlsxwriter write_static_pc apply_patches)" "$(cat "${XLSXWRITER_PATCHES[@]}")" \
      "$ZLIB_PREFIX") || missing=1
  fi
  CSV_PREFIX=$(cached_part libcsv libcsv build_libcsv "$(declare -f build_libcsv)") || missing=1
  FREEXL_PREFIX=$(cached_part freexl freexl build_freexl "$(declare -f build_freexl write_static_pc apply_patches)" \
    "$(cat "${FREEXL_PATCHES[@]}" "$WIN_DIR"/win32-iconv/*)") || missing=1
  # Qt SVG is optional: without it the tool and the editor take pictures in
  # every format but SVG, and say so for an SVG picture. (Debian's archive
  # may list a source whose files it does not serve.)
  QTSVG_PREFIX=$(cached_part qt6-svg qt6-svg build_qtsvg "$(declare -f build_qtsvg)" "$QT_PREFIX") ||
    echo "Qt SVG cannot be built: the bank tool and the editor are built without SVG pictures" >&2
  TOOL_PREFIXES=()
  local p
  for p in "${ZLIB_PREFIX:-}" "${LIBZIP_PREFIX:-}" "${XLSXWRITER_PREFIX:-}" "${CSV_PREFIX:-}" "${FREEXL_PREFIX:-}" "${QTSVG_PREFIX:-}"; do
    [ -z "$p" ] || TOOL_PREFIXES+=("$p")
  done
  return "$missing"
}
