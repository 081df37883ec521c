#!/usr/bin/env bash
# fuzz.sh SECONDS: builds the libFuzzer targets with clang and runs each briefly, seeded from the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
ls fuzz/fuzz_*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_FUZZ=ON \
  -DBRINDLE_SANITIZE=ON -DBRINDLE_GUI=OFF -DBRINDLE_TESTS=OFF -DBRINDLE_BENCH=OFF -DBRINDLE_SAMPLES=OFF
for bin in build-fuzz/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin")
  seeds="fuzz/seeds/$name"
  work="build-fuzz/corpus-$name"
  mkdir -p "$work"
  # fuzz/<name>.dirs lists seed folders (relative to the checkout), e.g. ../shared/corpus/panels
  extra=()
  if [ -f "fuzz/$name.dirs" ]; then
    while read -r d; do [ -n "$d" ] && [ -d "$d" ] && extra+=("$d"); done < "fuzz/$name.dirs"
  fi
  echo "fuzzing $name for ${seconds}s"
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$work" \
    $( [ -d "$seeds" ] && echo "$seeds" ) "${extra[@]}" >"build-fuzz/$name.log" 2>&1 || { tail -50 "build-fuzz/$name.log"; exit 1; }
done
echo "fuzzing: no crash"
