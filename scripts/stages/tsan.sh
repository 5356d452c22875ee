#!/usr/bin/env bash
# The tests that run threads (the scene grown on every core), under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target test_app
ctest --preset tsan -R 'CellWorkers' --no-tests=error
