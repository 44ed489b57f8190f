# The program's global hot keys on a real X server: on a first start Ctrl+Shift+C makes
# a note centred on the pointer and Ctrl+Shift+Q hides and shows the panel; with the
# "Right keys" set stored, Ctrl+Shift+Insert makes the note and Ctrl+Shift+C does
# nothing; a combination another client holds does not stop the others.
# The third argument is the folder holding the hot key probe.
source "$(dirname "$0")/lib.sh"
TOOLS=${3:?usage: hotkeys_real.sh pinleaf shots-folder tools-folder}

note_count() { note_windows | wc -l; }

# A note from the default template (on a first start the last factory template,
# 132 x 152) centred on the pointer.
expect_note_at_pointer() { # expect_note_at_pointer X Y COUNT
  wait_for_output "$3" note_count
  local w found=""
  for w in $(note_windows); do
    [ "$(geometry "$w")" = "$(($1 - 66)) $(($2 - 76)) 132 152" ] && found=$w
  done
  [ -n "$found" ] || fail "no note centred on $1,$2: $(for w in $(note_windows); do geometry "$w"; done | tr '\n' ';')"
}

# Ctrl+Shift+Q hides and shows the panel.
toggle_panel_by() { # toggle_panel_by KEYS
  xdotool key "$1"
  wait_for_output IsUnMapped map_state "$PANEL"
  xdotool key "$1"
  wait_for_output IsViewable map_state "$PANEL"
}

# --- First start: the left set.
start
PANEL=$(panel_window)
xdotool mousemove --sync 400 400
xdotool key ctrl+shift+c
expect_note_at_pointer 400 400 1
xdotool mousemove --sync 700 300
xdotool key ctrl+shift+c
expect_note_at_pointer 700 300 2
toggle_panel_by ctrl+shift+q
# The arrow keys and Insert belong to the other set: once the panel has come and gone
# again, every key pressed before has been handled.
xdotool key ctrl+shift+Insert ctrl+shift+Left
toggle_panel_by ctrl+shift+q
[ "$(note_count)" = 2 ] || fail "Ctrl+Shift+Insert made a note with the left set"
[ "$(map_state "$PANEL")" = IsViewable ] || fail "Ctrl+Shift+Left moved the panel with the left set"
quit_without_saving "$PANEL"
wait_end "$PID"

# --- "Right keys" stored in the settings: not topmost, shown, blue, rectangle, icons,
# hot key set 1, at the bottom-right corner.
write_settings 0 1 0 0 0 1 1021 690
start
PANEL=$(panel_window)
xdotool mousemove --sync 500 500
xdotool key ctrl+shift+c ctrl+shift+Insert
expect_note_at_pointer 500 500 1
toggle_panel_by ctrl+shift+Left
xdotool key ctrl+shift+c ctrl+shift+q
toggle_panel_by ctrl+shift+Left
[ "$(note_count)" = 1 ] || fail "Ctrl+Shift+C made a note with the right set"
quit_without_saving "$PANEL"
wait_end "$PID"

# --- Ctrl+Shift+Q held by another client first: the program still gets the others.
rm -f "$DATA/file1.dat"
"$TOOLS/hotkey_probe" --grab 99:6:0x51 >"$WORK/probe.out" 2>"$WORK/probe.err" &
PIDS+=("$!")
for _ in $(seq 300); do
  grep -q '^ready$' "$WORK/probe.out" && break
  sleep 0.1
done
grep -q '^grab 99 ok$' "$WORK/probe.out" || fail "the probe could not take Ctrl+Shift+Q: $(cat "$WORK/probe.out")"
start
PANEL=$(panel_window)
xdotool mousemove --sync 300 600
xdotool key ctrl+shift+c
expect_note_at_pointer 300 600 1
xdotool key ctrl+shift+q
for _ in $(seq 300); do
  grep -q '^pressed 99$' "$WORK/probe.out" && break
  sleep 0.1
done
grep -q '^pressed 99$' "$WORK/probe.out" || fail "Ctrl+Shift+Q did not reach the client holding it"
# The press went to the probe alone; a later key shows the program saw nothing of it.
xdotool mousemove --sync 900 300
xdotool key ctrl+shift+c
expect_note_at_pointer 900 300 2
[ "$(map_state "$PANEL")" = IsViewable ] || fail "Ctrl+Shift+Q, held elsewhere, hid the panel"
quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
