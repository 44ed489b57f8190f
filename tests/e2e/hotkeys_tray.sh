#!/usr/bin/env bash
# The program's icon in a real tray host (trayer) on a virtual X server: it docks,
# also when the host appears after the program, and clicks on it report the gestures.
# Usage: tests/e2e/xvfb.sh bash hotkeys_tray.sh path/to/hotkey_probe
set -euo pipefail
probe=${1:?usage: $0 path/to/hotkey_probe}
source "$(dirname "$0")/hotkeys_lib.sh"

# docked_icon: prints "x y" of the centre of the probe's icon inside trayer's panel,
# nothing while it has not docked.
docked_icon() {
    local panel
    panel=$(xdotool search --name '^panel$' 2>/dev/null | head -n1) || true
    [ -n "$panel" ] || return 0
    xwininfo -tree -id "$panel" 2>/dev/null |
        sed -nE 's/.*"hotkey_probe": \("hotkey_probe" "hotkey_probe"\) +([0-9]+)x([0-9]+)[-+0-9]* +\+([0-9-]+)\+([0-9-]+).*/\1 \2 \3 \4/p' |
        head -n1 | { read -r w h x y && echo "$((x + w / 2)) $((y + h / 2))"; } || true
}

is_docked() {
    [ -n "$(docked_icon)" ]
}

# --- No tray host yet: the program runs, shows nothing, and docks once a host comes.
start late "$probe" --tray
wait_for late '^ready$'
expect_count late '^tray missing$' 1
start trayer trayer --edge bottom --align right --widthtype request --height 32
wait_until "docking of the icon in the tray" is_docked
kill -0 "${started[0]}" || fail "the program ended without a tray host"
stop_all

# --- Host first, then the program: clicks on the docked icon.
start trayer trayer --edge bottom --align right --widthtype request --height 32
wait_until "trayer's panel" xdotool search --name '^panel$'
start probe "$probe" --tray
wait_for probe '^ready$'
expect_count probe '^tray available$' 1
wait_until "docking of the icon in the tray" is_docked
read -r x y <<<"$(docked_icon)"

xdotool mousemove --sync "$x" "$y" click 3
wait_for probe '^gesture RightClick$'
xdotool click 1
wait_for probe '^gesture LeftClick$'
# Two clicks well inside the double-click interval (the server stamps their times).
xdotool click --repeat 2 --delay 60 1
wait_for probe '^gesture DoubleClick$'
expect_count probe '^gesture DoubleClick$' 1
expect_count probe '^gesture RightClick$' 1

echo "PASS"
