# The tray icon on a StatusNotifier host (a fake one on a private session bus): the
# item registers, exports the options menu, and a click on it (Activate) while the
# panel is hidden shows the panel.
source "$(dirname "$0")/lib.sh"
HOST=(/usr/bin/python3 "$(dirname "$0")/sni_host.py")

mapfile -t BUS < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=${BUS[0]}
PIDS+=("${BUS[1]}")
"${HOST[@]}" serve >"$WORK/host.log" 2>&1 &
PIDS+=("$!")
wait_for_output ready head -n1 "$WORK/host.log"

start
PANEL=$(panel_window)
wait_for_output 1 grep -c '^registered ' "$WORK/host.log"
SERVICE=$(sed -n 's/^registered //p' "$WORK/host.log")

"${HOST[@]}" layout "$SERVICE" >"$WORK/menu.txt" || fail "no exported menu"
for label in "Hide Panel" "Always Top" "Start at login" "Exit"; do
  grep -qx "$label" "$WORK/menu.txt" || fail "the exported menu lacks '$label': $(tr '\n' '|' <"$WORK/menu.txt")"
done

# Hidden (through the command line), then a click on the item brings it back; a click
# on a shown panel leaves it shown.
"$BIN" --toggle-panel || fail "--toggle-panel failed"
wait_for_output IsUnMapped map_state "$PANEL"
"${HOST[@]}" activate "$SERVICE" || fail "Activate failed"
wait_for_output IsViewable map_state "$PANEL"
"${HOST[@]}" activate "$SERVICE"
sleep 0.5 # time for a wrong hide to show: this checks that none comes
[ "$(map_state "$PANEL")" = IsViewable ] || fail "a click hid the shown panel"

press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
echo PASS
