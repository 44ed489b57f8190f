# "On all desktops" under a window manager with workspaces (openbox or mutter, which
# keep the choice as the window's workspace 0xFFFFFFFF): the choice kept in pinleaf.conf puts
# the panel and every note on every workspace at start, and the Options item takes
# them back to the current one.
source "$(dirname "$0")/lib.sh"

export XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$XDG_CONFIG_HOME/pinleaf"
printf '[General]\nonAllDesktops=true\n' >"$XDG_CONFIG_HOME/pinleaf/pinleaf.conf"
note_record 0 2 0 0 200 300 "Note A" | write_notes 1

# The window manager: openbox (the default) or mutter, on a private session bus.
start_session_bus
export HOME="$WORK" XDG_CACHE_HOME="$WORK/cache"
case "${3:-openbox}" in
  openbox) openbox --replace --config-file /dev/null >"$WORK/wm.log" 2>&1 & ;;
  mutter) XDG_CURRENT_DESKTOP=GNOME mutter --x11 --replace --sm-disable >"$WORK/wm.log" 2>&1 & ;;
esac
PIDS+=($!)
wait_for_output 1 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -c 'window id'" ||
  fail "the window manager did not start: $(cat "$WORK/wm.log")"
wait_for_output 1 bash -c "xprop -root _NET_NUMBER_OF_DESKTOPS | grep -c ' = '"

start
PANEL=$(panel_window)
wait_for_output 1 bash -c "note_windows | wc -l"
NOTE=$(note_windows | head -1)

desktop_of() { xprop -id "$1" _NET_WM_DESKTOP | awk '{print $NF}'; }
for w in "$PANEL" "$NOTE"; do
  wait_for_output 4294967295 desktop_of "$w"
done

# Options (104,7 dialog units in the panel) > "On all desktops", two items above "Exit".
menus() { xdotool search --onlyvisible --classname pinleaf 2>/dev/null | wc -l; }
before=$(menus)
read -r px py _ _ <<<"$(geometry "$PANEL")"
xdotool mousemove --sync $((px + 104 * 6 / 4 + 15)) $((py + 7 * 13 / 8 + 8)) click 1
for _ in $(seq 300); do [ "$(menus)" -gt "$before" ] && break; sleep 0.1; done
xdotool key Up Up Up Return
for w in "$PANEL" "$NOTE"; do
  wait_for_output 0 desktop_of "$w"
done
grep -q '^onAllDesktops=false$' "$XDG_CONFIG_HOME/pinleaf/pinleaf.conf" ||
  fail "pinleaf.conf: $(cat "$XDG_CONFIG_HOME/pinleaf/pinleaf.conf")"

press "$PANEL" Return
wait_end "$PID"
echo PASS
