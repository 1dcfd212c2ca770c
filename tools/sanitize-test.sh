#!/usr/bin/env bash
# sanitize-test.sh BUILD-DIR: runs the unit and GL tests of a build configured
# with CGDEMO_SANITIZE under AddressSanitizer and UBSan, on a private Xvfb.
# Fails on a failing test and on any sanitizer report, also one that did not
# change a test's exit status.
#
# Leaks are not looked for here: a test resets the viewer state and so drops
# what the program keeps until exit on purpose (the glyph catalogue, meshes,
# the texture). The soak and the memcheck test look for leaks in the real
# program, the fuzzers in the bitmap loader.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: sanitize-test.sh BUILD-DIR}" && pwd)

reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
# Reports go to files as well as failing the test, so none is missed.
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"

status=0
"$root/tools/with-xvfb.sh" ctest --test-dir "$build" -L 'unit|gl' --output-on-failure \
    --timeout 600 || status=$?
if compgen -G "$reports/*" >/dev/null; then
    echo "sanitize-test.sh: sanitizer reports:" >&2
    for report in "$reports"/*; do
        echo "== $report" >&2
        cat "$report" >&2
    done
    status=1
fi
exit $status
