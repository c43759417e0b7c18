#!/usr/bin/env bash
# Runs atspi_probe.py (its options passed on) where a screen reader would meet
# Tallymar: on a virtual display of its own, in a private D-Bus session whose
# accessibility bus (at-spi-bus-launcher, its bus daemon and at-spi2-registryd)
# starts when the probe or the program first asks for it.
#
# Everything started here runs in one process session of its own, and whatever
# is still running in it when the probe is done (or when this script is stopped)
# is ended by its process id before this script exits.
#
# Exit status: the probe's (0 passed, 1 failed, 2 wrong options), or 77 when
# the machine lacks a tool the probe needs (the test is skipped).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Debian's own Python, which has python3-pyatspi (not another python3 in PATH).
python=/usr/bin/python3
# Seconds before the whole run is stopped, whatever the probe's own --timeout.
limit=${TALLYMAR_PROBE_LIMIT:-120}

skip() {
  echo "SKIP: $1"
  exit 77
}

if [ "${TALLYMAR_PROBE_WORK:-}" = "" ]; then
  for tool in Xvfb dbus-run-session xdotool setsid timeout ps; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
  "$python" -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' 2>/dev/null ||
    skip "python3-pyatspi is not installed"

  work=$(mktemp -d "${TMPDIR:-/tmp}/tallymar-atspi-XXXXXX")
  TALLYMAR_PROBE_WORK="$work" setsid --wait "$0" "$@" &
  starter=$!

  # The processes of the run's session that are still running (not the ended ones
  # waiting to be reaped).
  running() {
    ps -o pid=,stat= -s "$1" | awk '$2 !~ /^Z/ { print $1 }'
  }
  # Ends, by process id, every process still running in the run's session.
  end_session() {
    local session pids
    session=$(cat "$work/session" 2>/dev/null) || session=""
    if [ -n "$session" ]; then
      for signal in TERM KILL; do
        pids=$(running "$session")
        [ -z "$pids" ] && break
        [ "$signal" = KILL ] &&
          echo "run_probe.sh: ending what was left running: $(ps -o comm= -p "${pids//$'\n'/,}" | tr '\n' ' ')" >&2
        # shellcheck disable=SC2086 # one process id a word
        kill -s "$signal" $pids 2>/dev/null
        for _ in $(seq 30); do
          [ -z "$(running "$session")" ] && break
          sleep 0.1
        done
      done
    fi
    rm -rf "$work"
  }
  trap 'end_session; exit 143' TERM
  trap 'end_session; exit 130' INT
  trap 'end_session; exit 129' HUP
  wait "$starter"
  status=$?
  end_session
  exit "$status"
fi

# Inside the run's own session.
work=$TALLYMAR_PROBE_WORK
unset TALLYMAR_PROBE_WORK
echo $$ >"$work/session"
mkdir -m 700 "$work/runtime" "$work/tmp"
export TMPDIR="$work/tmp"  # the program's folder too goes when the run ends

# A display number no other server holds, told by the server once it is ready.
# -noreset: by default the server starts over whenever its last client leaves,
# and a client connecting just then (the program, after the bus launcher has
# looked at the display) is refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "FAIL: the virtual display did not start"
  cat "$work/xvfb.log"
  exit 1
fi

DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"  # the accessibility bus's socket goes there
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM

# The bus daemons tell every service they start: only the probe's words are kept.
noise='^dbus-daemon\[[0-9]+\]: |^SpiRegistry daemon is running'
timeout -k 5 "$limit" dbus-run-session -- "$python" -B "$here/atspi_probe.py" "$@" \
  2> >(grep -v -E "$noise" >&2) | grep --line-buffered -v -E "$noise"
status=${PIPESTATUS[0]}
if [ "$status" = 124 ] || [ "$status" = 137 ]; then
  echo "FAIL: the probe did not end within $limit s"
  status=1
fi
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "$status"
