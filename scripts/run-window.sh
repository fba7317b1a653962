#!/usr/bin/env bash
# Builds the x86-64 Windows program and opens its window under Wine, with a
# Chinese locale, on your display.
#   scripts/run-window.sh
# Without a display (DISPLAY unset) it runs the window in a private Xvfb
# instead, types the code AKGUD into it and leaves a screenshot of the result.
# The Wine prefix is the tests' one ($CDK_WINEPREFIX, default
# ~/.cache/cdk-wine/win64): its "browser" only records the address that the
# program opens when it closes, in browser.log inside the prefix.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
build="${CDK_BUILD_ROOT:-build}/win64"
export CDK_WINEPREFIX="${CDK_WINEPREFIX:-$HOME/.cache/cdk-wine/win64}"

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null

if [[ -n "${DISPLAY:-}" ]]; then
  cmake --build "$build" -j2 --target cdk_tool
  echo "run-window: opening $build/app/cdk-tool.exe on $DISPLAY"
  exec scripts/wine-run.sh "$build/app/cdk-tool.exe"
fi

echo "run-window: no display (DISPLAY is not set): running the window in Xvfb, typing AKGUD, taking a screenshot"
cmake --build "$build" -j2 --target cdk_tool window_test
source scripts/wine-desktop.sh
cdk_start_xvfb || { echo "run-window: Xvfb did not start" >&2; exit 1; }

# The screenshot test types the code and photographs the window.
ctest --test-dir "$build" -R '^window_screenshot$' --output-on-failure </dev/null >/dev/null
echo "run-window: screenshot of the window after typing AKGUD: $(cd "$build" && pwd)/screenshot.png"
