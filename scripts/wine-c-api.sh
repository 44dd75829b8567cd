#!/usr/bin/env bash
# Checks the C interface from other toolchains: pallawick_c.h compiles alone as C89, and
# one consumer (tests/capi/c_api_consumer.c) is built twice, in the MSVC ABI (clang for
# x86_64-pc-windows-msvc, import libraries by llvm-dlltool from .def files, lld-link,
# without any C runtime) and with mingw-w64 gcc as C. Both run under Wine on a copy of
# examples/settings.xml; each must pass its own checks and both reports must agree byte
# for byte.
#
#   wine-c-api.sh [WINDOWS_BUILD_DIR]     (default build/windows)
#
# Needs clang, llvm (llvm-dlltool), lld (lld-link) and wine64 (scripts/install-deps.sh).
# The Wine prefix is the smoke test's, WINDOWS_BUILD_DIR/wine-prefix (or $WINEPREFIX).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build/windows}")
source "$source_dir/scripts/wine-common.sh"
pallawick_wine_inputs wine-c-api "$build_dir"
pallawick_find_wine wine-c-api
for tool in clang llvm-dlltool lld-link gcc x86_64-w64-mingw32-gcc-posix \
            x86_64-w64-mingw32-objdump; do
    if ! command -v "$tool" >/dev/null; then
        echo "wine-c-api: $tool is not installed; run scripts/install-deps.sh" >&2
        exit 1
    fi
done

out="$build_dir/wine-c-api"
rm -rf "$out"
mkdir -p "$out/include/PallawickHook" "$out/msvc" "$out/gcc"
header="$source_dir/src/capi/pallawick_c.h"
def="$source_dir/src/capi/PallawickHook.def"
consumer="$source_dir/tests/capi/c_api_consumer.c"
cp "$header" "$out/include/PallawickHook/"

# The header alone, as strict C89, for the host, the MSVC ABI and mingw-w64.
c89=(-std=c89 -pedantic -Wall -Wextra -Werror -x c -fsyntax-only "$header")
gcc "${c89[@]}"
clang --target=x86_64-pc-windows-msvc "${c89[@]}"
x86_64-w64-mingw32-gcc-posix "${c89[@]}"

# Every name of the shipped .def is an export of the DLL, or the loader refuses a program
# linked through it.
exports=$(x86_64-w64-mingw32-objdump -p "$dll" |
          sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '{print $NF}')
missing=0
for name in $(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk '{print $1}'); do
    if ! grep -qx "$name" <<<"$exports"; then
        echo "wine-c-api: $name is in PallawickHook.def but not exported" >&2
        missing=1
    fi
done
[ "$missing" = 0 ] || exit 1

# No C runtime in either build: the consumer has its own entry point and calls kernel32
# alone, so the MSVC ABI build needs no MSVC libraries at all.
cflags=(-std=c89 -pedantic -Wall -Wextra -Werror -O1 -ffreestanding -fno-builtin
        -I"$out/include")
llvm-dlltool -m i386:x86-64 -d "$def" -l "$out/msvc/PallawickHook.lib"
llvm-dlltool -m i386:x86-64 -d "$source_dir/tests/capi/kernel32.def" -l "$out/msvc/kernel32.lib"
clang --target=x86_64-pc-windows-msvc "${cflags[@]}" -fno-stack-protector -c "$consumer" \
    -o "$out/msvc/c_api_consumer.obj"
lld-link -nologo -nodefaultlib -entry:ConsumerStart -subsystem:console \
    -out:"$out/msvc/c_api_consumer.exe" "$out/msvc/c_api_consumer.obj" \
    "$out/msvc/PallawickHook.lib" "$out/msvc/kernel32.lib"
x86_64-w64-mingw32-gcc-posix "${cflags[@]}" -nostdlib -Wl,-e,ConsumerStart \
    -Wl,--subsystem,console "$consumer" "$implib" -lkernel32 -o "$out/gcc/c_api_consumer.exe"

export WINEPREFIX=${WINEPREFIX:-$build_dir/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# No display: a message box the library might show fails at once instead of waiting.
unset DISPLAY WAYLAND_DISPLAY
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

status=0
for kind in msvc gcc; do
    cp "$dll" "$source_dir/examples/settings.xml" "$out/$kind/"
    code=0
    (cd "$out/$kind" && timeout "${PALLAWICK_WINE_TIMEOUT:-300}" "$wine" c_api_consumer.exe \
        >report.txt 2>wine.log) || code=$?
    if [ "$code" -ne 0 ]; then
        echo "wine-c-api: the $kind consumer failed (exit code $code):" >&2
        grep -v '^ok: ' "$out/$kind/report.txt" | grep -v '^ \|^option \|^profile' >&2 || true
        status=1
    fi
done
"$wineserver" -w 2>/dev/null || true
[ "$status" = 0 ] || exit 1

if ! cmp -s "$out/msvc/report.txt" "$out/gcc/report.txt"; then
    echo "wine-c-api: the MSVC-ABI and mingw-w64 reports differ:" >&2
    diff "$out/msvc/report.txt" "$out/gcc/report.txt" | head -20 >&2
    exit 1
fi
if ! grep -qx 'result: ok (0 failures)' "$out/msvc/report.txt"; then
    echo "wine-c-api: the report does not end in success" >&2
    exit 1
fi
echo "wine-c-api: both consumers agree ($(wc -l <"$out/msvc/report.txt") lines):"
sed -n '/^== change and save/,$p' "$out/msvc/report.txt"
