#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the whole suite again
# (the reading window's tests included) under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the formatting check.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The window's layers keep string_views into the document's gloss pool, so they are
# checked too. No benchmarks here: they measure the normal build.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELLUMWISE_SANITIZE=ON \
  -DVELLUMWISE_BUILD_GUI=ON -DVELLUMWISE_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

tools/check-format.sh
