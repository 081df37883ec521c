#!/usr/bin/env bash
# Makes packaging/brindle.ico and packaging/pickwell.ico, the icons Explorer shows for the Windows
# programs, from the SVG icons, with a small wxWidgets program (packaging/make_ico.cpp) on a private X
# display. The .ico files are kept in the tree, so the Windows build needs no SVG renderer; run this
# after changing an SVG.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'kill "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
g++ -std=c++17 -O1 "$ROOT/packaging/make_ico.cpp" $(wx-config --cxxflags --libs core,base) -o "$work/make_ico"
n=$((300 + RANDOM % 600))
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
for name in brindle pickwell; do
  DISPLAY=":$n" "$work/make_ico" "$ROOT/packaging/$name.svg" "$ROOT/packaging/$name.ico"
  echo "make-windows-icons: packaging/$name.ico"
done
