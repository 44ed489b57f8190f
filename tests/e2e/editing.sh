# Typing in a note on the real X server. A word wider than the note breaks on the note as
# in the editor; the note menu opened while typing leaves the edit going on; the editor
# takes no text beyond its box, so the note shows all that was typed.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS"

X=200 Y=200 # a 120 x 140 note
note_record 0 2 0 0 $X $Y "Hi" | write_notes 1
start
PANEL=$(panel_window)
wait_for_output 1 eval 'note_windows | wc -l'
NOTE=$(note_windows)

# Whether the note's second text line shows ink (black text on the yellow note).
second_line_inked() {
  import -window root "$WORK/shot.png"
  convert "$WORK/shot.png" -crop 90x8+$((X + 10))+$((Y + 39)) -colorspace gray \
    -format "%[fx:minima < 0.3 ? 1 : 0]" info:
}
# Double-clicks the text to edit it (all of it selected).
edit_text() {
  xdotool mousemove --sync $((X + 40)) $((Y + 30)) click --repeat 2 --delay 80 1
}
# The panel taking the focus ends the edit: the note's text area turns from the
# editor's white to the note's yellow.
text_area() {
  import -window root "$WORK/area.png"
  hex_pixel "$WORK/area.png" $((X + 60)) $((Y + 100))
}
end_edit() {
  xdotool windowfocus --sync "$PANEL"
  wait_for_output FAFA96 text_area
}
program_windows() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l; }

# One word wider than the note: its rest goes on the second line.
edit_text
xdotool type --delay 20 "a$(printf 'w%.0s' $(seq 30))"
end_edit
wait_for_output 1 second_line_inked
cp "$WORK/shot.png" "$SHOTS/editing-long-word.png"

# The note menu in the middle of typing: the keys after it still go into the text.
edit_text
xdotool type --delay 20 "x"
BEFORE=$(program_windows)
xdotool mousemove --sync $((X + 40)) $((Y + 7)) click 3
wait_for_output $((BEFORE + 1)) program_windows
xdotool key Escape
wait_for_output "$BEFORE" program_windows
xdotool type --delay 20 "yz"
# Far more than the box holds.
xdotool type --delay 5 "$(printf ' word%.0s' $(seq 80))"
end_edit
press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
TEXT=$(notes_in "$DATA/data2.log" | cut -d' ' -f7-)
case "$TEXT" in xyz\ word*) ;; *) fail "the keys after the menu were lost: '$TEXT'" ;; esac
[ "${#TEXT}" -lt 300 ] || fail "the note took ${#TEXT} characters, more than its box shows"
echo PASS
