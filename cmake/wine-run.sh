#!/usr/bin/env bash
# Runs a Windows test program under wine (CTest's emulator for the mingw
# build). On a fresh wine prefix a process now and then never starts: wine
# exits non-zero before the program prints a line. Only that case is tried
# again; a program that ran (and printed anything) keeps its result, pass or
# fail. Every test program prints on its first line, so no output at all
# means it never ran.
wine=/usr/lib/wine/wine64
# Both streams go to files: wine's helper processes (services, a device
# host) live as long as the wine server and would otherwise hold the
# caller's pipe open long after the test ended.
out="$(mktemp)"
err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2 3; do
  "$wine" "$@" >"$out" 2>"$err"
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ]; then
    break
  fi
  echo "wine-run: $1 did not start (exit $rc, no output), attempt $attempt of 3" >&2
  sleep 1
done
cat "$out"
cat "$err" >&2
exit "$rc"
