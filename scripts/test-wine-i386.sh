#!/usr/bin/env bash
# The programs we ship, the i686 build, under 32-bit Wine, compared with the
# Linux build as the x86_64 stage does (tests/wine/run-scenarios.sh). 32-bit
# Wine cannot live beside the host's 64-bit one, so it runs in an i386 Debian
# system of its own under build/wine-i386:
#
# - where the kernel runs 32-bit code: a chroot (made on the first run,
#   reused after), entered in private mount, PID, IPC and network namespaces
#   so that nothing it mounts or starts outlives the stage and its Xvfb
#   cannot take a display of the host's; every scenario runs there;
# - where it does not: an emulated i386 PC (qemu-system-i386) booting the
#   Debian kernel of an unpacked i386 system from a disk image, with the
#   source tree shared into it; it makes the Wine runs of the scenarios named
#   in $emulated, and the Linux runs and the comparison are made outside it.
#
# Skips, with one "SKIPPED:" line and success, on a machine that is not x86
# or where we are not root. Any failure after those checks fails.
# Called by scripts/test-windows.sh after the x86_64 stage, with the i686
# programs built (build/win-i686); the rest it makes itself when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
src="$PWD"
stage="$src/build/wine-i386"
root="$stage/root"
# What the chroot holds beyond the base system: Wine, a display and the
# hands of a person (xdotool) for the Windows side, a compiler for the Linux
# side.
wine_packages="wine wine32 fonts-wine xvfb xauth xdotool imagemagick"
packages="$wine_packages cmake ninja-build g++ libncurses-dev"
# The scenarios of the emulated PC, where one takes a minute or two: the
# launcher without its CD, the launcher and a gateway setup from the CD
# image we ship, a client, a setup and its undo, the switches.
emulated="launcher-no-cd cd-gateway client gateway-undo switches"

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
    export HOME=/root WINEARCH=win32 CD_IMAGE_TREE=/src/build/wine-i386/cd
    cd /src
    if [ "${2:-}" = pc ]; then
        # The prefix and the CD on the PC's own disk: the shared tree is slow
        # for the prefix's many small files, and a run from the CD there
        # ended after the sharing dialog, no share call reaching the
        # stand-in. The runs' results go to the shared tree.
        out=/var/tmp/vp-wine
        rm -rf /var/tmp/vp-cd
        cp -r "$CD_IMAGE_TREE" /var/tmp/vp-cd
        CD_IMAGE_TREE=/var/tmp/vp-cd PHASES=wine SCENARIOS="$emulated" VP_RUN_TIMEOUT=900 \
            tests/wine/run-scenarios.sh build/win-i686/bin build/win-i686/standins \
            build/default/bin "$out"
        rm -rf build/wine-i386/wine/wine build/wine-i386/wine/shots
        mkdir -p build/wine-i386/wine
        cp -r "$out/wine" "$out/shots" build/wine-i386/wine/
        exit 0
    fi
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
fail() {
    echo "test-wine-i386: FAILED: $*" >&2
    exit 1
}
case "$(uname -m)" in
x86_64 | i?86) ;;
*) skip "not an x86 machine ($(uname -m))" ;;
esac
[ "$(id -u)" -eq 0 ] || skip "not root (making and entering the i386 system needs it)"
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
mode=native
[ "$status" -eq 42 ] || mode=emulated
[ "$mode" = emulated ] || unshare --mount --pid --fork --ipc --net true 2>/dev/null ||
    fail "cannot make namespaces here"

# ---- the stage's processes ---------------------------------------------------
# The stage's namespace, or its emulated PC, ends with the stage however it
# ends. unshare ignores TERM while it waits, so the namespace's first process
# is killed: every process in the namespace ends with it, and its mounts go.
ns_pid=""
stop() {
    [ -n "$ns_pid" ] || return 0
    local pid=$ns_pid child
    while [ "$(readlink "/proc/$pid/ns/pid" 2>/dev/null)" = "$(readlink /proc/self/ns/pid)" ]; do
        child="$(cat "/proc/$pid/task/$pid/children" 2>/dev/null)" || break
        [ -n "$child" ] || break
        pid=${child%% *}
    done
    kill -KILL "$pid" "$ns_pid" 2>/dev/null || true
}
trap stop EXIT
trap 'exit 130' INT TERM

