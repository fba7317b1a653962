#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's test prefix: the emulator
# that ctest puts before every Windows test program.
#   scripts/wine-run.sh program.exe [args...]
# The prefix is $CDK_WINEPREFIX (default ~/.cache/cdk-wine/win64) and is
# created on first use. Windows programs see a Chinese locale (code page 936)
# and, through the environment, the file the stand-in browser writes.
# DISPLAY is passed on as it is: scripts/test-windows.sh points it at its Xvfb.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export CDK_WINEPREFIX="${CDK_WINEPREFIX:-$HOME/.cache/cdk-wine/win64}"
"$here/wine-prefix.sh" "$CDK_WINEPREFIX" >/dev/null

export WINEPREFIX="$CDK_WINEPREFIX"
export WINEDEBUG=-all
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
export CDK_BROWSER_LOG="$CDK_WINEPREFIX/browser.log"
if [[ -z "${DISPLAY:-}" ]]; then
  echo "wine-run: DISPLAY is not set, so windows cannot open (scripts/test-windows.sh provides an Xvfb)" >&2
fi
exec wine "$@"
