#!/usr/bin/env bash
# Races Tallymar against the floor every Qt program stands on: an empty Qt 6 window
# (a QWidget shown, nothing else), built here from a 3-line main.cpp. Beside them
# runs a window showing one label, built the same way: the floor of any window that
# shows text, which must start the font machinery (fontconfig reads its whole
# configuration) that an empty window never touches. And a main window with what
# every desktop program's main window has: four menu titles over one label, and a
# status line under it.
#
# Each program starts RUNS times (default 11), interleaved, the order turning round
# each time, on one Xvfb display, after one unmeasured start of each. All are
# measured the same way, from outside (scripts/first_paint.c): the time from launch
# to the first drawing in the process's first mapped window; its resident memory
# (VmRSS) SETTLE_MS (default 500) after that, once start-up has gone quiet; and the
# processor time it had used by the paint, which other work on the machine disturbs
# less than the clock. Prints each start, the medians and Tallymar's ratios to the
# empty window (and to the label's and the menu window's).
#
# The state Tallymar starts in: its data beside it (tips, help pages, default
# settings) as in the build tree; every start in fresh XDG_CONFIG_HOME and
# XDG_STATE_HOME folders, so no recovery copy, no recent tapes, no tape to open;
# the settings file the shipped one (a new tape, no sound chosen), with the tip of
# the day turned off. A first start shows the tip: a second window, opened once the
# main window has painted, so it leaves the time alone, but its memory would count
# against a program that has no second window. TIP=1 races the first start as it
# is, tip and all.
#
# usage: scripts/startup_race.sh [BUILD_FOLDER]   (default: build)
# Needs g++, pkg-config and Qt 6's development files, libX11 and libXdamage's
# development files, and xvfb-run (scripts/deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir="$PWD"
build="${1:-build}"
runs="${RUNS:-11}"
settle="${SETTLE_MS:-500}"
program="$build/src/shell/tallymar"
if [ ! -x "$program" ]; then
  if [ "$build" = build ]; then scripts/build.sh >/dev/null; fi
  [ -x "$program" ] || { echo "no Tallymar at $program: build it first" >&2; exit 1; }
fi
program_dir="$(cd "$(dirname "$program")" && pwd)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The floors: an empty window, a window with one label, and a main window with menus,
# built as anyone would.
cat > "$work/empty.cpp" <<'EOF'
#include <QApplication>
#include <QWidget>
int main(int argc, char** argv) { QApplication app(argc, argv); QWidget window; window.show(); return app.exec(); }
EOF
cat > "$work/label.cpp" <<'EOF'
#include <QApplication>
#include <QLabel>
int main(int argc, char** argv) { QApplication app(argc, argv); QLabel window("0.00"); window.show(); return app.exec(); }
EOF
cat > "$work/menus.cpp" <<'EOF'
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* title : {"&File", "&Edit", "&Options", "&Help"}) window.menuBar()->addMenu(title);
  window.setCentralWidget(new QLabel("0.00"));
  window.statusBar()->addWidget(new QLabel("0 items"));
  window.show();
  return app.exec();
}
EOF
for floor in empty label menus; do
  # shellcheck disable=SC2046
  g++ -std=c++17 -O2 -fPIC "$work/$floor.cpp" -o "$work/$floor" $(pkg-config --cflags --libs Qt6Widgets)
done
cc -O2 -Wall "$source_dir/scripts/first_paint.c" -o "$work/first_paint" -lXdamage -lX11

# Tallymar with its data beside it, as the build tree holds it.
mkdir -p "$work/tallymar"
cp "$program" "$work/tallymar/"
for data in TallymarTips.txt help; do
  [ -e "$program_dir/$data" ] && cp -r "$program_dir/$data" "$work/tallymar/"
done
cp "$source_dir/data/Tallymar.ini" "$work/tallymar/"
if [ "${TIP:-0}" = 1 ]; then
  cp "$source_dir/data/Tallymar.ini" "$work/Tallymar.ini"
else
  sed 's/^Show tip at startup=True/Show tip at startup=False/' "$source_dir/data/Tallymar.ini" \
    > "$work/Tallymar.ini"
fi

cat > "$work/race.sh" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
work="$1" runs="$2" settle="$3"
# A start the watcher could not time is tried again, up to three times.
measure() {
  local attempt
  for attempt in 1 2 3; do "$work/first_paint" "$settle" "$@" && return; done
  echo "first_paint: $* failed three times" >&2
  exit 1
}
empty() { measure "$work/empty"; }
label() { measure "$work/label"; }
menus() { measure "$work/menus"; }
tallymar() {
  local home
  home=$(mktemp -d "$work/home.XXXX")
  mkdir -p "$home/config/tallymar"
  cp "$work/Tallymar.ini" "$home/config/tallymar/"
  XDG_CONFIG_HOME="$home/config" XDG_STATE_HOME="$home/state" measure "$work/tallymar/tallymar"
  rm -rf "$home"
}
empty >/dev/null; label >/dev/null; menus >/dev/null; tallymar >/dev/null  # warm the disk cache
order=(empty tallymar label menus)
for i in $(seq "$runs"); do
  for program in "${order[@]}"; do echo "$program $($program)"; done
  order=("${order[@]:1}" "${order[0]}")
done
EOF
chmod +x "$work/race.sh"
# -noreset: the server would otherwise reset, refusing connections for a moment,
# each time its last client leaves, as it does between two starts.
xvfb-run -a -s "-noreset -screen 0 1280x1024x24" "$work/race.sh" "$work" "$runs" "$settle" \
  2>"$work/errors" > "$work/results" || true
if awk 'NF != 5 { bad = 1 } END { exit !bad }' "$work/results" || [ ! -s "$work/results" ]; then
  grep -v XDG_RUNTIME_DIR "$work/errors" >&2 || true
  echo "some starts could not be measured" >&2
  exit 1
fi

echo "program    paint ms  map ms  RSS MB  CPU ms"
awk '{ printf "%-9s %9.1f %7.1f %7.1f %7.1f\n", $1, $2, $3, $4 / 1024, $5 }' "$work/results"
median() {  # program, column
  awk -v p="$1" -v c="$2" '$1 == p { print $c }' "$work/results" | sort -g |
    awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}
echo
echo "medians of $runs starts:"
for program in empty label menus tallymar; do
  echo "$program $(median "$program" 2) $(median "$program" 4) $(median "$program" 5)"
done | awk '
  { name[NR] = $1; t[NR] = $2; m[NR] = $3 / 1024; c[NR] = $4 }
  END {
    title["empty"] = "empty Qt window"; title["label"] = "one-label window"
    title["menus"] = "menu window"; title["tallymar"] = "Tallymar"
    for (i = 1; i <= NR; ++i)
      printf "  %-16s %6.1f ms  %5.1f MB  CPU %5.1f ms\n", title[name[i]], t[i], m[i], c[i]
    printf "Tallymar / empty window: time %.2fx, memory %.2fx (CPU %.2fx)\n", t[4] / t[1], m[4] / m[1], c[4] / c[1]
    printf "Tallymar / one-label window: time %.2fx, memory %.2fx (CPU %.2fx)\n", t[4] / t[2], m[4] / m[2], c[4] / c[2]
    printf "Tallymar / menu window: time %.2fx, memory %.2fx (CPU %.2fx)\n", t[4] / t[3], m[4] / m[3], c[4] / c[3]
    printf "menu window / empty window: time %.2fx, memory %.2fx (CPU %.2fx)\n", t[3] / t[1], m[3] / m[1], c[3] / c[1]
  }'
