#!/usr/bin/env bash
# The Windows programs built with MinGW-w64 and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/test-windows.sh
