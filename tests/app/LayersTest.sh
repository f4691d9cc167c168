#!/usr/bin/env bash
# Each folder is one layer: its includes of the program's own headers point only to itself and
# to the folders below it. A folder's list here is what it may use; anything else fails.
#   LayersTest.sh <source dir>
set -euo pipefail
cd "$1"
declare -A below=(
    [model]=""
    [base]="model"
    [report]="model base"
    [platform]="model base"
    [widgets]="model base platform"
    # Qt alone: the printing module holds none of the program's own code.
    [printing]=""
    [settings]="model base platform widgets"
    [viewer]="model base platform widgets"
    [main]="model base report platform widgets printing settings viewer"
    # Beside the windows, not above them: the command line runs without Qt Gui.
    [cli]="model base report platform"
    [app]="model base report platform widgets printing settings viewer main cli"
)
failures=0
for folder in "${!below[@]}"; do
    allowed=" $folder ${below[$folder]} "
    while IFS=: read -r file line include; do
        target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
        # Only the program's own folders count (not "QtCore/..." and the like).
        [ -n "${below[$target]+set}" ] || continue
        if [[ "$allowed" != *" $target "* ]]; then
            echo "FAIL: $file:$line includes $target/, above or beside $folder/" >&2
            failures=$((failures + 1))
        fi
    done < <(grep -rnE '^#include "[a-z]+/' "$folder" --include='*.cpp' --include='*.h' || true)
done
[ "$failures" -eq 0 ] || exit 1
echo "layers: every folder includes only itself and the folders below it"
