# Two machines, each with its own X server, whose data folders two real Syncthing
# instances keep equal over the loopback: a note made on A shows on B, a note closed on
# B goes on A, notes made on both at the same moment end on both, and after both quit
# the notes store has the same bytes on both, with no conflict file, lock, socket or
# recovery copy in either shared folder. B, started while A runs, restores nothing.
# Usage: syncthing_folder.sh path/to/pinleaf
source "$(dirname "$0")/lib.sh"

B="$WORK/b"
DATA_B="$B/data/Pinleaf"
mkdir -p "$DATA" "$DATA_B" "$B/run" "$B/state" "$B/config" "$WORK/config"
chmod 700 "$B/run"
# Syncthing's folder marker, made before either side starts: both count as shared.
mkdir -p "$DATA/.stfolder" "$DATA_B/.stfolder"
export XDG_CONFIG_HOME="$WORK/config"

# --- Two Syncthing instances: one folder, each the other's only device, loopback only.
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
PORT_A=$(free_port)
PORT_B=$(free_port)
[ "$PORT_A" != "$PORT_B" ] || PORT_B=$(free_port)
device_id() { HOME="$WORK" syncthing generate --home="$1" --no-default-folder 2>&1 | sed -n 's/.*Device ID: *//p'; }
ID_A=$(device_id "$WORK/st-a")
ID_B=$(device_id "$WORK/st-b")
[ -n "$ID_A" ] && [ -n "$ID_B" ] || fail "syncthing generate gave no device ID"

# configure HOME SELF OTHER OTHER_PORT OWN_PORT FOLDER
configure() {
  python3 - "$@" <<'EOF'
import copy
import sys
import xml.etree.ElementTree as ET

home, self_id, other_id, other_port, own_port, folder = sys.argv[1:]
path = home + "/config.xml"
tree = ET.parse(path)
root = tree.getroot()
options = root.find("options")
def option(name, value):
    element = options.find(name)
    if element is None:
        element = ET.SubElement(options, name)
    element.text = value
option("listenAddress", "tcp://127.0.0.1:" + own_port)
option("globalAnnounceEnabled", "false")
option("localAnnounceEnabled", "false")
option("relaysEnabled", "false")
option("natEnabled", "false")
option("urAccepted", "-1")
option("startBrowser", "false")
option("autoUpgradeIntervalH", "0")
option("crashReportingEnabled", "false")
option("reconnectionIntervalS", "2")
root.find("gui").set("enabled", "false")
other = ET.SubElement(root, "device", id=other_id, name="other", compression="metadata",
                      introducer="false")
ET.SubElement(other, "address").text = "tcp://127.0.0.1:" + other_port
# The folder from the generated defaults: an element left out is a zero, and zero
# conflict copies would let one machine's version silently replace the other's.
shared = copy.deepcopy(root.find("defaults/folder"))
shared.attrib.update(id="pinleaf", label="Pinleaf", path=folder, type="sendreceive",
                     fsWatcherEnabled="true", fsWatcherDelayS="1")
for device in shared.findall("device"):
    shared.remove(device)
for device in (self_id, other_id):
    ET.SubElement(shared, "device", id=device)
root.insert(0, shared)
tree.write(path)
EOF
}
configure "$WORK/st-a" "$ID_A" "$ID_B" "$PORT_B" "$PORT_A" "$DATA"
configure "$WORK/st-b" "$ID_B" "$ID_A" "$PORT_A" "$PORT_B" "$DATA_B"
for side in a b; do
  HOME="$WORK" STNODEFAULTFOLDER=1 syncthing serve --home="$WORK/st-$side" --no-browser \
    --no-restart >"$WORK/syncthing-$side.log" 2>&1 &
  PIDS+=("$!")
