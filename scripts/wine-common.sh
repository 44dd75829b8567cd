# Shared by the Wine test scripts (sourced): the cross-built library and the Wine binary.
#   pallawick_wine_inputs NAME BUILD_DIR   sets dll and implib, or fails naming NAME
#   pallawick_find_wine NAME               sets wine ($WINE or the installed wine64)
#   pallawick_build_host NAME SOURCE EXE   builds a host program against the import library
#   pallawick_build_companions NAME HOST_SOURCE BIN_DIR
#                                          builds the host's companion programs into BIN_DIR

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
