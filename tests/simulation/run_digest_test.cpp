// Every digit of a run stays: for the fixture cars and shipped examples, at both time steps, down 1/8 and 1/4 mile,
// digests of the results text, run log, a quiet run's instant result and an unattended run's LapDtOut.txt equal
// those stored in run_digests.txt. SW_WRITE_RUN_DIGESTS=1 writes that file anew.
#include <bit>
#include <charconv>
#include <cstdlib>
#include <fstream>

#include "files/file_names.h"
#include "files/library_list.h"
#include "files/vehicle_file.h"
#include "platform/seqfile.h"
#include "simulation/lap_data.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

namespace fs = std::filesystem;

// FNV-1a, 64 bits, over texts (each ended by 0xff) and the bits of numbers.
struct Digest {
  uint64_t h = 14695981039346656037ull;
  Digest& Text(const std::string& s) {
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    h = (h ^ 0xff) * 1099511628211ull;
    return *this;
  }
  Digest& Number(double v) { return Text(std::to_string(std::bit_cast<uint64_t>(v))); }
  std::string Hex() const {
    char out[16];
    return {out, std::to_chars(out, out + 16, h, 16).ptr};
  }
};

// Digests of the results text and the run log, `between` them.
std::string RunDigests(const std::string& between) {
  Digest results, log;
  results.Number(tbl.FinishRow);
  for (const auto& col : tbl.ResultsText)
    for (const auto& cell : col) results.Text(cell);
  log.Number(tbl.RunLogRows);
  for (const auto& col : tbl.RunLog)
    for (double v : col) log.Number(v);
  return results.Hex() + between + log.Hex();
}

using RunDigest = RunTest;

TEST_F(RunDigest, EveryDigitAsStored) {
  TempFolder seeded;
  SetProgramFolder(seeded.path());
  SetSeedFolder(fs::path(SW_SOURCE_DIR) / "data");
  EnsureProgramFolder();
  SetSeedFolder({});
  std::vector<std::string> cars = {kMuscleCar, kBracketCar, kFrontDrive};
  for (const auto& f : ListLibraryFolder(fs::path(SW_SOURCE_DIR) / "data" / "XVehicleData")) cars.push_back(f.name);
  ASSERT_EQ(cars.size(), 15u);
  // A fresh program state with the car loaded: a fixture, or an example opened from the library.
  auto fresh = [&](const std::string& car, int finer, const char* track) {
    SetUp();
    SetProgramFolder(seeded.path());
    ui->Clear();
    if (fs::exists(FixturePath(car))) Load(car.c_str());
    else fst.ExampleLibraryMode = 1, fst.ChosenFileName = car, OpenVehicleFile(FormId::frmMain, openmode::Chosen);
    EXPECT_EQ(fst.FileReadFailed, 0) << car;
    tbl.FinerTime = static_cast<int16_t>(finer), S(kConditions, 7) = track;
  };

  const fs::path file = fs::path(SW_TEST_DIR) / "simulation" / "run_digests.txt";
  std::ifstream in(file);
  const bool write = std::getenv("SW_WRITE_RUN_DIGESTS");
  std::string written;
  for (const auto& car : cars)
    for (int finer : {0, 1})
      for (const char* track : {"1", "0"}) {
        // Results (with the boxes shown) and run log, a quiet run, then the lap data of an unattended run.
        fresh(car, finer, track);
        Calculate();
        Digest boxes, quiet, lap;
        for (const auto& b : ui->boxes()) boxes.Text(b.title + "|" + b.prompt);
        std::string line = car + (finer ? "\t.001\t" : "\t.01\t") + (*track == '1' ? "660\t" : "1320\t") +
                           RunDigests("-" + boxes.Hex() + "\t");
        Quiet();
        quiet.Text(RunDigests("") + tbl.InstantEt[0] + tbl.Instant60ft[0]).Number(tbl.InstantMph[0]);
        fresh(car, finer, track);
        tbl.StartMode = 2;
        Calculate();
        std::string bytes, stored;
        ReadFileBytes(ProgramPath(kLapDataFileName), bytes);
        line += "\t" + quiet.Hex() + "\t" + lap.Text(bytes).Hex();
        std::getline(in, stored);
        EXPECT_TRUE(write || line == stored) << line << "\n" << stored;
        written += line + "\n";
      }
  if (write) std::ofstream(file, std::ios::binary) << written;
}

}  // namespace
}  // namespace sw::test
