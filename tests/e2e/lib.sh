# Shared helpers of the end-to-end scripts. Each script runs inside its own Xvfb
# (xvfb-run) and gets the program's path as its first argument.
set -euo pipefail

BIN=${1:?usage: script.sh path/to/pinleaf}
WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
export XDG_DATA_HOME="$WORK/data"
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
DATA="$XDG_DATA_HOME/Pinleaf"
# The desktop libraries (fontconfig, the X platform plugin) keep allocations for the
# life of the process; LeakSanitizer would report them when a sanitized build exits.
export ASAN_OPTIONS=detect_leaks=0
unset QT_QPA_PLATFORM

PIDS=()
fail() { echo "FAIL: $*" >&2; exit 1; }

stop_all() {
  for p in "${PIDS[@]:-}"; do
    [ -n "$p" ] && kill -KILL "$p" 2>/dev/null || true
  done
}

# Starts the program in the background; its pid is in PID.
start() {
  "$BIN" 2>>"$WORK/stderr.log" &
  PID=$!
  PIDS+=("$PID")
}

# Waits for the panel to be mapped and prints its window id.
panel_window() {
  timeout 30 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1
}

# Prints "x y width height" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                           /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}

# Sends one key to the panel.
press() {
  xdotool windowfocus --sync "$1"
  xdotool key "$2"
}

# Waits for process $1 to end (at most 30 s); its exit status goes to RC.
wait_end() {
  local pid=$1
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "process $pid did not end"
  RC=0
  wait "$pid" || RC=$?
}

# Waits until the program has taken the instance lock.
wait_lock() {
  for _ in $(seq 300); do
    [ -e "$DATA/xr.log" ] && return 0
    sleep 0.1
  done
  fail "the program did not start"
}

# Writes a 26-byte settings file: alwaysOnTop visible color style view hotkeys left top.
write_settings() {
  mkdir -p "$DATA"
  python3 - "$DATA/file1.dat" "$@" <<'PY'
import struct, sys
path, top, visible, *ints = sys.argv[1:]
with open(path, "wb") as f:
    f.write(bytes([int(top), int(visible)]) + struct.pack("<6i", *map(int, ints)))
PY
}

# Prints the file's bytes as hex.
hex_of() { od -An -tx1 -v "$1" | tr -d ' \n'; }

# Prints the colour of a screen pixel as "r,g,b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
