#!/usr/bin/env bash
# Note windows of the real program: time from exec until every stored note (and the
# panel) is mapped, resident memory once up, the cost per added note against a start
# with no notes, and idle wake-ups of the process with all notes unrolled and with all
# rolled up. Runs in one virtual X server without a window manager. Reports; never fails.
#   bench/notes_startup.sh <build folder> [runs] [idle seconds]
set -uo pipefail
BUILD=$(cd "${1:?usage: notes_startup.sh <build folder> [runs] [idle seconds]}" && pwd)
RUNS=${2:-5}
IDLE=${3:-30}
COUNTS=(0 20 200)

if [ -z "${BENCH_IN_XVFB:-}" ]; then
  BENCH_IN_XVFB=1 exec bash "$(dirname "$0")/../tests/e2e/xvfb.sh" bash "$0" "$BUILD" "$RUNS" "$IDLE"
fi

WORK=$(mktemp -d)
PID=
cleanup() {
  [ -n "$PID" ] && kill -TERM "$PID" 2>/dev/null && wait "$PID" 2>/dev/null
  grep -v '^$' "$WORK/stderr.log" 2>/dev/null | sort | uniq -c | head -8
  rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0

# A fresh data folder holding only the notes store: the panel shows (default settings),
# so "all up" means notes + 1 visible windows of the program's class.
prepare() { # count [--rolled]
  rm -rf "$WORK/data"; mkdir -p "$WORK/data"; export XDG_DATA_HOME="$WORK/data"
  "$BUILD/bench/make_stores" "$WORK/data/Pinleaf/" --notes "$@"
}

visible() { xdotool search --onlyvisible --class '^pinleaf$' 2>/dev/null | wc -l; }

# Starts the program and waits until count + 1 windows are mapped; sets PID and MS.
start() { # count
  local want=$(( $1 + 1 )) begin end
  begin=$(date +%s%N)
  "$BUILD/pinleaf" 2>>"$WORK/stderr.log" &
  PID=$!
  until [ "$(visible)" -ge "$want" ]; do
    kill -0 "$PID" 2>/dev/null || { echo "pinleaf ended before showing its windows" >&2; PID=; return 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  MS=$(( (end - begin) / 1000000 ))
  CPU=$(cpu_ms)
}

stop() { kill -TERM "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; PID=; }

rss() { awk '/VmRSS/{print $2}' "/proc/$PID/status"; }
# CPU time the program has used so far (user + system), in milliseconds (10 ms ticks).
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$PID/stat"; }
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

# median, min and max of the arguments
stats() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END{printf "%d %d %d", a[int((NR+1)/2)], a[1], a[NR]}'; }

echo "Note windows, $(nproc) cores, build $BUILD, $RUNS runs each"
declare -A MED_MS MED_KB MED_CPU
for count in "${COUNTS[@]}"; do
  times=(); mems=(); cpus=()
  for _ in $(seq "$RUNS"); do
    prepare "$count"
    start "$count" || continue
    sleep 0.5 # the first paints and idle allocations settle
    times+=("$MS"); mems+=("$(rss)"); cpus+=("$CPU")
    stop
  done
  [ "${#times[@]}" -gt 0 ] || { echo "$count notes: no run reached the X server"; continue; }
  read -r mt lt ht <<<"$(stats "${times[@]}")"
  read -r mm lm hm <<<"$(stats "${mems[@]}")"
  read -r mc lc hc <<<"$(stats "${cpus[@]}")"
  MED_MS[$count]=$mt; MED_KB[$count]=$mm; MED_CPU[$count]=$mc
  printf '%4d notes: %5d ms to all mapped (%d..%d)   %4d ms CPU (%d..%d)   %6.1f MB resident (%.1f..%.1f)   [%d runs]\n' \
    "$count" "$mt" "$lt" "$ht" "$mc" "$lc" "$hc" "$(echo "$mm/1024" | bc -l)" "$(echo "$lm/1024" | bc -l)" \
    "$(echo "$hm/1024" | bc -l)" "${#times[@]}"
done
for count in "${COUNTS[@]}"; do
  [ "$count" -gt 0 ] && [ -n "${MED_MS[$count]:-}" ] && [ -n "${MED_MS[0]:-}" ] || continue
  printf '  per added note (%d vs 0, medians): %.2f ms to mapped, %.2f ms CPU, %.0f kB\n' "$count" \
    "$(echo "(${MED_MS[$count]} - ${MED_MS[0]}) / $count" | bc -l)" \
    "$(echo "(${MED_CPU[$count]} - ${MED_CPU[0]}) / $count" | bc -l)" \
    "$(echo "(${MED_KB[$count]} - ${MED_KB[0]}) / $count" | bc -l)"
done

echo "Idle wake-ups over $IDLE s, 200 notes (context switches: main thread voluntary, all threads voluntary / involuntary)"
for mode in unrolled rolled; do
  flag=; [ "$mode" = rolled ] && flag=--rolled
  prepare 200 $flag
  start 200 || continue
  sleep 2 # past start-up
  read -r m0 v0 n0 <<<"$(switches)"
  sleep "$IDLE"
  read -r m1 v1 n1 <<<"$(switches)"
  threads=$(ls "/proc/$PID/task" | wc -l)
  stop
  printf '  200 notes %-8s main %6d  all %6d / %5d  (%.1f voluntary per second, %d threads)\n' \
    "$mode" "$((m1 - m0))" "$((v1 - v0))" "$((n1 - n0))" "$(echo "($v1 - $v0) / $IDLE" | bc -l)" "$threads"
done
