#!/usr/bin/env bash
# Makes build-windows/Brindle-<version>-windows-x64.zip from the Windows cross build
# (scripts/windows-build.sh): brindle.exe, brindle-cli.exe and pickwell.exe with the guide beside them
# and the demo simulator folder, in one folder that runs from wherever it is unpacked (no installer,
# no DLLs to find). The guide's pictures come from the Linux build's guide (build/guide/shots) when
# they have been taken; the pages read fine without them.
#
# Usage: scripts/package-windows.sh
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRINDLE_WINDOWS_BUILD:-$ROOT/build-windows}"
for exe in src/ui/brindle.exe src/cli/brindle-cli.exe src/pickwell/pickwell.exe; do
  if [ ! -f "$BUILD/$exe" ]; then
    echo "package-windows: $BUILD/$exe is not built; run scripts/windows-build.sh first" >&2
    exit 1
  fi
done
version="$(sed -nE 's/^project\([^)]*VERSION ([0-9.]+).*/\1/p' "$ROOT/CMakeLists.txt" | head -n 1)"
name="Brindle-${version:-0}-windows-x64"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
dir="$stage/$name"
mkdir -p "$dir"

for exe in src/ui/brindle.exe src/cli/brindle-cli.exe src/pickwell/pickwell.exe; do
  cp "$BUILD/$exe" "$dir/"
done
# The symbols stay in the build folder; the programs people download need not carry them.
x86_64-w64-mingw32-strip "$dir"/*.exe
cp -r "$ROOT/doc/guide" "$dir/guide"
[ -d "$ROOT/build/guide/shots" ] && cp -r "$ROOT/build/guide/shots" "$dir/guide/shots"
mkdir -p "$dir/samples"
cp -r "$ROOT/samples/FS2000" "$dir/samples/FS2000"
# Notepad shows a text with bare line feeds as one line on older Windows.
sed 's/$/\r/' >"$dir/README.txt" <<TEXT
Brindle ${version:-} for Windows (64-bit)

brindle.exe      the panel editor; open a panel.cfg with it, or start it and use File > Open
brindle-cli.exe  the same engine for scripts (brindle-cli --help lists what it does)
pickwell.exe     finds, shows, extracts and replaces the 8-bit bitmaps inside gauge modules (.gau)
guide\\           the user's guide, which the editor's Help menu and Help buttons open
samples\\FS2000   a demo simulator folder: a panel, its bitmaps and gauge modules to try things on

Nothing needs installing: the programs run from wherever this folder is. Settings are kept in
the registry under HKEY_CURRENT_USER\\Software\\Brindle.

To try the demo panel:  brindle.exe --sim-dir samples\\FS2000 samples\\FS2000\\Aircraft\\Demo\\Panel\\panel.cfg
TEXT

zip="$BUILD/$name.zip"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name")
echo "package-windows: $zip ($(du -h "$zip" | cut -f1))"
