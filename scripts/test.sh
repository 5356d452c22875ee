#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test, stage by stage (scripts/stages/):
# the house rules (include order), the debug build, the same under ASan + UBSan,
# the Windows build under Wine, the installed package built against by a consumer, the
# WebAssembly build under Node and Chromium, the fuzz targets for a bounded time. Each stage is
# timed; a failing stage does not stop the others, but fails the run.
# QUARNEL_STAGES="dev asan" runs only the named stages.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

stages=${QUARNEL_STAGES:-"house dev asan release tsan windows package web fuzz saver"}
passed=0
failed=0
failedNames=
runStart=$(date +%s)
for stage in $stages; do
    echo "=== stage $stage ==="
    start=$(date +%s)
    status=0
    "scripts/stages/$stage.sh" || status=$?
    seconds=$(($(date +%s) - start))
    if [ "$status" -eq 0 ]; then
        echo "=== stage $stage passed in ${seconds} s ==="
        passed=$((passed + 1))
    else
        echo "=== stage $stage FAILED (status $status) in ${seconds} s ==="
        failed=$((failed + 1))
        failedNames="$failedNames $stage"
    fi
done
echo "=== all stages in $(($(date +%s) - runStart)) s${failedNames:+; failed:$failedNames} ==="
echo "stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
