#!/usr/bin/env bash
# Installs what the tests need beyond the main job (nothing when it is there), builds
# everything and runs every test through CTest: the Linux unit tests, the replay checks,
# and the DLL's export check, SDK check and Wine tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build/linux --output-on-failure -j "$(nproc)"
