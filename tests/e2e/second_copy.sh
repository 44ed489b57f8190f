# A second copy ends at once without a window and leaves its request for the first copy.
source "$(dirname "$0")/lib.sh"

start
FIRST=$PID
panel_window >/dev/null
RC=0
timeout 20 "$BIN" 2>>"$WORK/stderr.log" || RC=$?
[ "$RC" = 0 ] || fail "second copy ended with $RC"
[ "$(xdotool search --onlyvisible --name '^Pinleaf$' | wc -l)" = 1 ] || fail "more than one panel"
[ -e "$RUNTIME/xo.log" ] || fail "no hand-over request left"
kill -0 "$FIRST" || fail "the first copy ended"
[ ! -e "$DATA/file1.dat" ] || fail "the second copy wrote the settings"
echo PASS
