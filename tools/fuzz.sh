#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer, AddressSanitizer and UBSan, and
# runs each for SECONDS seconds on a copy of its seed corpus from tests/fuzz/corpus.
#   tools/fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$source_dir/build/fuzz}

cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELLUMWISE_FUZZ=ON -DVELLUMWISE_SANITIZE=ON \
  -DVELLUMWISE_BUILD_TESTS=OFF -DVELLUMWISE_BUILD_GUI=OFF -DVELLUMWISE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" -j"$(nproc)"

status=0
for fuzzer in "$build"/bin/fuzz_*; do
  name=$(basename "$fuzzer"); name=${name#fuzz_}; corpus_name=${name//_/-}
  work="$build/corpus/$corpus_name"
  mkdir -p "$work" "$build/findings"
  cp -n "$source_dir/tests/fuzz/corpus/$corpus_name"/* "$work"/ 2>/dev/null || true
  echo "== $name: $seconds s"
  if ! "$fuzzer" "$work" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/findings/$name-" 2>"$build/$name.log"; then
    echo "FINDING in $name: see $build/$name.log and $build/findings/"; status=1
  fi
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$build/$name.log" || true
done
exit $status
