#!/usr/bin/env bash
# Builds the Debian package: tools/package.sh [BUILD_DIR]  (default: build)
# Prints the path of tarnview_<version>_amd64.deb, which installs with
#   sudo apt-get install ./tarnview_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
tools/install-deps.sh
tools/build.sh "$dir"
cd "$dir"
cpack -G DEB >/dev/null
ls "$PWD"/tarnview_*.deb
