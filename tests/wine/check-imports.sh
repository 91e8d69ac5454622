#!/usr/bin/env bash
# Checks programs built for Windows 95/98: GUI subsystem version 4.0 (a newer
# one makes the 9x loader refuse them), imports only from the list of DLLs
# and functions those systems have (win9x-imports.txt), none from a C runtime
# DLL whatever the list says (a retail Windows 95 has none: msvcrt.dll came
# with later programs), and no bigger than 64 KB (65,536 bytes), as the
# programs of that time were.
# Usage: check-imports.sh OBJDUMP PROGRAM...
set -euo pipefail
objdump=$1
shift
here="$(cd "$(dirname "$0")" && pwd)"
allowed="$(grep -v '^\s*\(#\|$\)' "$here/win9x-imports.txt" | awk '{print toupper($1), $2}' | sort -u)"

max_bytes=65536

status=0
for program in "$@"; do
    dump="$("$objdump" -p "$program")"
    name="$(basename "$program")"
    bytes=$(stat -c %s "$program")
    if [ "$bytes" -gt "$max_bytes" ]; then
        echo "$name: $bytes bytes, more than $max_bytes"
        status=1
    fi
    for field in MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
        want=${field#*:}
        got="$(awk -v f="${field%%:*}" '$1 == f {print $2}' <<<"$dump")"
        if [ "$got" != "$want" ]; then
            echo "$name: ${field%%:*} is $got, not $want"
            status=1
        fi
    done
    if ! grep -q 'Subsystem.*(Windows GUI)' <<<"$dump"; then
        echo "$name: not a Windows GUI program"
        status=1
    fi
    # "DLL Name: X" opens a DLL's import list, whose entries are "vma hint
    # name"; the next table ("The ... Tables") ends the last list.
    imports="$(awk '/DLL Name:/ {dll = toupper($3); next}
                    /^The / {dll = ""}
                    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll, $3}' <<<"$dump" |
               sort -u)"
    # msvcrt.dll and its later versions (msvcrt20.dll, msvcr100.dll ...), the
    # C runtime of the oldest compilers, the universal C runtime and the API
    # sets that forward to it.
    runtimes="$(awk '/DLL Name:/ {print $3}' <<<"$dump" |
                grep -iE '^(msvcrt.*|msvcr[0-9]+.*|crtdll|ucrtbase.*)\.dll$|^api-ms-' || true)"
    if [ -n "$runtimes" ]; then
        echo "$name imports a C runtime DLL, which a retail Windows 95 lacks:"
        sed 's/^/    /' <<<"$runtimes"
        status=1
    fi
    if [ -z "$imports" ]; then
        echo "$name: no imports found (objdump output not understood)"
        status=1
        continue
    fi
    extra="$(comm -23 <(echo "$imports") <(echo "$allowed"))"
    if [ -n "$extra" ]; then
        echo "$name imports what Windows 95/98 lack (or the list does not know):"
        sed 's/^/    /' <<<"$extra"
        status=1
    elif [ -z "$runtimes" ]; then
        echo "$name: $bytes bytes, subsystem 4.0, $(wc -l <<<"$imports") imports, all known to Windows 95/98"
    fi
done
exit $status
