#!/usr/bin/env bash
# Times the window under Wine: start to shown window of the shipped program
# and of the one carrying the full-size stand-in, against a trivial Win32
# window, and the cost of one lookup tick on the full-size text against one
# copy of that text. Prints the raw medians (ms) and the ratios as its last
# lines. Run from the repository root after `scripts/setup.sh --windows`.
#   build/timing-win64  the x86-64 cross build it uses (CDK_TIMING_BUILD moves it)
# CDK_WINEPREFIX picks the Wine prefix (default: ~/.cache/cdk-wine/timing, its
# own, so that no test run shares the desktop or the server with it).
# Exits non-zero when a step fails. Reads no standard input.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

export CDK_WINEPREFIX="${CDK_WINEPREFIX:-$HOME/.cache/cdk-wine/timing}"
export WINEPREFIX="$CDK_WINEPREFIX" WINEDEBUG=-all
jobs="${CDK_JOBS:-2}"
build_dir="${CDK_TIMING_BUILD:-build/timing-win64}"
standin_file="$root/build/native/standin/gift_codes_full.js"

# The full-size stand-in comes from a native build.
if [[ ! -f "$standin_file" ]]; then
  echo "window-timing: writing the full-size stand-in with the native build" >&2
  cmake -S . -B build/native -G Ninja >/dev/null
  cmake --build build/native --target standin_data -j"$jobs" >/dev/null
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCDK_BUILD_TESTS=OFF -DCDK_STANDIN_FILE="$standin_file" >/dev/null
cmake --build "$build_dir" --target window_timing -j"$jobs" >/dev/null

source scripts/wine-desktop.sh
cdk_start_xvfb || { echo "window-timing: Xvfb did not start" >&2; exit 1; }
# A warm server between the started programs, as a desktop session has it.
cdk_warm_wine || { echo "window-timing: the Wine prefix could not be prepared" >&2; exit 1; }

echo "window-timing: $(lscpu | sed -n 's/^Model name:[[:space:]]*//p'), $(nproc) cores, $(wine --version)"
scripts/wine-run.sh "$build_dir/app/timing/window_timing.exe" </dev/null
