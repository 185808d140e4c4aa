#!/usr/bin/env bash
# Checks what the build folder $1 (default out/, already built) installs: the FHS tree in a DESTDIR,
# the installed program started from there (offscreen, opening a project, ended by SIGTERM) with
# its libraries from the installed tree, the desktop entry, MIME type and metainfo, no path of the
# build machine in any installed file, and the Debian package with its file list.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath "${1:-out}")
src=$(pwd)
arch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
id=com.zentrix.Quorlyn32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "install-check: $*" >&2
    exit 1
}

# The files of the package and of an install, relative to the prefix /usr.
expected=(bin/Quorlyn32 "lib/$arch/quorlyn32/libvintrel.so" "lib/$arch/quorlyn32/libpelmora.so"
          "share/applications/$id.desktop" "share/mime/packages/$id.xml" "share/metainfo/$id.metainfo.xml"
          "share/icons/hicolor/scalable/apps/$id.svg" share/man/man1/Quorlyn32.1.gz
          share/doc/quorlyn32/copyright share/doc/quorlyn32/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
expected_list=$(printf '%s\n' "${expected[@]}" | sort)

# The tree, laid out as the package lays it out.
dest=$work/dest
DESTDIR=$dest cmake --install "$dir" --prefix /usr --strip >/dev/null
usr=$dest/usr
[ "$(cd "$usr" && find . -type f | sed 's|^\./||' | sort)" = "$expected_list" ] ||
    fail "installed files differ: $(cd "$usr" && find . -type f | sort | tr '\n' ' ')"
[ -d "$usr/share/quorlyn32" ] && [ -d "$usr/lib/$arch/quorlyn32/Tools" ] || fail "program folders missing"
runpath=$(readelf -d "$usr/bin/Quorlyn32" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = "\$ORIGIN/../lib/$arch/quorlyn32" ] || fail "program RUNPATH is '$runpath'"
for lib in "$usr/lib/$arch/quorlyn32"/*.so; do
    [[ "$(readelf -d "$lib")" != *RUNPATH* && "$(readelf -d "$lib")" != *RPATH* ]] ||
        fail "$lib has a library search path"
done
if grep -r -l -F -e "$dir" -e "$src" "$dest"; then
    fail "installed files hold a path of the build machine"
fi

# The desktop entry, the metainfo and the MIME type, seen through a private data folder.
desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net --no-color "$usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"
data=$work/data
mkdir -p "$data/mime/packages" "$data/applications"
cp "$usr/share/mime/packages/$id.xml" "$data/mime/packages/"
cp "$usr/share/applications/$id.desktop" "$data/applications/"
update-mime-database "$data/mime" >/dev/null 2>&1
update-desktop-database "$data/applications"
# A project: the 306-byte header with its marker at 46; a map projection text also ends in .prj.
project=$work/Sample.prj
head -c 306 /dev/zero >"$project"
printf '\377\377PROJECT FILE' | dd of="$project" bs=1 seek=44 conv=notrunc status=none
printf 'PROJCS["WGS_1984_UTM_Zone_32N",GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984"]]]\n' >"$work/map.prj"
content_type() {
    XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$1" |
        sed -n 's/.*content-type: //p'
}
[ "$(content_type "$project")" = application/x-quorlyn32-project ] || fail "a project is $(content_type "$project")"
[ "$(content_type "$work/map.prj")" = text/plain ] || fail "a map projection is $(content_type "$work/map.prj")"
# The desktop lists an entry only when its program is on the PATH.
handlers=$(PATH=$usr/bin:$PATH XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share gio mime application/x-quorlyn32-project)
grep -q "Default application.*$id.desktop" <<<"$handlers" || fail "the desktop entry is not registered for projects"

# The installed program answers --version without a display and with its libraries found.
version=$(env -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/Quorlyn32" --version) ||
    fail "the installed program's --version failed"
[[ "$version" == *Quorlyn32* ]] || fail "--version printed: $version"

# The installed program, started offscreen on the project in a private home: its libraries come
# from the installed tree (the build folder is never named there), and SIGTERM ends it in order
# once its start-up is done (it then catches the signal).
home=$work/home
mkdir -p "$home"
(cd "$work" && exec env -u LD_LIBRARY_PATH HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/Quorlyn32" "$project" >"$work/run.log" 2>&1) &
pid=$!
for _ in $(seq 200); do
    mask=$(sed -n 's/^SigCgt:\s*//p' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$mask" ] && (( (16#$mask >> 14) & 1 )) && break
    sleep 0.1
done
maps=$(cat "/proc/$pid/maps" 2>/dev/null || true)
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$work/run.log" >&2; fail "the installed program ended with $status"; }
for lib in libvintrel.so libpelmora.so; do
    grep -q -F "$usr/lib/$arch/quorlyn32/$lib" <<<"$maps" || fail "$lib was not loaded from the installed tree"
done
! grep -q -F "$dir" <<<"$maps" || fail "the installed program loaded files of the build folder"
grep -q -F "File1=$project" "$home/.config/Zentrix/Quorlyn32.conf" || fail "the project was not opened"

# The package: the same files, dependencies from the binaries, no build path, no lintian error.
deb=$(scripts/package.sh "$dir" | tail -n 1)
[ "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)" = "$expected_list" ] ||
    fail "the package's files differ"
[[ "$(dpkg-deb -f "$deb" Depends)" == *libqt6widgets6* ]] || fail "the package does not depend on Qt"
dpkg-deb -x "$deb" "$work/deb"
if grep -r -l -F -e "$dir" -e "$src" "$work/deb"; then
    fail "the package holds a path of the build machine"
fi
if command -v lintian >/dev/null 2>&1; then
    status=0
    report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
    grep -v '^running with root privileges' <<<"$report" || true
    [ "$status" -eq 0 ] || fail "lintian finds errors in $deb"
fi
echo "install-check: $(basename "$deb") and the installed tree are sound"
