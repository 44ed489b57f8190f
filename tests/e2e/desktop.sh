# The program under a real window manager, each on a private session bus, judged from
# the screen: the panel is drawn at start; a hot-key note is drawn while another
# program is active; a roll-up leaves the note's bottom 20 rows at the top of the work
# area with the body gone, a click on the strip's bottom rows rolls it down, the pointer
# on the strip's top row drops the note into view for a moment; a note made near the
# top-left corner is fully on the work area; Enter after Ctrl+Shift+Q twice ends the
# program with every note saved where the screen shows it.
# Usage: desktop.sh pinleaf shots-folder bare|mutter|kwin|xfwm4|openbox
# Every check runs (a failed one is reported and the next goes on); the run fails when
# one fails, or when the window manager cannot start. Logs are printed on failure.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:?usage: desktop.sh pinleaf shots-folder window-manager}
WM=${3:?usage: desktop.sh pinleaf shots-folder window-manager}
mkdir -p "$SHOTS"
# The window managers keep their settings and caches in the work folder.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

show_logs() {
  local f
  for f in "$WORK"/*.log; do
    [ -s "$f" ] && { echo "--- $(basename "$f")"; tail -n 60 "$f"; }
  done >&2
}
fail() { echo "FAIL: $*" >&2; show_logs; exit 1; }

FAILED=()
ok() { echo "ok: $1"; }
bad() { echo "FAIL: $1: $2" >&2; FAILED+=("$1"); }

# Screenshot NAME into the shots folder; its path is in SHOT.
shot() { SHOT="$SHOTS/desktop-$WM-$1.png"; import -window root "$SHOT"; }
# Prints the colours (RRGGBB) of N pixels going down from X,Y: column SHOT X Y N
column() {
  convert "$1" -crop "1x$4+$2+$3" +repage -depth 8 txt:- | sed -nE 's/.* #([0-9A-F]{6}).*/\1/p' | tr '\n' ' '
}
# Takes screenshots NAME until the command holds for one, for at most 20 s: seen NAME CMD...
seen() {
  local name=$1 end=$((SECONDS + 20))
  shift
  while :; do
    shot "$name"
    "$@" && return 0
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.2
  done
}
# Waits (at most 30 s) for a command to succeed.
until_true() {
  for _ in $(seq 150); do "$@" &>/dev/null && return 0; sleep 0.2; done
  return 1
}
ids_equal() { [ -n "$1" ] && [ -n "$2" ] && [ $(($1)) = $(($2)) ]; }
root_wm_check() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -nE 's/.*# (0x[0-9a-f]+).*/\1/p'; }
# The window manager has put up its check window (a child that names itself).
wm_up() {
  local w
  w=$(root_wm_check)
  [ -n "$w" ] && ids_equal "$w" "$(xprop -id "$w" _NET_SUPPORTING_WM_CHECK | sed -nE 's/.*# (0x[0-9a-f]+).*/\1/p')"
}
wm_alive() { [ "$WM" = bare ] || kill -0 "$WM_PID" 2>/dev/null || fail "$WM ended"; }

# --- The session: a private bus, the window manager, another program.
case "$WM" in bare) tools="" ;; kwin) tools=kwin_x11 ;; xfwm4) tools="xfwm4 xfce4-panel" ;; *) tools=$WM ;; esac
for tool in $tools; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh test)"
done
start_session_bus
WM_PID=""
case "$WM" in
  bare) ;;
  mutter) XDG_CURRENT_DESKTOP=GNOME mutter --x11 --replace --sm-disable >"$WORK/wm.log" 2>&1 & WM_PID=$! ;;
  kwin) QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP=KDE kwin_x11 --replace >"$WORK/wm.log" 2>&1 & WM_PID=$! ;;
  xfwm4)
    # One panel at the top: the packaged layout without its second (bottom) panel, in
    # place before the panel starts, so it asks nothing.
    mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    sed '0,/<value type="int" value="2"\/>/{//d}' /etc/xdg/xfce4/panel/default.xml \
      >"$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" ||
      fail "no packaged panel layout"
    XDG_CURRENT_DESKTOP=XFCE xfwm4 --replace >"$WORK/wm.log" 2>&1 & WM_PID=$!
    ;;
  openbox) openbox --replace >"$WORK/wm.log" 2>&1 & WM_PID=$! ;;
  *) fail "unknown window manager $WM" ;;
