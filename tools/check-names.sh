#!/usr/bin/env bash
# Checks that the names in the product sources follow the convention in CONTRIBUTING.md:
# runs clang-tidy (the repo's .clang-tidy) over every product source of a configured build
# and fails on any finding. Test, benchmark and tool sources keep the names of their own
# frameworks and are not checked.
# Usage: tools/check-names.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
database="$build/compile_commands.json"
[ -f "$database" ] || { echo "check-names: no $database; build first" >&2; exit 2; }

root=$(pwd -P)
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" \
  | grep -E "^$root/(platform|resources|texts|ui|settings|fileops|app)/[^/]+\.cpp$" | sort -u)
[ ${#sources[@]} -gt 0 ] || { echo "check-names: no product sources in $database" >&2; exit 2; }

# Each clang-tidy prints its findings; xargs fails when any of them found one.
if printf '%s\n' "${sources[@]}" \
  | xargs -P "$(nproc)" -n 1 clang-tidy --quiet -p "$build" 2> >(grep -v 'warnings\? generated' >&2); then
  echo "check-names: ${#sources[@]} sources, names follow the convention"
else
  echo "check-names: names above break the convention (CONTRIBUTING.md)" >&2
  exit 1
fi
