// Readers that must stay linear in their file's size: a spec help page and
// the vehicle-weight table's make list, at 1 and 8 MB. A real page is a few
// kB and the real table some 100 kB; these are far larger so that a reader
// that searches its whole text again for every line shows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "files/help_pages.h"
#include "files/vehicle_weights.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "simulation/calculator_form.h"
#include "support/large_files.h"
#include "support/temp_folder.h"

namespace {

constexpr size_t kMB = 1 << 20;

void BM_HelpPage(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  std::filesystem::create_directories(folder.path() / "QVZHELP");
  sw::WriteFileAtomic(folder.path() / "QVZHELP" / "HELPI3.TXT", sw::test::LargeHelpPage(state.range(0) * kMB));
  std::string title, text;
  for (auto _ : state) {
    std::string key = "helpi3.txt";
    sw::LoadHelpText(key, title, text, 3, 1);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * kMB);
  sw::SetProgramFolder({});
}

void BM_VehicleWeightMakes(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  std::filesystem::create_directories(folder.path() / "TEXT");
  sw::WriteFileAtomic(folder.path() / "TEXT" / "vehweight.txt", sw::test::LargeWeightTable(state.range(0) * kMB));
  sw::CalculatorForm form;
  for (auto _ : state) {
    sw::ReadVehWeights(form, 0);
    benchmark::DoNotOptimize(form.Row(2).entries.data());
  }
  state.counters["makes"] = static_cast<double>(form.Row(2).entries.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * kMB);
  sw::SetProgramFolder({});
}

}  // namespace

BENCHMARK(BM_HelpPage)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VehicleWeightMakes)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
