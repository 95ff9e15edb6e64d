// A quiet quarter-mile calculation is what each spec window runs on every
// keystroke and what a search runs up to 100 times in a row: it has to take
// well under a millisecond.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/program_folder.h"
#include "simulation/calculate.h"
#include "simulation/run_simulation.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace {

// Heap allocations, counted while the time-step loop runs.
std::atomic<long> allocations{0};
std::atomic<bool> inLoop{false};

void WatchLoop(int phase) { inLoop = phase == 0; }

}  // namespace

// The replaced global allocation functions pair malloc with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
  if (inLoop) ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

void Prepare(const char* car, int finer) {
  sw::ResetTables();
  sw::test::LoadFixtureVehicle(car);
  sw::tbl.FinerTime = static_cast<int16_t>(finer);
  sw::tbl.QuietCalc = 1;
}

void Quiet() {
  sw::tbl.CalcStatus = 0;
  sw::tbl.CalcMode = 0;
  sw::tbl.AbortCalc = 0;
  double trap = 0, sixty = 0;
  sw::CalculatePerformance(trap, sw::tbl.FinishRow, sixty);
}

const char* Car(int i) {
  static const char* cars[] = {sw::test::kMuscleCar, sw::test::kBracketCar, sw::test::kFrontDrive};
  return cars[i];
}

// One quiet quarter-mile calculation: weather, engine curve, checks and run.
void BM_QuietQuarterMile(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  Prepare(Car(static_cast<int>(state.range(0))), static_cast<int>(state.range(1)));
  sw::SetRunLoopObserver(WatchLoop);
  allocations = 0;
  for (auto _ : state) {
    Quiet();
    benchmark::ClobberMemory();
  }
  sw::SetRunLoopObserver(nullptr);
  state.SetLabel(Car(static_cast<int>(state.range(0))) + std::string(state.range(1) ? " .001 s" : " .01 s"));
  state.counters["loop_allocs_per_run"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
  state.counters["ET"] = std::atof(sw::tbl.InstantEt[0].c_str());
  const double mph = sw::tbl.InstantMph[0];
  state.counters["MPH"] = benchmark::Counter(mph);
}
BENCHMARK(BM_QuietQuarterMile)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);

// A search's 100 quiet passes in a row.
void BM_SearchHundredPasses(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  Prepare(Car(static_cast<int>(state.range(0))), 0);
  for (auto _ : state) {
    for (int pass = 1; pass <= 100; ++pass) {
      sw::tbl.CalcPass = static_cast<int16_t>(pass);
      Quiet();
    }
    benchmark::ClobberMemory();
  }
  state.SetLabel(Car(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SearchHundredPasses)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A mistyped curve point far beyond any engine (1e20 RPM) with the shift
// points chosen by the program: the unattended calculation must end within a
// second with the error report, not climb the curve for ever.
void BM_CurvePointBeyondAnyEngine(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  Prepare(sw::test::kMuscleCar, 0);
  sw::SpecAt(sw::kEngine, 0) = "2";  // the full power curve
  const char* points[][3] = {{"3000", "490", "280"}, {"4500", "505", "433"}, {"6000", "400", "457"},
                             {"1e20", "300", "300"}};
  for (auto& p : sw::tbl.PowerCurveText) p = {"", "", "", ""};
  for (int p = 0; p < 4; ++p) sw::tbl.PowerCurveText[p] = {points[p][0], points[p][1], points[p][2], ""};
  sw::SpecAt(sw::kDriving, 7) = "0";  // computed shift RPMs
  sw::tbl.StartMode = 2;             // no box: the report goes to the answer
  for (auto _ : state) {
    sw::tbl.CalcMessages.clear();
    Quiet();
    benchmark::ClobberMemory();
  }
  sw::tbl.StartMode = 0;
  state.SetLabel(sw::tbl.CalcMessages.find("ERR= 6  ERL= 936") != std::string::npos ? "ended with the report"
                                                                                     : "NO REPORT");
}
BENCHMARK(BM_CurvePointBeyondAnyEngine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
