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
  local name=$1 pkg=$2 builder=$3 version prefix src
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

# An interrupted build goes on where it stopped when run again with the same
# key; the build folder records the key it was configured for.
build_qtbase() {
  local prefix=$1 src=$2 work="$CACHE/build/qtbase" p
  for p in "${QTBASE_PATCHES[@]}"; do
    if patch -d "$src" -p1 -N -r - --dry-run <"$p" >/dev/null; then
      patch -d "$src" -p1 -N <"$p"
    else
      patch -d "$src" -p1 -R --dry-run <"$p" >/dev/null # already applied, or a failure here
    fi
  done
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

# Every part; sets QT_PREFIX, SQLITE_PREFIX and GTEST_PREFIX.
build_cache() {
  QT_PREFIX=$(cached_part qt6-base qt6-base build_qtbase "${QTBASE_FLAGS[@]}" "$(cat "${QTBASE_PATCHES[@]}")") || return 1
  SQLITE_PREFIX=$(cached_part sqlite3 sqlite3 build_sqlite "$(declare -f build_sqlite)") || return 1
  GTEST_PREFIX=$(cached_part googletest googletest build_googletest "$(declare -f build_googletest)") || return 1
}
