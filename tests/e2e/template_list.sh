# The panel's template list with the mouse: a double-click on a template opens a new
# note from it centred on the pointer; a right-click opens the template menu, whose
# "Color" submenu recolours that template; Shift+F10 opens the same menus from the
# keyboard on the list and on a note; Enter stores both.
# Screenshots are kept in the folder given as second argument.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS"

start
PANEL=$(panel_window)
read -r PX PY _ _ <<<"$(geometry "$PANEL")"
# The list sits at 7,29 dialog units (x*6/4, y*13/8) in the panel; in icon view each
# template has a 72 x 64 cell, in a column down the left edge, with its icon near the
# top of the cell.
LX=$((PX + 7 * 6 / 4)) LY=$((PY + 29 * 13 / 8))
ITEM_X=$((LX + 1 + 36))
item_y() { echo $((LY + 20 + 64 * $1)); }

# The factory templates, all 132 x 152: Green1 round all, Blue2 rectangle, Orange cut BL.
[ "$(note_windows | wc -l)" = 0 ] || fail "notes open before any was made"

X0=$ITEM_X ITEM_Y=$(item_y 0)
xdotool mousemove --sync "$X0" "$ITEM_Y" click --repeat 2 --delay 80 1
wait_for_output 1 bash -c "note_windows | wc -l"
NOTE=$(note_windows)
[ "$(geometry "$NOTE")" = "$((X0 - 66)) $((ITEM_Y - 76)) 132 152" ] ||
  fail "the new note is at $(geometry "$NOTE"), not centred on the pointer at $X0,$ITEM_Y"

# The new note covers the first templates; the third is still in the open.
n=$(program_windows)
xdotool mousemove --sync "$ITEM_X" "$(item_y 2)"
click_for "$ITEM_X" "$(item_y 2)" 3
import -window root "$SHOTS/template-menu.png"
# "Template" is a grayed title: two steps down is "Color"; its submenu opens on "Red",
# seven further down is "Violet".
keys_for $((n + 2)) Down Down Right
import -window root "$SHOTS/template-color-menu.png"
keys_for "$n" Down Down Down Down Down Down Down Return

# No new note came from the right-click or the menu: the menus have closed, and no
# window came in their place.
[ "$(note_windows | wc -l)" = 1 ] || fail "the template menu opened a note"

# Shift+F10 on the list (the third template selected by a click, as the recolouring
# refilled the list) and on the note: in each menu two steps down is "Color", whose
# submenu opens on its first item, then STEPS down.
keyboard_menu() { # keyboard_menu WINDOW STEPS
  local n; n=$(program_windows)
  xdotool windowfocus --sync "$1" key shift+F10
  wait_for_output $((n + 1)) program_windows
  keys_for $((n + 2)) Down Down Right
  keys_for "$n" $(printf 'Down %.0s' $(seq "$2")) Return
}
# No --sync: the pointer is already there, and xdotool would wait for a move.
xdotool mousemove "$ITEM_X" "$(item_y 2)" click 1
keyboard_menu "$PANEL" 4 # Red, then Green2
keyboard_menu "$NOTE" 2  # Random, Red, then Orange

press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"

# default color size shape text: only the third template's colour changed (1 -> 7 -> 4).
got=$(templates_in "$DATA/data1.log")
want="0 3 1 2 Don't forget about...
0 6 1 0 Great idea...
0 4 1 4 To do..."
[ "$got" = "$want" ] || fail "data1.log holds
$got"
# minimized color size shape left top text
got=$(notes_in "$DATA/data2.log")
[ "$got" = "0 1 1 2 $((X0 - 66)) $((ITEM_Y - 76)) Don't forget about..." ] || fail "data2.log holds
$got"
echo PASS
