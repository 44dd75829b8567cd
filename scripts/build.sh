#!/usr/bin/env bash
# Builds the Linux library, tests and tools (build/linux) and PallawickHook.dll
# (build/windows: optimised with debug information, which moves to PallawickHook.dll.debug
# beside the stripped DLL).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DPALLAWICK_WERROR=ON
cmake --build build/windows -j "$jobs"

cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPALLAWICK_DLL="$PWD/build/windows/PallawickHook.dll" -DPALLAWICK_WERROR=ON
cmake --build build/linux -j "$jobs"
