#!/usr/bin/env bash
# Runs a benchmark binary on a display of its own, as the end-to-end scenarios run the
# program: Xvfb with a window manager, the real X platform of Qt. Any further arguments go
# to the benchmark. With --check, fails when a benchmark reports an error.
#   bench/on_xvfb.sh [--check] BENCHMARK [ARGUMENTS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi
benchmark=$(realpath "$1")
shift
source "$here/../tests/e2e/harness.sh"
e2e_start_display
output=$E2E_TMP/benchmark.out
# A sanitized build reports as the end-to-end scenarios' program does: leaks of the libraries
# that are not the program's are suppressed with the same file, anything else fails the run.
env QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=0 XDG_RUNTIME_DIR="$E2E_TMP" \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1" \
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$E2E_HARNESS_DIR/leak-suppressions.txt:print_suppressions=0" \
    "$benchmark" "$@" 2>&1 | tee "$output"
status=${PIPESTATUS[0]}
((status == 0)) || e2e_fail "the benchmark ended with status $status"
if [ -n "$check" ] && grep -q "ERROR OCCURRED" "$output"; then
    e2e_fail "a benchmark reported an error"
fi
