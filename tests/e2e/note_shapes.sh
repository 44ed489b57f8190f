# The seven note shapes as the X server shows them over a known desktop colour: a
# rounded or cut corner lets the desktop through, a square corner shows the note's
# frame. Screenshots are kept in the folder given as second argument.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
TOOLS=${3:?usage: note_shapes.sh pinleaf shots-folder tools-folder}
mkdir -p "$SHOTS"

BG=204060

# Frame and fill of the note colours 0..6 (Red .. Blue2).
FRAMES=(966464 966432 969664 649664 649632 646496 649696)
FILLS=(FAC8C8 FAC896 FAFA96 C8FAC8 C8FA96 C8C8FA C8FAFA)
# Corners tl tr bl br of each shape: S square, R rounded, C cut.
CORNERS=(SSSS RRSS RRRR SSSC SSCS CSSC SCCS)
NAMES=(Rectangle "Round top" "Round all" "Cut BR" "Cut BL" "Cut TL,BR" "Cut TR,BL")
W=120 H=140
X0=40 Y0=100 STEP=160

for shape in 0 1 2 3 4 5 6; do
  note_record 0 "$shape" 0 "$shape" $((X0 + shape * STEP)) $Y0 "${NAMES[$shape]}"
done | write_notes 7

start
PANEL=$(panel_window)
wait_for_output 7 bash -c "note_windows | wc -l"
# A desktop in a known colour, for the rounded and cut corners to let through.
"$TOOLS/root_color" "$BG"

# Each corner: its outermost pixel, and the pixel 3 px inside it diagonally. A square
# corner has the frame at its tip; a rounded one the desktop at the tip but the note
# at 3,3; a cut one (9 px) the desktop at both. The caption strip at the top is in the
# frame colour, the body below is the fill.
shapes_shown() {
  local SHOT=$1 shape x kinds frame fill i corner cx cy dx dy inner kind want_tip want_in tip in
  [ "$(hex_pixel "$SHOT" 20 20)" = "$BG" ] || fail "the desktop colour did not take"
  for shape in 0 1 2 3 4 5 6; do
    x=$((X0 + shape * STEP)) kinds=${CORNERS[$shape]}
    frame=${FRAMES[$shape]} fill=${FILLS[$shape]}
    i=0
    for corner in "0 0 1 1 $frame" "$((W - 1)) 0 -1 1 $frame" "0 $((H - 1)) 1 -1 $fill" "$((W - 1)) $((H - 1)) -1 -1 $fill"; do
      read -r cx cy dx dy inner <<<"$corner"
      kind=${kinds:$i:1}
      case $kind in
        S) want_tip=$frame want_in=$inner ;;
        R) want_tip=$BG want_in=$inner ;;
        C) want_tip=$BG want_in=$BG ;;
      esac
      tip=$(hex_pixel "$SHOT" $((x + cx)) $((Y0 + cy)))
      in=$(hex_pixel "$SHOT" $((x + cx + 3 * dx)) $((Y0 + cy + 3 * dy)))
      [ "$tip" = "$want_tip" ] || fail "${NAMES[$shape]}: corner $i tip is $tip, want $want_tip"
      [ "$in" = "$want_in" ] || fail "${NAMES[$shape]}: corner $i inside is $in, want $want_in"
      i=$((i + 1))
    done
    # The middle of the body is the fill, the middle of the left edge the frame.
    [ "$(hex_pixel "$SHOT" $((x + 4)) $((Y0 + 70)))" = "$fill" ] || fail "${NAMES[$shape]}: body"
    [ "$(hex_pixel "$SHOT" "$x" $((Y0 + 70)))" = "$frame" ] || fail "${NAMES[$shape]}: left edge"
    # Nothing of the note beyond its size.
    [ "$(hex_pixel "$SHOT" $((x + W)) $((Y0 + 70)))" = "$BG" ] || fail "${NAMES[$shape]}: wider than $W"
    [ "$(hex_pixel "$SHOT" $((x + 60)) $((Y0 + H)))" = "$BG" ] || fail "${NAMES[$shape]}: taller than $H"
  done
}

shot_until "$SHOTS/note-shapes.png" shapes_shown
press "$PANEL" Escape
wait_end "$PID"
echo PASS
