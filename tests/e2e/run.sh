#!/usr/bin/env bash
# Runs one end-to-end scenario: run.sh SCENARIO.sh PROGRAM DATA-FOLDER [ARTIFACTS-FOLDER]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
E2E_SCENARIO=$(basename "$1" .sh)
E2E_PROGRAM=$(realpath "$2")
E2E_DATA=$(realpath "$3")
E2E_ARTIFACTS=${4:-}
export E2E_SCENARIO E2E_PROGRAM E2E_DATA E2E_ARTIFACTS
source "$here/harness.sh"
e2e_start_display
source "$1"
e2e_expect_no_sanitizer_reports
e2e_log "passed"
