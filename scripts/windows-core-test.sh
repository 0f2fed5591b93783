#!/usr/bin/env bash
# Cross-builds the core and its tests for Windows with mingw-w64 and runs the
# tests under wine, so the code paths the station really uses on Windows
# (backslash paths, the ANSI code page through the Windows converter,
# MoveFileEx replacement) are exercised on every change.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-windows}"

need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/CLI/CLI.hpp ] || need+=(libcli11-dev)
command -v ninja >/dev/null || need+=(ninja-build)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${need[@]}"
fi

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$build" "$WINEPREFIX"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DTIMECLOCK_CORE_ONLY=ON -DTIMECLOCK_BUILD_BENCH=OFF -DTIMECLOCK_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-Wno-restrict" # mingw's gcc 12 at -O3 warns falsely on std::string assignments (GCC bug 105329)
# One wine server for the whole run (-p: it stays up between the test
# programs), so no test pays for, or races with, a server starting or ending.
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# The prefix is made (or brought up to date) once, before any test runs.
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure
