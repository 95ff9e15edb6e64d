#!/usr/bin/env bash
# A short libFuzzer run over every file reader: vehicle files, configuration,
# example libraries, calculator layouts, the weight table, help pages,
# preset lists, the wet-bulb table, the advice texts and the engine
# program's curve. Builds the fuzz targets with clang (installed when
# missing), runs each for a few seconds (SW_FUZZ_SECONDS, default 5), as many
# at a time as there are cores, under AddressSanitizer and UBSan (which stops
# at its first report), and fails on a crash. Without a working clang it
# says so and exits 0: the rest of the test suite does not depend on it.
set -uo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${SW_FUZZ_SECONDS:-5}
JOBS=$(nproc 2>/dev/null || echo 2)
BUILD=build-fuzz
# Each target and the seeds of its corpus: its own examples in fuzz/corpus,
# or the shipped files it reads.
declare -A SEEDS=(
  [vehicle_file_fuzz]=fuzz/corpus/vehicle_file
  [configuration_fuzz]=fuzz/corpus/configuration
  [example_library_fuzz]=data/QVZEXMP
  [calculator_layout_fuzz]=data/CALC
  [vehicle_weights_fuzz]=data/TEXT/vehweight.txt
  [help_pages_fuzz]=data/QVZHELP
  [preset_lists_fuzz]=data/COMBO
  [humidity_table_fuzz]=data/CALC/RHDATA.CLC
  [analysis_texts_fuzz]=data/ANALYS
  [engine_curve_fuzz]=fuzz/corpus/engine_curve
)
TARGETS=(vehicle_file_fuzz configuration_fuzz example_library_fuzz calculator_layout_fuzz vehicle_weights_fuzz
         help_pages_fuzz preset_lists_fuzz humidity_table_fuzz analysis_texts_fuzz engine_curve_fuzz)

skip() {
  echo "fuzz: $1 -- fuzz run skipped"
  exit 0
}

sudo_cmd() {
  if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo -n "$@"; else return 1; fi
}

# clang whose -fsanitize=fuzzer links.
fuzzer_works() {
  command -v clang++ >/dev/null || return 1
  local dir
  dir=$(mktemp -d)
  printf '#include <cstddef>\n#include <cstdint>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n' \
    >"$dir/t.cpp"
  clang++ -fsanitize=fuzzer,address "$dir/t.cpp" -o "$dir/t" >/dev/null 2>&1
  local rc=$?
  rm -rf "$dir"
  return $rc
}

if ! fuzzer_works; then
  echo "fuzz: installing clang"
  export DEBIAN_FRONTEND=noninteractive
  { sudo_cmd apt-get install -y --no-install-recommends clang libclang-rt-dev \
      || { sudo_cmd apt-get update && sudo_cmd apt-get install -y --no-install-recommends clang libclang-rt-dev; } \
      || sudo_cmd apt-get install -y --no-install-recommends clang; } >/dev/null 2>&1
  fuzzer_works || skip "clang with libFuzzer is not available and could not be installed"
fi

if ! cmake -S . -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DSW_CORE_ONLY=ON -DSW_FUZZ=ON -DSW_BENCH=OFF \
     -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null; then
  echo "fuzz: configuring the fuzz build failed"
  exit 1
fi
cmake --build "$BUILD" -j "$JOBS" --target fuzz_targets || { echo "fuzz: building the fuzz targets failed"; exit 1; }

# The harnesses save files as the program does (synced to disk each time):
# their program folders go to memory where it can be had, else to the build
# folder. Removed however the run ends.
HOMES=$(mktemp -d /dev/shm/stagewell-fuzz.XXXXXX 2>/dev/null) || HOMES=$(mktemp -d "$PWD/$BUILD/home.XXXXXX")
trap 'rm -rf "$HOMES"' EXIT

# One target: its corpus seeded, a program folder of its own, a few seconds
# of fuzzing; the exit status is the fuzzer's. One input may take up to a
# minute before it counts as a hang: on a machine kept busy by other runs
# (every target runs beside the others) a slow input is no fault.
run_target() {
  local t=$1 corpus="$BUILD/corpus/${1%_fuzz}" home="$HOMES/${1%_fuzz}"
  mkdir -p "$corpus" "$BUILD/crashes"
  local seed=${SEEDS[$t]}
  if [ -d "$seed" ]; then seed="$seed"/*; fi
  # shellcheck disable=SC2086  # a folder's files
  cp -n $seed "$corpus"/ 2>/dev/null || true
  SW_FUZZ_HOME="$home" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$BUILD/fuzz/$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=60 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$BUILD/crashes/$t-" -print_final_stats=1 "$corpus" >"$BUILD/$t.log" 2>&1
}

started=$(date +%s)
declare -A PIDS
running=0
for t in "${TARGETS[@]}"; do
  if [ "$running" -ge "$JOBS" ]; then
    wait -n
    running=$((running - 1))
  fi
  run_target "$t" &
  PIDS[$t]=$!
  running=$((running + 1))
done

status=0
total=0
for t in "${TARGETS[@]}"; do
  wait "${PIDS[$t]}"
  rc=$?
  log="$BUILD/$t.log"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  if [ $rc -ne 0 ]; then
    echo "fuzz: $t FAILED after $runs executions (exit $rc); log: $log"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20
    status=1
  else
    echo "fuzz: $t ran $runs executions in ${SECONDS_PER_TARGET}s, no crash"
  fi
done
echo "fuzz: $total executions in all, $(( $(date +%s) - started ))s"
exit $status
