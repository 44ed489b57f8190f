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

# Prints "margin caption text signature corner" of a screenshot as RRGGBB: the body
# margin (painted by the window), the middle of each label, and the outermost top-left
# pixel.
look() {
  echo "$(hex_pixel "$1" $((X + 3)) $((Y + 70))) $(hex_pixel "$1" $((X + 30)) $((Y + 7)))" \
    "$(hex_pixel "$1" $((X + 30)) $((Y + 90))) $(hex_pixel "$1" $((X + 30)) $((Y + H - 12)))" \
    "$(hex_pixel "$1" "$X" "$Y")"
}
# shows STEP WANT SHOT: the screenshot shows the note as WANT (see look)
shows() {
  local got; got=$(look "$3")
  [ "$got" = "$2" ] || fail "$1: the note shows $got, not $2"
}
# Opens the note menu with a right-click in the lower right of the text, away from the
# pixels look() reads, goes down the first keys to a submenu and picks with the second.
menu() {
  local n; n=$(program_windows)
  click_for $((X + 100)) $((Y + 100)) 3
  # shellcheck disable=SC2086
  keys_for $((n + 2)) $1
  # shellcheck disable=SC2086
  keys_for "$n" $2
}

shot_until "$SHOTS/note-repaint-yellow.png" shows "a yellow note" "FAFA96 969664 FAFA96 FAFA96 969664"

# "Color" > "Gray": the title is grayed, so Down lands on "Edit", the next on "Color";
# the submenu opens on "Random", nine further down is "Gray".
menu "Down Down Right" "Down Down Down Down Down Down Down Down Down Return"
shot_until "$SHOTS/note-repaint-gray.png" shows "after Color > Gray" "E6E6E6 828282 E6E6E6 E6E6E6 828282"

# "Style" > "Cut TL,BR": the top-left corner now lets the desktop through, the labels
# keep the new colours.
menu "Down Down Down Right" "Down Down Down Down Down Down Return"
shot_until "$SHOTS/note-repaint-cut.png" shows "after Style > Cut TL,BR" "E6E6E6 828282 E6E6E6 E6E6E6 $BG"

quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
