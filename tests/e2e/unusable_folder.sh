# A data folder that cannot exist gives one clear line and a failure status.
source "$(dirname "$0")/lib.sh"

BLOCKER="$WORK/blocker"
echo x >"$BLOCKER"
RC=0
XDG_DATA_HOME="$BLOCKER" timeout 20 "$BIN" 2>"$WORK/err.txt" || RC=$?
[ "$RC" != 0 ] || fail "exit status 0"
[ "$RC" != 124 ] || fail "the program kept running"
LINES=$(grep -c "$BLOCKER/Pinleaf/" "$WORK/err.txt" || true)
[ "$LINES" = 1 ] || { cat "$WORK/err.txt"; fail "expected one line naming the folder"; }
[ -z "$(xdotool search --name '^Pinleaf$' || true)" ] || fail "a window was made"
echo PASS