esac
[ -n "$WM_PID" ] && PIDS+=("$WM_PID")
if [ "$WM" != bare ]; then
  until_true wm_up || { wm_alive; fail "$WM did not start managing windows within 30 s"; }
fi
if [ "$WM" = xfwm4 ]; then
  XDG_CURRENT_DESKTOP=XFCE xfce4-panel >"$WORK/xfce4-panel.log" 2>&1 &
  PIDS+=("$!")
  until_true bash -c "xprop -root _NET_WORKAREA | grep -Eq '= 0, [1-9]'" &&
    until_true xdotool search --onlyvisible --class '^xfce4-panel$' ||
    fail "xfce4-panel is not up at the top of the screen: $(xprop -root _NET_WORKAREA)"
fi
# The work area: the whole screen on a bare server (and under KWin, which does not
# publish one without struts).
read -r WA_X WA_Y WA_W WA_H <<<"$(xprop -root _NET_WORKAREA 2>/dev/null | sed -nE 's/.*= ([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+).*/\1 \2 \3 \4/p')"
[ -n "${WA_X:-}" ] || { WA_X=0 WA_Y=0 WA_W=1280 WA_H=1024; }
echo "$WM: work area $WA_X,$WA_Y ${WA_W}x$WA_H"

xmessage -geometry +700+100 "another program" 2>"$WORK/xmessage.log" &
PIDS+=("$!")
XMSG=$(timeout 30 xdotool search --sync --onlyvisible --name '^xmessage$' | head -1 || true)
[ -n "$XMSG" ] || fail "xmessage did not show"
if [ "$WM" != bare ]; then
  until_true bash -c "xprop -id $XMSG WM_STATE | grep -q Normal" || { wm_alive; fail "$WM does not manage xmessage"; }
fi

# --- The panel is drawn at start (first start: the blue scheme).
start
PANEL=$(panel_window || true)
[ -n "$PANEL" ] || fail "no panel window shown"
read -r PX PY PW PH <<<"$(geometry "$PANEL")"
panel_drawn() { [ "$(column "$SHOT" $((PX + 4)) $((PY + 20)) 1)" = "325096 " ] &&
  [ "$(column "$SHOT" "$PX" $((PY + 150)) 1)" = "C8DCFA " ]; }
if seen panel panel_drawn; then ok "panel drawn at start"; else
  bad "panel drawn at start" "at $PX,$PY (${PW}x$PH) the screen shows $(column "$SHOT" $((PX + 4)) $((PY + 20)) 1)"
fi

# --- A hot-key note while xmessage is active.
if [ "$WM" = bare ]; then
  xdotool windowfocus --sync "$XMSG"
else
  xdotool windowactivate --sync "$XMSG" || true
  active() { ids_equal "$(xdotool getactivewindow)" "$XMSG"; }
  until_true active || fail "xmessage is not the active window: $(xdotool getactivewindow getwindowname)"
fi
xdotool mousemove --sync 400 400 key ctrl+shift+c
has_note() { [ -n "$(note_windows)" ]; }
NOTE=$(until_true has_note && note_windows | head -1 || true)
NX=334 NY=324 NW=132 NH=152
[ -n "$NOTE" ] && read -r NX NY NW NH <<<"$(geometry "$NOTE")"
# The default template: a brown caption strip over an orange body. A column right of
# the creation time, so the strip's rows are the same whenever the test runs.
CAPTION=966432 BODY=FAC896 CX=$((NX + NW - 15))
note_drawn() { [ "$(column "$SHOT" $(($1 + 30)) $(($2 + 7)) 1)$(column "$SHOT" $(($1 + 30)) $(($2 + 90)) 1)" = "$CAPTION $BODY " ]; }
if [ -n "$NOTE" ] && seen note note_drawn "$NX" "$NY"; then
  ok "hot-key note drawn"
  WHOLE=$(column "$SHOT" "$CX" "$NY" "$NH")
