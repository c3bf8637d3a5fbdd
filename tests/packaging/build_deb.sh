#!/usr/bin/env bash
# Builds the .deb with CPack from the build tree and unpacks it.
#   build_deb.sh CPACK BUILD_DIR DEB_DIR UNPACKED_DIR
set -euo pipefail
cpack=$1 build_dir=$2 deb_dir=$3 unpacked=$4

rm -rf "$deb_dir" "$unpacked"
"$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$deb_dir"
debs=("$deb_dir"/*.deb)
[ "${#debs[@]}" -eq 1 ] || { echo "expected one .deb, found: ${debs[*]}" >&2; exit 1; }
dpkg-deb -x "${debs[0]}" "$unpacked"
echo "unpacked ${debs[0]} into $unpacked"
