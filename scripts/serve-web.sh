#!/usr/bin/env bash
# Serves build/web/ (scripts/build-web.sh makes it) on this machine only, and prints the
# address. The two Cross-Origin headers make the page cross-origin isolated, which lets it
# share memory between threads; --plain leaves them out, and the page flies on one thread.
# usage: serve-web.sh [--plain] [PORT]
set -euo pipefail
isolated=1
if [ "${1:-}" = "--plain" ]; then
    isolated=0
    shift
fi
cd "$(dirname "$0")/../build/web" 2>/dev/null ||
    { echo "build/web is missing: run scripts/build-web.sh first" >&2; exit 1; }
port=${1:-8080}
echo "Quarnel is at http://127.0.0.1:$port/ (for example http://127.0.0.1:$port/?size=1024x768)"
exec python3 - "$port" "$isolated" <<'PYTHON'
import http.server
import sys

class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.js': 'text/javascript', '.wasm': 'application/wasm',
                      '.webmanifest': 'application/manifest+json'}

    def end_headers(self):
        if sys.argv[2] == '1':
            self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
            self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
        super().end_headers()

http.server.ThreadingHTTPServer(('127.0.0.1', int(sys.argv[1])), Handler).serve_forever()
PYTHON
