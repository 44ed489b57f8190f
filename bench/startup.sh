#!/usr/bin/env bash
# Start-up benchmark: time from exec to the panel being mapped, and resident memory once
# it is up, for a first start, a start with large stores, and a bare Qt window program
# as the yardstick. Runs everything in one virtual X server. Reports; never fails.
#   bench/startup.sh <build folder> [runs]
set -euo pipefail
BUILD=$(cd "${1:?usage: startup.sh <build folder> [runs]}" && pwd)
RUNS=${2:-10}

if [ -z "${BENCH_IN_XVFB:-}" ]; then
  BENCH_IN_XVFB=1 exec bash "$(dirname "$0")/../tests/e2e/xvfb.sh" bash "$0" "$BUILD" "$RUNS"
fi

WORK=$(mktemp -d)
trap 'cat "$WORK/stderr.log" 2>/dev/null | grep -v "^$" | sort | uniq -c | head -8; rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0

# Runs "$@" once; prints "milliseconds-to-mapped resident-kB".
measure() {
  local name=$1; shift
  local start end pid rss
  start=$(date +%s%N)
  "$@" 2>>"$WORK/stderr.log" &
  pid=$!
  until xdotool search --onlyvisible --name "^$name$" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$name ended before showing a window" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  sleep 0.5 # let the first paint and the idle allocations settle
  rss=$(awk '/VmRSS/{print $2}' "/proc/$pid/status")
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $rss"
}

# name, then the command; prints the median time and memory of RUNS runs.
report() {
  local label=$1 name=$2 prepare=$3; shift 3
  local times=() mems=() failed=0 t m
  for _ in $(seq "$RUNS"); do
    $prepare
    read -r t m <<<"$(measure "$name" "$@")" || true
    [ -n "${m:-}" ] || { failed=$((failed + 1)); continue; }
    times+=("$t"); mems+=("$m")
  done
  local mt mm
  mt=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  mm=$(printf '%s\n' "${mems[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  printf '%-34s median %5d ms to mapped   %6.1f MB resident   (%d runs)\n' "$label" "$mt" "$(echo "$mm/1024" | bc -l)" "${#times[@]}"
  [ "$failed" = 0 ] || echo "  ($failed runs could not reach the X server and are left out)"
}

first_start() { rm -rf "$WORK/data"; mkdir -p "$WORK/data"; export XDG_DATA_HOME="$WORK/data"; }
large_stores() {
  rm -rf "$WORK/data"; mkdir -p "$WORK/data"; export XDG_DATA_HOME="$WORK/data"
  "$BUILD/bench/make_stores" "$WORK/data/Pinleaf/"
}
nothing() { :; }

echo "Start-up, $(nproc) cores, build $BUILD"
report "pinleaf, first start" Pinleaf first_start "$BUILD/pinleaf"
report "pinleaf, 2000 templates" Pinleaf large_stores "$BUILD/pinleaf"
report "bare Qt frameless window" BareWindow nothing "$BUILD/bench/bare_window"
