#!/usr/bin/env bash
# Builds the tool and runs it: the window under Wine when the Windows program
# is part of the tree, otherwise the command-line lookup on a few codes.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -x scripts/run-window.sh ]]; then
  scripts/setup.sh --windows
  exec scripts/run-window.sh "$@"
fi

scripts/setup.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j2 --target cdk-lookup
if (( $# )); then
  exec build/native/tools/cdk-lookup/cdk-lookup "$@"
fi
build/native/tools/cdk-lookup/cdk-lookup AKGUD akgud 095191 KGUD 7 AKG ZZZZZ || true
