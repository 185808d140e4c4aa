#!/usr/bin/env bash
# Builds the Debian package quorlyn32_<version>_<arch>.deb from the build folder $1 (default out/,
# configured as scripts/test.sh does when it does not exist yet) into $1/package/, and prints its
# path. The dependencies come from the binaries (dpkg-shlibdeps); the binaries are stripped.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-out}
[ -f "$dir/CMakeCache.txt" ] || scripts/configure.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j"$(nproc)" --target Quorlyn32 quorlyn_desktop_files
rm -f "$dir"/package/quorlyn32_*.deb
(cd "$dir" && cpack -G DEB >package.log 2>&1) || { cat "$dir/package.log" >&2; exit 1; }
ls "$dir"/package/quorlyn32_*.deb
