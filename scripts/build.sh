#!/usr/bin/env bash
# Builds PallawickHook.dll (build/windows: optimised with debug information, which moves
# to PallawickHook.dll.debug beside the stripped DLL) and the Linux library, tools and
# tests (build/linux).
#
#   build.sh [--main-job]
#
# With --main-job only what the main job runs: the DLL and the Linux replay tool.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
windows_targets=()
linux_targets=()
if [ "${1:-}" = --main-job ]; then
    windows_targets=(--target PallawickHook)
    linux_targets=(--target pallawick-replay)
fi

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DPALLAWICK_WERROR=ON
cmake --build build/windows -j "$jobs" "${windows_targets[@]}"

cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPALLAWICK_DLL="$PWD/build/windows/PallawickHook.dll" -DPALLAWICK_WERROR=ON
cmake --build build/linux -j "$jobs" "${linux_targets[@]}"
