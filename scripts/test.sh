#!/usr/bin/env bash
# Every test of the project, from a fresh clone: installs what is missing,
# then runs each stage and reports them all, failing if any failed.
#   native     GoogleTest suites and the command-line tool, built with g++
#   sanitizers the native suites under AddressSanitizer and UBSan (clang)
#   fuzz       each libFuzzer target for a bounded time
#   windows    the cross-built program and its tests under Wine in Xvfb
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --windows || { echo "test.sh: setup failed"; exit 1; }

native() {
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build build/native -j2 &&
    ctest --test-dir build/native --output-on-failure -j2
}

passed=() failed=()
stage() {  # stage <name> <command...>
  local name=$1; shift
  echo "=== $name"
  if "$@"; then passed+=("$name"); else failed+=("$name"); fi
}

stage native native
[[ -x scripts/test-sanitizers.sh ]] && stage sanitizers scripts/test-sanitizers.sh
[[ -x scripts/fuzz.sh ]] && stage fuzz scripts/fuzz.sh --short
[[ -x scripts/test-windows.sh ]] && stage windows scripts/test-windows.sh

echo "=== stages passed: ${passed[*]:-none}; failed: ${failed[*]:-none}"
echo "test.sh: ${#passed[@]} passed, ${#failed[@]} failed"
(( ${#failed[@]} == 0 ))
