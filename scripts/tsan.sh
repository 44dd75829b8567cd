#!/usr/bin/env bash
# Builds the Linux unit tests and the replay tool with ThreadSanitizer (build/tsan) and
# runs them once: the library's threads (hook, timer, send-input, system parameters,
# workers) on the simulated desktop, checked for data races.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build build/tsan -j "$(nproc)" --target pallawick_tests pallawick-replay
# halt_on_error: the first race fails the run with its report.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
build/tsan/pallawick_tests --gtest_brief=1
# The replay drives the library's own threads through the example.
build/tsan/pallawick-replay examples/settings.xml examples/scenario.txt >/dev/null
