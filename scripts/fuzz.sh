#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build-fuzz/ and runs each for a bounded time
# (FUZZ_SECONDS, 60 by default) on a copy of its seed corpus, so the repository is never
# changed. Any crash, sanitizer report, broken invariant, time-out or memory blow-up fails the
# run; the input that caused it is left in build-fuzz/fuzz-run/<harness>/.
# The mutations follow a fixed seed (FUZZ_SEED, 1 by default), so a run that fails can be
# replayed on another machine; FUZZ_SEED=0 lets libFuzzer pick a fresh one for long searches.
# With harness names as arguments, only those run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-60}
seed=${FUZZ_SEED:-1}
cc=${FUZZ_CC:-clang-14}
cxx=${FUZZ_CXX:-clang++-14}

CC=$cc CXX=$cxx cmake -S . -B build-fuzz -DORLINDE_BUILD_FUZZ=ON -DORLINDE_BUILD_GUI=OFF \
  -DORLINDE_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target calculate_all_fuzzer prepare_fuzzer \
  numbers_fuzzer

harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(calculate_all prepare numbers)

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in "${harnesses[@]}"; do
  run="$root/build-fuzz/fuzz-run/$name"
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/findings"
  cp "$root/fuzz/corpus/$name/"* "$run/corpus/"
  echo "fuzz: $name for ${seconds}s" >&2
  # -timeout: one input that runs longer than this counts as a hang.
  if ! "$root/build-fuzz/fuzz/${name}_fuzzer" "$run/corpus" -max_total_time="$seconds" \
    -seed="$seed" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$run/findings/" \
    >"$run/log" 2>&1; then
    echo "fuzz: $name found a fault; see $run/log and $run/findings/" >&2
    tail -n 40 "$run/log" >&2
    status=1
    continue
  fi
  { grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$run/log" ||
    true; } | sed "s/^/fuzz: $name /" >&2
  echo "fuzz: $name corpus $(ls "$run/corpus" | wc -l) inputs" >&2
done
exit $status
