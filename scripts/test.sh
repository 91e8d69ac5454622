#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
# MinGW's windres too, so that the resource script is checked against it here
# and not only in the Windows stage.
ensure_packages test cmake ninja-build g++ libgtest-dev libgmock-dev libncurses-dev tmux \
  g++-mingw-w64-i686 g++-mingw-w64-x86-64

bash scripts/check-format.sh
cmake --preset default
cmake --build --preset default
ctest --preset default -j2
bash scripts/test-reliability.sh
bash scripts/test-windows.sh
