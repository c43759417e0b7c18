#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tallymar. Until the window is
# built, this replays the sample key script with tallymar-cli; pass another
# script (or - for standard input) to replay that instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh >/dev/null
exec build/src/cli/tallymar-cli "${@:-samples/groceries.keys}"
