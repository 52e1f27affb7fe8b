#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for SECONDS seconds on a copy of its seeds and of the inputs of earlier findings.
#   fuzz/run.sh 600
# Exits non-zero when any target finds a crash, a leak, a timeout or runs out of memory; the
# inputs that did it are kept in build-fuzz/findings/.
set -euo pipefail

seconds=${1:-}
if [[ ! "$seconds" =~ ^[0-9]+$ ]] || [[ "$seconds" -lt 1 ]]; then
  echo "usage: fuzz/run.sh SECONDS" >&2
  exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
VORPEX_FUZZ=1 scripts/deps

build=${VORPEX_FUZZ_BUILD:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVORPEX_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  >/dev/null
cmake --build "$build" --target vorpex_fuzz -- -j "${VORPEX_FUZZ_JOBS:-$(nproc)}"

findings=$build/findings
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in level tileset picture levelset; do
  corpus=$work/$target
  mkdir -p "$corpus"
  cp "$root/fuzz/corpus/$target/"* "$corpus/"
  if [[ -d "$root/fuzz/regressions/$target" ]]; then
    cp "$root/fuzz/regressions/$target/"* "$corpus/" 2>/dev/null || true
  fi
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$findings/$target-")
  [[ -f "$root/fuzz/$target.dict" ]] && options+=(-dict="$root/fuzz/$target.dict")
  [[ "$target" == tileset ]] && options+=(-max_len=8192)

  echo "== fuzz_$target for ${seconds}s"
  set +e
  (cd "$work" && "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus") >"$work/$target.log" 2>&1
  status=$?
  set -e
  grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|==vorpex fuzz==)|ERROR|SUMMARY' \
    "$work/$target.log" || true
  if [[ $status -ne 0 ]]; then
    failed+=("$target")
    cp "$work/$target.log" "$findings/$target.log"
    echo "fuzz_$target FAILED (exit $status): log and input in $findings/"
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Findings in: ${failed[*]}"
  exit 1
fi
echo "No findings."
