#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (GUI tests under a private Xvfb).
# With CI=true (or BRINDLE_FULL=1) the tests run a second time under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets run briefly, and the Windows cross build is made
# (beside the fuzzing, which keeps one core busy), tested under Wine, started on screen and packed
# (BRINDLE_WINDOWS=0 leaves the Windows part out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

# Each stage says when it starts and how long the run has taken, so a slow stage shows in the log.
stage() { echo "== [$((SECONDS / 60))m$((SECONDS % 60))s] $*"; }

full=0
if [ "${CI:-}" = "true" ] || [ "${BRINDLE_FULL:-0}" = "1" ]; then full=1; fi

# A private X display for the GUI tests.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
winbuild_pid=""
trap 'kill $xvfb_pid 2>/dev/null || true; [ -z "$winbuild_pid" ] || kill -- -"$winbuild_pid" 2>/dev/null || true' EXIT
export DISPLAY=$display

stage "build"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The guide's pictures, taken from the programs just built; a display that misbehaves costs the
# pictures, not the run.
stage "the guide's pictures"
cmake --build build --target guide_shots || echo "guide pictures were not made"
stage "tests"
(cd build && ctest --output-on-failure -j "$(nproc)")

if [ $full = 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  stage "sanitizer build"
  scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON -DBRINDLE_GUI=OFF -DBRINDLE_BENCH=OFF -DBRINDLE_SAMPLES=OFF
  stage "sanitizer tests"
  (cd build-asan && ctest --output-on-failure -j "$(nproc)")
  # The windows' tests under the sanitizers too; the toolkit's own allocations that live until exit
  # are not leaks of ours, so leak checking is off for them.
  stage "sanitizer build of the windows' tests"
  if [ ! -f build-asan-gui/build.ninja ]; then
    cmake -S . -B build-asan-gui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON -DBRINDLE_BENCH=OFF \
      -DBRINDLE_SAMPLES=OFF >/dev/null
  fi
  cmake --build build-asan-gui -j "$(nproc)" --target test_ui test_pickwell_gui
  stage "the windows' tests under the sanitizers"
  for t in test_ui test_pickwell_gui; do
    # A window left waiting for an answer must fail the run, not hold it until CI gives up.
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 timeout --kill-after=30 1200 "build-asan-gui/tests/$t"
  done
  windows=${BRINDLE_WINDOWS:-1}
  if [ "$windows" = 1 ]; then
    # The cross build takes the cores the fuzzers leave; it is niced so that the fuzzers' own build
    # and runs come first. Its own process group, so that a failed run stops all of it.
    stage "the Windows build, beside the fuzzing (log: build-windows/build.log)"
    mkdir -p build-windows
    set -m
    nice -n 10 scripts/windows-build.sh >build-windows/build.log 2>&1 &
    winbuild_pid=$!
    set +m
  fi
  stage "fuzzing"
  scripts/fuzz.sh "${BRINDLE_FUZZ_SECONDS:-60}"
  if [ "$windows" = 1 ]; then
    stage "waiting for the Windows build"
    if ! wait "$winbuild_pid"; then
      winbuild_pid=""
      tail -n 60 build-windows/build.log
      echo "the Windows build failed (build-windows/build.log)" >&2
      exit 1
    fi
    winbuild_pid=""
    grep '^windows-build:' build-windows/build.log || true
    stage "the Windows tests under Wine"
    (unset DISPLAY; scripts/windows-test.sh)
    stage "the Windows editor and Pickwell under Wine, on screen"
    scripts/windows-smoke.sh
    stage "the Windows package"
    scripts/package-windows.sh
  fi
fi
stage "done"
