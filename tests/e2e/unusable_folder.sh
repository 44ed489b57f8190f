# A data folder that cannot exist gives one clear line, a message box (there may be no
# terminal to read the line) and a failure status.
source "$(dirname "$0")/lib.sh"

BLOCKER="$WORK/blocker"
echo x >"$BLOCKER"
XDG_DATA_HOME="$BLOCKER" timeout 20 "$BIN" 2>"$WORK/err.txt" &
PID=$!
PIDS+=("$PID")
BOX=$(timeout 15 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1) ||
  fail "no message box"
# Only the box: no panel or note was made.
[ "$(xdotool search --onlyvisible --name '^Pinleaf' | wc -l)" = 1 ] || fail "a window was made"
press "$BOX" Return
wait_end "$PID"
[ "$RC" != 0 ] || fail "exit status 0"
[ "$RC" != 124 ] || fail "the program kept running"
LINES=$(grep -c "$BLOCKER/Pinleaf/" "$WORK/err.txt" || true)
[ "$LINES" = 1 ] || { cat "$WORK/err.txt"; fail "expected one line naming the folder"; }
echo PASS
