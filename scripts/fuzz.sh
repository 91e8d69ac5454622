#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build/fuzz) and runs each one over
# its seed corpus for the given time, two at a time. What a run finds new is
# kept in build/fuzz/corpus/<target> for the next run; a crash, leak or
# time-out leaves its input in build/fuzz/artifacts/ and fails the run.
#   bash scripts/fuzz.sh [seconds per target, default 600] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
ensure_packages fuzz cmake ninja-build clang libclang-rt-14-dev

seconds="${1:-600}"
shift $(($# > 0 ? 1 : 0))
targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in fuzz/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -- -j2 | tail -1
mkdir -p "$build/artifacts"

# Runs one target; its log goes to build/fuzz/<target>.log.
fuzz_one() {
  local target="$1"
  mkdir -p "$build/corpus/$target"
  "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" "$build/corpus/$target" "fuzz/corpus/$target" \
    >"$build/$target.log" 2>&1
}

failed=()
report() {
  local target="$1" status="$2"
  if ((status == 0)); then
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$build/$target.log"), nothing found"
  else
    failed+=("$target")
    echo "fuzz_$target: FAILED (exit $status); the end of $build/$target.log:"
    tail -n 40 "$build/$target.log"
  fi
}

for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  for target in "${targets[@]:i:2}"; do
    fuzz_one "$target" &
    pids+=($!)
  done
  for j in "${!pids[@]}"; do
    status=0
    wait "${pids[j]}" || status=$?
    report "${targets[i + j]}" "$status"
  done
done

if ((${#failed[@]})); then
  echo "fuzz: FAILED: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
