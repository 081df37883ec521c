# Sourced by the scripts that drive windows (guide-shots.sh, windows-smoke.sh): a private X display
# with a window manager, so that windows get the focus and real key presses reach them.
#
# start_private_display LOGDIR: starts Xvfb on a free display number (a number another server holds
# is skipped, a server that dies is replaced) and openbox on it, adds both to the caller's `pids`
# array for its clean-up, and exports DISPLAY. Returns 1 when no display could be started.
start_private_display() {
  local logs="$1" n xvfb display="" _
  for _ in 1 2 3 4 5; do
    n=$((200 + RANDOM % 700))
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$logs/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 $xvfb 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $xvfb 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      pids+=("$xvfb")
      display=":$n"
      break
    fi
    kill $xvfb 2>/dev/null
  done
  [ -n "$display" ] || return 1
  export DISPLAY=$display
  unset WAYLAND_DISPLAY
  # Without a window manager no window takes the focus, and the keys would go nowhere.
  openbox >"$logs/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
}
