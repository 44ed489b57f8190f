# Hot keys through KDE's global shortcut service in a Wayland session: the real
# kglobalaccel5 on a private bus, and no portal. The program registers its six actions
# under its application id with the menu commands' names and the chosen set's keys;
# the service's invokeShortcut of new-note, and the service's own grab of Ctrl+Shift+C,
# make a note at the pointer. "Right keys" rewrites the keys the service holds, "None"
# removes the actions.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/portal_lib.sh"

KGLOBALACCEL=$(command -v kglobalaccel5) || fail "kglobalaccel5 is missing (scripts/install-deps.sh test)"
COMPONENT=/component/org_example_pinleaf_Pinleaf

# The number of the component's actions (0 once the service has dropped it), then one line per action:
# id|friendly name|component name|key codes (hex).
actions() {
  /usr/bin/python3 -c '
import dbus, sys
try:
    component = dbus.SessionBus().get_object("org.kde.kglobalaccel", sys.argv[1])
    infos = sorted(component.allShortcutInfos(dbus_interface="org.kde.kglobalaccel.Component"))
except dbus.DBusException:
    infos = []  # the service drops a component whose actions are all gone
print(len(infos))
for a in infos:
    print("|".join([a[0], a[1], a[3], ",".join("%x" % k for k in a[6])]))' "$COMPONENT"
}
keys() { actions | cut -d'|' -f1,4; }
on_bus() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner "$1"
}

start_bus
# The service keeps its shortcuts in $XDG_CONFIG_HOME/kglobalshortcutsrc.
export XDG_CONFIG_HOME=$WORK/config
QT_QPA_PLATFORM=xcb "$KGLOBALACCEL" 2>>"$WORK/kglobalaccel.err" &
PIDS+=("$!")
wait_for_output "(true,)" on_bus org.kde.kglobalaccel

start
PANEL=$(panel_window)
wait_for_output "6
bring-forward|Bring the panel forward|Pinleaf|
new-note|Create Note|Pinleaf|6000043
roll-down|Restore all|Pinleaf|6000053
roll-up|Minimize all|Pinleaf|6000057
toggle-on-top|Always Top|Pinleaf|6000045
toggle-panel|Show Panel|Pinleaf|6000051" actions

xdotool mousemove --sync 400 400
gdbus call --session -d org.kde.kglobalaccel -o "$COMPONENT" \
  -m org.kde.kglobalaccel.Component.invokeShortcut new-note >/dev/null
expect_note_at 400 400 1
xdotool mousemove --sync 700 300
xdotool key ctrl+shift+c
expect_note_at 700 300 2

choose_hot_keys 1
wait_for_output "6
bring-forward|
new-note|7000006
roll-down|7000015
roll-up|7000013
toggle-on-top|7000014
toggle-panel|7000012" keys
xdotool mousemove --sync 200 700
xdotool key ctrl+shift+Insert
expect_note_at 200 700 3
choose_hot_keys 2
wait_for_output 0 actions
[ ! -s "$WORK/stderr.log" ] || fail "standard error holds: $(cat "$WORK/stderr.log")"
quit_without_saving "$PANEL"
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
echo PASS
