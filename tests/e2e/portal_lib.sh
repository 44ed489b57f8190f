# Helpers of the portal scenarios (sourced after lib.sh): a private session bus, the
# fake portal on it, and a Wayland-looking session for the program. The X server is
# still Xvfb, so the program draws through X as it does under XWayland.

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

# The portal's shortcut, as if its trigger were pressed.
activate() {
  dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
    /org/freedesktop/portal/desktop org.example.FakePortal.Activate "string:$1" >/dev/null
}

# A note from the default template (on a first start the last factory template,
# 132 x 152) centred on the pointer: expect_note_at X Y COUNT
expect_note_at() {
  wait_for_output "$3" bash -c "xdotool search --onlyvisible --name '^Pinleaf note\$' | wc -l"
  local w
  for w in $(note_windows); do
    [ "$(geometry "$w")" = "$(($1 - 66)) $(($2 - 76)) 132 152" ] && return 0
  done
  fail "no note centred on $1,$2: $(for w in $(note_windows); do geometry "$w"; done | tr '\n' ';')"
}
