#!/usr/bin/env bash
# Runs a hook integration test: builds a host program (tests/wine/HOST.cpp) against the
# cross-built PallawickHook.dll's import library and runs it under Wine on a virtual
# display, in a fresh 64-bit prefix made for this run alone. The host injects real input
# and checks what the library's hooks make of it.
#
#   wine-hook-test.sh [WINDOWS_BUILD_DIR [HOST]]
#
# WINDOWS_BUILD_DIR defaults to build/windows; HOST names the host program's source,
# tests/wine/HOST.cpp (default hook_host; keys_host runs the keyboard checks and
# wheel_host the wheel and tilt checks beside Wine's notepad.exe; standalone_host runs
# pallawick-host.exe; unload_host unloads the hooked library). Programs built beside the DLL (pallawick-host.exe) go into the
# host's folder too, and companion programs of the host, tests/wine/HOST_*.cpp, are
# built into the same folder.
#
# Needs the packages wine64, xvfb and xauth (scripts/install-deps.sh installs them).
# PALLAWICK_WINE_KEEP=1 keeps the temporary folder (prefix, log) for a look afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build/windows}")
host=${2:-hook_host}
source "$source_dir/scripts/wine-common.sh"
pallawick_wine_inputs wine-hook-test "$build_dir"
pallawick_find_wine wine-hook-test
pallawick_require_xvfb wine-hook-test
pallawick_find_wineserver

work=$(mktemp -d "${TMPDIR:-/tmp}/pallawick-hook-test.XXXXXX")
xvfb_pid=""
build_pid=""
cleanup() {
    # A build still running is let finish, so that nothing writes into the folder after.
    [ -z "$build_pid" ] || wait "$build_pid" 2>/dev/null || true
    pallawick_stop_wine wine-hook-test
}
trap cleanup EXIT

# The programs build while the prefix is made.
mkdir -p "$work/bin"
cp "$dll" "$work/bin/"
for program in pallawick-host.exe; do
    [ -f "$build_dir/$program" ] && cp "$build_dir/$program" "$work/bin/"
done
(
    pallawick_build_host wine-hook-test "$source_dir/tests/wine/$host.cpp" "$work/bin/$host.exe"
    pallawick_build_companions wine-hook-test "$source_dir/tests/wine/$host.cpp" "$work/bin"
) >"$work/build.log" 2>&1 &
build_pid=$!

pallawick_start_xvfb wine-hook-test
pallawick_fresh_prefix wine-hook-test

build_status=0
wait "$build_pid" || build_status=$?
build_pid=""
cat "$work/build.log" >&2
if [ "$build_status" -ne 0 ]; then
    echo "wine-hook-test: building $host failed" >&2
    exit 1
fi

start=$(pallawick_now_ms)
status=0
(cd "$work/bin" && timeout "${PALLAWICK_WINE_TIMEOUT:-90}" "$wine" "$host.exe") || status=$?
echo "wine-hook-test: host ran for $(( $(pallawick_now_ms) - start )) ms"
if [ "$status" -ne 0 ]; then
    log=$(find "$WINEPREFIX/drive_c" -name Pallawick.log 2>/dev/null | head -n 1)
    if [ -n "$log" ]; then
        echo "wine-hook-test: last lines of the library's log:"
        tail -n 40 "$log" | tr -d '\r'
    fi
    echo "wine-hook-test: failed (exit code $status)" >&2
fi
exit "$status"