else
  if [ -z "$NOTE" ]; then
    hidden=$(xdotool search --role pinleaf-note 2>/dev/null | head -1 || true)
    bad "hot-key note drawn" "no note window viewable${hidden:+ (window $hidden: $(map_state "$hidden"))}"
  else
    bad "hot-key note drawn" "window $NOTE at $NX,$NY ${NW}x$NH shows $(column "$SHOT" $((NX + 30)) $((NY + 7)) 1)$(column "$SHOT" $((NX + 30)) $((NY + 90)) 1)"
  fi
  WHOLE=""
fi
BOTTOM=$(echo "${WHOLE:-x}" | awk '{ for (i = NF - 19; i <= NF; i++) if (i > 0) printf "%s ", $i }')

# --- Rolled up: the note's bottom 20 rows at the top of the work area, none of its
# colours in the rows below.
rolled_up() {
  [ "$(column "$SHOT" "$CX" "$WA_Y" 20)" = "$BOTTOM" ] &&
    ! column "$SHOT" "$CX" $((WA_Y + 20)) $((NH + 10)) | grep -Eq "$CAPTION|$BODY"
}
# Unrolled: the whole note at TOP (the column is as it was at first).
whole_at() { [ "$(column "$SHOT" "$CX" "$1" "$NH")" = "$WHOLE" ]; }
# Prints the colours down the column from the work area's top (or ROW), run-length coded.
what_shows() {
  local row=${1:-$WA_Y}
  echo "rows $row-$((row + NH + 29)) at x $CX show $(column "$SHOT" "$CX" "$row" $((NH + 30)) |
    tr ' ' '\n' | uniq -c | awk '{printf "%sx%s ", $1, $2}'); the X server has the note at $(geometry "$NOTE" 2>&1)"
}

xdotool mousemove --sync "$CX" $((NY + NH - 3)) click 1
if [ -n "$WHOLE" ] && seen rollup rolled_up; then ok "roll-up strip at the work area's top"; else bad "roll-up strip" "$(what_shows)"; fi

xdotool mousemove --sync "$CX" $((WA_Y + 17)) click 1
if [ -n "$WHOLE" ] && seen rolldown whole_at "$NY"; then ok "strip click rolls down"; else bad "strip click rolls down" "$(what_shows "$NY")"; fi

# --- The peek: once rolled up again, the pointer on the strip's top row drops the whole
# note into view; when the pointer has left, it goes back up.
xdotool mousemove --sync "$CX" $((NY + NH - 3)) click 1
if [ -n "$WHOLE" ] && seen rollup2 rolled_up; then
  xdotool mousemove --sync $((CX - 10)) $((WA_Y + 10))
  xdotool mousemove --sync "$CX" "$WA_Y"
  if seen peek whole_at "$WA_Y"; then
    xdotool mousemove --sync "$CX" 700
    if seen peekend rolled_up; then ok "peek"; else bad "peek" "after the pointer left: $(what_shows)"; fi
  else
    bad "peek" "pointer at $CX,$WA_Y: $(what_shows)"
  fi
else
  bad "peek" "no strip to peek at: $(what_shows)"
fi

# --- A note made near the top-left corner is fully on the work area (a bare server
# keeps it where the program put it).
xdotool mousemove --sync 60 60 key ctrl+shift+c
new_note() { note_windows | grep -vx "$NOTE"; }
NOTE2=$(until_true new_note && new_note | head -1 || true)
if [ -z "$NOTE2" ]; then
  bad "note near the corner" "no second note window shown"
