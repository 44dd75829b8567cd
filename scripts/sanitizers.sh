#!/usr/bin/env bash
# Builds the clang tree under AddressSanitizer + UndefinedBehaviorSanitizer (build/asan,
# see scripts/asan-build.sh) and runs the unit tests, the replay example and a short
# load soak once; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/asan-build.sh
source scripts/sanitizer-env.sh
build/asan/pallawick_tests --gtest_brief=1
scripts/check-replay.sh build/asan/pallawick-replay
build/asan/pallawick-soak --events 20000
