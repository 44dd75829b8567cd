#!/usr/bin/env bash
# The main job: run the hook engine on the simulated desktop over the shipped example
# settings and scenario, printing one JSON line per mouse or keyboard event.
#
#   scripts/main-job.sh [SETTINGS.xml SCENARIO.txt]
set -euo pipefail
cd "$(dirname "$0")/.."
settings=${1:-examples/settings.xml}
scenario=${2:-examples/scenario.txt}
exec build/linux/pallawick-replay "$settings" "$scenario"
