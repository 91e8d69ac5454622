#!/usr/bin/env bash
# check-imports.sh on made-up import tables: a program of the system's DLLs
# passes; one that imports any C runtime DLL fails by that DLL's name, even
# for a function the list allows.
# Usage: check-imports-test.sh
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# An objdump that prints, for any program, the table in $work/dump.
cat >"$work/objdump" <<EOS
#!/usr/bin/env bash
cat "$work/dump"
EOS
chmod +x "$work/objdump"
head -c 1024 /dev/zero >"$work/program.exe"

# The header and the import table of a program importing from DLL ($1) one
# function ($2) besides KERNEL32's GetCommandLineA.
dump() {
    printf 'MajorSubsystemVersion\t4\nMinorSubsystemVersion\t0\n'
    printf 'Subsystem\t\t00000002\t(Windows GUI)\n\n'
    printf 'The Import Tables (interpreted .idata section contents)\n'
    printf '\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To\n'
    printf '\ta23c\t  136  GetCommandLineA\n\n'
    [ -z "$1" ] || printf '\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n\ta300\t  12  %s\n\n' "$1" "$2"
    printf 'The Export Tables\n'
}

failures=0
check() { # expected-status dll function
    local status=0 output
    dump "$2" "$3" >"$work/dump"
    output="$("$here/check-imports.sh" "$work/objdump" "$work/program.exe")" || status=$?
    if [ "$status" -ne "$1" ]; then
        echo "FAIL: ${2:-KERNEL32 alone}: status $status, not $1"
        sed 's/^/    /' <<<"$output"
        failures=$((failures + 1))
    elif [ "$1" -ne 0 ] && ! grep -q "imports a C runtime DLL" <<<"$output"; then
        echo "FAIL: $2 refused, but not as a C runtime DLL:"
        sed 's/^/    /' <<<"$output"
        failures=$((failures + 1))
    fi
}

check 0 "" ""
check 0 USER32.dll MessageBoxA
for runtime in msvcrt.dll MSVCRT.DLL msvcrt20.dll msvcr100.dll crtdll.dll ucrtbase.dll \
    api-ms-win-crt-runtime-l1-1-0.dll api-ms-win-crt-stdio-l1-1-0.dll; do
    check 1 "$runtime" memcpy
done
# GetCommandLineA is on the list: the DLL's name alone refuses the program.
check 1 msvcrt.dll GetCommandLineA

[ "$failures" -eq 0 ] && echo "check-imports: every C runtime DLL refused"
exit $((failures > 0))
