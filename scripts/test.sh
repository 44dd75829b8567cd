#!/usr/bin/env bash
# Builds both targets and runs every test, the DLL export checks included.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build/linux --output-on-failure -j "$(nproc)"
