#!/usr/bin/env bash
# System-wide hot keys on a real X server: the left and right key sets, Ctrl+Shift+Win,
# CapsLock/NumLock, a combination another client holds, switching sets and "None".
# Usage: tests/e2e/xvfb.sh bash hotkeys_keys.sh path/to/hotkey_probe
set -euo pipefail
probe=${1:?usage: $0 path/to/hotkey_probe}
source "$(dirname "$0")/hotkeys_lib.sh"

# Ctrl+Shift+Z is a sentinel bound beside the sets: once its press is reported,
# every key pressed before it has been delivered (or not) as well.
sentinel=(--grab 98:6:0x5A)
sync_on() { # sync_on NAME: press the sentinel and wait for it
    local before
    before=$(count "$1" '^pressed 98$')
    xdotool key ctrl+shift+z
    wait_count "$1" '^pressed 98$' $((before + 1))
}
press() { # press NAME KEYS ID: the keys report id
    local before
    before=$(count "$1" "^pressed $3\$")
    xdotool key "$2"
    wait_count "$1" "^pressed $3\$" $((before + 1))
}

# --- Left keys, with Ctrl+Shift+Q already taken by another client.
start other "$probe" --grab 99:6:0x51
wait_for other '^ready$'
start left "$probe" --modes 0 "${sentinel[@]}"
wait_for left '^ready$'
expect_count left '^grab 15 failed$' 1
for id in 13 14 12 10 11; do expect_count left "^grab $id ok\$" 1; done

press left ctrl+shift+c 10
press left ctrl+shift+w 13
press left ctrl+shift+e 14
press left ctrl+shift+s 12
press left ctrl+shift+super 11
# The combination held elsewhere goes to its owner only.
press other ctrl+shift+q 99
sync_on left
expect_count left '^pressed 15$' 0

# Lock keys do not get in the way.
xdotool key Caps_Lock
press left ctrl+shift+c 10
xdotool key Caps_Lock Num_Lock
press left ctrl+shift+c 10
xdotool key Num_Lock

# Other combinations of the same letters are not taken.
xdotool key ctrl+c shift+c ctrl+alt+c ctrl+shift+alt+c
sync_on left
expect_count left '^pressed 10$' 3

stop_all

# --- Right keys, chosen while the left set was live: only the right set works.
start right "$probe" --modes 0,1 "${sentinel[@]}"
wait_for right '^ready$'
press right ctrl+shift+Insert 10
press right ctrl+shift+Left 15
press right ctrl+shift+Right 14
press right ctrl+shift+Up 13
press right ctrl+shift+Down 12
press right ctrl+shift+super 11
xdotool key ctrl+shift+c ctrl+shift+q ctrl+shift+w ctrl+shift+e ctrl+shift+s
sync_on right
for id in 10 15 14 13 12; do expect_count right "^pressed $id\$" 1; done

stop_all

# --- "None" after the left set: all six are released, Ctrl+Shift+Win included.
start none "$probe" --modes 0,2 "${sentinel[@]}"
wait_for none '^ready$'
xdotool key ctrl+shift+c ctrl+shift+q ctrl+shift+w ctrl+shift+e ctrl+shift+s ctrl+shift+super
sync_on none
expect_count none '^grab 98 ok$' 1
expect_count none '^pressed (10|11|12|13|14|15)$' 0

echo "PASS"
