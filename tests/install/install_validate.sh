# `cmake --install` into a temporary DESTDIR: every desktop file in place and valid, the
# manual page names the folder the help went to (here and under another prefix), and
# the installed program finds its installed help (F1 with a fake xdg-open, under Xvfb).
set -euo pipefail
BUILD=${1:?usage: install_validate.sh BUILD_DIR APP_ID SOURCE_DIR}
ID=${2:?}
SOURCE=${3:?}
WORK=$(mktemp -d)
PIDS=()
trap 'for p in "${PIDS[@]:-}"; do [ -n "$p" ] && kill -KILL "$p" 2>/dev/null; done; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

D="$WORK/root"
DESTDIR="$D" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
S="$D/usr/share"
for f in "$D/usr/bin/pinleaf" "$S/applications/$ID.desktop" "$S/metainfo/$ID.metainfo.xml" \
         "$S/icons/hicolor/scalable/apps/$ID.svg" "$S/man/man1/pinleaf.1.gz" \
         "$S/doc/pinleaf/help/index.html" "$S/doc/pinleaf/help/style.css" \
         "$S/doc/pinleaf/help/Help.chm" "$S/doc/pinleaf/copyright" "$S/doc/pinleaf/changelog.gz" \
         "$S/pinleaf/translations/pinleaf_de.qm"; do
  [ -s "$f" ] || fail "not installed: ${f#"$D"}"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$S/icons/hicolor/${size}x${size}/apps/$ID.png"
  [ "$(identify -format %wx%h "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done
desktop-file-validate "$S/applications/$ID.desktop" || fail "desktop-file-validate"
# AppStream: clean even to the pedantic check, but for the capitals of the id (which the
# launcher, the icon and the bus names share); the screenshot is the size it declares.
META="$S/metainfo/$ID.metainfo.xml"
out=$(appstreamcli validate --pedantic --no-net "$META" 2>&1) || fail "appstreamcli validate: $out"
! grep -E '^[EWIP]: ' <<<"$out" | grep -v ' cid-contains-uppercase-letter ' ||
  fail "appstreamcli validate --pedantic: $out"
declared=$(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/\1x\2/p' "$META")
[ -n "$declared" ] && [ "$(identify -format %wx%h "$SOURCE/data/screenshot.png")" = "$declared" ] ||
  fail "the screenshot is not the declared '$declared'"
grep -qx "Exec=pinleaf --new-note" "$S/applications/$ID.desktop" || fail "no New Note action"
zcat "$S/man/man1/pinleaf.1.gz" | grep -q "^\.TH PINLEAF 1" || fail "the manual page has no title"
man_help() { zcat "$1/share/man/man1/pinleaf.1.gz" | grep -B1 '^the help pages' | sed -n 's/^\.I //p'; }
HELP=$(man_help "$D/usr")
[ "$HELP" = /usr/share/doc/pinleaf/help/ ] && [ -s "$D${HELP}index.html" ] ||
  fail "the manual page names the help folder '$HELP'"
cmake --install "$BUILD" --prefix "$WORK/other" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
other=$(man_help "$WORK/other")
[ "$other" = "$WORK/other/share/doc/pinleaf/help/" ] && [ -s "${other}index.html" ] ||
  fail "installed under $WORK/other, the manual page names the help folder '$other'"
# The installed program finds its German translation where it was installed, and Qt's own.
USAGE=$(LANGUAGE=de "$D/usr/bin/pinleaf" --help)
grep -q "^Haftnotizen für den Linux-Desktop\.$" <<<"$USAGE" || fail "no German description: $USAGE"
grep -q "Zeigt Hilfe zu den Kommandozeilenoptionen an" <<<"$USAGE" || fail "no Qt German: $USAGE"

# The installed program, with a fake xdg-open that notes what it is asked to open, on
# a desktop without a viewer for Help.chm. It starts at login from a launcher an older
# copy in another folder wrote; found on PATH now, it makes the launcher run "pinleaf".
mkdir -p "$WORK/bin" "$WORK/data" "$WORK/run" "$WORK/config/autostart"
AUTOSTART="$WORK/config/autostart/$ID.desktop"
printf '[Desktop Entry]\nType=Application\nName=Pinleaf\nExec="/opt/old/pinleaf"\n' >"$AUTOSTART"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$WORK/opened.log" >"$WORK/bin/xdg-open"
printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/xdg-mime"
chmod +x "$WORK/bin/xdg-open" "$WORK/bin/xdg-mime"
export PATH="$WORK/bin:$D/usr/bin:$PATH" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/run" \
  XDG_CONFIG_HOME="$WORK/config"
chmod 700 "$WORK/run"
unset QT_QPA_PLATFORM
(cd "$WORK" && exec "$D/usr/bin/pinleaf") &
PIDS+=("$!")
PANEL=$(timeout 30 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1)
xdotool windowfocus --sync "$PANEL" key F1
for _ in $(seq 100); do [ -s "$WORK/opened.log" ] && break; sleep 0.1; done
[ "$(cat "$WORK/opened.log" 2>/dev/null)" = "file://$D${HELP}index.html" ] ||
  fail "F1 opened '$(cat "$WORK/opened.log" 2>/dev/null)'"
for _ in $(seq 100); do grep -qx "Exec=pinleaf" "$AUTOSTART" && break; sleep 0.1; done
grep -qx "Exec=pinleaf" "$AUTOSTART" || fail "the autostart launcher: $(cat "$AUTOSTART")"
echo PASS
