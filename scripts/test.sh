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