else
  read -r X2 Y2 W2 H2 <<<"$(geometry "$NOTE2")"
  # Without a window manager, or with one that leaves placement to the program (openbox),
  # the note is where the program put it.
  if [ "$WM" = bare ] || [ "$WM" = openbox ] || { [ "$X2" -ge "$WA_X" ] && [ "$Y2" -ge "$WA_Y" ] &&
    [ $((X2 + W2)) -le $((WA_X + WA_W)) ] && [ $((Y2 + H2)) -le $((WA_Y + WA_H)) ] &&
    seen corner note_drawn "$X2" "$Y2"; }; then
    ok "note near the corner at $X2,$Y2"
  else
    bad "note near the corner" "at $X2,$Y2 ${W2}x$H2 (work area $WA_X,$WA_Y ${WA_W}x$WA_H), or not drawn there"
  fi
fi

# --- With a third note focused by a click, Ctrl+Shift+Q twice hides and shows the
# panel; Enter then reaches the panel, which saves every note and ends.
focus_in() { ids_equal "$(xdotool getwindowfocus)" "$1"; }
focus_name() { local w; w=$(xdotool getwindowfocus); echo "$w ($(xdotool getwindowname "$w" 2>/dev/null))"; }
xdotool mousemove --sync 700 600 key ctrl+shift+c
new_note() { note_windows | grep -vx -e "$NOTE" -e "${NOTE2:-none}"; }
NOTE3=$(until_true new_note && new_note | head -1 || true)
if [ -n "$NOTE3" ]; then
  read -r X3 Y3 _ _ <<<"$(geometry "$NOTE3")"
  xdotool mousemove --sync $((X3 + 40)) $((Y3 + 60)) click 1
  until_true focus_in "$NOTE3" || bad "note focused by a click" "the focus is in $(focus_name)"
else
  bad "third note shown" "no third note window viewable"
fi
panel_is() { [ "$(map_state "$PANEL")" = "$1" ]; }
xdotool key ctrl+shift+q
until_true panel_is IsUnMapped || bad "Ctrl+Shift+Q hides the panel" "it is $(map_state "$PANEL")"
xdotool key ctrl+shift+q
until_true panel_is IsViewable || bad "Ctrl+Shift+Q shows the panel" "it is $(map_state "$PANEL")"
read -r PX PY PW PH <<<"$(geometry "$PANEL")"
# A user presses Enter once the panel is back: the panel has the keyboard focus by then,
# wherever the pointer is.
until_true focus_in "$PANEL" || bad "panel focused when shown" "the focus is in $(focus_name)"
# What the screen shows, as the store writes it: minimized left top (a rolled-up note
# keeps the top it goes back to).
on_screen() {
  echo "1 $NX $NY"
  local w x y
  for w in ${NOTE2:-} ${NOTE3:-}; do
    [ "$(map_state "$w" 2>/dev/null)" = IsViewable ] || continue
    read -r x y _ _ <<<"$(geometry "$w")"
    echo "0 $x $y"
  done
}
want=$(on_screen | sort)
xdotool key Return
if until_true bash -c "! kill -0 $PID"; then ok "Enter after Ctrl+Shift+Q twice"; else
  bad "Enter after Ctrl+Shift+Q twice" "the program runs on; focus in $(focus_name)"
  # The positions of the notes still open are checked all the same: the end of the
  # session saves them.
  want=$(on_screen | sort)
  kill -TERM "$PID"
fi
wait_end "$PID"
got=$(notes_in "$DATA/data2.log" | awk '{print $1, $5, $6}' | sort)
panel_at=$(od -An -t d4 -j 18 "$DATA/file1.dat" | awk '{print $1, $2}')
if [ "$got" = "$want" ] && [ "$panel_at" = "$PX $PY" ]; then ok "stored positions"; else
  bad "stored positions" "store holds '$(tr '\n' ';' <<<"$got")', panel $panel_at; the screen showed '$(tr '\n' ';' <<<"$want")', panel $PX $PY"
fi

[ ${#FAILED[@]} = 0 ] && { echo PASS; exit 0; }
show_logs
echo "FAIL on $WM: $(printf '%s; ' "${FAILED[@]}")" >&2
exit 1
