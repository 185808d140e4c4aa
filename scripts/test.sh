#!/usr/bin/env bash
# Checks the format of the sources, builds everything and runs every test: the normal build with
# the check of what it installs and packages, then the sanitizer build of the tests that need no
# display.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
scripts/format-check.sh
scripts/configure.sh out -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLYN_WERROR=ON
cmake --build out -j"$jobs"
(cd out && ctest --output-on-failure -j"$jobs")
scripts/install-check.sh out
scripts/configure.sh out-asan -DCMAKE_BUILD_TYPE=Debug -DQUORLYN_SANITIZE=ON -DQUORLYN_WERROR=ON
cmake --build out-asan -j"$jobs"
(cd out-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs" -LE gui)
