#!/usr/bin/env bash
# Runs the fuzz targets of fuzz/ (libFuzzer, under AddressSanitizer + UBSan, built into
# build/asan by scripts/asan-build.sh) for a bounded time each, from the committed seed
# corpus and dictionary. Any crash, sanitizer report, broken invariant, leak or time-out
# fails the run; the input that caused it is kept under build/fuzz/artifacts.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default: 60 seconds, every target)
#
# New inputs the fuzzer finds go to build/fuzz/corpus/TARGET, so a later run goes on from
# them; copy the interesting ones into fuzz/corpus/TARGET to keep them.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(settings_fuzzer keys_fuzzer import_fuzzer scenario_fuzzer)
fi
scripts/asan-build.sh "${targets[@]}"
source scripts/sanitizer-env.sh

mkdir -p build/fuzz/artifacts
for target in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$target"
    log="build/fuzz/$target.log"
    echo "fuzz: $target for ${seconds}s"
    if ! "build/asan/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -dict="fuzz/$target.dict" -print_final_stats=1 \
            -artifact_prefix="build/fuzz/artifacts/$target-" \
            "build/fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $target FAILED (input kept under build/fuzz/artifacts)"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "fuzz: $target passed, ${runs:-?} executions"
done
