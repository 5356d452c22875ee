#!/usr/bin/env bash
# The libFuzzer targets of tests/fuzz/, built with clang under ASan + UBSan (the fuzz preset),
# each run for a bounded time from its seed corpus, as many at once as there are cores. Any
# finding (a crash, a sanitizer report, a failed oracle, a hang or runaway memory) fails the
# stage; its input is kept in build/fuzz/findings/ to become a regression test. The
# preferences and flight targets fly the demonstration's frame loop on screens of 1x1 to 64x64
# in 8, 24 and 32 bits; the flags (cmake/Sanitizers.cmake) add pointer-overflow and
# implicit-conversion to UBSan's usual checks.
# QUARNEL_FUZZ_SECONDS sets the time per target (default 45); QUARNEL_FUZZ_TARGETS="a b" runs
# only those; QUARNEL_FUZZ_JOBS how many at once (default: the cores); QUARNEL_FUZZ_KEEP=1
# merges what the runs found into tests/fuzz/corpus/ (libFuzzer's -merge=1 keeps only inputs
# that add coverage), so that the corpora grow in the repository.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh clang-14 libclang-rt-14-dev
jobs=${QUARNEL_FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}
seconds=${QUARNEL_FUZZ_SECONDS:-45}

targets=()
if [ -n "${QUARNEL_FUZZ_TARGETS:-}" ]; then
    read -r -a targets <<<"$QUARNEL_FUZZ_TARGETS"
else
    for source in tests/fuzz/fuzz*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets found"; exit 1; }

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target "${targets[@]}"

# Absolute paths: a target may change its working folder (the preferences are read from it).
root=$(pwd)
out=$root/build/fuzz/runs
findings=$root/build/fuzz/findings
rm -rf "$out"
mkdir -p "$out" "$findings"

# The seeds are copied: what a run finds stays out of the repository.
runTarget() { # name
    local name=$1 corpus=$out/$1-corpus
    mkdir -p "$corpus"
    cp tests/fuzz/corpus/"$name"/* "$corpus"/
    local status=0
    "$root/build/fuzz/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -close_fd_mask=3 -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" "$corpus" >"$out/$name.log" 2>&1 ||
        status=$?
    echo "$status" >"$out/$name.status"
}

running=0
for name in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    runTarget "$name" &
    running=$((running + 1))
done
wait

failed=0
for name in "${targets[@]}"; do
    status=$(cat "$out/$name.status")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$out/$name.log" | tail -n 1 || true)
    if [ "$status" -eq 0 ] && [ -n "$runs" ] && [ "$runs" -gt 0 ]; then
        echo "PASS: $name: ${runs} inputs in ${seconds} s, ${coverage:-no coverage figures}, no findings"
    else
        echo "FAIL: $name: status $status after ${runs:-0} inputs; see $out/$name.log"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|oracle failed|.*runtime error)' "$out/$name.log" |
            head -n 5 || true
        failed=$((failed + 1))
    fi
done
if [ -n "${QUARNEL_FUZZ_KEEP:-}" ]; then
    for name in "${targets[@]}"; do
        before=$(find "tests/fuzz/corpus/$name" -type f | wc -l)
        "$root/build/fuzz/tests/fuzz/$name" -merge=1 -close_fd_mask=3 "tests/fuzz/corpus/$name" \
            "$out/$name-corpus" >"$out/$name-merge.log" 2>&1 || true
        echo "kept: $name: $before seeds, now $(find "tests/fuzz/corpus/$name" -type f | wc -l)"
    done
fi
echo "fuzz: ${#targets[@]} targets, $failed with findings"
[ "$failed" -eq 0 ]
