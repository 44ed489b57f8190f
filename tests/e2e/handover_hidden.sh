# With the panel hidden, starting a second copy brings it back and the request file goes.
source "$(dirname "$0")/lib.sh"

write_settings 0 0 0 0 0 0 100 200
start
wait_lock
[ -z "$(xdotool search --onlyvisible --name '^Pinleaf$' || true)" ] || fail "a hidden panel is shown"
timeout 20 "$BIN" 2>>"$WORK/stderr.log" || fail "second copy failed"
WID=$(panel_window)
read -r X Y W H <<<"$(geometry "$WID")"
[ "$X $Y" = "100 200" ] || fail "panel came back at $X,$Y"
for _ in $(seq 100); do [ -e "$RUNTIME/xo.log" ] || break; sleep 0.1; done
[ ! -e "$RUNTIME/xo.log" ] || fail "xo.log is still there"
echo PASS
