#!/usr/bin/env bash
# fuzz.sh BUILD-DIR SECONDS: runs every libFuzzer target of BUILD-DIR (configured
# with CGDEMO_FUZZ) for SECONDS each, side by side, from the committed seed
# corpus. Fails on any crash, sanitizer report or leak; the input that caused it
# is kept as BUILD-DIR/fuzz-artifacts/<target>-crash-... for a regression test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: fuzz.sh BUILD-DIR SECONDS}" && pwd)
seconds=${2:?usage: fuzz.sh BUILD-DIR SECONDS}

# target name -> seed corpus under tests/fuzz/corpus/
declare -A corpus=([fuzz_bitmap]=bitmap [fuzz_student_id]=student_id [fuzz_roster]=roster
                   [fuzz_picture]=picture [fuzz_report]=report)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/fuzz-artifacts"
pids=()
for target in "${!corpus[@]}"; do
    # New inputs go to a working corpus in the build directory; the committed
    # seeds stay as they are.
    work="$build/fuzz-corpus/$target"
    mkdir -p "$work"
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
        "$work" "$root/tests/fuzz/corpus/${corpus[$target]}" \
        >"$build/fuzz-artifacts/$target.log" 2>&1 </dev/null &
    pids+=("$!:$target")
done

failed=0
for entry in "${pids[@]}"; do
    pid=${entry%%:*}
    target=${entry#*:}
    log="$build/fuzz-artifacts/$target.log"
    status=0
    wait "$pid" || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    # A sanitizer that only warns still counts as a finding.
    if [[ $status -ne 0 ]] || grep -qE 'ERROR: |runtime error:|SUMMARY: ' "$log"; then
        echo "fuzz: $target FAILED (status $status); log: $log" >&2
        tail -n 60 "$log" >&2
        failed=1
    else
        echo "fuzz: $target passed: ${runs:-?} inputs in ${seconds} s, no finding"
    fi
done
exit $failed
