#!/usr/bin/env bash
# guide-shots.sh OUTDIR: takes the user's guide's pictures from the programs built in build/ (or the
# ones $BRINDLE_EDITOR and $BRINDLE_PICKWELL name), so that they always show the dialogs as they are now.
#
# The programs run on a private X display with a window manager and are driven with real key presses
# and pointer clicks, the way a user would: GTK ignores events sent to a window directly. A picture that
# cannot be taken is left out with a message; the run fails only when not even the main window could be
# shown, since the guide reads fine without any of the others.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
brindle="${BRINDLE_EDITOR:-$root/build/src/ui/brindle}"
pickwell="${BRINDLE_PICKWELL:-$root/build/src/pickwell/pickwell}"
mkdir -p "$1" || exit 1
out="$(cd "$1" && pwd)"

for tool in Xvfb openbox xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "guide-shots: $tool is not installed" >&2
    exit 1
  fi
done
if [ ! -x "$brindle" ]; then
  echo "guide-shots: $brindle is not built" >&2
  exit 1
fi

say() { echo "guide-shots: $*"; }

work="$(mktemp -d "${TMPDIR:-/tmp}/brindle-shots.XXXXXX")"
pids=()
cleanup() {
  local i
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

# Waits up to $2 seconds (default 15) for a shown window whose title matches the pattern $1; prints its
# id.
wait_window() {
  timeout "${2:-15}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | tail -n 1
}

# Waits up to 5 seconds for every shown window whose title matches $1 to go.
wait_gone() {
  local i
  for i in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# Key groups, each given its own moment, since a menu opens a little after the key that asks for it.
keys() {
  local group
  for group in "$@"; do
    # shellcheck disable=SC2086  # a group is several key names
    xdotool key --delay 60 $group
    sleep 0.5
  done
}

# Window $1 as picture $2.png. The pointer goes to a corner first, where it shows no tooltip.
capture() {
  xdotool mousemove 1279 1023
  sleep 0.8
  if import -window "$1" -strip -quality 95 "png:$out/$2.png" 2>"$work/import.log"; then
    say "took $2.png"
    return 0
  fi
  say "could not take $2.png: $(cat "$work/import.log")"
  rm -f "$out/$2.png"
  return 1
}

main=""
focus_main() {
  timeout 5 xdotool windowactivate --sync "$main" >/dev/null 2>&1
  sleep 0.3
}

# Closes the dialog whose title matches $1 with Escape; failing that, with the window manager.
close_dialog() {
  local id=$1 title=$2
  timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1
  keys Escape
  wait_gone "$title" && return 0
  say "Escape did not close \"$title\""
  xdotool windowclose "$id" 2>/dev/null || xdotool windowkill "$id" 2>/dev/null
  wait_gone "$title"
}

# dialog NAME TITLE-PATTERN KEY-GROUP...: opens a dialog of the editor with keys pressed in its main
# window, takes its picture and closes it. A function named prepare_NAME, if there is one, first sets
# the dialog up (chooses a list entry) with the dialog's id as its argument.
dialog() {
  local name=$1 title=$2 id
  shift 2
  if ! kill -0 "$editor" 2>/dev/null; then
    say "skipped $name.png: the editor is gone"
    return 1
  fi
  focus_main
  keys "$@"
  id="$(wait_window "$title" 10)"
  if [ -z "$id" ]; then
    say "skipped $name.png: no window \"$title\" appeared after the keys $*"
    # A menu left open, or a dialog other than the one asked for, goes before the next try.
    keys Escape Escape
    return 1
  fi
  sleep 0.5
  if declare -F "prepare_$name" >/dev/null; then "prepare_$name" "$id"; fi
  capture "$id" "$name"
  close_dialog "$id" "$title"
}

# Chooses a gauge of the demo module so that the preview shows its bitmap. A click on the file list's
# sixth line, a module, gives the list the focus (a click on a folder's line would enter the folder);
# the demo module is the list's third-last entry, its Clock the third-last gauge.
prepare_add_gauge() {
  xdotool mousemove --window "$1" 120 184 click 1
  sleep 0.5
  keys End Up Up Tab "End Up Up"
  sleep 0.5
}

# The palette of the shown window, worked out by the button that has the focus.
prepare_palette() {
  keys space
  sleep 1
}

# The editor works on a copy of the demo simulator folder in a home folder of its own and keeps its
# settings there, so the source tree and the user's own files stay as they are and every run starts
# from the same defaults.
export HOME="$work/home"
mkdir -p "$HOME"
cp -r "$root/samples/FS2000" "$HOME/FS2000"
panel="$HOME/FS2000/Aircraft/Demo/Panel/panel.cfg"
(cd "$HOME" && exec "$brindle" --settings "$HOME/settings.ini" --sim-dir "$HOME/FS2000" "$panel") \
  >"$work/brindle.log" 2>&1 &
editor=$!
pids+=("$editor")

# A panel opened for the first time asks which of its windows to show.
id="$(wait_window '^Brindle - Open Window$' 30)"
if [ -n "$id" ]; then
  capture "$id" open_window
  timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1
  keys Return
  wait_gone '^Brindle - Open Window$'
else
  say "skipped open_window.png: the window list did not appear"
fi

main="$(wait_window '^Brindle - .*Window00' 15)"
if [ -z "$main" ]; then
  say "the editor's main window did not appear"
  cat "$work/brindle.log" >&2
  exit 1
fi
# A size that holds the main panel without much room around it, and the panel fitted to it.
xdotool windowsize --sync "$main" 1000 500 2>/dev/null || true
sleep 1
focus_main
keys alt+w Return
capture "$main" main_window || exit 1

dialog mode '^Brindle - Mode and Flight Simulator Directory$' alt+o Return
dialog grid '^Brindle - Grid Properties$' alt+o "Down Return"
dialog preferences '^Brindle Preferences$' alt+o "Down Down Down Return"
dialog add_gauge '^Brindle - Add a new Gauge$' alt+g Return
dialog export '^Brindle - Panel Export Tool$' alt+t Return
dialog palette '^Brindle - Create Color Palette$' alt+t "Down Down Return"
dialog design_check '^Brindle - Design Check$' alt+t "Down Down Down Down Return"
dialog new_window '^Brindle - Add a New Window$' alt+w "Down Return"
dialog window_position '^Brindle - Adjust Default Window Position$' alt+w "Down Down Down Down Return"
dialog window_properties '^Brindle - .*Window00.* Properties$' alt+w "Down Down Down Down Down Return"
dialog fixed_windows 'Fixed Windows' alt+w "Down Down Down Down Down Down Return"

# Gauge Properties needs one gauge selected: a click selects the airspeed indicator, the first gauge of
# the fitted panel; Properties is the last entry of the Gauge menu, one step up from its first.
focus_main
xdotool mousemove --window "$main" 105 204 click 1
sleep 0.5
dialog gauge_properties '^Brindle - Gauge Properties$' alt+g "Up Return"

# The editor goes before Pickwell starts, so that no window of its own is left to take the focus.
kill "$editor" 2>/dev/null
for _ in $(seq 50); do
  kill -0 "$editor" 2>/dev/null || break
  sleep 0.1
done

# Pickwell lists the modules of the folder it starts in and writes its scratch bitmap there, so it
# starts in a folder of its own that holds one sample module.
if [ -x "$pickwell" ]; then
  mkdir -p "$HOME/pickwell"
  cp "$HOME/FS2000/gauges/Demo_Cessna.gau" "$HOME/pickwell/"
  # A start that shows no window in time gets one more try.
  id=""
  for _ in 1 2; do
    (cd "$HOME/pickwell" && exec "$pickwell") >"$work/pickwell.log" 2>&1 &
    pw=$!
    pids+=("$pw")
    id="$(wait_window '^ *Pickwell - Highlight' 30)"
    [ -n "$id" ] && break
    kill "$pw" 2>/dev/null
  done
  if [ -z "$id" ]; then
    say "skipped pickwell.png: its window did not appear"
    sed "s/^/  pickwell: /" "$work/pickwell.log" | tail -n 5
  else
    sleep 0.5
    timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1
    # Enter scans the highlighted module; its menu's first button shows the bitmaps.
    keys Return
    id="$(wait_window '^Pickwell$' 20)"
    if [ -n "$id" ]; then
      sleep 0.5
      timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1
      keys space
      id="$(wait_window '^Enter the bitmap number' 10)"
      if [ -n "$id" ]; then
        sleep 0.5
        capture "$id" pickwell
      else
        say "skipped pickwell.png: GAU to BMP did not open"
      fi
    else
      say "skipped pickwell.png: the module was not scanned"
    fi
  fi
  kill "$pw" 2>/dev/null
else
  say "skipped pickwell.png: $pickwell is not built"
fi

[ -f "$out/main_window.png" ]
