#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh             the normal build
#   ./test.sh --sanitize  the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps

build=build
# The benchmarks are built too (not run), so that they keep building with the code they time.
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORPEX_BENCH=ON)
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DVORPEX_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
cd "$build"
# ctest's summary ("N% tests passed, M tests failed out of T") is repeated as the last line.
set +e
ctest --output-on-failure --timeout 300 2>&1 | tee ctest.log
status=${PIPESTATUS[0]}
set -e
grep -E 'tests passed|tests failed out of|No tests were found' ctest.log | tail -n 1
exit "$status"
