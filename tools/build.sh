#!/usr/bin/env bash
# Configures and builds one build tree: tools/build.sh DIR [cmake options...]
# Where ccache is installed it caches the compiles, also across clones of the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
