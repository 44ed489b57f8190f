# The markers and the action socket when something is in the way. A running-copy marker
# of another user, held locked, is refused with one line, a message box and status 1.
# A caller that cannot reach the running copy says why and fails; a file in place of the
# socket stays. A runtime folder too deep for a socket address still takes actions.
source "$(dirname "$0")/lib.sh"

# A runtime folder deeper than a socket address can name.
DEEP="$WORK/run/$(printf 'deep%.0s' $(seq 30))"
mkdir -p -m 700 "$DEEP"
XDG_RUNTIME_DIR=$DEEP start
PANEL=$(panel_window)
XDG_RUNTIME_DIR=$DEEP timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" ||
  fail "--new-note with a deep runtime folder: $(cat "$WORK/stderr.log")"
wait_for_output 1 eval 'note_windows | wc -l'
press "$PANEL" Return
wait_end "$PID"
rm "$DATA/data2.log"

# A regular file where the socket goes: it stays, and the caller says why it failed.
start
PANEL=$(panel_window)
SOCKET="$RUNTIME/actions.socket"
press "$PANEL" Return
wait_end "$PID"
rm -f "$SOCKET"
echo keep >"$SOCKET"
start
PANEL=$(panel_window)
RC=0
timeout 10 "$BIN" --new-note 2>"$WORK/caller.txt" || RC=$?
[ "$RC" = 1 ] || fail "--new-note without a socket ended with $RC"
[ "$(wc -l <"$WORK/caller.txt")" = 1 ] && grep -q "is not a socket" "$WORK/caller.txt" ||
  fail "the caller said: $(cat "$WORK/caller.txt")"
[ "$(cat "$SOCKET")" = keep ] || fail "the file at the socket's place was removed"
[ "$(note_windows | wc -l)" = 0 ] || fail "a note appeared"
press "$PANEL" Return
wait_end "$PID"

# A running marker of another user, held locked by that user.
if [ "$(id -u)" = 0 ]; then
  chown 65534 "$RUNTIME/xr.log"
  ( exec 9<"$RUNTIME/xr.log" && flock -x 9 && exec sleep 600 ) >/dev/null 2>&1 &
  PIDS+=($!)
  timeout 20 "$BIN" 2>"$WORK/err.txt" &
  PID=$!
  PIDS+=("$PID")
  BOX=$(timeout 15 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1) ||
    fail "no message box for a marker of another user"
  press "$BOX" Return
  wait_end "$PID"
  [ "$RC" = 1 ] || fail "exit status $RC with a marker of another user"
  [ "$(grep -c 'xr.log belongs to another user' "$WORK/err.txt")" = 1 ] ||
    fail "the line said: $(cat "$WORK/err.txt")"
else
  echo "not root: a marker of another user cannot be made here"
fi
echo PASS
