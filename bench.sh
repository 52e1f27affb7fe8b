#!/usr/bin/env bash
# Builds and runs the benchmarks; every figure is printed beside a floor measured in the same run.
set -euo pipefail
cd "$(dirname "$0")"
VORPEX_BENCH=1 scripts/deps
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORPEX_BENCH=ON >/dev/null
cmake --build build-bench --target vorpex_bench
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
build-bench/bench/vorpex_bench --benchmark_min_time=0.2 --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
