# Shared by the Wine test scripts (sourced): the cross-built library and the Wine binary.
#   pallawick_wine_inputs NAME BUILD_DIR   sets dll and implib, or fails naming NAME
#   pallawick_find_wine NAME               sets wine ($WINE or the installed wine64)
#   pallawick_build_host NAME SOURCE EXE   builds a host program against the import library

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

pallawick_build_host() {
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -DUNICODE -D_UNICODE -DNOMINMAX \
        -DWIN32_LEAN_AND_MEAN -I"$source_dir/src" "$2" -o "$3" "$implib" \
        -static -static-libgcc -static-libstdc++
}
