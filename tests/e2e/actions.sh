# Actions for desktop shortcuts, and the help F1 opens. With no copy running,
# --new-note starts the program and puts a note at the pointer; with one running, each
# call hands its action over and ends with status 0 within a second. F1 opens Help.chm
# only when the desktop names a viewer for it, else the HTML pages (fake xdg-mime and
# xdg-open on PATH). The panel's WM_CLASS is the launcher's StartupWMClass.
source "$(dirname "$0")/lib.sh"
BUILD=$(dirname "$BIN")

mkdir -p "$WORK/bin"
# The viewer xdg-mime names for compiled help: whatever the file "chm-viewer" holds.
cat >"$WORK/bin/xdg-mime" <<END
#!/bin/sh
[ "\$*" = "query default application/vnd.ms-htmlhelp" ] && cat "$WORK/chm-viewer" 2>/dev/null
exit 0
END
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$WORK/opened.log" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-mime" "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"

# note_centres: "x y" of the centre of every mapped note, sorted.
note_centres() {
  local w
  for w in $(note_windows); do
    geometry "$w" | { read -r x y wd ht; echo "$((x + wd / 2)) $((y + ht / 2))"; }
  done | sort
}
# act ACTION: one call to the running copy; must end by itself with 0 (the time it
# takes is measured by the benchmarks, not here: a loaded machine is no fault).
act() {
  local rc=0
  timeout 10 "$BIN" "--$1" 2>>"$WORK/stderr.log" || rc=$?
  [ "$rc" = 0 ] || fail "--$1 ended with $rc: $(cat "$WORK/stderr.log")"
}

# No copy running: --new-note starts the program, which then makes the note.
xdotool mousemove --sync 400 300
"$BIN" --new-note 2>>"$WORK/stderr.log" &
PID=$!
PIDS+=("$PID")
PANEL=$(panel_window)
wait_for_output "400 300" note_centres

# The launcher's StartupWMClass names the program's real windows.
WANT=$(sed -n 's/^StartupWMClass=//p' "$BUILD"/data/*.desktop)
xprop -id "$PANEL" WM_CLASS | grep -q "\"$WANT\"\$" ||
  fail "WM_CLASS is $(xprop -id "$PANEL" WM_CLASS), the launcher says $WANT"

# A running copy takes the actions.
xdotool mousemove --sync 700 500
act new-note
wait_for_output "$(printf '400 300\n700 500')" note_centres
act toggle-panel
wait_for_output IsUnMapped map_state "$PANEL"
act toggle-panel
wait_for_output IsViewable map_state "$PANEL"
kill -0 "$PID" || fail "the running copy ended"

# Help without a viewer for Help.chm: the HTML index in the browser.
[ -e "$BUILD/Help.chm" ] || fail "no Help.chm was built"
press "$PANEL" F1
wait_for_output "file://$BUILD/help/index.html" tail -n1 "$WORK/opened.log"
# With a viewer: Help.chm.
echo xchm.desktop >"$WORK/chm-viewer"
press "$PANEL" F1
wait_for_output "file://$BUILD/Help.chm" tail -n1 "$WORK/opened.log"

press "$PANEL" Return
wait_end "$PID"
[ "$RC" = 0 ] || fail "exit status $RC"
[ "$(notes_in "$DATA/data2.log" | wc -l)" = 2 ] || fail "not two notes stored"
echo PASS
