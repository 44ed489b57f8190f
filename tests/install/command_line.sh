# --help and --version work without any display; without one the program says so in
# one line and ends with 1 instead of the toolkit's abort.
set -euo pipefail
BIN=${1:?usage: command_line.sh path/to/pinleaf VERSION}
VERSION=${2:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK"
fail() { echo "FAIL: $*" >&2; exit 1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

for display in none :97; do # no display at all, and one that is not there
  run() { if [ $display = none ]; then bare "$@"; else bare DISPLAY=$display "$@"; fi; }
  rc=0; run "$BIN" --help >"$WORK/out" 2>"$WORK/err" || rc=$?
  [ $rc = 0 ] || fail "--help ($display) ended with $rc"
  for option in new-note toggle-panel roll-up roll-down toggle-on-top bring-forward version; do
    grep -q -- "--$option " "$WORK/out" || fail "--help does not list --$option"
  done
  rc=0; run "$BIN" --version >"$WORK/out" 2>"$WORK/err" || rc=$?
  [ $rc = 0 ] && [ "$(cat "$WORK/out")" = "pinleaf $VERSION" ] ||
    fail "--version ($display): $rc '$(cat "$WORK/out")'"
  # A plain start and an action with no copy running both need the display.
  for args in "" --new-note; do
    rc=0; run "$BIN" $args >"$WORK/out" 2>"$WORK/err" || rc=$?
    [ $rc = 1 ] || fail "'$args' without a display ($display) ended with $rc"
    [ "$(wc -l <"$WORK/err")" = 1 ] && grep -q "^pinleaf: no X display" "$WORK/err" ||
      fail "'$args' ($display) said: $(cat "$WORK/err")"
    [ ! -s "$WORK/out" ] || fail "'$args' ($display) printed: $(cat "$WORK/out")"
  done
done
[ ! -e "$XDG_DATA_HOME/Pinleaf" ] || fail "a start without a display made the data folder"
echo PASS
