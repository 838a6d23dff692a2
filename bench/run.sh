#!/usr/bin/env bash
# Builds and runs the benchmarks of the native tree; extra arguments go to the benchmark
# program (for example --benchmark_repetitions=5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build "$root/build/native" -j2 --target kova_bench
exec "$root/build/native/bin/kova_bench" "$@"
