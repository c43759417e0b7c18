#!/usr/bin/env bash
# Makes the README's pictures, each of Tallymar under Xvfb with a short column keyed in:
#   docs/screenshot.png       the window
#   docs/preview.png          its print preview
#   docs/colors.png           the colour dialog with the Halloween theme picked
#   docs/converter.png        the converter with 100 celsius converted to fahrenheit
#   docs/find.png             Edit > Find... over the tape, "7.25" typed
#   docs/screenshot-2x.png    the window at twice the size (QT_SCALE_FACTOR=2)
#   docs/screenshot-dark.png  the window and the Sound dialog in a dark desktop palette
#                             (GTK's Adwaita dark, through Qt's GTK platform theme)
# TALLYMAR_BUILD names the build folder (default: build). Needs xdotool and ImageMagick
# (installed here when missing). Look at every picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TALLYMAR_BUILD:-build}

# One part, inside its own virtual display: screenshot.sh --inside PART FOLDER
if [ "${1:-}" = --inside ]; then
  part=$2 folder=$3
  start() {
    env "$@" TALLYMAR_SETTINGS="$folder/Tallymar.ini" XDG_STATE_HOME="$folder/state" \
      "$folder/tallymar" 2>/dev/null &
    app=$!
    window=$(xdotool search --sync --onlyvisible --name " - Tallymar$" | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    for keys in "Groceries" Return "12.49+" "3.99+" "7.25+" Return "Refund" Return "5-" "2*" \
                "3.5" Return; do
      case "$keys" in Return) xdotool key Return ;; *) xdotool type --delay 40 "$keys" ;; esac
    done
    sleep 0.5
  }
  # The place and size of a window, in the screen's pixels.
  place() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/\1=/p'; }
  shoot() {  # window id, picture
    eval "$(place "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  }
  shoot_both() {  # two window ids, picture: the smallest rectangle holding both
    eval "$(place "$1")"; local x1=$X y1=$Y r1=$((X + WIDTH)) b1=$((Y + HEIGHT))
    eval "$(place "$2")"
    local left=$((X < x1 ? X : x1)) top=$((Y < y1 ? Y : y1))
    local right=$((X + WIDTH > r1 ? X + WIDTH : r1)) bottom=$((Y + HEIGHT > b1 ? Y + HEIGHT : b1))
    import -window root -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$3"
  }
  opened() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
  case "$part" in
    plain)
      start QT_SCALE_FACTOR=1
      shoot "$window" docs/screenshot.png
      xdotool key ctrl+f; find=$(opened "Find"); sleep 0.3
      xdotool type --delay 60 "7.25"; sleep 0.3
      shoot_both "$window" "$find" docs/find.png
      xdotool key Return; sleep 0.5  # found: the dialog closes, the cursor on that line
      xdotool key alt+f; sleep 0.3; xdotool key v; sleep 1.5
      import -window root -resize 75% docs/preview.png
      xdotool key alt+c; sleep 0.5
      xdotool key alt+o; sleep 0.3; xdotool key c
      colors=$(opened "Tallymar Colors"); sleep 0.5
      xdotool type --delay 60 "Hal"; sleep 0.5
      shoot "$colors" docs/colors.png
      xdotool key Escape; sleep 0.5
      xdotool key alt+o; sleep 0.3; xdotool key n
      converter=$(opened "Converter"); sleep 0.5
      xdotool type --delay 60 "cel"; xdotool key Tab; xdotool type --delay 60 "fah"
      xdotool key Tab; xdotool type --delay 40 "100"; xdotool key Return; sleep 0.5
      shoot "$converter" docs/converter.png
      ;;
    large)
      start QT_SCALE_FACTOR=2
      shoot "$window" docs/screenshot-2x.png
      ;;
    dark)
      start QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
      # The window, then the Sound dialog (which opens over the tape) beside it, on the
      # palette's own window colour.
      shoot "$window" "$folder/main.png"
      xdotool key alt+o; sleep 0.3; xdotool key s
      sound=$(opened "Sound"); sleep 0.5
      shoot "$sound" "$folder/sound.png"
      convert "$folder/main.png" \( -size 12x1 xc:"#303030" \) "$folder/sound.png" \
        -background "#303030" -gravity north +append docs/screenshot-dark.png
      xdotool key Escape
      ;;
  esac
  kill "$app"
  exit 0
fi

for tool in xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${tool##*:}" >/dev/null
done
[ -x "$build/src/shell/tallymar" ] || scripts/build.sh >/dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$build/src/shell/tallymar" "$folder/"
for part in plain:900x640 large:1800x1280 dark:900x640; do
  cat > "$folder/Tallymar.ini" <<'INI'
[OPTIONS]
Decimals=2
Print color=True
[FORM]
Width=3600
Height=6600
Left=600
Top=300
INI
  rm -rf "$folder/state"
  xvfb-run -a -s "-screen 0 ${part#*:}x24" "$0" --inside "${part%%:*}" "$folder"
done
echo docs/screenshot.png docs/find.png docs/preview.png docs/colors.png docs/converter.png \
  docs/screenshot-2x.png docs/screenshot-dark.png
