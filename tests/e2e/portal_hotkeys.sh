# Hot keys through the desktop portal in a Wayland session (a fake portal on a private
# bus): the program binds the six shortcuts with the chosen set's triggers, the
# portal's Activated runs their commands (new-note makes a note at the pointer) while
# the X keys stay free; each "Hot keys" choice rebinds in a session of its own and
# "None" closes it; when the desktop ends the session, a new one binds the set again;
# when the portal leaves the bus, the X grabs take over.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/portal_lib.sh"

LEFT="new-note=CTRL+SHIFT+c bring-forward=CTRL+SHIFT+Super_L roll-down=CTRL+SHIFT+s roll-up=CTRL+SHIFT+w toggle-on-top=CTRL+SHIFT+e toggle-panel=CTRL+SHIFT+q"
RIGHT="new-note=CTRL+SHIFT+Insert bring-forward=CTRL+SHIFT+Super_L roll-down=CTRL+SHIFT+Down roll-up=CTRL+SHIFT+Up toggle-on-top=CTRL+SHIFT+Right toggle-panel=CTRL+SHIFT+Left"

# The portal's log with each session path replaced by S1, S2, ... in order of appearance.
portal_story() {
  awk '{ for (i = 2; i <= NF; i++) if ($i ~ "^/org/freedesktop/portal/desktop/session/") {
           if (!($i in name)) name[$i] = "S" (++n); $i = name[$i] } print }' "$PORTAL_LOG"
}

start_bus
start_portal
start
PANEL=$(panel_window)
wait_for_line '^bind ' "$PORTAL_LOG"
[ "$(portal_story)" = "ready
register org.example.pinleaf.Pinleaf
session S1
bind S1 $LEFT" ] || fail "the portal was asked:
$(portal_story)"

# Activated new-note: a note at the pointer. Ctrl+Shift+C itself is not grabbed on X.
xdotool mousemove --sync 400 400
xdotool key ctrl+shift+c
activate new-note
expect_note_at 400 400 1
xdotool mousemove --sync 700 300
activate new-note
expect_note_at 700 300 2
activate toggle-panel
wait_for_output IsUnMapped map_state "$PANEL"
activate toggle-panel
wait_for_output IsViewable map_state "$PANEL"
[ "$(note_windows | wc -l)" = 2 ] || fail "Ctrl+Shift+C made a note through an X grab"

choose_hot_keys 1
wait_for_line '^bind .*Insert' "$PORTAL_LOG"
choose_hot_keys 2
wait_for_output 2 grep -c '^close ' "$PORTAL_LOG"
[ "$(portal_story | tail -n +4)" = "bind S1 $LEFT
close S1
session S2
bind S2 $RIGHT
close S2" ] || fail "switching to Right keys and None asked the portal:
$(portal_story)"
choose_hot_keys 0
wait_for_output 3 grep -c '^bind ' "$PORTAL_LOG"
[ "$(portal_story | tail -n 2)" = "session S3
bind S3 $LEFT" ] || fail "Left keys after None asked the portal:
$(portal_story)"

# The desktop ends the session: the program opens a new one, and its shortcuts work.
fake_portal CloseSession
wait_for_output 4 grep -c '^bind ' "$PORTAL_LOG"
[ "$(portal_story | tail -n 3)" = "closed S3
session S4
bind S4 $LEFT" ] || fail "after the portal closed the session the program asked:
$(portal_story)"
xdotool mousemove --sync 500 200
activate new-note
expect_note_at 500 200 3

# The portal leaves the bus: one line on standard error, and the X grabs take over.
kill "$PORTAL_PID"
wait_for_line 'hot keys use X key grabs' "$WORK/stderr.log"
xdotool mousemove --sync 300 600
xdotool key ctrl+shift+c
expect_note_at 300 600 4
[ "$(grep -c 'Pinleaf:' "$WORK/stderr.log")" = 1 ] || fail "standard error holds: $(cat "$WORK/stderr.log")"
grep -q '^Pinleaf: the desktop portal left the session bus; hot keys use X key grabs instead.$' \
  "$WORK/stderr.log" || fail "standard error holds: $(cat "$WORK/stderr.log")"
quit_without_saving "$PANEL"
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
echo PASS
