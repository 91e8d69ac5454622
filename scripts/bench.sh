#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; the results go to
# docs/benchmark-results.md (machine, date, figures, ratios) and the raw
# figures to build/bench/results.json; then the terminal's real-time figures
# (bench/terminal_timing.sh, tmux) are added to the results. Takes about seven
# minutes, most of it the share application on the disk. Google Benchmark options are passed on,
# e.g. --benchmark_filter=Registry for the registry figures alone.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
ensure_packages bench cmake ninja-build g++ libncurses-dev libbenchmark-dev tmux

build=build/bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j2
"$build/bin/veltrin-bench" --benchmark_out="$build/results.json" --benchmark_out_format=json \
  --vp-summary=docs/benchmark-results.md "$@"
{ echo; bash bench/terminal_timing.sh "$build/bin"; } >>docs/benchmark-results.md
# The shipped Windows programs, when they are built: the import check holds
# each to 64 KB (docs/windows-build.md).
if compgen -G "build/win-i686/bin/*.exe" >/dev/null; then
  {
    printf '\n## Shipped Windows programs (i686, stripped)\n\n| program | bytes | limit |\n|---|---|---|\n'
    for program in build/win-i686/bin/*.exe; do
      printf '| %s | %s | 65536 |\n' "$(basename "$program")" "$(stat -c %s "$program")"
    done
  } >>docs/benchmark-results.md
fi
echo "results: docs/benchmark-results.md"
