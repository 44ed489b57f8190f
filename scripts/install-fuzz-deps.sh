#!/bin/sh
# What `make fuzz` needs beyond install-deps.sh: clang with libFuzzer. Not needed by
# `make test`.
set -e
SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
if ! command -v clang++ >/dev/null 2>&1; then
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends clang
fi
