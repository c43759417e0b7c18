#!/usr/bin/env bash
# Makes docs/screenshot.png (Tallymar under Xvfb with a short column keyed in) and
# docs/preview.png (its print preview).
# Needs xdotool and ImageMagick (installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${tool##*:}" >/dev/null
done
[ -x build/src/shell/tallymar ] || scripts/build.sh >/dev/null
folder=$(mktemp -d)
cp build/src/shell/tallymar "$folder/"
cat > "$folder/Tallymar.ini" <<'INI'
[OPTIONS]
ColorTheme=0
ColorThemes=0
ColorTheme 0ID=100
ColorTheme 0Name=Default
ColorTheme 0PosClr=0
ColorTheme 0NegClr=255
ColorTheme 0TxtClr=16711680
ColorTheme 0TapClr=16777215
ColorTheme 0BakClr=4227072
Decimals=2
Print color=True
[FORM]
Width=3600
Height=6600
Left=600
Top=300
INI
xvfb-run -a -s "-screen 0 900x640x24" bash -c '
  TALLYMAR_SETTINGS="'"$folder"'/Tallymar.ini" XDG_STATE_HOME="'"$folder"'/state" "'"$folder"'/tallymar" & app=$!
  sleep 1.5
  window=$(xdotool search --name " - Tallymar$" | head -1)
  xdotool windowfocus --sync "$window"
  for keys in "Groceries" Return "12.49+" "3.99+" "7.25+" Return "Refund" Return "5-" "2*" "3.5" Return; do
    case "$keys" in Return) xdotool key Return ;; *) xdotool type --delay 40 "$keys" ;; esac
  done
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "'"$PWD"'/docs/screenshot.png"
  xdotool key alt+f; sleep 0.3; xdotool key v; sleep 1.5
  import -window root -resize 75% "'"$PWD"'/docs/preview.png"
  kill $app'
rm -rf "$folder"
echo "docs/screenshot.png docs/preview.png"
