#!/usr/bin/env bash
# Runs the test programs of the Windows cross build (scripts/windows-build.sh) under wine64, each in turn,
# and fails when any of them fails. Wine runs in a throw-away prefix of its own, so the tests never
# see (or change) the registry and drives of a prefix someone uses; console programs need no display.
#
# Usage: scripts/windows-test.sh [test program name ...]   (default: every engine, CLI and Pickwell test
# program of the build)
#
# With all programs, brindle-cli.exe dump and render of the demo panel and of the corpus's panels are
# also compared with the Linux brindle-cli's (BRINDLE_LINUX_CLI, else build/ or build-linux/ of this
# checkout; left out when there is none): both must print the same bytes and draw the same pixels.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)"
BUILD="${BRINDLE_WINDOWS_BUILD:-$ROOT/build-windows}"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if ! dpkg-query -W -f='${Status}' wine64 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: wine64"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends wine64
fi
WINE="$(command -v wine64 || true)"
[ -z "$WINE" ] && [ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
if [ -z "$WINE" ]; then
  echo "windows-test: wine64 not found" >&2
  exit 1
fi

PREFIX_DIR="$(mktemp -d "${TMPDIR:-/tmp}/brindle-wine.XXXXXX")"
export WINEPREFIX="$PREFIX_DIR" WINEDEBUG=-all WINEARCH=win64
# Without Mono and Gecko Wine would ask to download them on its first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  WINEPREFIX="$PREFIX_DIR" "$(dirname "$WINE")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  rm -rf "$PREFIX_DIR"
}
trap cleanup EXIT

if [ $# -gt 0 ]; then
  tests=()
  for t in "$@"; do tests+=("$BUILD/tests/${t%.exe}.exe"); done
else
  # The window tests need a display and a window manager (scripts/windows-smoke.sh starts the windows).
  mapfile -t tests < <(find "$BUILD/tests" -maxdepth 1 -name 'test_*.exe' ! -name 'test_ui.exe' \
    ! -name 'test_pickwell_gui.exe' | sort)
fi
if [ ${#tests[@]} -eq 0 ]; then
  echo "windows-test: no test programs in $BUILD/tests; run scripts/windows-build.sh first" >&2
  exit 1
fi

start=$SECONDS
echo "windows-test: starting Wine in $WINEPREFIX"
"$WINE" wineboot --init >/dev/null 2>&1 || true
# wineboot returns before the new prefix has settled (its registry is still being written, services
# still starting); a test program started then can end abnormally.
"$(dirname "$WINE")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
failed=()
for t in "${tests[@]}"; do
  name="$(basename "$t" .exe)"
  t0=$SECONDS
  # The tests' own folders are Linux paths; Wine reaches them through its Z: drive.
  if (cd "$BUILD" && timeout 900 "$WINE" "$t" --gtest_brief=1); then
    echo "windows-test: $name passed ($((SECONDS - t0)) s)"
  else
    echo "windows-test: $name FAILED ($((SECONDS - t0)) s)"
    failed+=("$name")
  fi
done
echo "windows-test: ${#tests[@]} programs in $((SECONDS - start)) s"

# The same command on both builds must print the same texts, write the same file and end the same
# way. A path in a message is written the system's way (Z:\work\... under Wine, /work/... on Linux):
# both sides' texts are compared with "/" for "\" and the Z: drive taken away, and the file each
# writes is named @OUT@.
same_on_both() {
  local what="$1" dir="$2" out="$3"
  shift 3
  local args=("$@") linux_code=0 windows_code=0 side
  (cd "$dir" && "$linux_cli" "${args[@]//@OUT@/$scratch/linux.$out}" >"$scratch/linux.out" \
    2>"$scratch/linux.err") || linux_code=$?
  (cd "$dir" && "$WINE" "$BUILD/src/cli/brindle-cli.exe" "${args[@]//@OUT@/$scratch/windows.$out}" \
    >"$scratch/windows.out" 2>"$scratch/windows.err") || windows_code=$?
  for side in linux windows; do
    sed -i -e "s#$scratch/$side.$out#@OUT@#g" -e 's#\\#/#g' -e 's#Z:/#/#g' -e 's#\r$##' \
      "$scratch/$side.out" "$scratch/$side.err"
  done
  if [ "$linux_code" = "$windows_code" ] && cmp -s "$scratch/linux.out" "$scratch/windows.out" &&
    cmp -s "$scratch/linux.err" "$scratch/windows.err" &&
    { [ "$out" = none ] || cmp -s "$scratch/linux.$out" "$scratch/windows.$out" ||
      { [ ! -e "$scratch/linux.$out" ] && [ ! -e "$scratch/windows.$out" ]; }; }; then
    compared=$((compared + 1))
  else
    echo "windows-test: $what differs (exit $linux_code on Linux, $windows_code on Windows):"
    diff "$scratch/linux.out" "$scratch/windows.out" | head -n 10 || true
    diff "$scratch/linux.err" "$scratch/windows.err" | head -n 10 || true
    [ "$out" = none ] || cmp "$scratch/linux.$out" "$scratch/windows.$out" || true
    failed+=("$what")
  fi
  rm -f "$scratch"/linux.* "$scratch"/windows.*
}

if [ $# -eq 0 ]; then
  linux_cli="${BRINDLE_LINUX_CLI:-}"
  for candidate in "$ROOT/build/src/cli/brindle-cli" "$ROOT/build-linux/src/cli/brindle-cli"; do
    [ -z "$linux_cli" ] && [ -x "$candidate" ] && linux_cli="$candidate"
  done
  if [ -z "$linux_cli" ]; then
    echo "windows-test: no Linux brindle-cli to compare dump and render with; left out"
  else
    # dump and render of every window of the demo panel and of the corpus's panels. Paths are given
    # relative to the checkout so that messages naming them read the same on both.
    t0=$SECONDS
    scratch="$(mktemp -d)"
    compared=0
    "$(dirname "$WINE")/wineserver" -p 2>/dev/null || wineserver -p 2>/dev/null || true
    # Each panel is named from the folder above its tree, so that no path holds "..".
    dirs=("$ROOT") panels=(samples/FS2000/Aircraft/Demo/Panel/panel.cfg)
    if [ -d "$ROOT/../shared/corpus/panels" ]; then
      # The physical path: the Linux side names files through their real folders, Wine through the
      # path it was given.
      shared="$(cd "$ROOT/../shared" && pwd -P)"
      while IFS= read -r p; do dirs+=("$shared") panels+=("$p"); done < <(cd "$shared" &&
        find corpus/panels -iname 'panel.cfg' | sort)
    fi
    for i in "${!panels[@]}"; do
      dir="${dirs[i]}" panel="${panels[i]}"
      same_on_both "dump of $panel" "$dir" none dump "$panel"
      windows="$(cd "$dir" && "$linux_cli" dump "$panel" 2>/dev/null |
        python3 -c 'import json,sys; print(json.load(sys.stdin)["panel"]["windowCount"])' 2>/dev/null || echo 0)"
      for ((w = 0; w < windows && w < 24; w++)); do
        same_on_both "render of window $w of $panel" "$dir" bmp render "$panel" --window "$w" -o @OUT@
      done
    done
    rm -rf "$scratch"
    echo "windows-test: $compared dumps and renders the same as $linux_cli ($((SECONDS - t0)) s)"
  fi
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "windows-test: failed: ${failed[*]}" >&2
  exit 1
fi
