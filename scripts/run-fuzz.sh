#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, ASan, UBSan) into build-fuzz/, makes
# the seed corpora, replays them and fuzzes each harness for a bounded time.
#   scripts/run-fuzz.sh [SECONDS-PER-HARNESS] [RUNS-PER-HARNESS]
# With RUNS given, each harness stops after that many executions instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVA_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
runs=${2:-}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DMORVA_FUZZ=ON -DMORVA_BUILD_TESTS=OFF \
  -DMORVA_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel --target fuzz_make_corpus fuzz_schedule_reader \
  fuzz_systeminfo fuzz_json_input

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0
seeds=$build/fuzz-seeds
rm -rf "$seeds" && "$build/fuzz/fuzz_make_corpus" "$seeds"
# Reproducers of any finding land here.
cd "$build"

fuzz() { # harness seed-folder dictionary
  local harness=$1 seedFolder=$seeds/$2 dict=$root/fuzz/$3
  local corpus=$build/fuzz-corpus/$harness
  mkdir -p "$corpus"
  local log=$build/$harness.log
  echo "== $harness: replaying the seeds and the kept corpus"
  if ! "$build/fuzz/$harness" -runs=0 "$seedFolder" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"; echo "== $harness: FINDING while replaying"; return 1
  fi
  echo "== $harness: fuzzing"
  local limit=(-max_total_time="$seconds")
  [ -n "$runs" ] && limit=(-runs="$runs")
  # Short inputs keep the rate high; the seeds, the largest file among them,
  # are replayed whole above.
  if ! "$build/fuzz/$harness" "${limit[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
      -dict="$dict" -print_final_stats=1 "$corpus" "$seedFolder" >"$log" 2>&1; then
    tail -n 60 "$log"; echo "== $harness: FINDING (reproducer in $(pwd))"; return 1
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec)" "$log" || true
}

fuzz fuzz_schedule_reader schedule schedule.dict
fuzz fuzz_systeminfo systeminfo systeminfo.dict
fuzz fuzz_json_input json json.dict
echo "fuzzing passed: no finding"
