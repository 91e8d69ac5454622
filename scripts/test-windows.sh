#!/usr/bin/env bash
# The Windows build: installs the MinGW-w64 cross compilers and Wine, builds
# both Windows targets, checks that the shipped i686 programs can load on
# Windows 95/98, makes and checks the CD image (scripts/make-cd.sh), and
# runs the x86_64 programs under Wine (Xvfb), also from that image, comparing
# each run with the Linux build's run on the same sample machine; then the
# i686 programs the same way under 32-bit Wine (scripts/test-wine-i386.sh).
# Called by scripts/test.sh after the Linux build and its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

# Wine from Debian's 64-bit packages only: the i386 architecture (wine32)
# breaks the wine command. 32-bit Wine lives in a chroot of its own.
. scripts/ensure-packages.sh
ensure_packages test-windows g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool imagemagick xorriso || {
    echo "test-windows: the Windows build is not tested" >&2
    exit 1
}
for tool in i686-w64-mingw32-g++ x86_64-w64-mingw32-g++ wine wineserver xvfb-run import; do
    if ! command -v "$tool" >/dev/null; then
        echo "test-windows: FAILED: $tool is missing after the install" >&2
        exit 1
    fi
done

echo "== Windows builds"
cmake --preset win-i686 >/dev/null
cmake --build --preset win-i686
cmake --preset win-x86_64 >/dev/null
cmake --build --preset win-x86_64
. scripts/windows-stage.sh
build_standins x86_64
standins=build/win-x86_64/standins

echo "== The i686 programs on Windows 95/98"
tests/wine/check-imports.sh i686-w64-mingw32-objdump build/win-i686/bin/*.exe build/win-i686/bin/*.dll

# The CD we ship is made and checked here and run by the i686 stage; the
# same image made of the x86_64 programs runs under the host's Wine.
echo "== The CD image"
build_standins i686
cd_image i686 build/veltrin-cd.iso build/wine-i386/cd
cd_image x86_64 build/win-x86_64/veltrin-cd.iso build/win-x86_64/wine-cd

echo "== The x86_64 programs under Wine, beside the Linux build"
build_linux_programs
CD_IMAGE_TREE="$PWD/build/win-x86_64/wine-cd" \
    tests/wine/run-scenarios.sh build/win-x86_64/bin "$standins" build/default/bin build/win-x86_64/wine

bash scripts/test-wine-i386.sh
