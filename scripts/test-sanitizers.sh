#!/usr/bin/env bash
# The native test suites built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer by clang, in build/asan. Any finding fails the
# run: the sanitizers abort the test that hit it, and every report they write
# is also collected from build/asan/sanitizer-logs, so that a finding in a
# program whose exit status a test does not look at still counts.
#   scripts/test-sanitizers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/asan
logs="$PWD/$build/sanitizer-logs"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j2

rm -rf "$logs" && mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1:abort_on_error=1:log_path=$logs/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/ubsan"

status=0
ctest --test-dir "$build" --output-on-failure -j2 </dev/null || status=1

if compgen -G "$logs/*" >/dev/null; then
  echo "test-sanitizers: findings:"
  for report in "$logs"/*; do echo "--- $report"; cat "$report"; done
  status=1
fi
(( status == 0 )) && echo "test-sanitizers: no finding"
exit $status
