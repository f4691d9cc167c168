#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target (or the ones named) for a while each.
#
#     scripts/fuzz.sh [seconds per target, default 300] [target...]
#
# Each target starts from its seeds in fuzz/corpus/<target>/ and keeps what it learns in
# build/fuzz/corpus/<target>/; a finding is saved in build/fuzz/findings/<target>/ and makes the
# script fail. The log of each run is build/fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_profile_file fuzz_settings_codec fuzz_text_format fuzz_language_file fuzz_rtf)

scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1

out=build/fuzz
failed=0
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/${target#fuzz_}
    mkdir -p "$out/corpus/$target" "$out/findings/$target" "$out/logs"
    log=$out/logs/$target.log
    status=0
    "$out/fuzz/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$out/findings/$target/" "$out/corpus/$target" "$seeds" \
        >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    findings=$(find "$out/findings/$target" -type f | wc -l)
    if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
        findings=1 # it died before saving its input; the log says why
    fi
    echo "$target: ${executions:-0} executions in ${seconds} s, $findings finding(s)"
    if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
        failed=1
        tail -n 40 "$log" >&2
    fi
done
exit $failed
