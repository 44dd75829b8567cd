#!/usr/bin/env bash
# Checks the export table of PallawickHook.dll against a list of expected names, and that
# the DLL needs nothing beside itself but DLLs that ship with Windows.
#
#   check-exports.sh DLL EXPECTED
#
# EXPECTED holds one name per line; '#' starts a comment. C functions are listed by their
# plain name, C++ members by their demangled form, e.g.
#   CLogger::LogMessage(wchar_t const*, ...)
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 DLL EXPECTED" >&2
    exit 2
fi
dll=$1
expected=$2
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
cxxfilt=${CXXFILT:-x86_64-w64-mingw32-c++filt}

for file in "$dll" "$expected"; do
    if [ ! -f "$file" ]; then
        echo "check-exports: $file not found" >&2
        exit 1
    fi
done

dump=$("$objdump" -p "$dll")

# The name table lists one export per line ("[   3] name"); names hold no blanks.
exports=$(printf '%s\n' "$dump" |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
         inside && /^[[:space:]]*$/ { inside = 0 }
         inside { print $NF }' |
    "$cxxfilt" | sort -u)

status=0
missing=0
checked=0
while IFS= read -r line || [ -n "$line" ]; do
    name=${line%%#*}
    name=$(printf '%s' "$name" | sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//')
    [ -n "$name" ] || continue
    checked=$((checked + 1))
    # A here-string, not a pipe: grep -q stops reading early, and with pipefail the
    # writer's broken pipe would count as a miss.
    if ! grep -Fxq -- "$name" <<<"$exports"; then
        if [ "$missing" -eq 0 ]; then
            echo "Missing exports in $dll:"
        fi
        echo "  $name"
        missing=$((missing + 1))
    fi
done <"$expected"
if [ "$missing" -gt 0 ]; then
    echo "$missing of $checked expected exports are missing."
    status=1
fi

# The DLL is installed on its own: the C++, GCC and thread runtimes must be linked in.
# Anything that is not a Windows system DLL is reported.
is_system_dll() {
    local lower
    lower=$(printf '%s' "$1" | tr '[:upper:]' '[:lower:]')
    case "$lower" in
    api-ms-win-*.dll | ext-ms-win-*.dll) return 0 ;;
    advapi32.dll | bcrypt.dll | comctl32.dll | comdlg32.dll | crypt32.dll | dbghelp.dll | \
        dwmapi.dll | dxva2.dll | gdi32.dll | imm32.dll | iphlpapi.dll | kernel32.dll | \
        kernelbase.dll | mpr.dll | msvcrt.dll | netapi32.dll | ntdll.dll | ole32.dll | \
        oleaut32.dll | powrprof.dll | psapi.dll | rpcrt4.dll | secur32.dll | setupapi.dll | \
        shcore.dll | shell32.dll | shlwapi.dll | ucrtbase.dll | user32.dll | userenv.dll | \
        uxtheme.dll | version.dll | winhttp.dll | wininet.dll | winmm.dll | ws2_32.dll | \
        wtsapi32.dll)
        return 0
        ;;
    esac
    return 1
}

dlls=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | sort -u)
for name in $dlls; do
    if ! is_system_dll "$name"; then
        echo "$dll depends on $name, which is not a Windows system DLL" \
             "(link it statically, or list it in $0 if Windows ships it)."
        status=1
    fi
done

if [ "$status" -eq 0 ]; then
    echo "All $checked expected exports present; imports: $(echo $dlls)."
fi
exit "$status"
