# The action socket under a flood of idle connections: with a low descriptor limit and a
# thousand callers that never send a line, --new-note still works, the program stays
# idle, and the end of the session saves.
source "$(dirname "$0")/lib.sh"

# A hundred descriptors: more than the program needs, far fewer than the callers.
( ulimit -n 100 && exec "$BIN" ) 2>>"$WORK/stderr.log" &
PID=$!
PIDS+=("$PID")
panel_window >/dev/null
SOCKET="$RUNTIME/actions.socket"

# Holds 1,000 connections open (non-blocking: a full backlog is retried, never waited on).
python3 - "$SOCKET" "$WORK/held" <<'END' &
import errno, os, resource, socket, sys, time
soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (hard, hard))
held, deadline = [], time.time() + 20
while len(held) < 1000 and time.time() < deadline:
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.setblocking(False)
    if s.connect_ex(sys.argv[1]) == 0:
        held.append(s)
    else:
        s.close()
        time.sleep(0.01)
open(sys.argv[2], "w").write(str(len(held)))
time.sleep(600)
END
PIDS+=($!)
for _ in $(seq 300); do [ -s "$WORK/held" ] && break; sleep 0.1; done
[ "$(cat "$WORK/held")" = 1000 ] || fail "the program took only $(cat "$WORK/held") connections"

# CPU ticks the program used so far (user + system).
ticks() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
BEFORE=$(ticks)
START=$(date +%s%N)
xdotool mousemove --sync 500 400
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" || fail "--new-note failed: $(cat "$WORK/stderr.log")"
wait_for_output 1 eval 'note_windows | wc -l'
sleep 2 # a window to measure the program's CPU use in, not a wait for a condition
USED=$(($(ticks) - BEFORE))
WALL=$((($(date +%s%N) - START) / 10000000)) # in ticks of 10 ms
((USED * 2 < WALL)) || fail "the program used $USED of $WALL ticks while idle"

kill -TERM "$PID"
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC: $(cat "$WORK/stderr.log")"
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 1 ] || fail "the new note was not saved"
echo PASS
