# What the X server shows after a note is restyled from its own menu: a new colour and
# a new style reach the caption strip, the text area and the signature line at once,
# not only the margin and frame the note window paints itself. Pixels are read from a
# screenshot of the root window; screenshots are kept in the folder given as second
# argument.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
TOOLS=${3:?usage: note_repaint.sh pinleaf shots-folder tools-folder}
mkdir -p "$SHOTS"

BG=204060
X=200 Y=200 W=120 H=140 # a Yellow 120 x 140 rectangle, signature line off
note_record 0 2 0 0 $X $Y "Hello" | write_notes 1

note_windows_count() { note_windows | wc -l; }

start
PANEL=$(panel_window)
wait_for_output 1 note_windows_count
NOTE=$(note_windows)
"$TOOLS/root_color" "$BG"

# Prints "margin caption text signature corner" as RRGGBB: the body margin (painted by
# the window), the middle of each label, and the outermost top-left pixel.
look() {
  local shot="$SHOTS/note-repaint-$1.png"
  sleep 0.5 # let the menu close and any repaint land
  import -window root "$shot"
  echo "$(hex_pixel "$shot" $((X + 3)) $((Y + 70))) $(hex_pixel "$shot" $((X + 30)) $((Y + 7)))" \
    "$(hex_pixel "$shot" $((X + 30)) $((Y + 90))) $(hex_pixel "$shot" $((X + 30)) $((Y + H - 12)))" \
    "$(hex_pixel "$shot" "$X" "$Y")"
}
# Opens the note menu with a right-click in the lower right of the text, away from the
# pixels look() reads, and walks it with the keyboard.
menu() {
  # No --sync: from the second menu on the pointer is already there, and xdotool would
  # wait for a move.
  xdotool mousemove $((X + 100)) $((Y + 100)) sleep 0.2 click 3
  sleep 0.4
  xdotool key "$@"
}

[ "$(look yellow)" = "FAFA96 969664 FAFA96 FAFA96 969664" ] || fail "yellow note shows $(look yellow)"

# "Color" > "Gray": the title is grayed, so Down lands on "Edit", the next on "Color";
# the submenu opens on "Random", nine further down is "Gray".
menu Down Down Right Down Down Down Down Down Down Down Down Down Return
got=$(look gray)
[ "$got" = "E6E6E6 828282 E6E6E6 E6E6E6 828282" ] || fail "after Color > Gray the note shows $got"

# "Style" > "Cut TL,BR": the top-left corner now lets the desktop through, the labels
# keep the new colours.
menu Down Down Down Right Down Down Down Down Down Down Return
got=$(look cut)
[ "$got" = "E6E6E6 828282 E6E6E6 E6E6E6 $BG" ] || fail "after Style > Cut TL,BR the note shows $got"

quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
