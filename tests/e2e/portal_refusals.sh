# A Wayland session where the portal cannot give hot keys: with no portal on the bus,
# with a portal that refuses the shortcuts and with one that answers with none bound,
# the program says so in one line on standard error, runs on, and its X grabs make
# Ctrl+Shift+C work; so does a portal whose answer is malformed. A shortcut the portal
# does not report bound does nothing through the portal: the line names it and an X
# grab takes its key; the others work through the portal. Once the user gives it a
# trigger in the desktop's settings, it works through the portal and the X key is free.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/portal_lib.sh"
PROBE=$2

# One start: the line on standard error, then a note from Ctrl+Shift+C at the pointer.
# (Escape on the panel ends without saving: each start begins with no notes.)
start_expecting() { # start_expecting STDERR-LINE X Y
  : >"$WORK/stderr.log"
  start
  PANEL=$(panel_window)
  wait_for_line 'hot keys use X key grabs' "$WORK/stderr.log"
  [ "$(cat "$WORK/stderr.log")" = "$1" ] || fail "standard error holds: $(cat "$WORK/stderr.log")"
  xdotool mousemove --sync "$2" "$3"
  xdotool key ctrl+shift+c
  expect_note_at "$2" "$3" 1
  quit_without_saving "$PANEL"
  wait_end "$PID"
  [ "$RC" = 0 ] || fail "exit status $RC"
}

start_bus
start_expecting "Pinleaf: no desktop portal for global shortcuts (org.freedesktop.DBus.Error.ServiceUnknown); hot keys use X key grabs instead." 300 300

start_portal FAKE_PORTAL_REFUSE=1
start_expecting "Pinleaf: the desktop portal refused the shortcuts (response 2); hot keys use X key grabs instead." 500 450
grep -q '^bind .*new-note=CTRL+SHIFT+c' "$PORTAL_LOG" || fail "the program asked the portal: $(cat "$PORTAL_LOG")"

kill "$PORTAL_PID"
start_portal FAKE_PORTAL_UNBOUND=all
start_expecting "Pinleaf: the desktop portal bound none of the shortcuts; hot keys use X key grabs instead." 400 350
grep -q '^close ' "$PORTAL_LOG" || fail "the useless session stayed open: $(cat "$PORTAL_LOG")"

kill "$PORTAL_PID"
start_portal FAKE_PORTAL_MALFORMED=1
start_expecting "Pinleaf: the desktop portal gave a malformed answer to BindShortcuts; hot keys use X key grabs instead." 450 400

kill "$PORTAL_PID"
start_portal FAKE_PORTAL_UNBOUND=toggle-panel
: >"$WORK/stderr.log"
start
PANEL=$(panel_window)
wait_for_line '^bind ' "$PORTAL_LOG"
wait_for_line 'use X key grabs' "$WORK/stderr.log"
[ "$(cat "$WORK/stderr.log")" = "Pinleaf: the desktop portal did not bind toggle-panel; those use X key grabs instead." ] ||
  fail "standard error holds: $(cat "$WORK/stderr.log")"
xdotool mousemove --sync 600 500
# Signals from the portal arrive in order: once the note is there, toggle-panel was seen.
activate toggle-panel
activate new-note
expect_note_at 600 500 1
[ "$(map_state "$PANEL")" = IsViewable ] || fail "a shortcut the portal did not bind hid the panel"
xdotool key ctrl+shift+q
wait_for_output IsUnMapped map_state "$PANEL"
xdotool key ctrl+shift+q
wait_for_output IsViewable map_state "$PANEL"
[ "$(ctrl_shift_q_free)" = failed ] || fail "Ctrl+Shift+Q is not grabbed for the unbound shortcut"

fake_portal ChangeShortcuts string:toggle-panel=CTRL+ALT+p
activate toggle-panel
wait_for_output IsUnMapped map_state "$PANEL"
[ "$(ctrl_shift_q_free)" = ok ] || fail "Ctrl+Shift+Q stayed grabbed after the user bound toggle-panel"
activate toggle-panel
wait_for_output IsViewable map_state "$PANEL"
[ "$(grep -c 'Pinleaf:' "$WORK/stderr.log")" = 1 ] || fail "standard error holds: $(cat "$WORK/stderr.log")"
quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
