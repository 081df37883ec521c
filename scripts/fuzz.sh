#!/usr/bin/env bash
# fuzz.sh SECONDS [TARGET...]: builds the libFuzzer targets with clang (the libraries instrumented for
# coverage too) and runs each for SECONDS, seeded from fuzz/seeds/<target>, the folders listed in
# fuzz/<target>.dirs and what earlier runs found (build-fuzz/corpus-<target>). Without TARGETs every
# target runs. FUZZ_JOBS=N runs N targets at a time (default 1). A line per target tells the executions,
# the coverage reached and the corpus size; a crash leaves its input in build-fuzz/artifacts/ and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
ls fuzz/fuzz_*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_FUZZ=ON \
  -DBRINDLE_SANITIZE=ON -DBRINDLE_GUI=OFF -DBRINDLE_TESTS=OFF -DBRINDLE_BENCH=OFF -DBRINDLE_SAMPLES=OFF
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for bin in build-fuzz/fuzz/fuzz_*; do [ -x "$bin" ] && targets+=("$(basename "$bin")"); done
fi
mkdir -p build-fuzz/artifacts

run_one() {
  local name=$1 bin="build-fuzz/fuzz/$1" work="build-fuzz/corpus-$1" log="build-fuzz/$1.log"
  mkdir -p "$work"
  local seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  if [ -f "fuzz/$name.dirs" ]; then
    while read -r d; do [ -n "$d" ] && [ -d "$d" ] && seeds+=("$d"); done < "fuzz/$name.dirs"
  fi
  local status=0 started=$SECONDS
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$name-" "$work" "${seeds[@]}" >"$log" 2>&1 || status=$?
  local last execs
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  echo "$name: ${execs:-?} executions in $((SECONDS - started))s; $(echo "$last" | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9A-Za-z]+' || echo 'no stats')"
  if [ $status -ne 0 ]; then
    echo "$name FAILED (status $status):"
    grep -E 'ERROR|SUMMARY|artifact|deadly|Test unit written' "$log" | head -20
    return 1
  fi
}

jobs=${FUZZ_JOBS:-1}
failed=0
pids=()
for name in "${targets[@]}"; do
  run_one "$name" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
[ $failed -eq 0 ] || { echo "fuzzing: a target crashed"; exit 1; }
echo "fuzzing: no crash"
