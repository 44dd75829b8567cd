#!/usr/bin/env bash
# One command on a fresh Debian 12 machine: install what is needed, build everything,
# and run the main job.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/main-job.sh
