#!/usr/bin/env bash
# Configures the build folder $1 with the remaining arguments: a new folder with Ninja, which keeps
# all cores busy across the many small targets; a folder configured before keeps its generator.
set -euo pipefail
dir=$1
shift
generator=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
cmake "${generator[@]}" -S . -B "$dir" "$@" >/dev/null
