#!/usr/bin/env bash
# The house rules that need no build: folders include each other only downward, in the order
# docs/architecture.md gives (the check is also shown to fail on a planted upward include), and
# every source follows .clang-format.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/check-layers.py

planted=$(mktemp -d)
trap 'rm -rf "$planted"' EXIT
mkdir -p "$planted/src/util"
cp -r docs "$planted/"
cp src/util/numeric.h "$planted/src/util/"
echo '#include "display/presentation.h"' >>"$planted/src/util/numeric.h"
if scripts/check-layers.py "$planted" >"$planted/out" 2>&1 ||
    ! grep -q 'numeric.h:.*util may not include display' "$planted/out"; then
    cat "$planted/out"
    echo "check-layers did not catch a planted upward include (util -> display)" >&2
    exit 1
fi
echo "check-layers fails on a planted upward include (util -> display), as it should"

# The same between two of app's own rooms: the flight lies below the screensavers.
rm -rf "$planted/src"
mkdir -p "$planted/src/app/flight"
cp src/app/flight/flightFile.h "$planted/src/app/flight/"
echo '#include "app/saver/saverMode.h"' >>"$planted/src/app/flight/flightFile.h"
if scripts/check-layers.py "$planted" >"$planted/out" 2>&1 ||
    ! grep -q 'flightFile.h:.*app/flight may not include app/saver' "$planted/out"; then
    cat "$planted/out"
    echo "check-layers did not catch a planted upward include (app/flight -> app/saver)" >&2
    exit 1
fi
echo "check-layers fails on a planted upward include (app/flight -> app/saver), as it should"

scripts/install-deps.sh clang-format
mapfile -t sources < <(find src tests tools examples bench -name '*.h' -o -name '*.cpp' | sort)
[ "${#sources[@]}" -gt 0 ] || { echo "no sources found to check the formatting of" >&2; exit 1; }
clang-format --dry-run -Werror "${sources[@]}"
echo "formatting: all ${#sources[@]} sources of src tests tools examples bench follow .clang-format ($(clang-format --version | head -1))"
