#!/usr/bin/env bash
# Fuzzes FindText, ExtractBetween, LookupItemName, ToLowerCase/ToFullWidth and
# LoadDatabaseText with libFuzzer (clang, AddressSanitizer, UBSan), each
# target checked against a plain reference or its invariants.
#
#   scripts/fuzz.sh --short              every target for 12 s (about a minute)
#   scripts/fuzz.sh SECONDS [TARGET...]  every target (or those named) SECONDS each
#   targets: find_text extract lookup convert loader
#
# Builds in build/fuzz (needs only clang-14 and libclang-rt-14-dev). Starts
# from the checked-in seeds in fuzz/corpus/<target>/; what the fuzzer finds
# on the way grows build/fuzz/corpus/<target>/, never the checked-in folder.
# A difference or crash stops that target, leaves the input in
# build/fuzz/artifacts/ and fails the run; copy the input into
# fuzz/corpus/<target>/ (with a name that says what it is) so that it replays
# as a regression case in every ordinary test run.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(find_text extract lookup convert loader)
usage() { sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }

case "${1:-}" in
  --short) seconds=12; shift ;;
  ''|-h|--help) usage ;;
  *) [[ "$1" =~ ^[0-9]+$ ]] || usage; seconds=$1; shift ;;
esac
if (( $# )); then targets=("$@"); else targets=("${all_targets[@]}"); fi
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "fuzz.sh: unknown target '$t'"; usage; }
done

build=build/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DCDK_BUILD_TESTS=OFF -DCDK_LIBFUZZER=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/artifacts"
summary=() failed=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/$t.log"
  echo "=== fuzz $t for ${seconds}s"
  started=$SECONDS
  if "$build/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
      "$corpus" "fuzz/corpus/$t" </dev/null >"$log" 2>&1; then
    result=ok
  else
    result=FAILED failed=1
    grep -E 'DIFFERENCE|ERROR|runtime error|Test unit written' -A8 "$log" | head -40 || tail -40 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  time=$((SECONDS - started))
  summary+=("$(printf '%-10s %-6s %12s executions in %ss, corpus %s files' \
    "$t" "$result" "${runs:-?}" "$time" "$(ls "$corpus" | wc -l)")")
done

printf '%s\n' "=== fuzz summary" "${summary[@]}"
exit $failed
