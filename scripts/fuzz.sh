#!/usr/bin/env bash
# Short libFuzzer runs of the list-file reader, the week file through the time
# sheet, the paste parser and the journal reader, with AddressSanitizer and
# UBSan. Each target runs FUZZ_SECONDS (default 60) from its seed corpus in
# fuzz/corpus/<target>;
# new inputs go to a scratch corpus (copy a crash-*/ new input into
# fuzz/corpus/<target> to keep it: it is replayed by ctest in every build).
# Usage: scripts/fuzz.sh [build-folder]   FUZZ_SECONDS=600 for a longer run.
# FUZZ_RUNS=<n> runs n inputs per target from a fixed seed instead of a time:
# the same run every time, as CI uses it, so a submission is judged on the
# faults it brings and not on the luck of a random search.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:-}"

# clang and its libFuzzer runtime; a run that cannot fuzz fails, never passes.
can_fuzz() {
  local cxx probe
  cxx="$(command -v clang++ || command -v clang++-14 || true)"
  [ -n "$cxx" ] || return 1
  probe="$(mktemp -d)"
  printf '#include <cstddef>\n#include <cstdint>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n' \
    >"$probe/probe.cpp"
  "$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  local rc=$?
  rm -rf "$probe"
  return $rc
}
if ! can_fuzz; then
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  echo "Installing: clang libclang-rt-dev (libFuzzer)"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq clang libclang-rt-dev
fi
if ! can_fuzz; then
  echo "fuzz.sh: clang with libFuzzer cannot build a fuzzer here; the fuzz run did NOT run" >&2
  exit 1
fi
cxx="$(command -v clang++ || command -v clang++-14)"
cc="$(command -v clang || command -v clang-14)"

san="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIMECLOCK_CORE_ONLY=ON -DTIMECLOCK_BUILD_BENCH=OFF \
  -DTIMECLOCK_FUZZ=ON -DCMAKE_CXX_FLAGS="$san" >/dev/null
cmake --build "$build" --target fuzz_listfile fuzz_weekfile fuzz_paste fuzz_journal

status=0
for target in listfile weekfile paste journal; do
  scratch="$build/corpus-$target"
  mkdir -p "$scratch" "$build/findings-$target"
  max_len=4096
  [ "$target" = weekfile ] && max_len=160000
  [ "$target" = paste ] && max_len=65536
  [ "$target" = journal ] && max_len=65536
  if [ -n "$runs" ]; then
    # A fixed run starts from the seed corpus alone.
    rm -rf "$scratch"; mkdir -p "$scratch"
    limit=(-runs="$runs" -seed=1)
    echo "== fuzz_$target for $runs inputs (seed 1)"
  else
    limit=(-max_total_time="$seconds")
    echo "== fuzz_$target for ${seconds}s"
  fi
  if ! (cd "$build/findings-$target" && "$build/fuzz/fuzz_$target" "$scratch" "$here/fuzz/corpus/$target" \
        "${limit[@]}" -max_len="$max_len" -print_final_stats=1 2>&1 | tee "$build/fuzz-$target.log" |
        grep -E "^(#[0-9]+ +(DONE|INITED)|stat::number_of_executed_units|==[0-9]+==|SUMMARY|property broken)"); then
    :
  fi
  if grep -qE "ERROR: libFuzzer|ERROR: AddressSanitizer|runtime error|property broken" "$build/fuzz-$target.log"; then
    echo "fuzz_$target FOUND A FAULT: see $build/fuzz-$target.log and $build/findings-$target/" >&2
    status=1
  elif ! grep -qE "^stat::number_of_executed_units: [1-9]" "$build/fuzz-$target.log"; then
    echo "fuzz_$target ran no input: see $build/fuzz-$target.log" >&2
    status=1
  fi
done
exit $status