# ---- the chroot (a kernel that runs 32-bit code) -----------------------------
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

# ---- the emulated PC (a kernel that refuses 32-bit code) ---------------------
pc="$stage/pc"
# The PC's system: the Windows side's packages, a kernel, busybox for its
# first process, and the tools run-scenarios.sh uses.
pc_packages="$wine_packages linux-image-686 busybox-static bash dash coreutils sed grep mawk
    findutils diffutils util-linux libc-bin gzip"
# The drivers its first process loads: the disk (ext4 on virtio) and the
# shared source tree (9p on virtio).
pc_modules="crc32c_generic virtio_pci virtio_blk ext4 9pnet_virtio 9p"

# What the packages' own scripts would have made and the stage needs. They
# are only unpacked: run under emulation, their scripts would take longer
# than the whole stage.
finish_unpacked() { # root
    local root=$1 arch
    printf 'root:x:0:0:root:/root:/bin/bash\n' >"$root/etc/passwd"
    printf 'root:x:0:\n' >"$root/etc/group"
    ln -sfn mawk "$root/usr/bin/awk"
    ln -sfn wine-stable "$root/usr/bin/wine"
    ln -sfn wineserver-stable "$root/usr/bin/wineserver"
    ln -sfn import-im6.q16 "$root/usr/bin/import"
    # Wine's zlib1.dll: MinGW's marked as a Wine builtin DLL (libwine's script).
    for arch in i686:i386 x86_64:x86_64; do
        local dll="$root/usr/${arch%%:*}-w64-mingw32/lib/zlib1.dll"
        local out="$root/usr/lib/i386-linux-gnu/wine/${arch#*:}-windows"
        [ -d "$out" ] || continue
        { head -c 64 "$dll"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$dll"; } \
            >"$out/zlib1.dll"
    done
    mkdir -p "$root/src" "$root/root" "$root/var/tmp"
}

# The first process's disk: busybox, the drivers named and those they need,
# their index, and scripts/i386-pc-init.
make_initrd() { # root kernel-version out
    local root=$1 version=$2 out=$3 tree="$pc/initrd" todo module file modules=""
    rm -rf "$tree"
    mkdir -p "$tree/bin"
    cp "$root/bin/busybox" "$tree/bin/"
    todo=$pc_modules
    while [ -n "$todo" ]; do
        module=${todo%% *}
        [ "$module" = "$todo" ] && todo="" || todo=${todo#* }
        [[ " $modules " != *" $module "* ]] || continue
        modules+=" $module"
        file="$(find "$root/lib/modules/$version" -name "$module.ko" -o -name "${module//_/-}.ko" | head -n 1)"
        [ -n "$file" ] || fail "no driver $module in the kernel's modules"
        mkdir -p "$tree/$(dirname "${file#"$root"/}")"
        cp "$file" "$tree/${file#"$root"/}"
        # The drivers it needs, from its own information.
        todo+=" $(tr '\0' '\n' <"$file" | sed -n 's/^depends=//p' | tr , ' ')"
        todo="$(echo $todo)"
    done
    depmod -b "$tree" "$version" 2>/dev/null
    echo "$pc_modules" >"$tree/modules"
    install -m 755 scripts/i386-pc-init "$tree/init"
    (cd "$tree" && find . | cpio -o -H newc --quiet) | gzip -1 >"$out"
    rm -rf "$tree"
}

# Makes the PC's kernel, first-process disk and system disk, or keeps them
# while the package list is the same.
prepare_pc() {
    local marker="$pc_packages $pc_modules $(sha1sum scripts/i386-pc-init)"
    if [ -f "$pc/disk.img" ] && [ "$(cat "$pc/.vp-made" 2>/dev/null)" = "$marker" ]; then
        return
    fi
    . scripts/ensure-packages.sh
    ensure_packages test-wine-i386 qemu-system-x86 mmdebstrap cpio kmod e2fsprogs
    local mirror root="$pc/root" version
    mirror="$(host_mirror | awk 'NR == 1')"
    [ -n "$mirror" ] || fail "no Debian bookworm mirror in the host's apt sources"
    rm -rf "$pc"
    mkdir -p "$pc"
    echo "  the i386 system, unpacked ..."
    # shellcheck disable=SC2086
    mmdebstrap --variant=extract --architectures=i386 --include="$(echo $pc_packages | tr ' ' ,)" \
        bookworm "$root" "$mirror" >"$pc/mmdebstrap.log" 2>&1 ||
        fail "unpacking the i386 system (see $pc/mmdebstrap.log)"
    finish_unpacked "$root"
    version="$(ls "$root/lib/modules")"
    cp "$root/boot/vmlinuz-$version" "$pc/vmlinuz"
    make_initrd "$root" "$version" "$pc/initrd.img"
    echo "  its disk ..."
    mke2fs -q -t ext4 -d "$root" -F "$pc/disk.img" 4G >/dev/null
    rm -rf "$root"
    echo "$marker" >"$pc/.vp-made"
}

# Boots the PC; its first process runs this script with --inside pc. Its
# disk is never written (snapshot): every boot starts from the same system.
boot_pc() {
    rm -f "$pc/status"
    timeout 2400 qemu-system-i386 -accel tcg,thread=multi -smp 2 -m 1536 -nographic \
        -no-reboot -nic none -kernel "$pc/vmlinuz" -initrd "$pc/initrd.img" \
        -append "console=ttyS0 quiet panic=-1" \
        -drive "file=$pc/disk.img,format=raw,if=virtio,snapshot=on" \
        -virtfs "local,path=$src,mount_tag=src,security_model=none,id=src" \
        >"$pc/console.log" 2>&1 &
    ns_pid=$!
    local result=0
    wait "$ns_pid" || result=$?
    ns_pid=""
    [ "$result" -eq 0 ] || fail "the emulated PC ended with status $result (see $pc/console.log)"
    [ -f "$pc/status" ] || fail "the emulated PC ended without a result (see $pc/console.log)"
    # What the stage printed there, without the kernel's lines.
    tr -d '\r' <"$pc/console.log" | sed -n '/^i386 PC: up$/,$p' | sed -E '1d; /^\[ *[0-9.]+\]/d'
    [ "$(cat "$pc/status")" -eq 0 ] || fail "the Wine runs on the emulated PC (exit status $(cat "$pc/status"))"
}

# ---- the stage ---------------------------------------------------------------
. scripts/windows-stage.sh
started=$SECONDS
# The stand-ins as the programs are, 32-bit: a 32-bit process cannot load a
# 64-bit svrapi.dll.
standins=build/win-i686/standins
build_standins i686
[ -d build/wine-i386/cd ] || cd_image i686 build/veltrin-cd.iso build/wine-i386/cd >/dev/null
if [ "$mode" = native ]; then
    echo "== The i686 programs under 32-bit Wine, beside the Linux build (i386)"
    echo "  the chroot: build/wine-i386/root ..."
    prepare_chroot
    enter "$root" private /src/scripts/test-wine-i386.sh --inside
else
    echo "== The i686 programs under 32-bit Wine on an emulated i386 PC (this kernel runs no 32-bit code), beside the Linux build"
    echo "  scenarios: $emulated"
    prepare_pc
    build_linux_programs
    runs=(tests/wine/run-scenarios.sh build/win-i686/bin "$standins" build/default/bin build/wine-i386/wine)
    CD_IMAGE_TREE="$src/build/wine-i386/cd" PHASES=linux SCENARIOS="$emulated" "${runs[@]}"
    echo "  booting the PC ($((SECONDS - started)) s so far) ..."
    boot_pc
    CD_IMAGE_TREE="$src/build/wine-i386/cd" PHASES=compare SCENARIOS="$emulated" "${runs[@]}"
fi
echo "  the stage took $((SECONDS - started)) s"
