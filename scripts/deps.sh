#!/usr/bin/env bash
# Installs the Debian packages Tallymar needs to build, run and test, skipping
# what is already there. Runs as root (or through sudo when it is available).
set -euo pipefail

packages=(build-essential cmake g++ libgtest-dev libgmock-dev libbenchmark-dev libsimpleini-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null && as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
