# No way of ending loses the session: kill -9, a vanished X server, a stray Escape, and
# the end of the session while a question is open.
source "$(dirname "$0")/lib.sh"

note_count() { note_windows | wc -l; }
# The panel and any box captioned like it.
pinleaf_windows() { xdotool search --onlyvisible --name '^Pinleaf$' 2>/dev/null | wc -l; }
# The visible window named like the panel that is not the panel.
box_beside() { xdotool search --onlyvisible --name '^Pinleaf$' | grep -vx "$1" | head -1; }
# The program has not ended: time for a wrong exit to happen, a check that none does.
still_running() { sleep 1; kill -0 "$PID" 2>/dev/null || fail "the program ended"; }
snapshot_notes() { notes_in "$MACHINE/recovery/data2.log" | wc -l; }

# --- kill -9 once the snapshot holds two new notes: the next start shows both and says so.
start
PANEL=$(panel_window)
xdotool mousemove --sync 400 400 key ctrl+shift+c
xdotool mousemove --sync 700 300 key ctrl+shift+c
wait_for_output 2 note_count
wait_for_output 2 snapshot_notes
kill -KILL "$PID"
wait_end "$PID"
[ ! -e "$DATA/data2.log" ] || fail "the stores were written"
[ "$(snapshot_notes)" = 2 ] || fail "the snapshot lacks the notes"

start
PANEL=$(panel_window)
wait_for_output 2 note_count
wait_for_output 2 pinleaf_windows # the restore message
press "$(box_beside "$PANEL")" Return
wait_for_output 1 pinleaf_windows

# --- Escape after a change asks; No (Escape on the question) keeps running.
press "$PANEL" Escape
wait_for_output 2 pinleaf_windows
press "$(box_beside "$PANEL")" Escape
still_running
wait_for_output 1 pinleaf_windows
# Enter answers No, the default button: a stray Escape and Enter lose nothing.
press "$PANEL" Escape
wait_for_output 2 pinleaf_windows
press "$(box_beside "$PANEL")" Return
still_running
wait_for_output 1 pinleaf_windows
# Yes ends without writing and drops the snapshot.
press "$PANEL" Escape
wait_for_output 2 pinleaf_windows
press "$(box_beside "$PANEL")" y
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC after Escape"
[ ! -e "$DATA/data2.log" ] && [ ! -e "$MACHINE/recovery" ] || fail "Escape wrote or kept files"

# --- SIGTERM while "New" asks its question: gone within 2 s, four stores written.
start
PANEL=$(panel_window)
read -r px py _ _ <<<"$(geometry "$PANEL")"
xdotool mousemove --sync $((px + 25)) $((py + 20)) click 1
QUESTION=$(timeout 10 xdotool search --sync --onlyvisible --name '^New template') ||
  fail "no question after New"
kill -TERM "$PID"
for _ in $(seq 20); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PID" 2>/dev/null && fail "still running 2 s after SIGTERM with a question open"
wait_end "$PID"
for f in file1.dat data1.log data2.log data3.log; do
  [ -e "$DATA/$f" ] || fail "$f not written at the end of the session"
done
[ "$(templates_in "$DATA/data1.log" | wc -l)" = 3 ] || fail "the cancelled question added a template"

# --- The X server goes away half a second after two notes: the stores hold them.
# A bare Xvfb, with the suite's server options, so that its process is the one killed.
source "$(dirname "$0")/xvfb.sh"
Xvfb -displayfd 5 "${XVFB_SERVER_ARGS[@]}" -nolisten tcp 5>"$WORK/display" 2>/dev/null &
XPID=$!
PIDS+=("$XPID")
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
MAIN_DISPLAY=$DISPLAY
export DISPLAY=":$(cat "$WORK/display")"
start
PANEL=$(panel_window)
xdotool mousemove --sync 300 300 key ctrl+shift+c
xdotool mousemove --sync 600 600 key ctrl+shift+c
wait_for_output 2 note_count
kill -KILL "$XPID"
wait_end "$PID"
export DISPLAY=$MAIN_DISPLAY
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 2 ] || fail "the notes were lost with the X server"
[ ! -e "$MACHINE/recovery" ] || fail "a snapshot was left after the stores were written"

start
PANEL=$(panel_window)
wait_for_output 2 note_count
press "$PANEL" Escape # nothing changed: no question
wait_end "$PID"
echo PASS
