#!/usr/bin/env bash
# Checks the SDK of the Windows build: installs it into a scratch prefix and checks the
# layout, the stripped DLL and its debug file, the version resource, that every installed
# header compiles on its own and includes nothing outside the tree, that a program builds
# against the tree alone (and runs under Wine, where it writes a settings file whose
# version must match the resource), that the headers declare what the DLL exports, and
# that the ZIP package holds the installed files.
#
#   check-sdk.sh [WINDOWS_BUILD_DIR]     (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build/windows}")
cxx=${PALLAWICK_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

if [ ! -f "$build_dir/CPackConfig.cmake" ]; then
    echo "check-sdk: $build_dir is not a configured Windows build" >&2
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
include=$prefix/include/PallawickHook
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}
pass() {
    echo "PASS $*"
}

cmake --install "$build_dir" --prefix "$prefix" >"$scratch/install.log"

# The layout: the DLL, its debug file and the standalone host, the import library, the
# headers, nothing else.
for file in bin/PallawickHook.dll bin/PallawickHook.dll.debug bin/pallawick-host.exe \
    lib/libPallawickHook.dll.a lib/cmake/PallawickHook/PallawickHookConfig.cmake \
    lib/cmake/PallawickHook/PallawickHookConfigVersion.cmake \
    include/PallawickHook/PallawickHook.h include/PallawickHook/support/version.h; do
    [ -f "$prefix/$file" ] || fail "layout: $file not installed"
done
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
unexpected=$(grep -v -E '^(bin/PallawickHook\.dll(\.debug)?|bin/pallawick-host\.exe|lib/libPallawickHook\.dll\.a|lib/PallawickHook\.def|lib/cmake/PallawickHook/PallawickHookConfig(Version)?\.cmake|include/PallawickHook/.+\.h)$' \
    <<<"$installed" || true)
[ -z "$unexpected" ] || fail "layout: unexpected files:" $unexpected
pass "layout: $(wc -l <<<"$installed") files, $(grep -c '\.h$' <<<"$installed") headers"

# The installed DLL carries no debug information, only the link to its debug file.
dll=$prefix/bin/PallawickHook.dll
sections=$("$objdump" -h "$dll")
if grep -q ' \.debug_' <<<"$sections"; then fail "strip: the DLL has debug sections"; fi
grep -q ' \.gnu_debuglink' <<<"$sections" || fail "strip: the DLL names no debug file"
"$objdump" -h "$prefix/bin/PallawickHook.dll.debug" | grep -q ' \.debug_info' ||
    fail "strip: PallawickHook.dll.debug holds no debug information"
pass "strip: DLL $(stat -c %s "$dll") bytes, debug file $(stat -c %s "$dll.debug") bytes"

# The version resource names the version the headers (and the settings file) give.
version=$(sed -n 's/^#define PALLAWICK_VERSION_STRING "\(.*\)"$/\1/p' "$include/support/version.h")
info=$("$source_dir/scripts/dll-version-info.py" "$dll")
for key in FILEVERSION PRODUCTVERSION FileVersion ProductVersion; do
    grep -Fxq "$key=$version" <<<"$info" || fail "version: $key is not $version"
done
for key in FileDescription ProductName CompanyName OriginalFilename; do
    grep -q "^$key=." <<<"$info" || fail "version: no $key"
done
pass "version: resource $(grep '^FILEVERSION=' <<<"$info" | cut -d= -f2), headers $version"

# Every header compiles on its own with include/ alone on the include path, and includes
# only its fellows (as <PallawickHook/...>) and system headers.
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Werror -DUNICODE -D_UNICODE -I "$prefix/include")
headers=$(cd "$include" && find . -name '*.h' | sed 's|^\./||' | sort)
for header in $headers; do
    if grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$include/$header"; then
        fail "headers: $header includes a fellow by a quoted name"
    fi
    while IFS= read -r target; do
        [ -f "$prefix/include/$target" ] || fail "headers: $header includes <$target>, not installed"
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(PallawickHook\/[^>]*\)>.*/\1/p' \
        "$include/$header")
    unit=$scratch/units/${header//\//_}.cpp
    mkdir -p "$scratch/units"
    printf '#include <PallawickHook/%s>\n' "$header" >"$unit"
done
if ! (cd "$scratch/units" && ls | xargs -P 2 -I{} "$cxx" "${flags[@]}" {}); then
    fail "headers: a header does not compile on its own"
fi
pass "headers: $(wc -w <<<"$headers") headers compile on their own"

# A program built against the installed tree alone, through the CMake package
# (find_package(PallawickHook 2.14), the imported target PallawickHook::PallawickHook).
consumer=$scratch/run/sdk_consumer.exe
mkdir -p "$scratch/run"
if cmake -S "$source_dir/tests/sdk" -B "$scratch/consumer" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=NEVER >"$scratch/consumer.log" 2>&1 &&
    cmake --build "$scratch/consumer" >>"$scratch/consumer.log" 2>&1 &&
    cp "$scratch/consumer/sdk_consumer.exe" "$consumer"; then
    pass "consumer: builds through find_package(PallawickHook) against the installed tree"
else
    cat "$scratch/consumer.log"
    fail "consumer: does not build through the CMake package"
fi

# The headers declare what the DLL exports, no more and no less.
if command -v clang++ >/dev/null; then
    "$source_dir/scripts/sdk-declarations.py" "$include" "$dll" || fail "declarations"
else
    echo "SKIP declarations: clang++ is not installed"
fi

# The ZIP package holds the installed files.
if cpack -G ZIP --config "$build_dir/CPackConfig.cmake" -B "$scratch/package" \
    >"$scratch/cpack.log" 2>&1; then
    zip=$(ls "$scratch/package"/*.zip)
    packaged=$(python3 -c '
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
print("\n".join(sorted(n.split("/", 1)[1] for n in names if not n.endswith("/"))))' "$zip")
    if [ "$packaged" = "$installed" ]; then
        pass "package: $(basename "$zip") holds the $(wc -l <<<"$packaged") installed files"
    else
        fail "package: $(basename "$zip") differs from the installed tree:"
        diff <(echo "$installed") <(echo "$packaged") || true
    fi
else
    cat "$scratch/cpack.log"
    fail "package: cpack failed"
fi

# The program run under Wine against the installed DLL, in the build's Wine prefix (last:
# without Wine the script stops here, as the other Wine tests do).
source "$source_dir/scripts/wine-common.sh"
pallawick_find_wine check-sdk
if [ -f "$consumer" ]; then
    cp "$dll" "$scratch/run/"
    export WINEPREFIX=${WINEPREFIX:-$build_dir/wine-prefix}
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    unset DISPLAY WAYLAND_DISPLAY
    status=0
    (cd "$scratch/run" && timeout 120 "$wine" sdk_consumer.exe sdk-settings.xml) || status=$?
    wineserver=$(dirname "$wine")/wineserver
    [ -x "$wineserver" ] || wineserver=wineserver
    "$wineserver" -w 2>/dev/null || true
    [ "$status" -eq 0 ] || fail "consumer: $status checks failed under Wine"
fi

if [ "$failures" -gt 0 ]; then
    echo "check-sdk: $failures checks failed" >&2
    exit 1
fi
echo "check-sdk: all checks passed"
