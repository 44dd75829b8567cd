#!/usr/bin/env bash
# The main job: check the settings file with the library's loader (findings go to
# standard error), then run the hook engine on the simulated desktop over the settings
# and scenario, printing one JSON line per mouse or keyboard event.
#
#   scripts/main-job.sh [SETTINGS.xml SCENARIO.txt]
set -euo pipefail
cd "$(dirname "$0")/.."
settings=${1:-examples/settings.xml}
scenario=${2:-examples/scenario.txt}
# Findings (status 1) do not stop the replay; an unreadable file (status 2) does.
status=0
build/linux/pallawick-replay --check "$settings" >&2 || status=$?
[ "$status" -le 1 ] || exit "$status"
exec build/linux/pallawick-replay "$settings" "$scenario"
