#!/usr/bin/env bash
# Builds the station (Release) into build/ and starts it. The lists and the
# month folders live beside the program, in build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" --target timeclock
exec "$here/build/timeclock" "$@"
