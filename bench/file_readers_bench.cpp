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
#include "support/temp_folder.h"

namespace {

constexpr size_t kMB = 1 << 20;

// A spec help page: continued paragraph lines with a "**" now and then,
// paragraph ends and lines of their own.
std::string HelpPage(size_t bytes) {
  std::string page = "** Help\r\nThe ** rows set what the car is.\r\n";
  for (int i = 0; page.size() < bytes; ++i) {
    if (i % 10 == 9) page += " \r\n";
    else if (i % 10 == 4) page += "  A line of its own about the ** row.\r\n";
    else page += "continued text of the paragraph about one row or another\r\n";
  }
  return page;
}

// A weight table whose every record is a make of its own.
std::string WeightTable(size_t bytes) {
  std::string table;
  for (int i = 0; i < 8; ++i) table += "header\r\n";
  for (int i = 0; table.size() < bytes; ++i)
    table += "69\r\nMake" + std::to_string(i) + "\r\nModel\r\n2dr\r\n3200\r\n40\r\n-1\r\n";
  return table;
}

void BM_HelpPage(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  std::filesystem::create_directories(folder.path() / "QVZHELP");
  sw::WriteFileAtomic(folder.path() / "QVZHELP" / "HELPI3.TXT", HelpPage(state.range(0) * kMB));
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
  sw::WriteFileAtomic(folder.path() / "TEXT" / "vehweight.txt", WeightTable(state.range(0) * kMB));
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
