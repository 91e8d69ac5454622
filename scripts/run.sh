#!/usr/bin/env bash
# Builds the project and starts the media launcher on the embedded default
# machine (or on $VELTRIN_MACHINE when it is set).
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
ensure_packages run cmake ninja-build g++ libncurses-dev

echo "run: building veltrin (the first build takes a few minutes)..." >&2
log=$(mktemp)
if ! { cmake --preset default && cmake --build --preset default \
    --target veltrin veltrin-sharing veltrin-machine; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run: the build failed" >&2
  exit 1
fi
rm -f "$log"
export PATH="$PWD/build/default/bin:$PATH"
exec veltrin
