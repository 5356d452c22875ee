#!/usr/bin/env bash
# The screensavers under their daemons: the saver stage (scripts/stages/saver.sh says what).
exec "$(dirname "$0")/stages/saver.sh" "$@"
