#!/usr/bin/env bash
# Sets everything up, builds the program and runs every test: core and widget tests, the browser tests
# of the generated page, the sanitizer build of the core tests with the fuzz targets, and a short run
# of the benchmarks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export CCACHE_BASEDIR="$here"
"$here/scripts/setup.sh"

echo "== build (warnings are errors)"
"$here/scripts/build.sh" "$here/build" -DCORVANTEL_WERROR=ON
echo "== tests"
(cd "$here/build" && ctest --output-on-failure -j2)

echo "== sanitizer build of the core with the fuzz targets"
cmake -S "$here" -B "$here/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANTEL_GUI=OFF \
  -DCORVANTEL_FUZZ=ON -DCORVANTEL_BENCH=OFF -DCORVANTEL_WERROR=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$here/build-fuzz" -j"$(nproc)"
(cd "$here/build-fuzz" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j2)

if [ -x "$here/scripts/bench.sh" ]; then
  echo "== benchmarks (short run)"
  "$here/scripts/bench.sh" --quick
fi
echo "== all tests passed"
