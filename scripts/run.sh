#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/configure.sh out -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build out -j"$(nproc)" --target Quorlyn32
exec out/bin/Quorlyn32 "$@"
