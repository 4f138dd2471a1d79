#!/usr/bin/env bash
# Builds the benchmarks in a Release tree and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --parallel "$(nproc)" --target bench_open_folder
build-release/bench/bench_open_folder
