# A German desktop (LANGUAGE=de, LANG=de_DE.UTF-8) shows Pinleaf in German: a note's menu
# as read off the screen (OCR), a question box with its caption, its text and Qt's own
# button texts, a dialog's caption; a note is named by its first line in window lists.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS"

X=200 Y=200 # one note, 120 x 140
note_record 0 2 0 0 $X $Y $'\r\n  Einkaufen:  Milch\r\nBrot' | write_notes 1

# Only the program gets the German locale (the X tools here have no such locale).
LANGUAGE=de LANG=de_DE.UTF-8 start
PANEL=$(panel_window)
read -r PX PY _ _ <<<"$(geometry "$PANEL")"

# The note's window is named by its first line with text, blanks evened out.
NOTE=$(timeout 30 xdotool search --sync --onlyvisible --name '^Einkaufen: Milch$' | head -1) ||
  fail "no window named after the note's first line"
[ "$(note_windows)" = "$NOTE" ] || fail "the note window is not in the role of a note"

# Reads the text of a screen area until it shows every part (at most 15 s), or fails:
# ocr_shows NAME X Y WIDTH HEIGHT "CONVERT OPTIONS" PART... (in grey, enlarged for the
# reader).
ocr_shows() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 options=$6
  shift 6
  read_parts() {
    local text part
    # shellcheck disable=SC2086
    convert "$1" -crop "${w}x$h+$x+$y" +repage -colorspace Gray $options -resize 400% "$WORK/$name.png"
    text=$(tesseract "$WORK/$name.png" - -l deu --psm 6 2>/dev/null)
    for part in "${parts[@]}"; do
      grep -qF "$part" <<<"$text" || fail "$name shows no '$part'; read: $text"
    done
  }
  local parts=("$@")
  shot_until "$SHOTS/german-$name.png" read_parts
}
# Waits for the visible window named exactly $1 and prints its id.
window_named() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 || fail "no window '$1'"
}

# The note's menu, opened where the pointer is: its items in German.
n=$(program_windows)
click_for $((X + 60)) $((Y + 70)) 3
ocr_shows note-menu $((X + 60)) $((Y + 70)) 260 260 "" "Bearbeiten" "Farbe" "Größe" \
  "Duplizieren" "Als Vorlage speichern" "Schließen"
# "Bearbeiten" > "Unterschrift" > "Text...": the signature dialog.
keys_for $((n + 2)) Down Right
keys_for $((n + 3)) Right
xdotool key Down Down Down Return
BOX=$(window_named "Text der Unterschrift")
press "$BOX" Escape
wait_for_output "$n" program_windows

# "New" (now "Neu", where it always was): the question, in German with Qt's own "Nein"
# (the icons on the buttons go away in black and white).
click_for $((PX + 29)) $((PY + 20))
BOX=$(window_named "Neue Vorlage")
read -r BX BY BW BH <<<"$(geometry "$BOX")"
ocr_shows question "$BX" "$BY" "$BW" "$BH" "-threshold 60%" \
  "Möchten Sie eine neue Vorlage erstellen?" "Nein"
press "$BOX" Escape
for _ in $(seq 100); do [ "$(map_state "$BOX" 2>/dev/null)" = IsViewable ] || break; sleep 0.1; done

quit_without_saving "$PANEL" j
wait_end "$PID"
echo PASS
