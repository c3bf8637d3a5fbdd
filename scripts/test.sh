#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite, then the
# hardened runs. No display is needed: the tests use Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# bounded run of each fuzz target.
bash scripts/test-hardened.sh

# The Windows build and its tests under Wine, where Qt and the libraries for
# Windows are already in their cache (building them first would take an hour
# of 2 cores; scripts/build-windows.sh does that): about 15 minutes more.
# QUENHAR_WINDOWS=off leaves them out.
cache=${QUENHAR_WINDOWS_CACHE:-/var/cache/quenhar-windows}
if [ "${QUENHAR_WINDOWS:-on}" = off ]; then
  echo "Windows build and tests: left out (QUENHAR_WINDOWS=off)"
elif ! ls "$cache"/qt6-base-*/.done >/dev/null 2>&1; then
  echo "Windows build and tests: left out, no Qt for Windows in $cache (bash scripts/build-windows.sh builds it)"
else
  status=0
  bash scripts/build-windows.sh --cached-only || status=$?
  if [ "$status" -eq 3 ]; then
    echo "Windows build and tests: left out, the cache $cache lacks a part (bash scripts/build-windows.sh builds it)"
  elif [ "$status" -ne 0 ]; then
    exit "$status"
  else
    bash scripts/test-windows.sh
  fi
fi
