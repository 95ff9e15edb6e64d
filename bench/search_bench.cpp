// The two searches with the real calculation, headless: Find Best over its
// full 100 trials has to stay under 50 ms, a 100-pass Match under 100 ms.
// Each run is a full calculation; only the figure the search reads back is
// nudged so that the search goes the whole distance.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "files/file_state.h"
#include "match/spec_search.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/text.h"
#include "simulation/calculate.h"
#include "simulation/input_checks.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace {

const char* Car(int i) {
  static const char* cars[] = {sw::test::kMuscleCar, sw::test::kBracketCar, sw::test::kFrontDrive};
  return cars[i];
}

void Prepare(const char* car) {
  sw::ResetTables();
  sw::ResetFileState();
  sw::ResetInputCheckMemory();
  sw::test::LoadFixtureVehicle(car);
}

// Find Best over 100 trials: every trial a real run, each a little quicker
// than the one before, so the search never stops early.
void BM_FindBestHundredTrials(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  sw::ScriptedUi ui;
  sw::SetUi(&ui);
  const char* car = Car(static_cast<int>(state.range(0)));
  int trials = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Prepare(car);
    ui.Clear();
    ui.Answer(sw::ans::Yes);
    ui.Answer(sw::ans::No);
    int n = 0;
    sw::SpecSearch search([&n](double& speed, int& row, double& sixty) {
      sw::CalculatePerformance(speed, row, sixty);
      if (row > 5) sw::tbl.ResultsText[1][static_cast<size_t>(row)] = sw::Str(20 - 0.01 * ++n);
    });
    state.ResumeTiming();
    search.FindBest();
    trials = search.Trials();
  }
  sw::SetUi(nullptr);
  state.SetLabel(car);
  state.counters["trials"] = trials;
}
BENCHMARK(BM_FindBestHundredTrials)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A Match that never agrees: 100 passes, each a real run, the trap speed
// read back 3 % off either way in turn.
void BM_MatchHundredPasses(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  sw::ScriptedUi ui;
  sw::SetUi(&ui);
  const char* car = Car(static_cast<int>(state.range(0)));
  int passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Prepare(car);
    ui.Clear();
    // The car's own slip, from its own run.
    double speed = 0, sixty = 0;
    sw::tbl.QuietCalc = 1;
    sw::CalculatePerformance(speed, sw::tbl.FinishRow, sixty);
    const int row = sw::tbl.FinishRow;
    const std::string slip[6] = {"0", sw::Format(sw::Val(sw::tbl.ResultsText[6][1]), "0"), sw::Format(sixty, "0.000"),
                                 sw::Format(sw::tbl.InstantMph[0], "0.00"),
                                 sw::Format(sw::Val(sw::tbl.ResultsText[6][static_cast<size_t>(row)]), "0"),
                                 sw::Str(sw::Val(sw::tbl.ResultsText[0][static_cast<size_t>(row)]) - 1)};
    for (int k = 0; k < 6; ++k) sw::SpecAt(sw::kMatch, k) = slip[k];
    int n = 0;
    sw::SpecSearch search(
        [&n](double& trap, int& finish, double& sixtyFoot) {
          sw::CalculatePerformance(trap, finish, sixtyFoot);
          trap *= ++n % 2 ? 1.03 : 0.97;
        },
        [](const sw::MatchResultScreen&) { return 0; });
    state.ResumeTiming();
    search.Match();
    passes = sw::tbl.CalcPass;
  }
  sw::SetUi(nullptr);
  state.SetLabel(car);
  state.counters["passes"] = passes;
}
BENCHMARK(BM_MatchHundredPasses)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
