#!/usr/bin/env bash
# The command-line lookup as a player uses it: arguments, standard input,
# exit statuses and the UTF-8 <-> GBK edges.
set -u
tool="$1"
failures=0
check() {  # check <what> <expected> <actual>
  if [[ "$2" != "$3" ]]; then
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
tab=$'\t'
akgud="AKGUD${tab}MA20130427115620141${tab}【QT】5月资源 _稳定强化剂*5(运营活动)"

out=$("$tool" AKGUD); check "one code: line" "$akgud" "$out"
"$tool" AKGUD >/dev/null; check "one code: status" 0 $?

out=$("$tool" akgud AKG); status=$?
check "a miss keeps its line" "akgud${tab}MA20130427115620141${tab}【QT】5月资源 _稳定强化剂*5(运营活动)
AKG${tab}${tab}" "$out"
check "a miss: status" 1 $status

out=$("$tool" 109PK); check "package without a row" "109PK${tab}MA20101201164624921${tab}" "$out"

out=$(printf 'AKGUD\r\n\n095191\n' | "$tool"); status=$?
check "stdin: CR stripped, blank lines skipped" 2 "$(printf '%s\n' "$out" | wc -l)"
check "stdin: first line" "$akgud" "$(printf '%s\n' "$out" | head -1)"
check "stdin: status" 0 $status

out=$("$tool" 穿越火线); status=$?
check "Chinese code is converted, matches nothing" "穿越火线${tab}${tab}" "$out"
check "Chinese code: status" 1 $status

out=$("$tool" "😀" 2>/dev/null); status=$?
check "a code GBK cannot hold still gets its line" "😀${tab}${tab}" "$out"
check "unconvertible: status" 1 $status

"$tool" --bogus >/dev/null 2>&1; check "unknown option" 2 $?
out=$("$tool" -- -AKGU); check "-- ends the options" "-AKGU${tab}${tab}" "$out"

if (( failures )); then echo "$failures failed"; exit 1; fi
echo "cli: all checks passed"
