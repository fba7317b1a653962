#!/usr/bin/env bash
# The Windows half of the tests: cross-builds the program for x86-64 and i686
# Windows with mingw-w64 and runs its tests under Wine on a private Xvfb
# display. Run from the repository root after `scripts/setup.sh --windows`.
#   build/win64  x86-64 build, every test (core, window, import table)
#   build/win32  i686 build, every test
# CDK_BUILD_ROOT moves both build folders (default: build); CDK_WINEPREFIX
# picks the Wine prefix (default: ~/.cache/cdk-wine/win64).
# Exits non-zero when any step or test fails. Reads no standard input.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

export CDK_WINEPREFIX="${CDK_WINEPREFIX:-$HOME/.cache/cdk-wine/win64}"
export WINEPREFIX="$CDK_WINEPREFIX" WINEDEBUG=-all
jobs="${CDK_JOBS:-2}"
build_root="${CDK_BUILD_ROOT:-build}"
test_timeout=600   # per test program; generous, a hung Wine test must not stall CI

step_start=$SECONDS
step() {  # step <label>: prints the time the previous step took
  echo "test-windows: $1 (+$((SECONDS - step_start)) s)"
  step_start=$SECONDS
}

source scripts/wine-desktop.sh
cdk_start_xvfb || { echo "test-windows: Xvfb did not start" >&2; exit 1; }
step "Xvfb on $DISPLAY"

cdk_warm_wine || { echo "test-windows: the Wine prefix could not be prepared" >&2; exit 1; }
step "Wine prefix ready and its server warm: $CDK_WINEPREFIX"

standin_args=()
standin_file="$root/build/native/standin/gift_codes_full.js"
[[ -f "$standin_file" ]] && standin_args=(-DCDK_STANDIN_FILE="$standin_file")

failed=()
build_and_test() {  # build_and_test <dir> <arch>
  local dir="$1" arch="$2"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
        "${standin_args[@]}" >/dev/null || { failed+=("$dir configure"); return; }
  cmake --build "$dir" -j"$jobs" || { failed+=("$dir build"); return; }
  step "$dir built"
  ctest --test-dir "$dir" --output-on-failure --timeout "$test_timeout" </dev/null \
    || failed+=("$dir tests")
  step "$dir tested"
}

build_and_test "$build_root/win64" x86_64
build_and_test "$build_root/win32" i686

if (( ${#failed[@]} )); then
  echo "test-windows: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "test-windows: all passed"
