# Shared helpers of the end-to-end scripts. Each script runs on a virtual X server of
# its own (xvfb.sh) and gets the program's path as its first argument.
set -euo pipefail

BIN=${1:?usage: script.sh path/to/pinleaf}
WORK=$(mktemp -d)
# A helper a window manager started over the session bus may still be writing into the
# work folder for a moment after the bus has gone.
remove_work() { for _ in $(seq 50); do rm -rf "$WORK" 2>/dev/null && return 0; sleep 0.1; done; rm -rf "$WORK"; }
trap 'stop_all; remove_work' EXIT
export XDG_DATA_HOME="$WORK/data"
export XDG_RUNTIME_DIR="$WORK/run"
export XDG_STATE_HOME="$WORK/state"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
DATA="$XDG_DATA_HOME/Pinleaf"
# This machine's folders of the data folder, keyed by the SHA-1 of its path: the lock,
# the hand-over request and the action socket; the recovery snapshot.
KEY=$(printf %s "$DATA/" | sha1sum | cut -c1-12)
RUNTIME="$XDG_RUNTIME_DIR/pinleaf/$KEY"
MACHINE="$XDG_STATE_HOME/pinleaf/$KEY"
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

# Starts a private session bus daemon and points this script's children at it.
start_session_bus() {
  local out
  out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out")
  PIDS+=("$(sed -n 2p <<<"$out")")
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
    [ -e "$RUNTIME/xr.log" ] && return 0
    sleep 0.1
  done
  fail "the program did not start"
}

