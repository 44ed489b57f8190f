# Shared helpers of the hot key and tray scripts (sourced, not run).
# Every helper program runs in the background with its output in $work/<name>.out;
# waiting is for a line to appear, with a generous cap so a broken build fails
# instead of hanging.

work=$(mktemp -d)
started=()

cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for f in "$work"/*.out "$work"/*.err; do
        [ -e "$f" ] || continue
        echo "--- $(basename "$f")"
        cat "$f"
    done
    exit 1
}

# start NAME COMMAND...: runs COMMAND in the background, output to $work/NAME.out/.err
start() {
    local name=$1
    shift
    "$@" >"$work/$name.out" 2>"$work/$name.err" &
    started+=("$!")
}

# count NAME REGEX: how many lines of NAME's output match
count() {
    local n
    n=$(grep -cE "$2" "$work/$1.out" 2>/dev/null) || true
    echo "${n:-0}"
}

# wait_count NAME REGEX N: waits until at least N lines match
wait_count() {
    local name=$1 pattern=$2 want=$3 tries=0
    until [ "$(count "$name" "$pattern")" -ge "$want" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 400 ] || fail "$name never printed '$pattern' ($want times)"
        sleep 0.05
    done
}

wait_for() {
    wait_count "$1" "$2" 1
}

# wait_until WHAT COMMAND...: waits until COMMAND succeeds
wait_until() {
    local what=$1 tries=0
    shift
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -le 400 ] || fail "$what never happened"
        sleep 0.05
    done
}

# expect_count NAME REGEX N: exactly N lines match now
expect_count() {
    local got
    got=$(count "$1" "$2")
    [ "$got" -eq "$3" ] || fail "$1: '$2' printed $got times, expected $3"
}

# stop_all: ends every helper started so far and waits until each has left the X
# server, so the next one finds their key grabs released.
stop_all() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    started=()
}
