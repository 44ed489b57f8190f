# `cmake --install` into a temporary DESTDIR: every desktop file in place and valid, and
# the installed program finds its installed help (F1 with a fake xdg-open, under Xvfb).
set -euo pipefail
BUILD=${1:?usage: install_validate.sh BUILD_DIR APP_ID}
ID=${2:?}
WORK=$(mktemp -d)
PIDS=()
trap 'for p in "${PIDS[@]:-}"; do [ -n "$p" ] && kill -KILL "$p" 2>/dev/null; done; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

D="$WORK/root"
DESTDIR="$D" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
S="$D/usr/share"
for f in "$D/usr/bin/pinleaf" "$S/applications/$ID.desktop" "$S/metainfo/$ID.metainfo.xml" \
         "$S/icons/hicolor/scalable/apps/$ID.svg" "$S/man/man1/pinleaf.1" \
         "$S/pinleaf/help/index.html" "$S/pinleaf/help/style.css" "$S/pinleaf/help/Help.chm" \
         "$S/doc/pinleaf/LICENSE" "$S/pinleaf/translations/pinleaf_de.qm"; do
  [ -s "$f" ] || fail "not installed: ${f#"$D"}"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$S/icons/hicolor/${size}x${size}/apps/$ID.png"
  [ "$(identify -format %wx%h "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done
desktop-file-validate "$S/applications/$ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$S/metainfo/$ID.metainfo.xml" || fail "appstreamcli validate"
grep -qx "Exec=pinleaf --new-note" "$S/applications/$ID.desktop" || fail "no New Note action"
grep -q "^\.TH PINLEAF 1" "$S/man/man1/pinleaf.1" || fail "the manual page has no title"
# The installed program finds its German translation where it was installed, and Qt's own.
HELP=$(LANGUAGE=de "$D/usr/bin/pinleaf" --help)
grep -q "^Haftnotizen für den Linux-Desktop\.$" <<<"$HELP" || fail "no German description: $HELP"
grep -q "Zeigt Hilfe zu den Kommandozeilenoptionen an" <<<"$HELP" || fail "no Qt German: $HELP"

# The installed program, with a fake xdg-open that notes what it is asked to open, on
# a desktop without a viewer for Help.chm.
mkdir -p "$WORK/bin" "$WORK/data" "$WORK/run"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$WORK/opened.log" >"$WORK/bin/xdg-open"
printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/xdg-mime"
chmod +x "$WORK/bin/xdg-open" "$WORK/bin/xdg-mime"
export PATH="$WORK/bin:$PATH" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/run"
chmod 700 "$WORK/run"
unset QT_QPA_PLATFORM
(cd "$WORK" && exec "$D/usr/bin/pinleaf") &
PIDS+=("$!")
PANEL=$(timeout 30 xdotool search --sync --onlyvisible --name '^Pinleaf$' | head -1)
xdotool windowfocus --sync "$PANEL" key F1
for _ in $(seq 100); do [ -s "$WORK/opened.log" ] && break; sleep 0.1; done
[ "$(cat "$WORK/opened.log" 2>/dev/null)" = "file://$S/pinleaf/help/index.html" ] ||
  fail "F1 opened '$(cat "$WORK/opened.log" 2>/dev/null)'"
echo PASS
