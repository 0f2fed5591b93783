#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them against their floors, then
# prints the table of medians. Offscreen: no display is needed.
#
#   bash scripts/bench.sh [repetitions]     (default 9)
#
# BENCH_BUILD picks the build folder (default build-bench); TMPDIR picks the
# disk the week files are written to (the flushes are measured there).
# Further Google Benchmark flags can go in BENCH_ARGS, e.g.
#   BENCH_ARGS=--benchmark_filter=Punch bash scripts/bench.sh 3
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD:-$here/build-bench}"
reps="${1:-9}"
export QT_QPA_PLATFORM=offscreen

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target timeclock_bench

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
bench="$build/bench/timeclock_bench"

# Memory first, in a process of its own: start-up, then 1,000 punches.
"$bench" --station-memory 1000 >"$out/memory.json"

# shellcheck disable=SC2086
# Repetitions interleaved across the benchmarks, so a burst of load on the
# machine (the flushes share the disk) falls on a measure and its floor alike.
"$bench" --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/bench.json" --benchmark_out_format=json ${BENCH_ARGS:-} >&2

python3 "$here/bench/table.py" "$out/bench.json" "$out/memory.json" "$reps"
