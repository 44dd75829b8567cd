# Shared by the Wine scripts (sourced): the cross-built library and the Wine binary.
#   pallawick_wine_inputs NAME BUILD_DIR   sets dll and implib, or fails naming NAME
#   pallawick_find_wine NAME               sets wine ($WINE or the installed wine64)
#   pallawick_build_host NAME SOURCE EXE   builds a host program against the import library
#   pallawick_build_companions NAME HOST_SOURCE BIN_DIR
#                                          builds the host's companion programs into BIN_DIR
#   pallawick_find_wineserver              sets wineserver, beside wine
#   pallawick_start_xvfb NAME              starts a virtual display (DISPLAY, xvfb_pid)
#   pallawick_fresh_prefix NAME            makes a fresh prefix in $work/prefix
#   pallawick_stop_wine NAME               stops both and removes $work

pallawick_wine_inputs() {
    dll="$2/PallawickHook.dll"
    implib="$2/libPallawickHook.dll.a"
    local file
    for file in "$dll" "$implib"; do
        if [ ! -f "$file" ]; then
            echo "$1: $file not found; build the Windows target first" >&2
            exit 1
        fi
    done
}

pallawick_find_wine() {
    wine=${WINE:-}
    if [ -z "$wine" ]; then
        local candidate
        for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" \
                         "$(command -v wine || true)"; do
            if [ -n "$candidate" ] && [ -x "$candidate" ]; then
                wine=$candidate
                break
            fi
        done
    fi
    if [ -z "$wine" ]; then
        echo "$1: wine64 is not installed; run scripts/install-deps.sh" >&2
        exit 1
    fi
}

# The public headers name each other <PallawickHook/...>, the name of the sources' folder
# once installed; a view links that name to src/.
pallawick_mingw_build() {
    local view status=0
    view=$(mktemp -d "${TMPDIR:-/tmp}/pallawick-include.XXXXXX")
    ln -s "$source_dir/src" "$view/PallawickHook"
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -DUNICODE -D_UNICODE -DNOMINMAX \
        -DWIN32_LEAN_AND_MEAN -I"$source_dir/src" -I"$view" "$@" -static -static-libgcc \
        -static-libstdc++ || status=$?
    rm -rf "$view"
    return $status
}

pallawick_build_host() {
    pallawick_mingw_build "$2" -o "$3" "$implib"
}

# A host's companions are the programs it starts, or has the shell start, beside it:
# tests/wine/HOST_NAME.cpp becomes HOST_NAME.exe next to HOST.exe. They do not use the
# library, and are built as window programs, so that no console window opens for them
# and takes the front from the host's windows.
pallawick_build_companions() {
    local companion
    for companion in "${2%.cpp}"_*.cpp; do
        [ -e "$companion" ] || continue
        pallawick_mingw_build "$companion" -mwindows \
            -o "$3/$(basename "$companion" .cpp).exe" || {
            echo "$1: could not build $companion" >&2
            return 1
        }
    done
}

pallawick_find_wineserver() {
    wineserver=$(dirname "$wine")/wineserver
    [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)
}

pallawick_now_ms() { date +%s%3N; }

# pallawick_require_xvfb NAME: exits with a message when Xvfb is not installed.
pallawick_require_xvfb() {
    if ! command -v Xvfb >/dev/null; then
        echo "$1: Xvfb is not installed (apt-get install xvfb xauth)" >&2
        exit 1
    fi
}

# pallawick_start_xvfb NAME: a virtual display in DISPLAY, its server's id in xvfb_pid
# (the caller stops it), its files in $work.
# A display number nobody uses: no lock file and no socket. Xvfb itself refuses a
# number taken in the meantime, so a failed start tries the next one; the lock file names
# the server that won, since another run's socket may appear before ours gives up.
pallawick_start_xvfb() {
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
        local _
        for _ in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$display" ]; then
                local owner
                owner=$(tr -d ' \n' <"/tmp/.X$display-lock" 2>/dev/null || true)
                [ "$owner" = "$xvfb_pid" ] || break
                export DISPLAY=":$display"
                echo "$1: Xvfb on display $DISPLAY"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    echo "$1: could not start Xvfb on a free display" >&2
    cat "$work/xvfb.log" >&2 2>/dev/null || true
    return 1
}

# pallawick_fresh_prefix NAME: a new 64-bit prefix in $work/prefix, made ready before
# anything runs in it.
pallawick_fresh_prefix() {
    export WINEPREFIX="$work/prefix"
    export WINEARCH=win64
    # Quiet Wine, no Mono or Gecko install prompts, no crash dialogs.
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    local start
    start=$(pallawick_now_ms)
    timeout 120 "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || {
        echo "$1: wineboot failed" >&2
        cat "$work/wineboot.log" >&2
        exit 1
    }
    "$wineserver" -w 2>/dev/null || true
    echo "$1: fresh prefix ready in $(( $(pallawick_now_ms) - start )) ms"
}

# pallawick_stop_wine NAME: stops the prefix's Wine and the virtual display, and removes
# $work unless PALLAWICK_WINE_KEEP=1.
pallawick_stop_wine() {
    if [ -d "$work/prefix" ]; then
        WINEPREFIX="$work/prefix" "$wineserver" -k 2>/dev/null || true
    fi
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ "${PALLAWICK_WINE_KEEP:-0}" = 1 ]; then
        echo "$1: kept $work"
    else
        rm -rf "$work"
    fi
}
