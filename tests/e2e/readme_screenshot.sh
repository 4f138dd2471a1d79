#!/usr/bin/env bash
# Remakes docs/main-window.png, the README's picture of the main window, with the end-to-end
# start-up test: tests/e2e/readme_screenshot.sh [BUILD_DIR]  (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build}
cmake --build "$dir" --target test_e2e_startup
TARNVIEW_E2E_SCREENSHOT="$PWD/docs/main-window.png" \
  "$dir/tests/e2e/test_e2e_startup" startsCentredOnTheScreen:1280x800
