#!/usr/bin/env bash
# Note windows against the floor, in one virtual X server without a window manager,
# alternating run by run: a bare Qt program mapping the same number of frameless windows
# with a word-wrapped label each (floor_windows), and the program with that many stored
# notes. Time from exec until every window is mapped (counted from MapNotify events on
# the root window), resident memory once up, time from SIGTERM until the process is gone,
# and wake-ups over an idle stretch (context switches of all threads). Reports; never fails.
#   bench/notes_floor.sh <build folder> [runs] [idle seconds]
set -uo pipefail
BUILD=$(cd "${1:?usage: notes_floor.sh <build folder> [runs] [idle seconds]}" && pwd)
RUNS=${2:-5}
IDLE=${3:-20}

if [ -z "${BENCH_IN_XVFB:-}" ]; then
  BENCH_IN_XVFB=1 exec bash "$(dirname "$0")/../tests/e2e/xvfb.sh" bash "$0" "$BUILD" "$RUNS" "$IDLE"
fi

COUNTS=(${COUNTS:-0 20 100 200})
WORK=$(mktemp -d)
cleanup() {
  grep -v '^$' "$WORK/stderr.log" 2>/dev/null | sort | uniq -c | head -8
  rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0

prepare() { # count [--rolled] [--hidden]
  rm -rf "$WORK/data"; mkdir -p "$WORK/data"; export XDG_DATA_HOME="$WORK/data"
  "$BUILD/bench/make_stores" "$WORK/data/Pinleaf/" --notes "$@"
}

# Starts a program under map_timer and waits for its windows: sets MS and PID.
launch() { # windows program [args...]
  coproc TIMER { "$BUILD/bench/map_timer" "$@" 2>>"$WORK/stderr.log"; }
  read -r MS PID <&"${TIMER[0]}" || { MS=; PID=; }
  [[ "$MS" =~ ^[0-9.]+$ ]] || { echo "  $2 did not map $1 windows ($MS $PID)" >&2; MS=; PID=; return 1; }
}
# SIGTERM to gone: sets EXIT_MS.
finish() {
  echo term >&"${TIMER[1]}"
  read -r EXIT_MS <&"${TIMER[0]}" || EXIT_MS=
  wait "$TIMER_PID" 2>/dev/null
}

rss() { awk '/VmRSS/{print $2}' "/proc/$PID/status"; }
# Voluntary + involuntary context switches of all threads.
switches() {
  cat /proc/"$PID"/task/*/status 2>/dev/null |
    awk '/^(non)?voluntary_ctxt_switches/{n += $2} END{print n + 0}'
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

# One measured start: prints "ms kB exit-ms".
measure() { # windows program [args...]
  launch "$@" || return 1
  sleep 0.5 # the first paints settle
  local kb; kb=$(rss)
  finish
  echo "$MS $kb $EXIT_MS"
}

echo "Notes against the floor: $(nproc) cores, build $BUILD, $RUNS runs each, $(uptime | sed 's/.*load/load/')"
printf '%6s | %-28s | %-28s | %s\n' notes "floor: ms  MB  exit-ms" "pinleaf: ms  MB  exit-ms" "ratio, +MB"
for count in "${COUNTS[@]}"; do
  declare -a ft=() fm=() fe=() pt=() pm=() pe=()
  for _ in $(seq "$RUNS"); do
    if read -r t m e <<<"$(measure $((count + 1)) "$BUILD/bench/floor_windows" "$count")" && [ -n "$t" ]; then
      ft+=("$t"); fm+=("$m"); fe+=("$e")
    fi
    prepare "$count"
    if read -r t m e <<<"$(measure $((count + 1)) "$BUILD/pinleaf")" && [ -n "$t" ]; then
      pt+=("$t"); pm+=("$m"); pe+=("$e")
    fi
  done
  [ "${#ft[@]}" -gt 0 ] && [ "${#pt[@]}" -gt 0 ] || { echo "$count: no complete runs"; continue; }
  a=$(median "${ft[@]}"); b=$(median "${fm[@]}"); c=$(median "${fe[@]}")
  x=$(median "${pt[@]}"); y=$(median "${pm[@]}"); z=$(median "${pe[@]}")
  printf '%6d | %7.1f %6.1f %8.1f    | %7.1f %6.1f %8.1f    | %.2fx  %+.1f MB\n' "$count" \
    "$a" "$(echo "$b/1024" | bc -l)" "$c" "$x" "$(echo "$y/1024" | bc -l)" "$z" \
    "$(echo "$x/$a" | bc -l)" "$(echo "($y-$b)/1024" | bc -l)"
done

echo "Wake-ups over $IDLE s idle, 200 windows (context switches, all threads)"
idle() { # label windows program [args...]
  local label=$1; shift
  launch "$@" || return
  sleep 2 # past start-up
  local s0 s1 threads
  s0=$(switches); sleep "$IDLE"; s1=$(switches)
  threads=$(ls "/proc/$PID/task" | wc -l)
  finish
  printf '  %-28s %6d  (%d threads)\n' "$label" "$((s1 - s0))" "$threads"
}
# Each in a subshell of its own: one helper process (coproc) at a time.
(idle "floor, shown" 201 "$BUILD/bench/floor_windows" 200)
(idle "floor, rolled up" 201 "$BUILD/bench/floor_windows" 200 --rolled)
(prepare 200; idle "pinleaf, notes shown" 201 "$BUILD/pinleaf")
(prepare 200 --rolled; idle "pinleaf, notes rolled up" 201 "$BUILD/pinleaf")
(prepare 200 --hidden; idle "pinleaf, panel hidden" 200 "$BUILD/pinleaf")
