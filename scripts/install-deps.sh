#!/usr/bin/env bash
# Installs everything the Linux and Windows builds and their tests need on Debian 12
# (wine64 runs the DLL's smoke and hook tests; xvfb and xauth give the hook test its
# virtual display; clang with its sanitizer and libFuzzer runtimes, and llvm's symbolizer
# for their reports, build the sanitizer and fuzz tree), and fetches pugixml's upstream
# sources for the cross build.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev xz-utils ca-certificates \
    wine64 xvfb xauth clang libclang-rt-14-dev llvm

scripts/fetch-pugixml-source.sh
