#!/usr/bin/env bash
# The documents name the tests that guard each behaviour; a test folded away or renamed must not
# leave them pointing at nothing. Every `Suite.Name` they name whose suite is a test suite, or
# looks like one, must be declared in tests/.
#   DocsNameTestsTest.sh <source dir>
set -euo pipefail
cd "$1"
declared=$(grep -rhoE '^TEST(_F|_P)?\(\s*[A-Za-z_0-9]+,\s*[A-Za-z_0-9]+' tests |
    sed -E 's/^TEST(_F|_P)?\(\s*//; s/,\s*/./' | sort -u)
suites=$(cut -d. -f1 <<<"$declared" | sort -u)
failures=0
while IFS=: read -r file name; do
    suite=${name%%.*}
    if grep -qx "$suite" <<<"$suites" || [[ "$suite" == *Test ]]; then
        if ! grep -qx "$name" <<<"$declared"; then
            echo "FAIL: $file names $name, which no test declares" >&2
            failures=$((failures + 1))
        fi
    fi
done < <(grep -oE '`[A-Z][A-Za-z0-9]+\.[A-Z][A-Za-z0-9]+`' README.md docs/*.md | tr -d '`' | sort -u)
[ "$failures" -eq 0 ] || exit 1
echo "documents: every test they name exists"
