// Number formatting runs for every cell of every result row and every
// instant recalculation, so it has to stay cheap.
#include <benchmark/benchmark.h>

#include "platform/text.h"

static void BM_FormatTime(benchmark::State& state) {
  double t = 11.2345;
  for (auto _ : state) benchmark::DoNotOptimize(sw::Format(t += 1e-4, "####.00"));
}
BENCHMARK(BM_FormatTime);

static void BM_ValSpec(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sw::Val(" 3450.5"));
}
BENCHMARK(BM_ValSpec);

BENCHMARK_MAIN();
