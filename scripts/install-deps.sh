#!/usr/bin/env bash
# Installs what the builds and their tests need on Debian 12, and fetches pugixml's
# upstream sources for the cross build.
#
#   install-deps.sh [--main-job]
#
# With --main-job only what the main job needs: the Linux build of the replay tool and the
# cross build of the DLL. Without, also the tests' needs: wine64 runs the DLL's Wine
# tests; xvfb and xauth give the hook tests their virtual display; clang with its
# sanitizer and libFuzzer runtimes, and llvm's symbolizer for their reports, build the
# sanitizer and fuzz tree; clang, llvm (llvm-dlltool) and lld (lld-link) also build the
# C API's MSVC-ABI test program; libbenchmark-dev the benchmarks. Packages already
# installed are not asked for again, so a second run needs neither the network nor root.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libpugixml-dev
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev xz-utils ca-certificates)
if [ "${1:-}" != --main-job ]; then
    packages+=(libbenchmark-dev wine64 xvfb xauth clang libclang-rt-14-dev llvm lld)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
    $SUDO apt-get update
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi

scripts/fetch-pugixml-source.sh
