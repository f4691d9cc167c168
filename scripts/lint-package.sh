#!/usr/bin/env bash
# Builds the Debian package and runs Debian's own checker on it; any error or warning fails.
# Skips, saying so, where lintian is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v lintian >/dev/null; then
    echo "lintian is not installed: the package check is skipped"
    exit 0
fi
scripts/package.sh >/dev/null
lintian --fail-on error,warning --info build/package/orvanta_*.deb
echo "lintian: the package passes"
