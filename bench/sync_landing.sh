#!/usr/bin/env bash
# A data folder another machine writes into (shared through a sync tool): the time from
# a notes store renamed into place to the change on the screen (a note made there mapped
# here, a note closed there unmapped here), and the program's wake-ups while nothing
# happens, in shared mode and, for comparison, in a folder of this machine alone. Runs
# in one virtual X server without a window manager. Reports; never fails.
#   bench/sync_landing.sh <build folder> [notes] [rounds] [idle seconds]
set -uo pipefail
BUILD=$(cd "${1:?usage: sync_landing.sh <build folder> [notes] [rounds] [idle seconds]}" && pwd)
NOTES=${2:-200}
ROUNDS=${3:-20}
IDLE=${4:-20}

if [ -z "${BENCH_IN_XVFB:-}" ]; then
  BENCH_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$BUILD" "$NOTES" \
    "$ROUNDS" "$IDLE"
fi

WORK=$(mktemp -d)
PID=
cleanup() {
  [ -n "$PID" ] && kill -TERM "$PID" 2>/dev/null && wait "$PID" 2>/dev/null
  grep -v '^$' "$WORK/stderr.log" 2>/dev/null | sort | uniq -c | head -8
  rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$WORK/run" XDG_STATE_HOME="$WORK/state" XDG_CONFIG_HOME="$WORK/config"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0
FOLDER="$WORK/data/Pinleaf/"

visible() { xdotool search --onlyvisible --class '^pinleaf$' 2>/dev/null | wc -l; }

# Starts the program on a fresh folder of $NOTES notes, shared or not, and waits until
# the notes and the panel are mapped.
start() { # shared|alone
  rm -rf "$WORK/data" "$WORK/state"
  export XDG_DATA_HOME="$WORK/data"
  "$BUILD/bench/store_landing" "$FOLDER" prepare "$NOTES" || return 1
  [ "$1" = shared ] && mkdir "$FOLDER.stfolder" # Syncthing's marker
  "$BUILD/pinleaf" 2>>"$WORK/stderr.log" &
  PID=$!
  until [ "$(visible)" -gt "$NOTES" ]; do
    kill -0 "$PID" 2>/dev/null || { echo "pinleaf ended before showing its windows" >&2; PID=; return 1; }
    sleep 0.05
  done
  sleep 2 # past start-up (and, shared, the first write of the stores)
}

stop() { kill -TERM "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; PID=; }

# Voluntary and involuntary context switches, of the main thread and of all threads.
switches() {
  local main all_v=0 all_n=0 v n f
  main=$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$PID/status")
  for f in /proc/"$PID"/task/*/status; do
    v=$(awk '/^voluntary_ctxt_switches/{print $2}' "$f" 2>/dev/null) || continue
    n=$(awk '/^nonvoluntary_ctxt_switches/{print $2}' "$f" 2>/dev/null) || continue
    all_v=$((all_v + ${v:-0})); all_n=$((all_n + ${n:-0}))
  done
  echo "$main $all_v $all_n"
}

idle() { # label
  local m0 v0 n0 m1 v1 n1 threads
  read -r m0 v0 n0 <<<"$(switches)"
  sleep "$IDLE"
  read -r m1 v1 n1 <<<"$(switches)"
  threads=$(ls "/proc/$PID/task" | wc -l)
  printf '  %-28s main thread %4d   all threads %4d voluntary / %3d involuntary   (%d threads)\n' \
    "$1" "$((m1 - m0))" "$((v1 - v0))" "$((n1 - n0))" "$threads"
}

echo "A store landing in the data folder, $NOTES notes, $(nproc) cores, build $BUILD"
if start shared; then
  "$BUILD/bench/store_landing" "$FOLDER" land "$ROUNDS"
  sleep 3 # any write the rounds left pending
  echo "Idle wake-ups over $IDLE s (context switches)"
  idle "shared folder"
  stop
fi
if start alone; then
  idle "folder of this machine alone"
  stop
fi
