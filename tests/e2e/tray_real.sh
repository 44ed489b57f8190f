# The program's icon in a real tray host (trayer): it docks, and a double-click on it
# hides the panel and the next one shows it again, on a first start (the icon comes back
# with its usage balloon after hiding) and on a later one (no balloon). Screenshots are kept in the folder
# given as second argument.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS"

# Along the top edge, clear of the panel at the bottom-right corner.
trayer --edge top --align right --widthtype request --height 32 >"$WORK/trayer.log" 2>&1 &
PIDS+=("$!")
for _ in $(seq 300); do
  TRAY=$(xdotool search --name '^panel$' 2>/dev/null | head -1) || true
  [ -n "$TRAY" ] && break
  sleep 0.1
done
[ -n "$TRAY" ] || fail "trayer did not come up: $(cat "$WORK/trayer.log")"

# The icon window docked in trayer has no caption of its own, so Qt names it after the
# application ("pinleaf"); prints "x y" of its centre, nothing while it has not docked.
icon_centre() {
  xwininfo -tree -id "$TRAY" 2>/dev/null |
    sed -nE 's/.*"pinleaf": \("pinleaf" "pinleaf"\) +([0-9]+)x([0-9]+)[-+0-9]* +\+([0-9-]+)\+([0-9-]+).*/\1 \2 \3 \4/p' |
    head -n1 | { read -r w h x y && echo "$((x + w / 2)) $((y + h / 2))"; } || true
}
wait_icon() {
  for _ in $(seq 300); do
    ICON=$(icon_centre)
    [ -n "$ICON" ] && return 0
    sleep 0.1
  done
  fail "the icon did not dock in the tray"
}
# The panel: the 259 x 334 window named "Pinleaf".
find_panel() {
  local w
  for _ in $(seq 300); do
    for w in $(xdotool search --name '^Pinleaf$' 2>/dev/null); do
      [ "$(geometry "$w" | cut -d' ' -f3-)" = "259 334" ] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
double_click_icon() {
  wait_icon
  # No --sync: the pointer may already be there, and xdotool would wait for a move.
  # shellcheck disable=SC2086
  xdotool mousemove $ICON click --repeat 2 --delay 60 1
}

# How much of the desktop left of the icon is lit (0: all black); the usage balloon
# opens there.
lit_below_tray() { convert "$1" -crop 470x90+780+30 -format "%[fx:mean]" info:; }
# balloon_shown NAME SHOT: the screenshot shows the usage balloon.
balloon_shown() {
  local lit; lit=$(lit_below_tray "$2")
  awk -v m="$lit" 'BEGIN{exit !(m > 0.2)}' || fail "$1: no balloon after hiding ($lit)"
}

run() { # run NAME BALLOON: double-click hides (with the balloon or not), double-click shows
  start
  PANEL=$(find_panel) || fail "$1: no panel"
  wait_for_output IsViewable map_state "$PANEL"
  wait_icon
  import -window root "$SHOTS/tray-$1-docked.png"

  double_click_icon
  wait_for_output IsUnMapped map_state "$PANEL"
  if [ "$2" = balloon ]; then
    shot_until "$SHOTS/tray-$1-hidden.png" balloon_shown "$1"
  else
    # Time for a balloon to come if one wrongly would: this checks that none shows.
    sleep 0.5
    import -window root "$SHOTS/tray-$1-hidden.png"
    local lit; lit=$(lit_below_tray "$SHOTS/tray-$1-hidden.png")
    awk -v m="$lit" 'BEGIN{exit !(m == 0)}' || fail "$1: something opened after hiding ($lit)"
  fi

  double_click_icon
  wait_for_output IsViewable map_state "$PANEL"
  kill -0 "$PID" || fail "$1: the program ended"
  press "$PANEL" Return
  wait_end "$PID"
  [ "$RC" = 0 ] || fail "$1: exit status $RC"
}

run first-start balloon
# Shown at exit, so shown in the settings.
[ "$(hex_of "$DATA/file1.dat" | cut -c1-4)" = 0001 ] || fail "the panel was stored hidden"
run later none
echo PASS
