#!/bin/sh
# Runs every benchmark program of a build folder: bench/run.sh <build-dir>
# Configure that folder with -DCMAKE_BUILD_TYPE=Release for meaningful figures.
build=${1:?usage: bench/run.sh <build-dir>}

run() {
    if [ -x "$build/bench/$1" ]; then
        echo "== $1"
        "$build/bench/$1"
    else
        echo "== $1: not built, skipped"
    fi
}

run store_bench
run notes_bench
run snapshot_bench
run merge_bench

# A benchmark script, run when the programs it drives are built: script name program...
script() {
    local name=$1 program
    shift
    for program in pinleaf "$@"; do
        [ -x "$build/$program" ] || { echo "== $name: not built, skipped"; return; }
    done
    echo "== $name"
    bash "$(dirname "$0")/$name.sh" "$build"
}

script startup bench/bare_window
script notes_startup bench/make_stores
script notes_floor bench/floor_windows bench/map_timer
script roll_all bench/map_timer
script sync_landing bench/store_landing
