#!/usr/bin/env bash
# Installs the Debian packages Tallymar needs to build, run and test, skipping
# what is already there. Runs as root (or through sudo when it is available).
set -euo pipefail

packages=(
  build-essential cmake g++ libgtest-dev libgmock-dev libbenchmark-dev libsimpleini-dev
  qt6-base-dev qt6-svg-dev                 # the window
  libsdl2-dev                              # playing the sounds
  espeak-ng sox                            # making the voices and machine sounds at build time
  fonts-urw-base35 fonts-liberation        # Courier-metric fonts for the tape
  clang-14 libclang-rt-14-dev              # fuzzing with sanitizers
  xvfb xauth                               # a virtual display for screenshots and timing
  poppler-utils                            # reading printed PDF files back in the tests
)

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
