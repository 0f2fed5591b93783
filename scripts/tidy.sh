#!/usr/bin/env bash
# Runs clang-tidy (the naming rules of .clang-tidy) on every source of src/,
# with the compile commands of a configured build folder (the test build's
# by default), two files at a time.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-test}"
tidy="$(command -v clang-tidy-14 || command -v clang-tidy)"
cd "$here"
git ls-files 'src/*.cpp' | grep -v -e 'Windows\.cpp$' |
  xargs -P 2 -n 4 "$tidy" -p "$build" --quiet 2>/dev/null
