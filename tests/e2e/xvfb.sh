#!/usr/bin/env bash
# The one way the tests and the benchmarks start a virtual X server.
#   tests/e2e/xvfb.sh COMMAND [ARGS...]  runs COMMAND with DISPLAY on a server of its own,
#                                        which ends with it
#   source tests/e2e/xvfb.sh             only sets XVFB_SERVER_ARGS, for a script that
#                                        starts (and kills) a bare Xvfb itself
# -screen: the 1280 x 1024 desktop in 24-bit colour that the scenarios' coordinates and
# pixel colours assume.
# -noreset: the server keeps its state (the desktop colour, the pointer's place) when its
# last client leaves. Without it the server resets then, and a client that connects in
# the middle of the reset fails with "cannot open display".
XVFB_SERVER_ARGS=(-screen 0 1280x1024x24 -noreset)
(return 0 2>/dev/null) && return 0

set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
# -a: the first free display number. Two servers starting at the same moment can pick the
# same one, so the tests that start one hold the "xserver" resource lock.
exec xvfb-run -a -s "${XVFB_SERVER_ARGS[*]}" "$@"
