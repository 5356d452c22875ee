#!/usr/bin/env bash
# Serves build/web/ (scripts/build-web.sh makes it) on this machine only, and prints the
# address. usage: serve-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/../build/web" 2>/dev/null ||
    { echo "build/web is missing: run scripts/build-web.sh first" >&2; exit 1; }
port=${1:-8080}
echo "Quarnel is at http://127.0.0.1:$port/ (for example http://127.0.0.1:$port/?size=1024x768)"
exec python3 -m http.server --bind 127.0.0.1 "$port"
