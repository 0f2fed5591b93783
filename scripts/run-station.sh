#!/usr/bin/env bash
# Builds the station and the week report command (Release) into build/ and
# starts the station. The lists and the month folders live beside the
# program, in build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" --target timeclock timeclock-report
exec "$here/build/timeclock" "$@"
