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

layers="platform platform/sim platform/win32 support runtime settings capi input windows scroll
        actions hook dll"

# One "file include" line per quoted include and per <PallawickHook/...> include (the name
# public headers use for each other), then one awk pass over them all.
find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort |
    xargs grep -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*("|<PallawickHook/)' |
    sed -E 's/^([^:]*):[^"<]*["<](PallawickHook\/)?([^">]*)[">].*/\1 \3/' |
    awk -v layers="$layers" '
        function layer(path) {
            if (path ~ /^platform\/sim\//) return "platform/sim"
            if (path ~ /^platform\/win32\//) return "platform/win32"
            sub(/\/.*/, "", path)
            return path
        }
        BEGIN {
            n = split(layers, names, /[[:space:]]+/)
            if (names[n] == "") n--
            for (i = 1; i <= n; i++) rank[names[i]] = i
        }
        {
            file = $1; include = $2
            from = layer(file); to = layer(include)
            if (!(from in rank)) {
                if (!(from in unknown)) print file ": folder \"" from "\" is not in the layer list"
                unknown[from] = 1; failed = 1; next
            }
            if (from == to) next
            if (!(to in rank)) {
                print file ": includes \"" include "\" of no known layer"; failed = 1
            } else if (rank[to] > rank[from] ||
                       (from ~ /^platform\// && to ~ /^platform\//)) {
                print file ": includes \"" include "\" of layer " to ", above " from
                failed = 1
            }
        }
        END {
            if (failed) exit 1
            order = names[1]
            for (i = 2; i <= n; i++) order = order " < " names[i]
            print "layers: no upward include in src/ (" order ")"
        }'
