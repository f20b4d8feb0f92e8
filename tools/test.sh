#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELLUMWISE_SANITIZE=ON \
  -DVELLUMWISE_BUILD_GUI=OFF -DVELLUMWISE_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
