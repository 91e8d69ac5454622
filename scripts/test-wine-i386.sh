#!/usr/bin/env bash
# The programs we ship, the i686 build, under 32-bit Wine: every Wine
# scenario run and compared with the Linux build as the x86_64 stage does
# (tests/wine/run-scenarios.sh). 32-bit Wine cannot live beside the host's
# 64-bit one, so it runs in an i386 Debian chroot kept under build/wine-i386
# (made on the first run, reused after), entered in private mount, PID, IPC
# and network namespaces: nothing it mounts or starts outlives the stage, and
# its Xvfb cannot take a display of the host's.
#
# Skips, with one "SKIPPED:" line and success, on a machine that is not x86,
# cannot run 32-bit x86 programs, or where we are not root or cannot make
# namespaces. Any failure after those checks fails.
# Called by scripts/test-windows.sh after the x86_64 stage; it needs the
# i686 programs built (build/win-i686).
set -euo pipefail
cd "$(dirname "$0")/.."
src="$PWD"
stage="$src/build/wine-i386"
root="$stage/root"
# What the chroot holds beyond the base system: Wine and a display for the
# Windows side, a compiler for the Linux side.
packages="wine wine32 fonts-wine xvfb xauth imagemagick cmake ninja-build g++ libncurses-dev"

# Runs a command; its output is shown only when it fails.
quiet() {
    local log status=0
    log="$(mktemp)"
    "$@" >"$log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || cat "$log" >&2
    rm -f "$log"
    return "$status"
}

# ---- inside the chroot ------------------------------------------------------
if [ "${1:-}" = --inside ]; then
    export HOME=/root WINEARCH=win32
    cd /src
    echo "  the Linux build, as i386 ..."
    quiet cmake -S . -B build/wine-i386/linux -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVP_BUILD_TESTS=OFF
    quiet cmake --build build/wine-i386/linux --target veltrin veltrin-sharing veltrin-machine
    exec tests/wine/run-scenarios.sh build/win-i686/bin build/win-i686/standins \
        build/wine-i386/linux/bin build/wine-i386/wine
fi

# ---- can this machine run it? ----------------------------------------------
skip() {
    echo "SKIPPED: the i686 programs under 32-bit Wine: $*"
    exit 0
}
case "$(uname -m)" in
x86_64 | i?86) ;;
*) skip "not an x86 machine ($(uname -m))" ;;
esac
[ "$(id -u)" -eq 0 ] || skip "not root (making and entering the chroot needs it)"
mkdir -p "$stage"
# A static i386 program of 96 bytes that only exits with status 42: whether
# the kernel runs 32-bit code is known only by trying.
probe="$stage/probe-i386"
printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
    '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
    '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
chmod +x "$probe"
status=0
"$probe" 2>/dev/null || status=$?
rm -f "$probe"
[ "$status" -eq 42 ] || skip "this kernel cannot run 32-bit x86 programs"
unshare --mount --pid --fork --ipc --net true 2>/dev/null || skip "cannot make namespaces here"

# ---- entering the chroot ----------------------------------------------------
# The namespaces' first process is killed with the stage, and every process
# in them with it; their mounts go with them.
ns_pid=""
trap '[ -z "$ns_pid" ] || kill "$ns_pid" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM

# enter DIR NETWORK COMMAND...: runs COMMAND in DIR as root directory, with
# proc, sys, dev and the source tree (as /src) mounted. NETWORK is "net" for
# the host's network, "private" for none.
enter() {
    local dir=$1 network=$2
    shift 2
    local flags=(--mount --pid --fork --ipc --kill-child)
    [ "$network" = net ] || flags+=(--net)
    # shellcheck disable=SC2016
    unshare "${flags[@]}" bash -c '
        set -e
        dir=$1 src=$2
        shift 2
        mount -t proc proc "$dir/proc"
        mount --bind /sys "$dir/sys"
        mount --rbind /dev "$dir/dev"
        mkdir -p "$dir/src"
        mount --bind "$src" "$dir/src"
        ip link set lo up 2>/dev/null || true
        exec chroot "$dir" /usr/bin/setarch i686 env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
            TERM=dumb LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"' \
        enter "$dir" "$src" "$@" &
    ns_pid=$!
    local result=0
    wait "$ns_pid" || result=$?
    ns_pid=""
    return "$result"
}

# The Debian mirror the host's apt uses (deb822 or one-line sources): the
# chroot fetches from the same place.
host_mirror() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN {RS = ""}
             /(^|\n)Suites:[^\n]*[ \t]bookworm([ \t]|\n|$)/ && /(^|\n)Components:[^\n]*main/ {
                 if (match($0, /(^|\n)URIs:[ \t]*[^ \t\n]+/)) {
                     uri = substr($0, RSTART, RLENGTH); sub(/.*URIs:[ \t]*/, "", uri); print uri; exit
                 }
             }' "$file"
    done
    # Either kind of file may be missing: cat then fails, and that is no fault.
    { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
        awk '$1 == "deb" {sub(/\[[^]]*\][ \t]*/, ""); if ($3 == "bookworm") print $2}'
}

# Makes the chroot, or brings its packages up to the list.
prepare_chroot() {
    if [ -f "$root/.vp-packages" ] && [ "$(cat "$root/.vp-packages")" = "$packages" ]; then
        return
    fi
    local dir="$root"
    if [ ! -d "$root" ]; then
        local mirror
        # awk reads to the end, so the list is never cut off mid-write.
        mirror="$(host_mirror | awk 'NR == 1')"
        if [ -z "$mirror" ]; then
            echo "test-wine-i386: FAILED: no Debian bookworm mirror in the host's apt sources" >&2
            return 1
        fi
        . scripts/ensure-packages.sh
        ensure_packages test-wine-i386 debootstrap
        dir="$stage/root.new"
        rm -rf "$dir"
        echo "  debootstrap (i386, bookworm) ..."
        # In a mount namespace of its own: what it mounts goes with it.
        unshare --mount --fork debootstrap --arch=i386 --variant=minbase bookworm "$dir" "$mirror" \
            >"$stage/debootstrap.log" 2>&1 || {
            echo "test-wine-i386: FAILED: debootstrap (see $stage/debootstrap.log)" >&2
            return 1
        }
        # No services start in the chroot.
        printf '#!/bin/sh\nexit 101\n' >"$dir/usr/sbin/policy-rc.d"
        chmod +x "$dir/usr/sbin/policy-rc.d"
    fi
    echo "  packages: $packages ..."
    cp /etc/resolv.conf "$dir/etc/resolv.conf"
    # shellcheck disable=SC2086
    enter "$dir" net bash -c "apt-get update -qq && apt-get install -y -qq --no-install-recommends $packages" \
        >"$stage/packages.log" 2>&1 || {
        echo "test-wine-i386: FAILED: installing the packages (see $stage/packages.log)" >&2
        return 1
    }
    echo "$packages" >"$dir/.vp-packages"
    [ "$dir" = "$root" ] || mv "$dir" "$root"
}

started=$SECONDS
echo "== The i686 programs under 32-bit Wine, beside the Linux build (i386)"
echo "  the chroot: build/wine-i386/root ..."
prepare_chroot

# The stand-ins as the programs are, 32-bit: a 32-bit process cannot load a
# 64-bit svrapi.dll.
standins=build/win-i686/standins
quiet cmake -S tests/wine/standins -B "$standins" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    --toolchain "$src/cmake/toolchain-i686.cmake"
quiet cmake --build "$standins"

enter "$root" private /src/scripts/test-wine-i386.sh --inside
echo "  the stage took $((SECONDS - started)) s"
