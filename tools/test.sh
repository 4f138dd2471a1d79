#!/usr/bin/env bash
# Installs what is missing, builds Tarnview, checks its names and runs every test, then runs
# them once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh build
tools/check-names.sh build
ctest --test-dir build --output-on-failure --timeout 600
tools/build.sh build-sanitize -DTARNVIEW_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure --timeout 900
