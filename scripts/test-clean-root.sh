#!/usr/bin/env bash
# Proves the Debian package's Depends complete: builds the package, makes a
# clean Debian 12 root with mmdebstrap (essential packages and apt only),
# installs the package there with apt, starts the program offscreen for a
# normal user, builds a bank with the bank tool, and removes the package
# again. Downloads about 170 MB from Debian's mirror and takes a few minutes,
# so it is not part of scripts/test.sh. Skipped, with a message, where
# mmdebstrap cannot run or the mirror cannot be reached.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
deb_dir=build/clean-root
rm -rf "$deb_dir"
cpack -G DEB --config build/CPackConfig.cmake -B "$deb_dir" >/dev/null
start=$SECONDS
bash tests/packaging/clean_root.sh "$deb_dir"/quenhar_*.deb data/sample
echo "Clean-root test: $((SECONDS - start)) s"
