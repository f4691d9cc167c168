#!/usr/bin/env bash
# scripts/bench.sh runs every benchmark program of the release build, and nothing else: not the
# folders a clean build keeps beside them under the same names, nor a file that is no program.
# The build itself is left out: cmake and setup.sh are stand-ins that do nothing.
#   BenchScriptTest.sh <source dir>
set -euo pipefail
source=$1

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
bench=$root/build/release/bench
mkdir -p "$root/scripts" "$root/bin" "$bench"
cp "$source/scripts/bench.sh" "$root/scripts/"
printf '#!/bin/sh\nexit 0\n' > "$root/scripts/setup.sh"
printf '#!/bin/sh\nexit 0\n' > "$root/bin/cmake"
chmod +x "$root/scripts/setup.sh" "$root/bin/cmake"

for name in orvanta_bench_main_window orvanta_bench_model orvanta_bench_rtf; do
    printf '#!/bin/sh\necho "%s $*" >> "%s/ran"\n' "$name" "$root" > "$bench/$name"
    chmod +x "$bench/$name"
    mkdir "$bench/${name}_autogen"
done
echo "notes" > "$bench/orvanta_bench_notes.txt"

status=0
PATH=$root/bin:$PATH BENCH_FILTER=Rtf bash "$root/scripts/bench.sh" --benchmark_min_time=1 \
    > "$root/out" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: bench.sh stopped with exit status $status:" >&2
    cat "$root/out" >&2
    exit 1
fi
args="--benchmark_repetitions=9 --benchmark_report_aggregates_only=true --benchmark_filter=Rtf"
args+=" --benchmark_min_time=1"
if ! diff <(printf '%s\n' "orvanta_bench_main_window $args" "orvanta_bench_model $args" \
                "orvanta_bench_rtf $args") "$root/ran"; then
    echo "FAIL: bench.sh ran other programs than the three benchmarks (< expected, > ran)" >&2
    exit 1
fi
echo "bench.sh runs the three benchmark programs and nothing else"
