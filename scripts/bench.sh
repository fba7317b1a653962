#!/usr/bin/env bash
# Builds the FindText benchmark with optimisation and runs it on the
# full-size gift-code text. The last lines are the speed ratios.
#   scripts/bench.sh [benchmark options, e.g. --benchmark_filter=ratio]
# Build directory: build/bench (override with CDK_BENCH_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${CDK_BENCH_BUILD_DIR:-build/bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCDK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target find_text_bench -j "${CDK_JOBS:-2}"
echo "machine: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1)"
exec "$build/bench/find_text_bench" "$@"
