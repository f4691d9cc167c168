#!/usr/bin/env bash
# The settings file against a kill, at length: starts a writer of the settings file and kills it
# at a random moment, over and over (default 1000 rounds; the test command runs 200).
#
#     scripts/kill-stress.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset asan >/dev/null
cmake --build --preset asan --target orvanta_settings_kill_tests
ORVANTA_KILL_ROUNDS=${1:-1000} build/asan/tests/main/orvanta_settings_kill_tests
