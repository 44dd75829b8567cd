#!/usr/bin/env bash
# Installs everything the Linux and Windows builds need on Debian 12, and fetches
# pugixml's upstream sources for the cross build.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends \
    cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev xz-utils ca-certificates

scripts/fetch-pugixml-source.sh
