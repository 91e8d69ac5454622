#!/usr/bin/env bash
# The reliability run (see docs/reliability.md): every test under
# AddressSanitizer and UndefinedBehaviorSanitizer, the end-to-end tests with
# every program they start (and the programs those start) under valgrind,
# and each fuzz target for a short fixed time (VP_FUZZ_SECONDS, default 10).
# Prints how long each part took.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
ensure_packages reliability cmake ninja-build g++ libgtest-dev libgmock-dev libncurses-dev tmux \
  clang libclang-rt-14-dev valgrind

timings=()
timed() {
  local name="$1" start=$SECONDS
  shift
  "$@"
  timings+=("$name: $((SECONDS - start)) s")
}

sanitizers() {
  cmake --preset asan >/dev/null
  cmake --build --preset asan
  ctest --preset asan -j2
}

# test_e2e runs natively in two halves side by side; the programs it starts
# run under valgrind. Any error or leak of ours fails the run. Not shown:
# memory that may still be reachable at exit (a reaper thread that has
# reported its program's end but not yet finished).
valgrind_e2e() {
  cmake --preset default >/dev/null
  cmake --build --preset default --target test_e2e veltrin veltrin-sharing veltrin-machine
  local logs="$PWD/build/valgrind"
  rm -rf "$logs"
  mkdir -p "$logs"
  export VP_VALGRIND="valgrind --quiet --trace-children=yes
    --trace-children-skip=*/sleep,*/mktemp,*/rm,*/stty,*/tmux
    --suppressions=$PWD/scripts/valgrind.supp --leak-check=full
    --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect
    --error-exitcode=99 --log-file=$logs/%p.log"
  local pids=() shard status=0
  for shard in 0 1; do
    GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=$shard build/default/bin/test_e2e \
      >"$logs/test_e2e.$shard.txt" 2>&1 &
    pids+=($!)
  done
  for shard in 0 1; do
    if ! wait "${pids[shard]}"; then
      status=1
      grep -E '^\[  FAILED|Failure' -A4 "$logs/test_e2e.$shard.txt" || true
    fi
  done
  unset VP_VALGRIND
  # --quiet: a log holds something only when valgrind found something.
  local bad
  bad=$(find "$logs" -name '*.log' -size +0)
  if [ -n "$bad" ]; then
    status=1
    for log in $bad; do
      echo "valgrind: $log:"
      head -n 40 "$log"
    done
  fi
  echo "valgrind: $(ls "$logs"/*.log | wc -l) program runs checked"
  return $status
}

timed "sanitizers (build and every test)" sanitizers
timed "valgrind (end-to-end tests)" valgrind_e2e
timed "fuzzing (build and ${VP_FUZZ_SECONDS:-10} s a target)" bash scripts/fuzz.sh "${VP_FUZZ_SECONDS:-10}"
printf '%s\n' "${timings[@]}"
