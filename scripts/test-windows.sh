#!/usr/bin/env bash
# The Windows programs under Wine: the windows stage (scripts/stages/windows.sh says what).
exec "$(dirname "$0")/stages/windows.sh" "$@"
