#!/usr/bin/env bash
# "Minimize all" (the Ctrl+Shift+W hot key) with many stored notes: how long until the
# last note is rolled up, and how long the program then takes from SIGTERM to gone
# (a program stuck in a loop serves the signal only afterwards). Reports; never fails.
#   bench/roll_all.sh <build folder> [notes]
set -uo pipefail
BUILD=$(cd "${1:?usage: roll_all.sh <build folder> [notes]}" && pwd)
COUNT=${2:-500}

if [ -z "${BENCH_IN_XVFB:-}" ]; then
  BENCH_IN_XVFB=1 exec bash "$(dirname "$0")/../tests/e2e/xvfb.sh" bash "$0" "$BUILD" "$COUNT"
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="$WORK/run" XDG_DATA_HOME="$WORK/data" ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
"$BUILD/bench/make_stores" "$WORK/data/Pinleaf/" --notes "$COUNT"

coproc TIMER { "$BUILD/bench/map_timer" $((COUNT + 1)) "$BUILD/pinleaf"; }
read -r MS PID <&"${TIMER[0]}"
sleep 1
# The note of the last slot rolls last when the notes roll one after another; notes are
# named by their first lines.
LAST=$(xdotool search --name "^Note $((COUNT - 1)): " | tail -1)
now() { date +%s%N; }
begin=$(now)
xdotool key ctrl+shift+w
# Rolled up, a note's window is its 20-row strip.
until [ "$(xwininfo -id "$LAST" | awk '/Height:/{print $NF}')" -eq 20 ]; do
  sleep 0.05
done
rolled=$(( ($(now) - begin) / 1000000 ))
# Once more, and the end of the session right away.
xdotool key ctrl+shift+s
echo term >&"${TIMER[1]}"
read -r EXIT_MS <&"${TIMER[0]}"
echo "$COUNT notes: mapped in $MS ms; Minimize all: last note up after $rolled ms;" \
  "Restore all then SIGTERM: gone after $EXIT_MS ms"
