#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the release build,
# once more under the sanitizers. Exits non-zero when any fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
# The tape file and settings readers against random input, under the sanitizers.
scripts/fuzz.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/sanitize.sh
