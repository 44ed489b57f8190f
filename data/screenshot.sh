# Makes data/screenshot.png, the picture the AppStream file shows: the panel and a few
# notes, as a real run of the program under a virtual X server draws them.
#   bash tests/e2e/xvfb.sh \
#     bash data/screenshot.sh build/pinleaf build-test/tests/e2e/root_color data/screenshot.png
source "$(dirname "$0")/../tests/e2e/lib.sh"
ROOT_COLOR=${2:?usage: screenshot.sh path/to/pinleaf path/to/root_color OUT.png}
OUT=${3:?}
CR=$'\r\n'

"$ROOT_COLOR" 56606b
# minimized color size shape left top text (the panel starts at the bottom right)
{
  note_record 0 0 2 0 500 600 "Call the plumber${CR}before Friday"
  note_record 0 4 1 1 680 610 "Milk, bread,${CR}apples, coffee"
  note_record 0 6 3 0 520 790 "Team meeting${CR}10:30, room 4"
  note_record 0 2 2 3 830 770 "Birthday card${CR}for Anna!"
} | write_notes 4

start
PANEL=$(panel_window)
wait_for_output 4 bash -c "xdotool search --onlyvisible --name '^Pinleaf note\$' | wc -l"
xdotool mousemove --sync 0 0
sleep 1 # the windows have painted: this makes a picture, it checks nothing
import -window root -crop 800x450+480+574 +repage "$WORK/shot.png"
# A small file: the picture has few colours.
convert "$WORK/shot.png" -strip +dither -colors 64 -define png:compression-level=9 "$OUT"
