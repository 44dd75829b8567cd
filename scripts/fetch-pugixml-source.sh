#!/usr/bin/env bash
# Puts pugixml's own sources (Debian's source package) in third_party/pugixml-src for
# the Windows build, which cannot link Debian's Linux library.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=third_party/pugixml-src
if [ -f "$dest/pugixml.cpp" ]; then exit 0; fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

# Source packages need a deb-src entry for the same suite as the installed system.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    . /etc/os-release
    $SUDO tee /etc/apt/sources.list.d/pallawick-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: ${VERSION_CODENAME} ${VERSION_CODENAME}-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    $SUDO apt-get update
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source pugixml)
mkdir -p "$dest"
cp "$work"/pugixml-*/src/pugixml.cpp "$work"/pugixml-*/src/pugixml.hpp \
   "$work"/pugixml-*/src/pugiconfig.hpp "$dest"/
cp "$work"/pugixml-*/LICENSE.md "$dest"/ 2>/dev/null || true
echo "pugixml sources in $dest"
