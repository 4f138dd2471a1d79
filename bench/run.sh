#!/usr/bin/env bash
# Builds the benchmarks in a Release tree and runs them: bench/run.sh [listing|responsiveness]
# (both when none is named). The responsiveness benchmark needs root for its bind mount and
# its FUSE drive, and says which parts it skipped and why.
# The test folders (a million files among them) go to a temporary folder under /var/tmp
# (or $BENCH_TMPDIR), removed afterwards. Comparisons run in the locale $BENCH_LOCALE
# (default C.UTF-8) for every program. The start-up comparison runs on a private Xvfb
# display when Xvfb is installed, else offscreen. Exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

which=${1:-all}
case $which in
  all | listing | responsiveness) ;;
  *) echo "usage: bench/run.sh [listing|responsiveness]" >&2; exit 2 ;;
esac

locale=${BENCH_LOCALE:-C.UTF-8}
normalised=$(echo "$locale" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
if ! locale -a | tr '[:upper:]' '[:lower:]' | grep -qx "$normalised"; then
  echo "locale $locale is not installed (locale -a); generate it or choose another with BENCH_LOCALE" >&2
  exit 2
fi
export LC_ALL=$locale LANG=$locale
unset LANGUAGE

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --parallel "$(nproc)" --target bench_listing bench_minimal_window bench_responsiveness >/dev/null

work=$(mktemp -d "${BENCH_TMPDIR:-/var/tmp}/tarnview-bench.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

unset DISPLAY
if command -v Xvfb >/dev/null; then
  exec {display_fd}<> <(:)
  Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 10 display_number <&"$display_fd" && export DISPLAY=":$display_number"
fi

# Both parts run even when the first misses a target; the listing's million files serve both.
status=0
if [ "$which" != responsiveness ]; then
  build-release/bench/bench_listing "$work" build-release/bench/bench_minimal_window || status=$?
fi
if [ "$which" != listing ]; then
  build-release/bench/bench_responsiveness "$work" || { code=$?; status=$((code > status ? code : status)); }
fi
exit $status
