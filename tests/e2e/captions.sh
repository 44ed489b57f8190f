# Every window caption is exactly its text, as a window manager reads it from the X
# server (_NET_WM_NAME and WM_NAME): the panel, a question box and the dialogs of the
# panel and of a note.
source "$(dirname "$0")/lib.sh"

X=200 Y=200 # one note, 120 x 140
note_record 0 2 0 0 $X $Y "Hello" | write_notes 1

start
PANEL=$(panel_window)
read -r PX PY _ _ <<<"$(geometry "$PANEL")"

# Prints both names of a window, one per line.
names_of() {
  xprop -id "$1" _NET_WM_NAME WM_NAME | sed -nE 's/^[A-Z_]+\([A-Z0-9_]+\) = "(.*)"$/\1/p'
}
# Waits for a window whose name starts with $1, checks both names are exactly $1, then
# closes it with Escape.
check_caption() {
  local want=$1 win got
  win=$(timeout 30 xdotool search --sync --onlyvisible --name "^$want" | head -1) ||
    fail "no window named '$want'"
  got=$(names_of "$win")
  [ "$got" = "$want
$want" ] || fail "the '$want' window is named: $got"
  press "$win" Escape
  for _ in $(seq 100); do [ "$(map_state "$win" 2>/dev/null)" = IsViewable ] || return 0; sleep 0.1; done
  fail "the '$want' window stayed open"
}

[ "$(names_of "$PANEL")" = "Pinleaf
Pinleaf" ] || fail "the panel is named: $(names_of "$PANEL")"

# "New" (7,7 26x12 dialog units on the panel): a question box.
click_for $((PX + 29)) $((PY + 20))
check_caption "New template"

# "Options" (104,7 25x12) > "Category...": a dialog of the panel.
n=$(program_windows)
click_for $((PX + 174)) $((PY + 20))
xdotool key Down Down Down Down Down Down Down Return
check_caption "List of Category"

# The note menu: "Edit" > "Signature" > "Text...", a dialog of a note.
click_for $((X + 60)) $((Y + 70)) 3
keys_for $((n + 2)) Down Right
keys_for $((n + 3)) Right
xdotool key Down Down Down Return
check_caption "Text of signature"

quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
