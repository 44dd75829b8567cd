#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a layer above its own. The layers,
# lowest first; a folder may include its own headers and those of the layers before it.
# The platform implementations (platform/sim, platform/win32) sit beside each other on
# the seam and see nothing of each other; dll holds the Windows loader's entry point.
#
#   check-layers.sh [SOURCE_ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root/src"

layers=(platform platform/sim platform/win32 support runtime settings input windows scroll actions
        hook dll)

rank() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

# The layer of a path relative to src/: its folder, or platform/sim|win32 below platform.
layer_of() {
    case "$1" in
    platform/sim/*) echo platform/sim ;;
    platform/win32/*) echo platform/win32 ;;
    *) echo "${1%%/*}" ;;
    esac
}

status=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    from_rank=$(rank "$from")
    if [ "$from_rank" -lt 0 ]; then
        echo "$file: folder '$from' is not in the layer list of $(basename "$0")"
        status=1
        continue
    fi
    while IFS= read -r include; do
        to=$(layer_of "$include")
        [ "$to" = "$from" ] && continue
        to_rank=$(rank "$to")
        if [ "$to_rank" -lt 0 ]; then
            echo "$file: includes \"$include\" of no known layer"
            status=1
        elif [ "$to_rank" -gt "$from_rank" ] ||
            [[ "$from" == platform/* && "$to" == platform/* && "$to" != platform ]]; then
            echo "$file: includes \"$include\" of layer $to, above $from"
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort)

if [ "$status" -eq 0 ]; then
    echo "layers: no upward include in src/ (${layers[*]})"
fi
exit "$status"
