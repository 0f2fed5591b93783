#!/usr/bin/env bash
# Runs a Windows test program under wine (CTest's emulator for the mingw
# build). On a fresh wine prefix a process now and then never starts: wine
# exits non-zero before the program prints a line. Only that case is tried
# again; a program that ran (and printed anything) keeps its result, pass or
# fail. Every test program prints on its first line, so no output at all
# means it never ran.
wine=/usr/lib/wine/wine64
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
  "$wine" "$@" >"$out"
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ]; then
    break
  fi
  echo "wine-run: $1 did not start (exit $rc, no output), attempt $attempt of 3" >&2
  sleep 1
done
cat "$out"
exit "$rc"
