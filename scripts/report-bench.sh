#!/usr/bin/env bash
# The command line's cost as a user meets it: wall time and peak memory of the 365-day JSON
# report, each run paired with a Qt Core program that only prints; medians of 21 pairs and their
# ratio. Builds the release preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh time
cmake --preset release >/dev/null
cmake --build --preset release --target orvanta orvanta_core_print
report=(build/release/app/orvanta report --man 1982-12-23 --woman 1983-09-29 --date 2026-12-07
        --days 365 --format json)
yardstick=(build/release/bench/orvanta_core_print)
runs=21
# Wall seconds from the shell's own clock (microseconds), peak KiB from GNU time.
measure() {
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%M' -o /tmp/orvanta-peak "$@" >/dev/null 2>&1
    local end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.5f", b - a }') $(cat /tmp/orvanta-peak)"
}
: >/tmp/orvanta-report-bench
for _ in $(seq "$runs"); do
    echo "$(measure "${report[@]}") $(measure "${yardstick[@]}")" >>/tmp/orvanta-report-bench
done
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
awk '{ print $1 }' /tmp/orvanta-report-bench | median >/tmp/orvanta-a-time
awk '{ print $2 }' /tmp/orvanta-report-bench | median >/tmp/orvanta-a-peak
awk '{ print $3 }' /tmp/orvanta-report-bench | median >/tmp/orvanta-b-time
awk '{ print $4 }' /tmp/orvanta-report-bench | median >/tmp/orvanta-b-peak
awk '{ print ($3 > 0 ? $1 / $3 : 0) }' /tmp/orvanta-report-bench | median >/tmp/orvanta-time-ratio
awk '{ print $2 / $4 }' /tmp/orvanta-report-bench | median >/tmp/orvanta-peak-ratio
printf 'report:    %s s, %s KiB peak (medians of %d)\n' "$(cat /tmp/orvanta-a-time)" \
    "$(cat /tmp/orvanta-a-peak)" "$runs"
printf 'Qt Core:   %s s, %s KiB peak\n' "$(cat /tmp/orvanta-b-time)" "$(cat /tmp/orvanta-b-peak)"
printf 'ratio:     time %s, peak memory %s (medians of the pairs)\n' \
    "$(cat /tmp/orvanta-time-ratio)" "$(cat /tmp/orvanta-peak-ratio)"
