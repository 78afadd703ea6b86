#!/usr/bin/env bash
# Builds the formula fuzz target with clang into build-fuzz/ and runs it.
#   fuzz/run.sh [seconds] [extra libFuzzer options...]
# The corpus grows in build-fuzz/corpus (seeded from fuzz/corpus); a crash is written to
# build-fuzz/crash-* and stops the run with a non-zero status.
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
dir="$repo_root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$repo_root/fuzz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
mkdir -p "$dir/corpus"
cd "$dir"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
./fuzz_formulas -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 "$@" corpus "$repo_root/fuzz/corpus"
