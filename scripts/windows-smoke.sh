#!/usr/bin/env bash
# Starts the Windows editor (and Pickwell) of the cross build under Wine on a private X display with a
# window manager, opens the demo panel and takes pictures of the screen into build-windows/smoke/
# (brindle.png, pickwell.png), beside the Linux brindle-cli's render of the same window
# (linux-render.png) to hold them against. Fails when a main window does not appear, when the editor
# does not end on File > Exit or when its settings are not in the registry afterwards.
# BRINDLE_WINDOWS_WINDOW_TESTS=1 also runs the window tests (test_ui, test_pickwell_gui) on that display.
#
# Usage: scripts/windows-smoke.sh
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRINDLE_WINDOWS_BUILD:-$ROOT/build-windows}"
OUT="$BUILD/smoke"
WINE="$(command -v wine64 || true)"
[ -z "$WINE" ] && [ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "windows-smoke: $tool is not installed" >&2; exit 1; }
done
[ -n "$WINE" ] || { echo "windows-smoke: wine64 is not installed" >&2; exit 1; }
for exe in src/ui/brindle.exe src/pickwell/pickwell.exe; do
  [ -f "$BUILD/$exe" ] || { echo "windows-smoke: $BUILD/$exe is not built" >&2; exit 1; }
done
mkdir -p "$OUT"
say() { echo "windows-smoke: $*"; }

work="$(mktemp -d "${TMPDIR:-/tmp}/brindle-winsmoke.XXXXXX")"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
pids=()
cleanup() {
  local i
  "$(dirname "$WINE")/wineserver" -k 2>/dev/null
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  sleep 0.3
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -9 "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# shellcheck source=scripts/private-display.sh
. "$(dirname "${BASH_SOURCE[0]}")/private-display.sh"
if ! start_private_display "$work"; then
  say "no X display could be started"
  exit 1
fi
"$WINE" wineboot --init >/dev/null 2>&1
"$(dirname "$WINE")/wineserver" -w 2>/dev/null

# Polls for a shown window whose title matches $1, up to $2 seconds. (xdotool's own --sync wait gives
# up with an X error when a window it looks at goes away meanwhile, as Wine's windows often do.)
wait_window() {
  local id="" i
  for ((i = 0; i < ${2:-30} * 2; i++)); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1)"
    [ -n "$id" ] && break
    sleep 0.5
  done
  echo "$id"
}
shot() {
  xdotool mousemove 1279 1023
  sleep 1.5
  import -window root -strip "png:$OUT/$1.png" && say "took $OUT/$1.png"
}

# The editor works on a copy of the demo simulator folder; its settings go to the throw-away prefix's
# registry, where they are looked for once it has ended.
cp -r "$ROOT/samples/FS2000" "$work/FS2000"
panel="$work/FS2000/Aircraft/Demo/Panel/panel.cfg"
# The paths as Explorer would give them.
winpath() { "$WINE" winepath -w "$1" 2>/dev/null; }
(cd "$work" && exec "$WINE" "$BUILD/src/ui/brindle.exe" --sim-dir "$(winpath "$work/FS2000")" \
  "$(winpath "$panel")") >"$work/brindle.log" 2>&1 &
editor=$!
pids+=("$editor")
status=0
id="$(wait_window '^Brindle - Open Window$' 60)"
if [ -n "$id" ]; then
  timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1
  sleep 0.5
  xdotool key Return
fi
main="$(wait_window '^Brindle - .*Window00' 30)"
if [ -n "$main" ]; then
  timeout 5 xdotool windowactivate --sync "$main" >/dev/null 2>&1
  shot brindle
  # File > Exit, as a user leaves it, so that the settings are written.
  timeout 5 xdotool windowactivate --sync "$main" >/dev/null 2>&1
  xdotool key --delay 100 alt+f x
  for _ in $(seq 100); do kill -0 "$editor" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$editor" 2>/dev/null; then
    say "the editor did not end after File > Exit"
    shot brindle-exit-failed
    status=1
  elif "$WINE" reg query 'HKCU\Software\Brindle\Brindle\Brindle' /v FS2000Dir 2>/dev/null | tr -d '\r' |
    grep -q 'FS2000Dir.*REG_SZ'; then
    say "the settings are in the registry (HKEY_CURRENT_USER\Software\Brindle\Brindle\Brindle)"
  else
    say "the settings were not found in the registry"
    "$WINE" reg query 'HKCU\Software\Brindle' /s 2>&1 | head -n 20 >&2
    status=1
  fi
else
  say "the editor's main window did not appear"
  shot brindle-failed
  cat "$work/brindle.log" >&2
  status=1
fi
"$(dirname "$WINE")/wineserver" -k 2>/dev/null

linux_cli="$ROOT/build/src/cli/brindle-cli"
[ -x "$linux_cli" ] && "$linux_cli" render "$panel" --sim-dir "$work/FS2000" -o "$OUT/linux-render.png" &&
  say "Linux render for comparison: $OUT/linux-render.png"

(cd "$work/FS2000/gauges" && exec "$WINE" "$BUILD/src/pickwell/pickwell.exe") >"$work/pickwell.log" 2>&1 &
pids+=($!)
pw="$(wait_window 'Pickwell' 60)"
if [ -n "$pw" ]; then
  shot pickwell
else
  say "Pickwell's window did not appear"
  cat "$work/pickwell.log" >&2
  status=1
fi
# The editor's and Pickwell's window tests on the same display, when asked for (about a minute and a
# half). In this fresh prefix the key presses of DialogKeys' first dialogs do not arrive in time, so
# that test fails here; it passes in a prefix that has run before, as every other window test does.
if [ "${BRINDLE_WINDOWS_WINDOW_TESTS:-0}" = 1 ]; then
  # Pickwell's window would take the keys the tests press.
  "$(dirname "$WINE")/wineserver" -k 2>/dev/null
  sleep 1
  for t in test_ui test_pickwell_gui; do
    t0=$SECONDS
    if (cd "$BUILD" && timeout --kill-after=30 1200 "$WINE" "tests/$t.exe" --gtest_brief=1); then
      say "$t passed ($((SECONDS - t0)) s)"
    else
      say "$t FAILED ($((SECONDS - t0)) s)"
      status=1
    fi
  done
fi
exit $status
