#!/usr/bin/env bash
# Fails when a source file is not formatted as .clang-format says, with the
# clang-format that scripts/setup.sh installs (version 14: another version
# formats some lines differently). `cmake --build <build> --target format`
# formats them all.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
clang_format="$(command -v clang-format-14 || true)"
if [ -z "$clang_format" ]; then
  echo "format-check: clang-format-14 is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi
cd "$here"
find src tests fuzz bench -name '*.cpp' -o -name '*.h' | sort |
  xargs "$clang_format" --dry-run -Werror