# Raw bytes, given as decimal numbers (plain bash: no other tool is needed).
put_bytes() { local b; for b; do printf "\\$(printf %03o "$b")"; done; }
# Little-endian int32 and uint16 values.
put_i32() { local v; for v; do v=$((v & 0xFFFFFFFF)); put_bytes $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255)); done; }
put_u16() { local v; for v; do put_bytes $((v & 255)) $((v >> 8 & 255)); done; }
# A short string: one length byte, then its characters.
put_str() { [ ${#1} -lt 255 ] || fail "put_str: string too long"; put_bytes ${#1}; printf %s "$1"; }

# Writes a 26-byte settings file: alwaysOnTop visible color style view hotkeys left top.
write_settings() {
  mkdir -p "$DATA"
  { put_bytes "$1" "$2"; shift 2; put_i32 "$@"; } >"$DATA/file1.dat"
}

# One note record of the notes store, signature line off, Arial -11, created
# 5 March 2021 14:07:09: note_record minimized color size shape left top text
note_record() {
  put_bytes "$1"
  put_i32 3 "$2" "$3" "$4"
  put_str ""; put_str "$7"; put_str "Home"
  put_i32 "$5" "$6"
  put_str Arial; put_i32 -11; put_bytes 0 0 0; put_i32 400
  put_u16 5 14 7 3 9 2021
}

# Writes the notes store: a count, then the records read from stdin (write_notes COUNT)
write_notes() {
  mkdir -p "$DATA"
  { put_i32 "$1"; cat; } >"$DATA/data2.log"
}

# Loads a file's bytes (decimal) into the array BYTES.
load_bytes() { mapfile -t BYTES < <(od -An -v -tu1 "$1" | tr -s ' ' '\n' | sed '/^$/d'); POS=0; }
# Readers over BYTES at POS; each sets VAL and advances POS.
get_byte() { VAL=${BYTES[$POS]:?"read past the end at $POS"}; POS=$((POS + 1)); }
get_u16() { get_byte; local lo=$VAL; get_byte; VAL=$((lo | VAL << 8)); }
get_i32() {
  local v=0 k
  for k in 0 1 2 3; do get_byte; v=$((v | VAL << (8 * k))); done
  ((v >= 0x80000000)) && v=$((v - 0x100000000))
  VAL=$v
}
get_str() {
  get_byte; local n=$VAL i s=""
  [ "$n" -lt 255 ] || fail "long string at $POS"
  for ((i = 0; i < n; i++)); do get_byte; s+=$(printf "\\$(printf %03o "$VAL")"); done
  VAL=$s
}

# Prints one line per record of a notes store: minimized color size shape left top text
notes_in() {
  load_bytes "$1"
  [ "${#BYTES[@]}" -gt 0 ] || return 0
  get_i32; local n=$VAL r min col size shape left top text
  for ((r = 0; r < n; r++)); do
    get_byte; min=$VAL
    get_i32; get_i32; col=$VAL; get_i32; size=$VAL; get_i32; shape=$VAL
    get_str; get_str; text=$VAL; get_str
    get_i32; left=$VAL; get_i32; top=$VAL
    get_str; get_i32; get_byte; get_byte; get_byte; get_i32
    local k; for k in 1 2 3 4 5 6; do get_u16; done
    echo "$min $col $size $shape $left $top $text"
  done
  [ "$POS" = "${#BYTES[@]}" ] || fail "$1: $(( ${#BYTES[@]} - POS )) bytes after the last record"
}

# Prints one line per record of a templates store: default color size shape text
templates_in() {
  load_bytes "$1"
  [ "${#BYTES[@]}" -gt 0 ] || return 0
  get_i32; local n=$VAL r def col size shape text
  for ((r = 0; r < n; r++)); do
    get_byte; get_byte; def=$VAL
    get_i32; get_i32; col=$VAL; get_i32; size=$VAL; get_i32; shape=$VAL
    get_str; get_str; text=$VAL; get_str
    get_str; get_i32; get_byte; get_byte; get_byte; get_i32
    local k; for k in 1 2 3 4 5 6; do get_u16; done
    echo "$def $col $size $shape $text"
  done
  [ "$POS" = "${#BYTES[@]}" ] || fail "$1: $(( ${#BYTES[@]} - POS )) bytes after the last record"
}

# Prints the ids of the mapped note windows: the program's windows in the role of a note
# (their names are their first lines of text).
note_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^pinleaf$' 2>/dev/null || true); do
    xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q '= "pinleaf-note"$' && echo "$w"
  done
  return 0
}
export -f note_windows

# Waits (at most 30 s) until a command prints what is expected: wait_for_output WANT CMD...
wait_for_output() {
  local want=$1 got=""
  shift
  for _ in $(seq 300); do
    got=$("$@" 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "$* gives '$got', not '$want'"
}

# Prints the file's bytes as hex.
hex_of() { od -An -tx1 -v "$1" | tr -d ' \n'; }

# Prints the colour of a screen pixel as "r,g,b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Prints the colour of a screen pixel as six upper-case hex digits, RRGGBB.
hex_pixel() {
  local hex
  hex=$(convert "$1" -format "%[hex:p{$2,$3}]" info:)
  echo "${hex:0:6}"
}

# Prints a window's map state: IsViewable, IsUnMapped or IsUnviewable.
map_state() { xwininfo -id "$1" | sed -nE 's/.*Map State: (.*)/\1/p'; }

# Escape on the panel ($1) of program $PID: after changes it asks first, and Yes (Y; the
# default button is No) ends without saving.
quit_without_saving() {
  press "$1" Escape
  local box=""
  for _ in $(seq 100); do
    kill -0 "$PID" 2>/dev/null || return 0
    box=$(xdotool search --onlyvisible --name '^Pinleaf$' 2>/dev/null | grep -vx "$1" | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "Escape neither ended the program nor asked"
  # "Yes" by its key ("No" is the default): y, or the translation's own ("j" in German).
  press "$box" "${2:-y}"
}

# Takes screenshots of the whole screen into FILE until CHECK passes on it (at most
# 15 s): shot_until FILE CHECK [ARGS...] runs CHECK ARGS... FILE. CHECK complains with
# fail; its last complaint is the scenario's.
shot_until() {
  local shot=$1 why="" end=$((SECONDS + 15))
  shift
  while :; do
    import -window root "$shot"
    why=$("$@" "$shot" 2>&1) && return 0
    [ "$SECONDS" -lt "$end" ] || fail "${why#FAIL: }"
    sleep 0.2
  done
}

# Prints how many windows the program shows: the panel, the notes, open menus and dialogs.
program_windows() { xdotool search --onlyvisible --class pinleaf 2>/dev/null | wc -l; }

# Clicks button $3 (default 1) at $1,$2 and waits until the program shows $4 windows
# (default: one more, the menu or the dialog the click opens).
click_for() {
  local want=${4:-$(($(program_windows) + 1))}
  # No --sync: the pointer may already be there, and xdotool would wait for a move.
  xdotool mousemove "$1" "$2" click "${3:-1}"
  wait_for_output "$want" program_windows
}

# Types keys and waits until the program shows N windows: keys_for N KEY...
# (a submenu opened with Right is one more, a chosen item closes every menu).
keys_for() {
  local want=$1
  shift
  xdotool key "$@"
  wait_for_output "$want" program_windows
}
