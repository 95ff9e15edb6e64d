// Every digit of a run stays as it is: the fixture cars and the shipped
// examples, at both time steps, down an eighth and a quarter mile. For each,
// digests of the results text, the run log and the instant result of a quiet
// run, and of LapDtOut.txt of an unattended run, are compared with the ones
// stored in run_digests.txt. SW_WRITE_RUN_DIGESTS=1 writes that file anew.
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "files/file_names.h"
#include "files/library_list.h"
#include "files/vehicle_file.h"
#include "platform/seqfile.h"
#include "simulation/lap_data.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDigestFile = fs::path(SW_TEST_DIR) / "simulation" / "run_digests.txt";

// FNV-1a, 64 bits.
struct Digest {
  uint64_t h = 14695981039346656037ull;
  void Bytes(const std::string& s) {
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    h = (h ^ 0xff) * 1099511628211ull;  // ends each text
  }
  void Number(double v) { Bytes(std::to_string(std::bit_cast<uint64_t>(v))); }
  std::string Hex() const {
    std::ostringstream o;
    o << std::hex << h;
    return o.str();
  }
};

std::string ResultsDigest() {
  Digest d;
  d.Number(tbl.FinishRow);
  for (const auto& col : tbl.ResultsText)
    for (const auto& cell : col) d.Bytes(cell);
  return d.Hex();
}

std::string RunLogDigest() {
  Digest d;
  d.Number(tbl.RunLogRows);
  for (const auto& col : tbl.RunLog)
    for (double v : col) d.Number(v);
  return d.Hex();
}

struct RunDigest : RunTest {
  static inline TempFolder seeded;
  static void SetUpTestSuite() {
    SetProgramFolder(seeded.path());
    SetSeedFolder(fs::path(SW_SOURCE_DIR) / "data");
    EnsureProgramFolder();
    SetSeedFolder({});
  }
  // A fresh program state with the car loaded: a fixture, or an example
  // opened from the library.
  void Fresh(const std::string& car, int finer, const char* track) {
    RunTest::SetUp();
    SetProgramFolder(seeded.path());
    ui->Clear();
    if (fs::exists(FixturePath(car))) {
      Load(car.c_str());
    } else {
      fst.ExampleLibraryMode = 1;
      fst.ChosenFileName = car;
      OpenVehicleFile(FormId::frmMain, openmode::Chosen);
      ASSERT_EQ(fst.FileReadFailed, 0) << car;
    }
    tbl.FinerTime = static_cast<int16_t>(finer);
    S(kConditions, 7) = track;
  }

  // Results, run log, quiet run and lap data digests of one case.
  std::string Digests(const std::string& car, int finer, const char* track) {
    Fresh(car, finer, track);
    Calculate();
    Digest boxes;
    for (const auto& b : ui->boxes()) boxes.Bytes(b.title + "|" + b.prompt);
    std::string out = ResultsDigest() + "-" + boxes.Hex() + "\t" + RunLogDigest();
    Quiet();
    Digest quiet;
    quiet.Bytes(ResultsDigest() + RunLogDigest() + tbl.InstantEt[0] + tbl.Instant60ft[0]);
    quiet.Number(tbl.InstantMph[0]);
    out += "\t" + quiet.Hex();

    Fresh(car, finer, track);
    tbl.StartMode = 2;
    Calculate();
    std::string bytes;
    ReadFileBytes(ProgramPath(kLapDataFileName), bytes);
    Digest lap;
    lap.Bytes(bytes);
    return out + "\t" + lap.Hex();
  }
};

TEST_F(RunDigest, EveryDigitAsStored) {
  std::vector<std::string> cars = {kMuscleCar, kBracketCar, kFrontDrive};
  for (const auto& f : ListLibraryFolder(fs::path(SW_SOURCE_DIR) / "data" / "XVehicleData")) cars.push_back(f.name);
  ASSERT_EQ(cars.size(), 15u);

  std::map<std::string, std::string> stored;
  std::ifstream in(kDigestFile);
  for (std::string line; std::getline(in, line);) {
    const auto cut = line.find('\t', line.find('\t', line.find('\t') + 1) + 1);
    if (cut != std::string::npos) stored[line.substr(0, cut)] = line.substr(cut + 1);
  }
  const bool write = std::getenv("SW_WRITE_RUN_DIGESTS") != nullptr;
  std::string file;
  for (const auto& car : cars)
    for (int finer : {0, 1})
      for (const char* track : {"1", "0"}) {
        const std::string key = car + "\t" + (finer ? ".001" : ".01") + "\t" + (*track == '1' ? "660" : "1320");
        const std::string got = Digests(car, finer, track);
        file += key + "\t" + got + "\n";
        if (!write) {
          EXPECT_EQ(got, stored[key]) << key;
        }
      }
  if (write) std::ofstream(kDigestFile, std::ios::binary) << file;
}

}  // namespace
}  // namespace sw::test
