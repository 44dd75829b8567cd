#!/usr/bin/env bash
# The main job: show what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
ls -l build/windows/PallawickHook.dll build/windows/libPallawickHook.dll.a
x86_64-w64-mingw32-objdump -p build/windows/PallawickHook.dll | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p'
