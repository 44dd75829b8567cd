#!/usr/bin/env bash
# Measures the latency real input gets from the library's hooks on Wine's Win32: runs
# pallawick-hook-latency.exe, built by the Windows build beside the DLL, on a virtual
# display in a fresh 64-bit prefix made for this run alone, and prints its table of
# medians and 99th percentiles. A measurement, not a test: Wine's timing is noisy, so
# nothing is compared with a limit.
#
#   wine-bench.sh [WINDOWS_BUILD_DIR [EVENTS_PER_KIND [ROUNDS]]]
#
# WINDOWS_BUILD_DIR defaults to build/windows; EVENTS_PER_KIND (default 2000) events of
# each kind are timed with the hooks set and as many without, in ROUNDS (default 4)
# alternating rounds. Needs the packages wine64, xvfb and xauth.
# PALLAWICK_WINE_KEEP=1 keeps the temporary folder (prefix, log) for a look afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build/windows}")
events=${2:-2000}
rounds=${3:-4}
source "$source_dir/scripts/wine-common.sh"
pallawick_wine_inputs wine-bench "$build_dir"
bench="$build_dir/pallawick-hook-latency.exe"
if [ ! -f "$bench" ]; then
    echo "wine-bench: $bench not found; build the Windows target pallawick-hook-latency" >&2
    exit 1
fi
pallawick_find_wine wine-bench
pallawick_require_xvfb wine-bench
pallawick_find_wineserver

work=$(mktemp -d "${TMPDIR:-/tmp}/pallawick-bench.XXXXXX")
xvfb_pid=""
trap 'pallawick_stop_wine wine-bench' EXIT

mkdir -p "$work/bin"
cp "$dll" "$bench" "$work/bin/"
pallawick_start_xvfb wine-bench
pallawick_fresh_prefix wine-bench
echo "wine-bench: $("$wine" --version 2>/dev/null || echo "Wine"), $(nproc) cores," \
    "$events events of each kind in $rounds rounds"

status=0
(cd "$work/bin" && timeout "${PALLAWICK_WINE_TIMEOUT:-600}" "$wine" pallawick-hook-latency.exe \
    "$events" "$rounds") || status=$?
[ "$status" -eq 0 ] || echo "wine-bench: the bench failed (exit code $status)" >&2
exit "$status"
