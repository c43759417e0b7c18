#!/usr/bin/env bash
# Installs the Debian packages Tallymar needs to build, run and test, skipping
# what is already there. Runs as root (or through sudo when it is available).
set -euo pipefail

packages=(
  build-essential cmake g++ libgtest-dev libgmock-dev libbenchmark-dev libsimpleini-dev
  qt6-base-dev qt6-svg-dev                 # the window
  libfontconfig-dev                        # fontconfig's set-up begun early at start-up
  libsdl2-dev                              # playing the sounds
  flite sox                                # making the voices and machine sounds at build time
  pocketsphinx pocketsphinx-en-us python3-pocketsphinx python3-numpy
                                           # hearing the voices and measuring the sounds in the tests
  fonts-urw-base35 fonts-liberation        # Courier-metric fonts for the tape
  clang-14 libclang-rt-14-dev              # fuzzing with sanitizers
  xvfb xauth                               # a virtual display for screenshots and timing
  libx11-dev libxdamage-dev                # timing the first paint from outside (startup_race.sh)
  poppler-utils                            # reading printed PDF files back in the tests
  librsvg2-bin                             # the icon's PNG sizes, rendered from its SVG
  python3 desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base
                                           # checking the desktop files, help and man pages
  locales                                  # a German locale for the printing tests
  dpkg-dev file lintian                    # the Debian package (cpack -G DEB), its dependencies
                                           # and Debian's checks of it
  at-spi2-core dbus python3-pyatspi gir1.2-atspi-2.0 xdotool
                                           # reading the window as a screen reader does
  x11-utils                                # xprop: the window's class, which docks group by
)

as_root=()
[ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null && as_root=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The tests print under de_DE.UTF-8 too: amounts and dates in the user's own locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the de_DE.UTF-8 locale"
  echo "de_DE.UTF-8 UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
