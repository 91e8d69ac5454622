#!/usr/bin/env bash
# The CD image (scripts/make-cd.sh) as a CD driver reads it: the plain
# ISO 9660 names (8.3, upper case, no Joliet or Rock Ridge) hold every path
# the programs open; the Joliet names hold the shipped programs under their
# own names; AUTORUN.INF starts the launcher. Then the image is extracted
# into TREE (writable), for the runs from it under Wine.
#
# Usage: check-cd.sh IMAGE BIN TREE   (BIN: the programs the image was made from)
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 IMAGE BIN TREE" >&2; exit 2; }
image=$1 bin=$2 tree=$3
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../scripts/windows-stage.sh"

failures=0
check() { # what command...
    local what=$1
    shift
    if "$@"; then
        echo "  ok   $what"
    else
        echo "  FAIL $what"
        failures=$((failures + 1))
    fi
}

# The image's paths as one kind of reader sees them (ecma119: the plain
# ISO 9660 names; norock: the Joliet names), one a line, without quotes.
names() { # reading
    xorriso -read_fs "$1" -indev "$image" -find / 2>/dev/null | sed -n "s/^'\(.*\)'$/\1/p"
}
# Whether a path is among the names, case aside as Windows compares them.
# grep reads to the end, so that the pipe's writer is never cut off.
holds() { # names path
    tr -d '\r' <<<"$1" | grep -ixF -- "$2" >/dev/null
}

echo "The CD image $(basename "$image"):"
plain="$(names ecma119)"
joliet="$(names norock)"
for path in /Tzr/Setup /autorun.exe /Wingate/ws2setup.exe /Tzr/Setup.exe /AUTORUN.INF /veltrin.exe; do
    check "ISO 9660 name: $path" holds "$plain" "$path"
done
while IFS= read -r file; do
    check "Joliet name: /$(basename "$file")" holds "$joliet" "/$(basename "$file")"
done < <(shipped_files "$bin")

rm -rf "$tree"
xorriso -osirrox on -indev "$image" -extract / "$tree" 2>/dev/null
chmod -R u+w "$tree"
# AUTORUN.INF: section [autorun], open= a program at the root of the CD.
open="$(tr -d '\r' <"$tree/AUTORUN.INF" | awk -F= '
    /^\[/ {inside = (tolower($0) == "[autorun]"); next}
    inside && tolower($1) == "open" {print $2}')"
check "AUTORUN.INF opens the launcher ($open)" cmp -s "$tree/$open" "$bin/veltrin.exe"
while IFS= read -r file; do
    check "as shipped: $(basename "$file")" cmp -s "$file" "$tree/$(basename "$file")"
done < <(shipped_files "$bin")

if [ "$failures" -ne 0 ]; then
    echo "$failures checks of the CD image failed"
    exit 1
fi
