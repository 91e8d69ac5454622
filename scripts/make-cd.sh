#!/usr/bin/env bash
# The installation CD as an image to mount in an emulator or burn: ISO 9660
# with Joliet (Windows 95/98 read the long names from it) and Rock Ridge
# (Linux does). Every path the programs open is also found by its plain
# ISO 9660 name (8.3, upper case), so a CD driver without Joliet finds them.
# It holds the shipped programs and an AUTORUN.INF that starts the launcher,
# beside the sample CD's files (our stand-ins for its programs), or beside the
# files of another CD given with --from.
#
# Usage: make-cd.sh [--from DIR] [--bin DIR] [--standins DIR] [-o FILE]
#   --from DIR      the other CD's files instead of the sample CD's
#   --bin DIR       the programs to ship (default: build/win-i686/bin, built
#                   first); every .exe and .dll in it goes on the CD
#   --standins DIR  the stand-ins of the sample CD's programs (default:
#                   build/win-i686/standins, built first)
#   -o FILE         the image (default: build/veltrin-cd.iso)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-stage.sh

usage() {
    echo "usage: $0 [--from DIR] [--bin DIR] [--standins DIR] [-o FILE]" >&2
    exit 2
}
from="" bin="" standins="" out=build/veltrin-cd.iso
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case "$1" in
    --from) from=$2 ;;
    --bin) bin=$2 ;;
    --standins) standins=$2 ;;
    -o) out=$2 ;;
    *) usage ;;
    esac
    shift 2
done

. scripts/ensure-packages.sh
ensure_packages make-cd xorriso
if [ -z "$bin" ]; then
    bin=build/win-i686/bin
    cmake --preset win-i686 >/dev/null
    cmake --build --preset win-i686 >/dev/null
fi
if [ -z "$from" ] && [ -z "$standins" ]; then
    standins=build/win-i686/standins
    build_standins i686
fi

tree="$out.tree"
rm -rf "$tree"
mkdir -p "$tree"
if [ -n "$from" ]; then
    cp -r "$from"/. "$tree/"
else
    source tests/wine/wine-machine.sh
    make_cd examples/machine/drives/E "$standins" "$tree"
fi

# Ours replace what the other CD has under the same name in any case: the
# CD's names are matched without regard to case.
ours=()
mapfile -t ours < <(shipped_files "$bin")
[ ${#ours[@]} -gt 0 ] || { echo "make-cd: no programs in $bin" >&2; exit 1; }
for file in "${ours[@]}" AUTORUN.INF; do
    find "$tree" -maxdepth 1 -iname "$(basename "$file")" -exec rm -rf {} +
done
cp "${ours[@]}" "$tree/"
printf '%s\r\n' '[autorun]' 'open=veltrin.exe' 'icon=veltrin.exe' >"$tree/AUTORUN.INF"
find "$tree" -ipath "$tree/tzr/setup" | grep -q . ||
    echo "make-cd: warning: no \\Tzr\\Setup on the CD: the launcher will not take it for the installation CD" >&2

rm -f "$out"
# xorriso talks even when all is well: its words are shown when it fails.
xorriso -as mkisofs -quiet -J -r -V VELTRIN -o "$out" "$tree" 2>"$out.log" || {
    cat "$out.log" >&2
    exit 1
}
rm -rf "$tree" "$out.log"
echo "make-cd: $out ($(stat -c %s "$out") bytes)"
