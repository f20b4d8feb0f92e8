#!/usr/bin/env bash
# Builds the Debian package in a build folder of its own (no tests, no benchmarks),
# shows its control fields and file list, and checks the unpacked package the way
# the install test checks `cmake --install`: every file in place, the desktop
# entries and the AppStream description valid, the program starting with a text.
# Usage: tools/check-package.sh [BUILD_DIR]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
build=${1:-build-package}
tools/install-deps.sh

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELLUMWISE_BUILD_TESTS=OFF -DVELLUMWISE_BUILD_BENCH=OFF > /dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB > /dev/null)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/vellumwise_${version}_$(dpkg --print-architecture).deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

failures=0
fields=$(dpkg-deb -f "$deb" Depends)
for needed in "fonts-noto-cjk | fonts-wqy-microhei" libqt6svg6 libqt6widgets6; do
  [[ $fields == *"$needed"* ]] || { echo "FAIL: Depends lacks $needed"; failures=$((failures + 1)); }
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
tools/check-install-tree.sh "$unpacked/usr" "$source/tests/fixtures/mixed.txt" || failures=$((failures + 1))
# The desktop entry and the metainfo together, as software centres read them.
appstreamcli validate-tree --no-net "$unpacked" || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
  echo "the package $deb has faults"
  exit 1
fi
echo "the package $deb is sound"
