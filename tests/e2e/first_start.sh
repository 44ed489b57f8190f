# First start: the panel comes up at the bottom-right corner; Enter writes the settings
# (defaults plus the position), the categories and the templates, and no notes.
source "$(dirname "$0")/lib.sh"

start
WID=$(panel_window)
read -r X Y W H <<<"$(geometry "$WID")"
[ "$W $H" = "259 334" ] || fail "panel size $W x $H"
[ "$X $Y" = "1021 690" ] || fail "panel at $X,$Y, not at the bottom-right corner"

press "$WID" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
[ "$(stat -c %s "$DATA/file1.dat")" = 26 ] || fail "file1.dat is not 26 bytes"
# not topmost, shown, blue, rectangle, icons, left keys, then 1021 and 690
[ "$(hex_of "$DATA/file1.dat")" = "0001$(printf "%032d" 0)fd030000b2020000" ] ||
  fail "file1.dat holds $(hex_of "$DATA/file1.dat")"
[ -s "$DATA/data3.log" ] || fail "no categories written"
[ -s "$DATA/data1.log" ] || fail "no templates written"
[ -e "$DATA/data2.log" ] && [ ! -s "$DATA/data2.log" ] || fail "the notes store is not the empty file of no open notes"
echo PASS
