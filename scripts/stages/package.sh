#!/usr/bin/env bash
# The library as a user installs it: the dev build (made by the dev stage; built here only
# where it is missing) installed into a temporary prefix, then tests/package built against it
# with find_package and with pkg-config, run, and its pictures compared with the tree's.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset dev >/dev/null
# After the dev stage this only checks that everything is up to date.
cmake --build --preset dev -j "$jobs"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build/dev --prefix "$prefix" >/dev/null
echo "installed into $prefix: $(find "$prefix" -type f | wc -l) files," \
    "$(find "$prefix/include/quarnel" -name '*.h' | wc -l) headers"
tests/package/consumerTest.sh "$prefix" build/dev
