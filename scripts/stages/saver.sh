#!/usr/bin/env bash
# The screensavers: the X11 hack under a stand-in daemon, quarnel.scr under Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/test-saver.sh
