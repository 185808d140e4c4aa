#!/usr/bin/env bash
# Compares two commits by the work their build does rather than by the clock, and prints one table
# (before, after, change):
#   - preprocessed text and headers opened, all units and per unit, with the largest changes;
#   - the processor time (user + system) of a sample of units present in both trees, compiled back
#     to back, the order alternating, several rounds: the median ratio and its spread;
#   - each tree's Ninja graph replayed with one table of per-edge times (from a clean build of
#     AFTER, or the .ninja_log files given): the critical path and the wall time on N processors.
#
#   bench/build-work.sh [options] BEFORE [AFTER] [SAMPLE]     (AFTER defaults to HEAD, SAMPLE to 12)
#     --rounds N   compile rounds per sampled unit (3)
#     --jobs N     processes at once for preprocessing, sampling and the build (4)
#     --procs N    processors of the replayed schedule (8)
#     --times LOG  take the edge times from this .ninja_log instead of building AFTER; may repeat
#                  (an edge found in several logs takes the mean). Give logs of clean builds made
#                  without a compiler cache.
#
# Everything runs under nice and without a compiler cache. The trees and build folders live in a
# temporary folder under /tmp that is removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: bench/build-work.sh [--rounds N] [--jobs N] [--procs N] [--times LOG]... BEFORE [AFTER] [SAMPLE]"
rounds=3 jobs=4 procs=8 logs=()
while [ $# -gt 0 ]; do
    case $1 in
        --rounds) rounds=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --procs) procs=$2; shift 2 ;;
        --times) logs+=("$(realpath "$2")"); shift 2 ;;
        -h|--help) echo "$usage"; exit 0 ;;
        -*) echo "$usage" >&2; exit 2 ;;
        *) break ;;
    esac
done
before=$(git rev-parse --short "${1:?$usage}")
after=$(git rev-parse --short "${2:-HEAD}")
sample=${3:-12}

# Measured work must not come out of a cache.
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
export CCACHE_DISABLE=1

work=$(mktemp -d /tmp/build-work.XXXXXX)
trap 'git worktree remove --force "$work/a" 2>/dev/null; git worktree remove --force "$work/b" 2>/dev/null
      rm -rf "$work"' EXIT
git worktree add -q --detach "$work/a" "$before"
git worktree add -q --detach "$work/b" "$after"

for tree in a b; do
    (cd "$work/$tree" && scripts/configure.sh "$work/$tree.out" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORLYN_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
    # Whatever a unit includes that the build generates (text ids, moc output), nothing more.
    mapfile -t pre < <(python3 bench/build_work.py --generated "$work/$tree" "$work/$tree.out")
    echo "$tree: generating what the units include ..." >&2
    nice ninja -C "$work/$tree.out" -j"$jobs" "${pre[@]}" >"$work/$tree.log" 2>&1 ||
        { tail -n 20 "$work/$tree.log" >&2; exit 1; }
done

if [ ${#logs[@]} -eq 0 ]; then
    echo "building $after once for the edge times ..." >&2
    SECONDS=0
    nice ninja -C "$work/b.out" -j"$jobs" >"$work/b.log" 2>&1 || { tail -n 20 "$work/b.log" >&2; exit 1; }
    echo "built in $SECONDS s" >&2
    logs=("$work/b.out/.ninja_log")
fi

nice python3 bench/build_work.py --names "$before" "$after" --src "$work/a" "$work/b" \
    --out "$work/a.out" "$work/b.out" --log "${logs[@]}" \
    --jobs "$jobs" --sample "$sample" --rounds "$rounds" --procs "$procs"
