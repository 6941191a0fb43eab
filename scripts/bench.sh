#!/usr/bin/env bash
# Runs every benchmark of build/bench. With --quick each runs briefly (a check that they work);
# without it they run long enough for the figures reported in README.md.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
min_time=0.5
[ "${1:-}" = "--quick" ] && min_time=0.01
shopt -s nullglob
for b in "$here"/build/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "-- $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time="$min_time" --benchmark_counters_tabular=true
done
# The menu script in Chromium: a generated page of 5,000 items (load and hover times).
if [ -x "$here/build/corvantel" ] && [ -d "$here/tests/web/node_modules/playwright-core" ]; then
  echo "-- bench_page (tests/web)"
  CORVANTEL="$here/build/corvantel" node "$here/tests/web/bench_page.js" ${1:+"$1"}
fi
