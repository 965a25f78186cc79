#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer, ASan + UBSan) in build-fuzz/ and runs each of
# them for a bounded time, starting from its seed corpus in fuzz/corpus/<target>/.
#   fuzz/run.sh                 each target for 60 s
#   fuzz/run.sh 3600            each target for an hour
#   fuzz/run.sh 600 SearchFuzzer  one target
# Fails on the first finding; the input that broke it is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(SearchFuzzer ExclusionFuzzer SaveFormatsFuzzer)
jobs=${LINKRAKE_JOBS:-$(nproc)}

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DLINKRAKE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  # New inputs go to a scratch corpus, so the seeds in the repository stay as they are.
  work="build-fuzz/corpus/$target"
  mkdir -p "$work"
  max_len=4096
  [ "$target" = SearchFuzzer ] && max_len=24000  # long enough for lines cut at 9,999 bytes
  echo "== fuzzing $target for ${seconds}s"
  if ! "build-fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
       "$work" "fuzz/corpus/$target" 2>"build-fuzz/$target.log"; then
    tail -n 60 "build-fuzz/$target.log" >&2
    echo "fuzz/run.sh: $target found a fault; the input is in build-fuzz/findings/" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
    "build-fuzz/$target.log" || true
done
