#!/usr/bin/env bash
# Sets everything up, builds the sanitizer and release presets and runs every test headless in
# each; ctest's summary line closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Every C++ file formatted as .clang-format says.
scripts/format-check.sh

# Fuzz smoke run: builds the fuzz preset (clang) and runs each libFuzzer target for a few seconds
# on its seeds, so the targets keep building and running; a finding fails the test command.
scripts/fuzz.sh 5

# Debian's own checker on the built package: any error or warning fails the test command.
scripts/lint-package.sh

cmake --preset asan >/dev/null
cmake --build --preset asan
export QT_QPA_PLATFORM=offscreen
ctest --preset asan "$@"

# The same suite again on the release build, which runs several times faster: a test that holds
# only at the sanitizers' pace fails here. This builds the benchmarks too, which the sanitizer
# preset leaves out.
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release "$@"
