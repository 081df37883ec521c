#!/usr/bin/env bash
# Runs the test programs of the Windows cross build (scripts/windows-build.sh) under wine64, each in turn,
# and fails when any of them fails. Wine runs in a throw-away prefix of its own, so the tests never
# see (or change) the registry and drives of a prefix someone uses; console programs need no display.
#
# Usage: scripts/windows-test.sh [test program name ...]   (default: every tests/test_*.exe of the build)
#
# With all programs, brindle-cli.exe dump of the demo panel is also compared with the Linux brindle-cli's
# (BRINDLE_LINUX_CLI, else build/ or build-linux/ of this checkout; left out when there is none): both
# must print the same bytes.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
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
  mapfile -t tests < <(find "$BUILD/tests" -maxdepth 1 -name 'test_*.exe' | sort)
fi
if [ ${#tests[@]} -eq 0 ]; then
  echo "windows-test: no test programs in $BUILD/tests; run scripts/windows-build.sh first" >&2
  exit 1
fi

start=$SECONDS
echo "windows-test: starting Wine in $WINEPREFIX"
"$WINE" wineboot --init >/dev/null 2>&1 || true
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

if [ $# -eq 0 ]; then
  linux_cli="${BRINDLE_LINUX_CLI:-}"
  for candidate in "$ROOT/build/src/cli/brindle-cli" "$ROOT/build-linux/src/cli/brindle-cli"; do
    [ -z "$linux_cli" ] && [ -x "$candidate" ] && linux_cli="$candidate"
  done
  if [ -z "$linux_cli" ]; then
    echo "windows-test: no Linux brindle-cli to compare the dump with; left out"
  else
    panel=samples/FS2000/Aircraft/Demo/Panel/panel.cfg
    scratch="$(mktemp -d)"
    (cd "$ROOT" && "$linux_cli" dump "$panel" >"$scratch/linux.json" 2>"$scratch/linux.err") || true
    (cd "$ROOT" && "$WINE" "$BUILD/src/cli/brindle-cli.exe" dump "$panel" >"$scratch/windows.json" \
      2>"$scratch/windows.err") || true
    if [ -s "$scratch/linux.json" ] && cmp -s "$scratch/linux.json" "$scratch/windows.json" &&
      cmp -s "$scratch/linux.err" "$scratch/windows.err"; then
      echo "windows-test: brindle-cli dump prints the same as $linux_cli"
    else
      echo "windows-test: brindle-cli dump differs from $linux_cli:"
      diff "$scratch/linux.json" "$scratch/windows.json" | head -n 20 || true
      diff "$scratch/linux.err" "$scratch/windows.err" | head -n 20 || true
      failed+=("brindle-cli dump")
    fi
    rm -rf "$scratch"
  fi
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "windows-test: failed: ${failed[*]}" >&2
  exit 1
fi
