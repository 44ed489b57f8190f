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

if [ -x "$build/pinleaf" ] && [ -x "$build/bench/bare_window" ]; then
    echo "== startup"
    bash "$(dirname "$0")/startup.sh" "$build"
else
    echo "== startup: not built, skipped"
fi

if [ -x "$build/pinleaf" ] && [ -x "$build/bench/make_stores" ]; then
    echo "== notes_startup"
    bash "$(dirname "$0")/notes_startup.sh" "$build"
else
    echo "== notes_startup: not built, skipped"
fi

if [ -x "$build/pinleaf" ] && [ -x "$build/bench/floor_windows" ] && [ -x "$build/bench/map_timer" ]; then
    echo "== notes_floor"
    bash "$(dirname "$0")/notes_floor.sh" "$build"
else
    echo "== notes_floor: not built, skipped"
fi

if [ -x "$build/pinleaf" ] && [ -x "$build/bench/map_timer" ]; then
    echo "== roll_all"
    bash "$(dirname "$0")/roll_all.sh" "$build"
else
    echo "== roll_all: not built, skipped"
fi
