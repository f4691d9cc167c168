#!/usr/bin/env bash
# Compares two folders written by orvanta_pixel_probe: every picture with ImageMagick (no pixel
# may differ) and every settings file byte for byte; a file only one folder has is a difference.
#   scripts/pixel-check.sh OLD NEW
set -uo pipefail
if [ $# -ne 2 ] || [ ! -d "$1" ] || [ ! -d "$2" ]; then
    echo "usage: $0 OLD NEW (two folders written by orvanta_pixel_probe)" >&2
    exit 2
fi
old=$1
new=$2
pictures=0
files=0
bad=0
while IFS= read -r name; do
    if [ ! -f "$old/$name" ] || [ ! -f "$new/$name" ]; then
        echo "only in one folder: $name"
        bad=$((bad + 1))
        continue
    fi
    case $name in
    *.png)
        pictures=$((pictures + 1))
        # compare prints the count of differing pixels on stderr and exits 1 when any differ.
        differing=$(compare -metric AE "$old/$name" "$new/$name" null: 2>&1 >/dev/null)
        if [ "$differing" != "0" ]; then
            echo "differs: $name ($differing pixels)"
            bad=$((bad + 1))
        fi
        ;;
    *)
        files=$((files + 1))
        if ! cmp -s "$old/$name" "$new/$name"; then
            echo "differs: $name (bytes)"
            bad=$((bad + 1))
        fi
        ;;
    esac
done < <( (cd "$old" && find . -type f -printf '%P\n'; cd "$new" && find . -type f -printf '%P\n') |
    grep -v '^READY$' | sort -u)

if [ "$pictures" -eq 0 ]; then
    echo "FAIL: no pictures to compare"
    exit 1
fi
if [ "$bad" -ne 0 ]; then
    echo "FAIL: $bad of $((pictures + files)) files differ ($pictures pictures, $files settings files)"
    exit 1
fi
echo "IDENTICAL: $pictures pictures with 0 differing pixels, $files settings files byte for byte"
