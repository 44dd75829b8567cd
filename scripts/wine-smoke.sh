#!/usr/bin/env bash
# Runs the Wine smoke test: builds tests/wine/smoke.cpp against the cross-built
# PallawickHook.dll's import library and runs it under Wine in a private prefix.
#
#   wine-smoke.sh [WINDOWS_BUILD_DIR]     (default build/windows)
#
# The prefix is kept in WINDOWS_BUILD_DIR/wine-prefix (or $WINEPREFIX), so only the first
# run pays for Wine's set-up. Needs the packages wine64 (and xvfb and xauth when
# PALLAWICK_WINE_XVFB=1 asks for a virtual display).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build/windows}")
source "$source_dir/scripts/wine-common.sh"
pallawick_wine_inputs wine-smoke "$build_dir"
pallawick_find_wine wine-smoke

out="$build_dir/wine-smoke"
mkdir -p "$out"
pallawick_build_host wine-smoke "$source_dir/tests/wine/smoke.cpp" "$out/smoke.exe"
cp "$dll" "$out/"

export WINEPREFIX=${WINEPREFIX:-$build_dir/wine-prefix}
# Quiet Wine, no Mono or Gecko install prompts, no crash dialogs.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

run=("$wine" "$out/smoke.exe")
if [ "${PALLAWICK_WINE_XVFB:-0}" = 1 ]; then
    run=(xvfb-run -a "${run[@]}")
else
    # Without a display a stray message box fails at once instead of waiting for a click.
    unset DISPLAY WAYLAND_DISPLAY
fi

status=0
(cd "$out" && timeout "${PALLAWICK_WINE_TIMEOUT:-300}" "${run[@]}") || status=$?
# Let the prefix settle so that the next run (or its removal) finds it complete.
"$wineserver" -w 2>/dev/null || true
if [ "$status" -ne 0 ]; then
    echo "wine-smoke: failed (exit code $status)" >&2
fi
exit "$status"
