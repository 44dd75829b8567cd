#!/usr/bin/env bash
# The full load soak: a million mouse events at 8 kHz on the simulated desktop through the
# Linux build (build/linux), with its figures printed. Arguments go to pallawick-soak:
#   scripts/soak.sh [--events N] [--rate HZ] [--seed S]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build/linux --target pallawick-soak
build/linux/pallawick-soak --events 1000000 "$@"
