#!/usr/bin/env bash
# Builds both targets and runs every test: the Linux unit tests and the DLL's export
# check and its smoke test under Wine (when Wine is installed), all through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build/linux --output-on-failure -j "$(nproc)"

