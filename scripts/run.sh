#!/usr/bin/env bash
# Builds the programs and runs one of them on the embedded default machine
# (or on $VELTRIN_MACHINE when it is set):
#   bash scripts/run.sh                          the media launcher
#   bash scripts/run.sh veltrin-sharing          the dialog suite alone
#   bash scripts/run.sh veltrin-machine show pc  the machine tool, and so on
# Folders given are taken from where the script was started. The programs are
# left in build/default/bin.
set -euo pipefail
here=$PWD
cd "$(dirname "$0")/.."

program=veltrin
if (($#)); then
  case "$1" in
    veltrin | veltrin-sharing | veltrin-machine) program=$1 && shift ;;
    *)
      echo "usage: bash scripts/run.sh [veltrin | veltrin-sharing | veltrin-machine [arguments]]" >&2
      exit 2
      ;;
  esac
fi

. scripts/ensure-packages.sh
ensure_packages run cmake ninja-build g++ libncurses-dev

log=$(mktemp)
[ -x build/default/bin/veltrin-machine ] ||
  echo "run: building the programs (the first build takes a few minutes)..." >&2
if ! { cmake --preset default && cmake --build --preset default \
  --target veltrin veltrin-sharing veltrin-machine; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run: the build failed" >&2
  exit 1
fi
rm -f "$log"
bin=$PWD/build/default/bin
cd "$here"
export PATH="$bin:$PATH"
exec "$bin/$program" "$@"
