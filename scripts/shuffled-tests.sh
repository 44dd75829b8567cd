#!/usr/bin/env bash
# Runs the Linux unit tests once in a shuffled order, so that a test depending on what an
# earlier one left behind shows up. The seed is printed; pass it back to repeat an order:
#   scripts/shuffled-tests.sh [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
seed="${1:-$(( $(date +%s) % 100000 + 1 ))}"
echo "Shuffled unit tests, seed $seed (repeat with: scripts/shuffled-tests.sh $seed)"
build/linux/pallawick_tests --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1
