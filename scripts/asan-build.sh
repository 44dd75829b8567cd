#!/usr/bin/env bash
# Configures and builds the clang tree of the Linux build under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the fuzz targets and -Werror (build/asan):
#   scripts/asan-build.sh [TARGET...]     (default: everything)
# scripts/sanitizers.sh and scripts/fuzz.sh use it; it also shows that clang builds the
# whole tree without a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=address"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DPALLAWICK_WERROR=ON -DPALLAWICK_FUZZ=ON \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} \
      >/dev/null
if [ $# -eq 0 ]; then
    cmake --build build/asan -j "$(nproc)"
else
    cmake --build build/asan -j "$(nproc)" --target "$@"
fi
