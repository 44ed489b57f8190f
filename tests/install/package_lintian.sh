# The Debian package as `make package` makes it, from a Release build kept in the build
# tree: lintian finds no error and no warning (nor the informational tags a packager
# would fix), and the installed manual page names the folder the help really is in.
set -euo pipefail
SOURCE=${1:?usage: package_lintian.sh SOURCE_DIR PACKAGE_BUILD_DIR [COMPILER_LAUNCHER]}
BUILD=${2:?}
LAUNCHER=${3:-}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
quiet() { "$@" >"$WORK/log" 2>&1 || fail "$*: $(tail -30 "$WORK/log")"; }

quiet cmake -S "$SOURCE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINLEAF_TESTS=OFF \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$LAUNCHER"
quiet cmake --build "$BUILD" -j 2
rm -f "$BUILD"/pinleaf_*.deb
(cd "$BUILD" && quiet cpack -G DEB)
DEB=$(ls "$BUILD"/pinleaf_*.deb)

rc=0
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$DEB" >"$WORK/lintian" 2>&1 || rc=$?
cat "$WORK/lintian"
[ $rc = 0 ] || fail "lintian ended with $rc"
for tag in hardening-no-bindnow hardening-no-fortify-functions hardening-no-pie \
           extra-license-file package-contains-documentation-outside-usr-share-doc; do
  ! grep -q " $tag" "$WORK/lintian" || fail "lintian: $tag"
done

# The manual page's help folder holds the help in the unpacked package.
dpkg-deb -x "$DEB" "$WORK/root"
help=$(zcat "$WORK/root/usr/share/man/man1/pinleaf.1.gz" | grep -B1 '^the help pages' | sed -n 's/^\.I //p')
[ "$help" = /usr/share/doc/pinleaf/help/ ] || fail "the manual page names the help folder '$help'"
[ -s "$WORK/root$help/index.html" ] || fail "no $help/index.html in the package"
echo PASS
