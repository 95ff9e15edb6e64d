#!/usr/bin/env bash
# A short libFuzzer run over the vehicle-file and configuration readers.
# Builds the fuzz targets with clang (installed when missing), runs each for
# a few seconds (SW_FUZZ_SECONDS, default 5) and fails on a crash. Without a
# working clang it says so and exits 0: the rest of the test suite does not
# depend on it.
set -uo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${SW_FUZZ_SECONDS:-5}
JOBS=$(nproc 2>/dev/null || echo 2)
BUILD=build-fuzz
TARGETS=(vehicle_file_fuzz configuration_fuzz)

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

status=0
total=0
for t in "${TARGETS[@]}"; do
  name=${t%_fuzz}
  corpus="$BUILD/corpus/$name"
  mkdir -p "$corpus" "$BUILD/crashes"
  cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  log="$BUILD/$t.log"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$BUILD/fuzz/$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$BUILD/crashes/$t-" -print_final_stats=1 "$corpus" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  if [ $rc -ne 0 ]; then
    echo "fuzz: $t FAILED after $runs executions (exit $rc); log: $log"
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -20
    status=1
  else
    echo "fuzz: $t ran $runs executions in ${SECONDS_PER_TARGET}s, no crash"
  fi
done
echo "fuzz: $total executions in all"
exit $status
