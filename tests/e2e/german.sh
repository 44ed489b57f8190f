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

click_at() { xdotool mousemove "$1" "$2" sleep 0.2 click "${3:-1}"; sleep 0.4; }
# Reads the text of a screen area: ocr NAME X Y WIDTH HEIGHT [CONVERT OPTIONS] (in grey,
# enlarged for the reader).
ocr() {
  import -window root "$SHOTS/german-$1.png"
  convert "$SHOTS/german-$1.png" -crop "$4x$5+$2+$3" +repage -colorspace Gray "${@:6}" \
    -resize 400% "$WORK/$1.png"
  tesseract "$WORK/$1.png" - -l deu --psm 6 2>/dev/null
}
# Waits for the visible window named exactly $1 and prints its id.
window_named() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 || fail "no window '$1'"
}

# The note's menu, opened where the pointer is: its items in German.
click_at $((X + 60)) $((Y + 70)) 3
TEXT=$(ocr note-menu $((X + 60)) $((Y + 70)) 260 260)
for item in "Bearbeiten" "Farbe" "Größe" "Duplizieren" "Als Vorlage speichern" \
            "Schließen"; do
  grep -qF "$item" <<<"$TEXT" || fail "the note menu shows no '$item'; read: $TEXT"
done
# "Bearbeiten" > "Unterschrift" > "Text...": the signature dialog.
xdotool key Down Right Right Down Down Down Return
BOX=$(window_named "Text der Unterschrift")
press "$BOX" Escape

# "New" (now "Neu", where it always was): the question, in German with Qt's own "Nein"
# (the icons on the buttons go away in black and white).
click_at $((PX + 29)) $((PY + 20))
BOX=$(window_named "Neue Vorlage")
read -r BX BY BW BH <<<"$(geometry "$BOX")"
TEXT=$(ocr question "$BX" "$BY" "$BW" "$BH" -threshold 60%)
for part in "Möchten Sie eine neue Vorlage erstellen?" "Nein"; do
  grep -qF "$part" <<<"$TEXT" || fail "the question box shows no '$part'; read: $TEXT"
done
press "$BOX" Escape
for _ in $(seq 100); do [ "$(map_state "$BOX" 2>/dev/null)" = IsViewable ] || break; sleep 0.1; done

quit_without_saving "$PANEL" j
wait_end "$PID"
echo PASS
