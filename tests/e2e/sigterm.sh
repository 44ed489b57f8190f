# The end of the session (SIGTERM) saves like "Exit", including a moved panel's place.
source "$(dirname "$0")/lib.sh"

write_settings 0 1 2 0 0 0 100 200
start
WID=$(panel_window)
xdotool windowmove --sync "$WID" 300 400
kill -TERM "$PID"
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
[ "$(hex_of "$DATA/file1.dat")" = "000102000000$(printf "%024d" 0)2c01000090010000" ] ||
  fail "file1.dat holds $(hex_of "$DATA/file1.dat")"
[ -s "$DATA/data3.log" ] && [ -s "$DATA/data1.log" ] || fail "stores missing"
echo PASS
