#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop user gets there.
# Usage: install_test.sh CMAKE BUILD_DIR
set -u
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$cmake" --install "$build" --prefix "$prefix" 2>&1) || { echo "$out"; echo "FAIL: cmake --install"; exit 1; }

# The editor finds its guide at <folder of its program>/../share/brindle/guide.
for f in bin/brindle bin/pickwell bin/brindle-cli \
         bin/../share/brindle/guide/index.html bin/../share/brindle/guide/brindle.hhp \
         share/brindle/samples/FS2000/Aircraft/Demo/Panel/panel.cfg \
         share/brindle/samples/FS2000/Aircraft/Demo/Panel/panel_main.bmp \
         share/brindle/samples/FS2000/gauges/Demo_Cessna.gau \
         share/applications/brindle.desktop share/applications/pickwell.desktop \
         share/icons/hicolor/scalable/apps/brindle.svg share/icons/hicolor/scalable/apps/pickwell.svg \
         share/mime/packages/brindle-panel.xml; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for f in bin/brindle bin/pickwell bin/brindle-cli; do
  [ -x "$prefix/$f" ] || fail "$f is not executable"
done
# The build's sources of the sample modules are no part of what a user tries the editor with.
leftovers=$(find "$prefix/share/brindle/samples" -name '*.c' -o -name '*.rc' -o -name CMakeLists.txt)
[ -z "$leftovers" ] || fail "build sources installed: $leftovers"

# The installed programs run on their own, away from the build folder.
"$prefix/bin/brindle-cli" --help | grep -q "brindle-cli" || fail "installed brindle-cli --help"
"$prefix/bin/pickwell" --help >/dev/null || fail "installed pickwell --help"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/brindle.desktop" "$prefix/share/applications/pickwell.desktop" \
    || fail "desktop-file-validate"
fi
if command -v update-mime-database >/dev/null; then
  out=$(update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $out"
  grep -q "text/x-brindle-panel:panel.cfg" "$prefix/share/mime/globs2" || fail "panel.cfg is not text/x-brindle-panel"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install layout OK"
