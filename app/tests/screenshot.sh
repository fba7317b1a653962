#!/usr/bin/env bash
# screenshot.sh <emulator> <window_test.exe> <out.png>
# Has the driver type a code into the real window, then photographs the
# screen while the driver holds the window open, cut to the window.
set -euo pipefail
emulator="$1" driver="$2" out="$3"
rm -f "$out"
signals="$(mktemp -d)"
trap 'rm -rf "$signals"' EXIT
export CDK_SCREENSHOT_READY="$signals/ready" CDK_SCREENSHOT_TAKEN="$signals/taken"

"$emulator" "$driver" --gtest_filter=MainWindow.HoldsForAScreenshot </dev/null &
driver_pid=$!
for _ in $(seq 600); do
  [[ -s "$CDK_SCREENSHOT_READY" ]] && break
  kill -0 "$driver_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ -s "$CDK_SCREENSHOT_READY" ]]; then
  import -window root -crop "$(head -n1 "$CDK_SCREENSHOT_READY")" +repage "$out"
  echo "screenshot: $out"
fi
touch "$CDK_SCREENSHOT_TAKEN"
wait "$driver_pid"
[[ -s "$out" ]]
