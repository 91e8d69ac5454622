#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

need=(cmake ninja-build g++ libgtest-dev libgmock-dev libncurses-dev tmux)
missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake --preset default
cmake --build --preset default
ctest --preset default -j2
bash scripts/test-windows.sh
