# A desktop with a 14-point font (set the way KDE Plasma hands it to Qt programs: the
# general font in kdeglobals) makes the panel, its buttons and a dialog grow with it, and
# the template names stay whole in the larger list.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS" "$WORK/config"
printf '[General]\nfont=DejaVu Sans,14,-1,5,50,0,0,0,0,0\n' >"$WORK/config/kdeglobals"

XDG_CONFIG_HOME="$WORK/config" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 start
PANEL=$(panel_window)
read -r PX PY PW PH <<<"$(geometry "$PANEL")"
# 259 x 334 at the default font; 14 points are 19 pixels against its 12.
[ "$PW" -ge 400 ] && [ "$PW" -le 420 ] && [ "$PH" -ge 520 ] && [ "$PH" -le 545 ] ||
  fail "the panel is ${PW}x${PH} with a 14-point desktop font"

# The template names as the list shows them: whole words, not "Gre..." or "To...".
names_whole() {
  convert "$1" -crop "$((PW - 20))x$((PH - 80))+$((PX + 10))+$((PY + 70))" \
    +repage -colorspace Gray -resize 300% "$WORK/list.png"
  local text name
  text=$(tesseract "$WORK/list.png" - -l eng --psm 6 2>/dev/null)
  for name in "Don.t" "Great" "idea\.\.\." "To do\.\.\."; do
    grep -qE "$name" <<<"$text" || fail "the list shows no '$name'; read: $text"
  done
}
shot_until "$SHOTS/font-size-panel.png" names_whole

# "Options" (104,7 25x12 dialog units, grown with the font) > "Category...".
click_for $((PX + PW * 1165 / 1730)) $((PY + PH * 130 / 2060))
xdotool key Down Down Down Down Down Down Down Return
BOX=$(timeout 30 xdotool search --sync --onlyvisible --name '^List of Category$' | head -1) ||
  fail "no category dialog"
read -r _ _ BW BH <<<"$(geometry "$BOX")"
# 217 x 300 at the default font.
[ "$BW" -ge 335 ] && [ "$BH" -ge 465 ] || fail "the category dialog is ${BW}x${BH}"
press "$BOX" Escape

quit_without_saving "$PANEL"
wait_end "$PID"
echo PASS
