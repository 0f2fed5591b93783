#!/usr/bin/env bash
# Checks the formatting, builds everything with warnings as errors and runs
# every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-test}"
bash "$here/scripts/setup.sh"
# First, so a formatting slip fails before the long build.
bash "$here/scripts/format-check.sh"
cmake -S "$here" -B "$build" -G Ninja -DTIMECLOCK_WERROR=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure
