# The data folder holds only the stores: the lock, the hand-over request, the action
# socket and the recovery snapshot live in this machine's own folders, while the program
# runs and after a kill -9. A snapshot an earlier version left in the data folder is
# restored once and leaves the data folder; its stale markers go; its marker held by a
# running copy of that version makes this copy the second one.
source "$(dirname "$0")/lib.sh"

note_count() { note_windows | wc -l; }
pinleaf_windows() { xdotool search --onlyvisible --name '^Pinleaf$' 2>/dev/null | wc -l; }
box_beside() { xdotool search --onlyvisible --name '^Pinleaf$' | grep -vx "$1" | head -1; }
# Everything in the data folder that is not a store.
strangers() { ls -A "$DATA" | grep -vxE 'file1\.dat|data[123]\.log' || true; }
mode_of() { stat -c %a "$1"; }

# --- An earlier version's layout: a snapshot of two notes, markers nobody holds.
start
PANEL=$(panel_window)
[ -S "$RUNTIME/actions.socket" ] && [ -e "$RUNTIME/xr.log" ] || fail "no lock or socket in $RUNTIME"
[ "$(mode_of "$RUNTIME")" = 700 ] && [ "$(mode_of "$MACHINE")" = 700 ] ||
  fail "machine folders are not private"
xdotool mousemove --sync 400 400 key ctrl+shift+c
xdotool mousemove --sync 700 300 key ctrl+shift+c
wait_for_output 2 note_count
wait_for_output 2 eval 'notes_in "$MACHINE/recovery/data2.log" | wc -l'
[ -z "$(strangers)" ] || fail "the data folder holds $(strangers) while running"
kill -KILL "$PID"
wait_end "$PID"
[ -z "$(strangers)" ] || fail "the data folder holds $(strangers) after kill -9"
mv "$MACHINE/recovery" "$DATA/recovery"
: >"$DATA/xr.log"
: >"$DATA/xo.log"

# --- An earlier version still running holds its marker: this copy is the second one.
( exec 9<"$DATA/xr.log" && flock -x 9 && exec sleep 600 ) >/dev/null 2>&1 &
HOLDER=$!
PIDS+=("$HOLDER")
for _ in $(seq 50); do flock -n "$DATA/xr.log" true || break; sleep 0.1; done
RC=0
timeout 20 "$BIN" 2>>"$WORK/stderr.log" || RC=$?
[ "$RC" = 0 ] || fail "the copy beside an earlier version ended with $RC"
[ -d "$DATA/recovery" ] || fail "the second copy touched the snapshot"
kill -KILL "$HOLDER"
wait "$HOLDER" 2>/dev/null || true

# --- The next start restores the old snapshot and cleans the data folder.
start
PANEL=$(panel_window)
wait_for_output 2 note_count
wait_for_output 2 pinleaf_windows # the restore message
press "$(box_beside "$PANEL")" Return
wait_for_output 1 pinleaf_windows
[ -z "$(strangers)" ] || fail "the data folder still holds $(strangers)"
# A third note; the snapshot in the state folder takes it; kill -9 again.
xdotool mousemove --sync 200 600 key ctrl+shift+c
wait_for_output 3 note_count
wait_for_output 3 eval 'notes_in "$MACHINE/recovery/data2.log" | wc -l'
kill -KILL "$PID"
wait_end "$PID"
[ -z "$(strangers)" ] || fail "the data folder holds $(strangers) after the second kill -9"

# --- Restored from the state folder; Enter writes the stores and drops the snapshot.
start
PANEL=$(panel_window)
wait_for_output 3 note_count
wait_for_output 2 pinleaf_windows
press "$(box_beside "$PANEL")" Return
wait_for_output 1 pinleaf_windows
press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC after Enter"
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 3 ] || fail "the stores lack the notes"
[ ! -e "$MACHINE/recovery" ] || fail "the snapshot was left after the stores were written"
[ -z "$(strangers)" ] || fail "the data folder holds $(strangers) at the end"
echo PASS
