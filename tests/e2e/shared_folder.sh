# Two machines, each with its own X server, whose data folders a sync tool keeps equal:
# a note made on A shows on B, a note closed on B goes on A, notes made on both at the
# same moment end on both, and after both quit the notes store has the same bytes on
# both, with no conflict file. The sync tool here is a small loop that copies a store
# that changed on one side to the other through a temporary file and a rename, keeping
# a conflict copy as Syncthing does when both sides changed it.
source "$(dirname "$0")/lib.sh"

B="$WORK/b"
DATA_B="$B/data/Pinleaf"
mkdir -p "$DATA" "$DATA_B" "$B/run" "$B/state" "$B/config" "$WORK/config"
chmod 700 "$B/run"
# Syncthing's marker: both folders count as shared.
mkdir -p "$DATA/.stfolder" "$DATA_B/.stfolder"
export XDG_CONFIG_HOME="$WORK/config"

# Machine B's X server, started the way the suite starts every one.
bash "$(dirname "$0")/xvfb.sh" \
  bash -c 'echo "$DISPLAY $$ $XAUTHORITY" >"$0.tmp"; mv "$0.tmp" "$0"; exec sleep 600' "$WORK/display_b" &
for _ in $(seq 300); do [ -s "$WORK/display_b" ] && break; sleep 0.1; done
[ -s "$WORK/display_b" ] || fail "the second X server did not start"
read -r DISPLAY_B SERVER_B AUTH_B <"$WORK/display_b"
PIDS+=("$SERVER_B")

on_b() {
  env DISPLAY="$DISPLAY_B" XAUTHORITY="$AUTH_B" XDG_DATA_HOME="$B/data" XDG_RUNTIME_DIR="$B/run" \
    XDG_STATE_HOME="$B/state" XDG_CONFIG_HOME="$B/config" "$@"
}
count_a() { note_windows | wc -l; }
count_b() { on_b bash -c 'note_windows | wc -l'; }

# The sync tool.
sync_loop() {
  declare -A last
  local f a b
  while :; do
    [ -e "$WORK/offline" ] && { sleep 0.1; continue; }
    for f in file1.dat data1.log data2.log data3.log; do
      a=$({ md5sum <"$DATA/$f"; } 2>/dev/null || true)
      b=$({ md5sum <"$DATA_B/$f"; } 2>/dev/null || true)
      if [ -e "$DATA/$f" ] && [ "$a" != "${last[$f]:-}" ]; then
        # Changed on both sides since the last round: A wins, and B's version stays
        # beside it under the name Syncthing gives such a copy.
        if [ -e "$DATA_B/$f" ] && [ "$b" != "${last[$f]:-}" ] && [ "$b" != "$a" ]; then
          cp "$DATA_B/$f" "$DATA_B/${f%.*}.sync-conflict-20240131-235959-BBBBBBB.${f##*.}"
        fi
        cp "$DATA/$f" "$DATA_B/.$f.part" && mv -f "$DATA_B/.$f.part" "$DATA_B/$f"
        last[$f]=$a
      elif [ -e "$DATA_B/$f" ] && [ "$b" != "${last[$f]:-}" ]; then
        cp "$DATA_B/$f" "$DATA/.$f.part" && mv -f "$DATA/.$f.part" "$DATA/$f"
        last[$f]=$b
      fi
    done
    sleep 0.1
  done
}
sync_loop &
PIDS+=("$!")

start
PANEL_A=$(panel_window)
on_b "$BIN" 2>>"$WORK/stderr_b.log" &
PID_B=$!
PIDS+=("$PID_B")
PANEL_B=$(on_b timeout 30 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1)
[ -n "$PANEL_B" ] || fail "B's panel did not show"

# A note made on A shows on B.
xdotool mousemove --sync 300 300
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" || fail "--new-note on A"
wait_for_output 1 count_a
wait_for_output 1 count_b

# Closed on B, it goes on A.
NOTE_B=$(on_b bash -c note_windows)
on_b xdotool windowfocus --sync "$NOTE_B" key Escape
wait_for_output 0 count_b
wait_for_output 0 count_a

# One note made on each while the machines do not reach each other: both are written,
# the sync tool then finds the store changed on both sides, and both notes end on both.
# (Made in different seconds: a note is known by the second it was made in.)
touch "$WORK/offline"
on_b xdotool mousemove --sync 700 600
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" || fail "--new-note on A"
sleep 1.1
on_b timeout 10 "$BIN" --new-note 2>>"$WORK/stderr_b.log" || fail "--new-note on B"
wait_for_output 1 eval 'notes_in "$DATA/data2.log" | wc -l'
wait_for_output 1 eval 'notes_in "$DATA_B/data2.log" | wc -l'
rm "$WORK/offline"
wait_for_output 2 count_a
wait_for_output 2 count_b

# Both quit with Enter: the same notes store on both, no conflict file anywhere.
press "$PANEL_A" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "A ended with $RC"
on_b xdotool windowfocus --sync "$PANEL_B" key Return
wait_end "$PID_B"
[ "$RC" = 0 ] || fail "B ended with $RC"
same() { cmp -s "$DATA/data2.log" "$DATA_B/data2.log" && echo same; }
wait_for_output same same
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 2 ] || fail "not two notes: $(notes_in "$DATA/data2.log")"
# Nothing but the stores in the shared folders: no conflict file, no lock, socket or
# recovery copy, and no settings (those are each machine's own there).
for d in "$DATA" "$DATA_B"; do
  other=$(ls -A "$d" | grep -vxE '\.stfolder|data[123]\.log' || true)
  [ -z "$other" ] || fail "$d holds more than the stores: $other"
done
echo PASS
