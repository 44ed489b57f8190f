# Saved notes come back where they were: a normal one at its place, a rolled-up one
# under the top edge, one saved off every screen in the middle. Rolling up by the bottom
# strip, dragging (a rolled-up note only sideways) and Enter store the new places.
source "$(dirname "$0")/lib.sh"

# A: Yellow 120 x 140 at (200, 300); B: rolled up, 150 x 110, restores to (500, 400);
# C: 132 x 152 saved at (5000, 5000).
{
  note_record 0 2 0 0 200 300 "Note A"
  note_record 1 5 3 0 500 400 "Note B"
  note_record 0 3 1 0 5000 5000 "Note C"
} | write_notes 3

start
PANEL=$(panel_window)
wait_for_output 3 bash -c "note_windows | wc -l"

# Tells the note windows apart by their width (a rolled-up note's window is its strip).
note_of_width() {
  local w
  for w in $(note_windows); do
    read -r _ _ ww _ <<<"$(geometry "$w")"
    [ "$ww" = "$1" ] && { echo "$w"; return 0; }
  done
  return 1
}
A=$(note_of_width 120) || fail "no 120 x 140 note"
B=$(note_of_width 150) || fail "no 150 x 110 note"
C=$(note_of_width 132) || fail "no 132 x 152 note"

[ "$(geometry "$A")" = "200 300 120 140" ] || fail "note A at $(geometry "$A")"
# Rolled up: only its bottom 20 pixels show, as a window of their size.
[ "$(geometry "$B")" = "500 0 150 20" ] || fail "note B at $(geometry "$B")"
# Off screen: centred on the 1280 x 1024 desktop.
[ "$(geometry "$C")" = "574 436 132 152" ] || fail "note C at $(geometry "$C")"

# Window lists get the program's picture: each note only the 16-pixel one (a hundred
# notes each carrying every size cost start-up time), the panel three sizes.
icon_sizes() { xprop -id "$1" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' '; }
for w in "$A" "$B" "$C"; do
  [ "$(icon_sizes "$w")" = "Icon (16 x 16) " ] || fail "note icon: $(icon_sizes "$w")"
done
[ "$(icon_sizes "$PANEL")" = "Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) " ] ||
  fail "panel icon: $(icon_sizes "$PANEL")"

# A click on A's bottom 5-pixel strip rolls it up.
xdotool mousemove --sync 260 437 click 1
wait_for_output "200 0 120 20" geometry "$A"

# C dragged by its caption strip moves with the pointer.
xdotool mousemove --sync 600 440 mousedown 1
xdotool mousemove --sync 700 490
xdotool mousemove --sync 720 500 mouseup 1
wait_for_output "694 496 132 152" geometry "$C"

# B dragged along its visible strip moves sideways only.
xdotool mousemove --sync 560 8 mousedown 1
xdotool mousemove --sync 640 60
xdotool mousemove --sync 660 80 mouseup 1
wait_for_output "600 0 150 20" geometry "$B"

# The pointer at the very top over B's strip drops B into view; once the pointer has
# left it, B goes back up by itself.
xdotool mousemove --sync 650 3
xdotool mousemove --sync 660 1
wait_for_output "600 0 150 110" geometry "$B"
xdotool mousemove --sync 100 800
wait_for_output "600 0 150 20" geometry "$B"

# Give the pointer time to leave no peek pending, then save with Enter.
xdotool mousemove --sync 100 900
press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"

# minimized color size shape left top text; a rolled-up note keeps the top to return to.
want="1 2 0 0 200 300 Note A
1 5 3 0 600 400 Note B
0 3 1 0 694 496 Note C"
got=$(notes_in "$DATA/data2.log")
[ "$got" = "$want" ] || fail "data2.log holds
$got"

# The next start puts them back where they were left.
start
PANEL=$(panel_window)
wait_for_output 3 bash -c "note_windows | wc -l"
A=$(note_of_width 120) && B=$(note_of_width 150) && C=$(note_of_width 132) ||
  fail "a note is missing after the restart"
[ "$(geometry "$A")" = "200 0 120 20" ] || fail "restarted note A at $(geometry "$A")"
[ "$(geometry "$B")" = "600 0 150 20" ] || fail "restarted note B at $(geometry "$B")"
[ "$(geometry "$C")" = "694 496 132 152" ] || fail "restarted note C at $(geometry "$C")"
press "$PANEL" Escape
wait_end "$PID"
echo PASS
