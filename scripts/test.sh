#!/usr/bin/env bash
# Builds both targets and runs every test: the Linux unit tests and the DLL's export
# check through CTest, then the DLL's smoke test under Wine when Wine is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build/linux --output-on-failure -j "$(nproc)"

if [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || command -v wine >/dev/null; then
    scripts/wine-smoke.sh build/windows
else
    echo "Wine is not installed: skipping scripts/wine-smoke.sh"
fi
