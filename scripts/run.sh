#!/usr/bin/env bash
# Builds the project and starts the media launcher on the embedded default
# machine (or on $VELTRIN_MACHINE when it is set).
set -euo pipefail
cd "$(dirname "$0")/.."

need=(cmake ninja-build g++ libncurses-dev)
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

cmake --preset default >/dev/null
cmake --build --preset default --target veltrin veltrin-sharing veltrin-machine >/dev/null
export PATH="$PWD/build/default/bin:$PATH"
exec veltrin