done
# Syncthing takes some seconds to start, connect and exchange its indexes.
connected() { grep -q 'Established secure connection' "$WORK/syncthing-$1.log" && echo yes; }
wait_long() { # wait_long WANT CMD...: as wait_for_output, for up to 90 s
  local want=$1 got=""
  shift
  for _ in $(seq 900); do
    got=$("$@" 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "$* gives '$got', not '$want'"
}
wait_long yes connected a
wait_long yes connected b

# --- Machine B's X server, started the way the suite starts every one.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
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
boxes_b() { on_b xdotool search --onlyvisible --name '^Pinleaf$' 2>/dev/null | wc -l; }

# --- A runs with a note; B starts while A runs.
start
PANEL_A=$(panel_window)
[ -n "$PANEL_A" ] || fail "A's panel did not show"
xdotool mousemove --sync 300 300
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" || fail "--new-note on A"
wait_for_output 1 count_a
on_b "$BIN" 2>>"$WORK/stderr_b.log" &
PID_B=$!
PIDS+=("$PID_B")
PANEL_B=$(on_b timeout 30 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1)
[ -n "$PANEL_B" ] || fail "B's panel did not show"

# A's note shows on B; B has not taken anything of A's for a session of its own to
# restore: its panel is its only box.
wait_long 1 count_b
[ "$(boxes_b)" = 1 ] || fail "B shows $(boxes_b) boxes named Pinleaf: a restore message?"
! grep -q restored "$WORK/stderr_b.log" || fail "B: $(cat "$WORK/stderr_b.log")"

# A second note made on A shows on B.
xdotool mousemove --sync 700 300
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" || fail "--new-note on A"
wait_for_output 2 count_a
wait_long 2 count_b

# Closed on B, it goes on A.
NOTE_B=$(on_b bash -c note_windows | sed -n 1p)
on_b xdotool windowfocus --sync "$NOTE_B" key Escape
wait_for_output 1 count_b
wait_long 1 count_a

# One note made on each at the same moment (most often in the same second): both end
# on both.
xdotool mousemove --sync 300 700
on_b xdotool mousemove --sync 900 700
timeout 10 "$BIN" --new-note 2>>"$WORK/stderr.log" &
NEW_A=$!
on_b timeout 10 "$BIN" --new-note 2>>"$WORK/stderr_b.log" &
NEW_B=$!
wait "$NEW_A" || fail "--new-note on A"
wait "$NEW_B" || fail "--new-note on B"
wait_long 3 count_a
wait_long 3 count_b

# --- Both quit with Enter: the same notes store on both, and the shared folders hold
# nothing but the stores (no conflict file, no lock, socket or recovery copy). A copy
# Syncthing made of a version that lost is folded in and leaves the folder (for the
# state folder's "conflicts/"), and its sending and removal reach the other side:
# waited for while both run.
same() { cmp -s "$DATA/data2.log" "$DATA_B/data2.log" && echo same; }
# Syncthing's own partial downloads aside: one of a copy the other side folded and moved
# before it arrived stays as Syncthing keeps it to resume.
strangers() { ls -A "$1" | grep -vxE '\.stfolder|data[123]\.log|\.syncthing\..*\.tmp' || true; }
settled() { [ -z "$(strangers "$DATA")$(strangers "$DATA_B")" ] && same; }
wait_long same settled
press "$PANEL_A" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "A ended with $RC"
on_b xdotool windowfocus --sync "$PANEL_B" key Return
wait_end "$PID_B"
[ "$RC" = 0 ] || fail "B ended with $RC"
wait_long same same
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 3 ] || fail "not three notes: $(notes_in "$DATA/data2.log")"
for d in "$DATA" "$DATA_B"; do
  [ -z "$(strangers "$d")" ] || fail "$d holds more than the stores: $(strangers "$d")"
done
folded=$(find "$XDG_STATE_HOME" "$B/state" -path '*/conflicts/*' -type f | wc -l)
echo "conflict copies Syncthing made and the copies folded in: $folded"
echo PASS
