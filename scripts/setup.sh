#!/usr/bin/env bash
# One command on a fresh Debian 12 machine: install what the main job needs, build the
# DLL and the Linux replay tool, and run the main job. scripts/test.sh adds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --main-job
scripts/build.sh --main-job
scripts/main-job.sh
