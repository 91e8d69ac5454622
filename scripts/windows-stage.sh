# Sourced by the Windows stage's scripts, from the top of the source tree:
# what ships, the stand-ins for what surrounds it, the Linux programs it is
# compared with, and the CD image.

# shipped_files BIN: the files that ship, one a line: every program and DLL
# of a Windows build's bin folder (build/win-i686/bin is the one we ship).
shipped_files() {
    find "$1" -maxdepth 1 -type f \( -iname '*.exe' -o -iname '*.dll' \) | LC_ALL=C sort
}

# build_standins ARCH: the Windows stand-ins of tests/wine/standins (the CD's
# programs, the share service, the tests' runwait), built with the toolchain
# of ARCH (i686 or x86_64) into build/win-ARCH/standins. A 32-bit program
# loads only a 32-bit svrapi.dll, so each build has its own.
build_standins() {
    local out="build/win-$1/standins" log status=0
    log="$(mktemp)"
    { cmake -S tests/wine/standins -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        --toolchain "$PWD/cmake/toolchain-$1.cmake" && cmake --build "$out"; } >"$log" 2>&1 ||
        status=$?
    [ "$status" -eq 0 ] || cat "$log" >&2
    rm -f "$log"
    return "$status"
}

# build_linux_programs: the Linux programs the Wine runs are compared with,
# unless scripts/test.sh has built them.
build_linux_programs() {
    [ ! -x build/default/bin/veltrin-machine ] || return 0
    cmake --preset default >/dev/null
    cmake --build --preset default --target veltrin veltrin-sharing veltrin-machine
}

# cd_image ARCH IMAGE TREE: the CD image of the ARCH build's programs and
# stand-ins made, checked and extracted into TREE, for the runs from it.
cd_image() {
    bash scripts/make-cd.sh --bin "build/win-$1/bin" --standins "build/win-$1/standins" -o "$2"
    tests/wine/check-cd.sh "$2" "build/win-$1/bin" "$3"
}
