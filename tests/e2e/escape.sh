# Escape ends the program without writing anything.
source "$(dirname "$0")/lib.sh"

start
WID=$(panel_window)
press "$WID" Escape
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
for f in file1.dat data1.log data2.log data3.log; do
  [ ! -e "$DATA/$f" ] || fail "$f was written"
done
echo PASS
