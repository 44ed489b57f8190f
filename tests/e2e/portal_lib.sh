# Helpers of the portal and kglobalaccel scenarios (sourced after lib.sh): a private
# session bus, the fake portal on it, and a Wayland-looking session for the program.
# The X server is still Xvfb, so the program draws through X as it does under XWayland.

# A private session bus in a Wayland-looking session.
start_bus() {
  start_session_bus
  export WAYLAND_DISPLAY=pinleaf-test-wayland XDG_SESSION_TYPE=wayland
}

# Starts the fake portal (extra environment as arguments); its log is $PORTAL_LOG.
start_portal() {
  PORTAL_LOG=$WORK/portal.log
  : >"$PORTAL_LOG"
  env "$@" /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/fake_portal.py" "$PORTAL_LOG" \
    2>>"$WORK/portal.err" &
  PORTAL_PID=$!
  PIDS+=("$PORTAL_PID")
  wait_for_line '^ready$' "$PORTAL_LOG"
}

# Waits (at most 30 s) for a line matching REGEX in FILE: wait_for_line REGEX FILE
wait_for_line() {
  for _ in $(seq 300); do
    grep -qE "$1" "$2" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no line '$1' in $2: $(cat "$2" 2>/dev/null)"
}

# Whether another X client could grab Ctrl+Shift+Q now: prints "ok" or "failed". The
# probe program is the scenario's second argument.
ctrl_shift_q_free() {
  local out=$WORK/probe.out
  : >"$out"
  QT_QPA_PLATFORM=xcb timeout 30 "$PROBE" --grab 99:6:0x51 >"$out" 2>>"$WORK/probe.err" &
  local probe=$!
  wait_for_line '^ready$' "$out"
  kill "$probe"
  wait "$probe" 2>/dev/null || true
  sed -nE 's/^grab 99 (.*)/\1/p' "$out"
}

# Calls a method of the fake portal's own interface: fake_portal METHOD [ARG...]
fake_portal() {
  local method=$1
  shift
  dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
    /org/freedesktop/portal/desktop "org.example.FakePortal.$method" "$@" >/dev/null
}

# The portal's shortcut, as if its trigger were pressed.
activate() { fake_portal Activate "string:$1"; }

# A note from the default template (on a first start the last factory template,
# 132 x 152) centred on the pointer: expect_note_at X Y COUNT
expect_note_at() {
  wait_for_output "$3" bash -c "note_windows | wc -l"
  local w
  for w in $(note_windows); do
    [ "$(geometry "$w")" = "$(($1 - 66)) $(($2 - 76)) 132 152" ] && return 0
  done
  fail "no note centred on $1,$2: $(for w in $(note_windows); do geometry "$w"; done | tr '\n' ';')"
}

# Prints how many of the program's menus are open: its mapped override-redirect windows.
open_menus() {
  local w n=0
  for w in $(xdotool search --onlyvisible --classname '^pinleaf$' 2>/dev/null || true); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && n=$((n + 1))
  done
  echo "$n"
}

# Chooses an item of the panel's "Options" > "Hot keys" submenu: 0 Left, 1 Right, 2 None.
choose_hot_keys() {
  local px py
  read -r px py _ _ <<<"$(geometry "$PANEL")"
  # "Options" sits at 104,7 dialog units (x*6/4, y*13/8) in the panel, 25 x 12 units.
  xdotool mousemove $((px + 104 * 6 / 4 + 15)) $((py + 7 * 13 / 8 + 8)) click 1
  wait_for_output 1 open_menus
  # "Hot keys" is the sixth item; its submenu opens on "Left keys".
  xdotool key Down Down Down Down Down Down Right
  wait_for_output 2 open_menus
  local k
  for ((k = 0; k < $1; k++)); do xdotool key Down; done
  xdotool key Return
  wait_for_output 0 open_menus
}
