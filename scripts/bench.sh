#!/usr/bin/env bash
# Builds the release preset and runs the benchmarks; prints medians of several repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
export QT_QPA_PLATFORM=offscreen
for b in build/release/bench/orvanta_bench_*; do
    # Skip the build's folders beside them (orvanta_bench_*_autogen).
    [ -f "$b" ] && [ -x "$b" ] || continue
    "$b" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
        --benchmark_filter="${BENCH_FILTER:-.}" "$@"
done
