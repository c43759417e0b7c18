#!/usr/bin/env bash
# Start-up to the first painted window under Xvfb, from launching the process:
# runs Tallymar RUNS times (default 9) on one virtual display, prints each time
# and the median.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-9}"
program="$PWD/build/src/shell/tallymar"
[ -x "$program" ] || scripts/build.sh >/dev/null
folder=$(mktemp -d)  # a program folder of its own, without settings
cp "$program" "$folder/"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  for i in $(seq '"$runs"'); do
    start=$(date +%s%N)
    painted=$(TALLYMAR_TIME_STARTUP=1 XDG_CONFIG_HOME="'"$folder"'/config" XDG_STATE_HOME="'"$folder"'/state" "'"$folder"'/tallymar" 2>/dev/null | sed -n "s/.* at \([0-9]*\) ns/\1/p")
    echo "$(( (painted - start) / 100000 ))" | sed "s/\(.\)$/.\1/"
  done' | sort -n > "$folder/times"
awk '{ printf "%s ms\n", $1 }' "$folder/times"
awk '{ a[NR] = $1 } END { printf "median %s ms of %d runs\n", a[int((NR + 1) / 2)], NR }' "$folder/times"
rm -rf "$folder"
