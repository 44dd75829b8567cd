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
if ! command -v Xvfb >/dev/null; then
    echo "wine-hook-test: Xvfb is not installed (apt-get install xvfb xauth)" >&2
    exit 1
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)

work=$(mktemp -d "${TMPDIR:-/tmp}/pallawick-hook-test.XXXXXX")
xvfb_pid=""
build_pid=""
cleanup() {
    # A build still running is let finish, so that nothing writes into the folder after.
    [ -z "$build_pid" ] || wait "$build_pid" 2>/dev/null || true
    if [ -d "$work/prefix" ]; then
        WINEPREFIX="$work/prefix" "$wineserver" -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ "${PALLAWICK_WINE_KEEP:-0}" = 1 ]; then
        echo "wine-hook-test: kept $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

now_ms() { date +%s%3N; }

# A display number nobody uses: no lock file and no socket. Xvfb itself refuses a
# number taken in the meantime, so a failed start tries the next one; the lock file names
# the server that won, since another run's socket may appear before ours gives up.
start_xvfb() {
    local display
    for display in $(seq 91 160); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        local auth=()
        if command -v xauth >/dev/null; then
            export XAUTHORITY="$work/Xauthority"
            xauth -f "$XAUTHORITY" add ":$display" . \
                "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" 2>/dev/null || true
            auth=(-auth "$XAUTHORITY")
        fi
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp "${auth[@]}" \
            >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        local waited
        for waited in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$display" ]; then
                local owner
                owner=$(tr -d ' \n' <"/tmp/.X$display-lock" 2>/dev/null || true)
                [ "$owner" = "$xvfb_pid" ] || break
                export DISPLAY=":$display"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    echo "wine-hook-test: could not start Xvfb on a free display" >&2
    cat "$work/xvfb.log" >&2 2>/dev/null || true
    return 1
}

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

start_xvfb
echo "wine-hook-test: Xvfb on display $DISPLAY"

export WINEPREFIX="$work/prefix"
export WINEARCH=win64
# Quiet Wine, no Mono or Gecko install prompts, no crash dialogs.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

start=$(now_ms)
timeout 120 "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || {
    echo "wine-hook-test: wineboot failed" >&2
    cat "$work/wineboot.log" >&2
    exit 1
}
"$wineserver" -w 2>/dev/null || true
echo "wine-hook-test: fresh prefix ready in $(( $(now_ms) - start )) ms"

build_status=0
wait "$build_pid" || build_status=$?
build_pid=""
cat "$work/build.log" >&2
if [ "$build_status" -ne 0 ]; then
    echo "wine-hook-test: building $host failed" >&2
    exit 1
fi

start=$(now_ms)
status=0
(cd "$work/bin" && timeout "${PALLAWICK_WINE_TIMEOUT:-90}" "$wine" "$host.exe") || status=$?
echo "wine-hook-test: host ran for $(( $(now_ms) - start )) ms"
if [ "$status" -ne 0 ]; then
    log=$(find "$WINEPREFIX/drive_c" -name Pallawick.log 2>/dev/null | head -n 1)
    if [ -n "$log" ]; then
        echo "wine-hook-test: last lines of the library's log:"
        tail -n 40 "$log" | tr -d '\r'
    fi
    echo "wine-hook-test: failed (exit code $status)" >&2
fi
exit "$status"
