#!/usr/bin/env bash
# Times this tree's frame against another commit's, side by side: both are built in Release
# (the other in a git worktree under build/compare/), then the cruise flight's 40 frames are
# rendered by each in turn, alternating, RUNS times per case, and the medians of the median
# frame times are printed as a table. Absolute times drift on a shared machine; run against
# run, the ratio does not.
#   scripts/compare-speed.sh [COMMIT] (default: a2bd3d0, the last commit before 0.2.0's work)
# RUNS (default 5), SIZES (default "800x600 1920x1080 3840x2160"), DEPTHS ("24 32"),
# THREADS ("1 0"; 0 is every hardware thread) choose the cases, for both builds where the other
# takes --threads (else it runs on one); SETTLE (default 1) is the pause in seconds after a run
# that wrote files.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
base=${1:-a2bd3d0}
runs=${RUNS:-5}
sizes=${SIZES:-800x600 1920x1080 3840x2160}
depths=${DEPTHS:-24 32}
threadCounts=${THREADS:-1 0}
jobs=$(nproc 2>/dev/null || echo 2)

baseTree=$root/build/compare/$(git rev-parse --short "$base")
if [ ! -d "$baseTree" ]; then
    git worktree add --detach "$baseTree" "$base" >/dev/null
fi
for tree in "$root" "$baseTree"; do
    (cd "$tree" && cmake --preset release >/dev/null &&
        cmake --build --preset release -j "$jobs" --target quarnel-render >/dev/null)
done
new=$root/build/release/tools/quarnel-render
old=$baseTree/build/release/tools/quarnel-render

frames=$(mktemp -d /dev/shm/quarnel-compare.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$frames"' EXIT

# One run's median frame time in ms. Builds without --benchmark write their frames (to memory
# where there is /dev/shm) and print the median of the times between presentations.
medianOf() {
    local render=$1 size=$2 depth=$3 threads=$4 line
    local common=(--size "$size" --depth "$depth" --ticks 20020 --flight "$root/flights/cruise.txt"
        --frames 40)
    if "$render" --help 2>&1 | grep -q -- --benchmark; then
        local threadOption=()
        [ "$threads" -gt 0 ] && threadOption=(--threads "$threads")
        line=$("$render" "${common[@]}" --benchmark "${threadOption[@]}")
    else
        line=$("$render" "${common[@]}" --out "$frames/f%04d.ppm")
        rm -f "$frames"/f*.ppm
        # The next run should not share the machine with the freeing of those files.
        sleep "${SETTLE:-1}"
    fi
    echo "$line" | sed -nE 's/.*median frame time ([0-9.]+) ms.*/\1/p'
}

median() {
    sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

echo "| size, depth | threads | $(git rev-parse --short "$base") | this tree | ratio |"
echo "|---|---|---|---|---|"
for size in $sizes; do
    for depth in $depths; do
        for threads in $threadCounts; do
            # A base without --threads grows its cells on one thread; one with it runs as many
            # threads as this tree, so that the ratio compares like with like.
            baseThreads=1
            "$old" --help 2>&1 | grep -q -- --threads && baseThreads=$threads
            before=()
            after=()
            for _ in $(seq "$runs"); do
                before+=("$(medianOf "$old" "$size" "$depth" "$baseThreads")")
                after+=("$(medianOf "$new" "$size" "$depth" "$threads")")
            done
            b=$(printf '%s\n' "${before[@]}" | median)
            a=$(printf '%s\n' "${after[@]}" | median)
            label=$threads
            [ "$threads" -eq 0 ] && label="all ($jobs)"
            printf '| %s, %s bit | %s | %.2f ms | %.2f ms | %.2f |\n' "$size" "$depth" "$label" \
                "$b" "$a" "$(awk -v a="$a" -v b="$b" 'BEGIN {print a / b}')"
        done
    done
done
