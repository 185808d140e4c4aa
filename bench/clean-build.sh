#!/usr/bin/env bash
# Times the clean build of two commits side by side: both trees are configured, then both are built
# at the same time, each with half the processors, so that both see the same machine. Prints, per
# commit, the wall time and the processor time (user, system) of the build, configure excluded.
#
#   bench/clean-build.sh BEFORE [AFTER] [ROUNDS]     (AFTER defaults to HEAD, ROUNDS to 2)
#
# The trees and build folders live in a temporary folder that is removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(git rev-parse --short "${1:?usage: bench/clean-build.sh BEFORE [AFTER] [ROUNDS]}")
after=$(git rev-parse --short "${2:-HEAD}")
rounds=${3:-2}
jobs=$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))
work=$(mktemp -d)
trap 'git worktree remove --force "$work/a" 2>/dev/null; git worktree remove --force "$work/b" 2>/dev/null
      rm -rf "$work"' EXIT
git worktree add -q --detach "$work/a" "$before"
git worktree add -q --detach "$work/b" "$after"

build() { # tree name round
    local TIMEFORMAT='%R %U %S' wall user sys
    { time cmake --build "$work/$1.out" -j"$jobs" >"$work/$1.log" 2>&1; } 2>"$work/$1.time" ||
        { echo "$2: the build failed:" >&2; tail -n 20 "$work/$1.log" >&2; return 1; }
    read -r wall user sys <"$work/$1.time"
    printf 'round %s  %-10s wall %7.1f s  user %7.1f s  system %6.1f s\n' "$3" "$2" "$wall" "$user" "$sys"
}

for round in $(seq 1 "$rounds"); do
    for tree in a b; do
        rm -rf "$work/$tree.out"
        (cd "$work/$tree" && scripts/configure.sh "$work/$tree.out" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DQUORLYN_WERROR=ON)
    done
    sync
    # The build started first gains a little; the rounds take turns.
    if (( round % 2 )); then
        build a "$before" "$round" & first=$!
        build b "$after" "$round" & second=$!
    else
        build b "$after" "$round" & first=$!
        build a "$before" "$round" & second=$!
    fi
    wait "$first"
    wait "$second"
done
