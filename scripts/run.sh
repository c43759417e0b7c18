#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tallymar. A tape file may be named:
# scripts/run.sh ~/week.add
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh >/dev/null
exec build/src/shell/tallymar "$@"
