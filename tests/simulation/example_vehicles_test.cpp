// Every example vehicle shipped in the example library opens, runs to the
// finish without a warning (at Beginner Level too), and runs the ET and MPH
// a racer expects of its class.
#include <filesystem>

#include "files/file_names.h"
#include "files/library_list.h"
#include "files/vehicle_file.h"
#include "simulation/air.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

namespace fs = std::filesystem;

struct Expected {
  const char* name;
  double etMin, etMax;    // quarter mile ET, s
  double mphMin, mphMax;  // trap speed, MPH
  double sixtyMax;        // 60 ft time, s
};

// What a racer expects of each class on a prepared track at about 500 ft,
// 70 deg F (the conditions the examples come with).
const Expected kExamples[] = {
    // Stock muscle cars on bias-ply street tires: high 13s to low 15s.
    {"Stock 69 Chevelle SS396 4-Spd", 13.6, 15.2, 96, 106, 2.5},
    {"Stock 65 Pontiac GTO 4-Spd", 14.0, 15.6, 94, 103, 2.5},
    {"Stock 70 Plymouth Hemi Cuda", 13.2, 14.7, 99, 109, 2.5},
    // Modern V8s on street radials: low 12s to mid 13s.
    {"Stock 18 Ford Mustang GT 6-Spd", 11.9, 13.0, 111, 120, 2.1},
    {"Stock 14 Chev SS Sedan Auto", 12.2, 13.6, 103, 113, 2.2},
    // Turbo fours: front drive and all wheel drive, low to mid 13s.
    {"Import 17 Honda Civic Type R", 12.8, 14.3, 99, 110, 2.4},
    {"Import 15 Subaru WRX STI AWD", 12.6, 14.2, 98, 108, 2.2},
    // Race cars on slicks.
    {"Race Bracket Chev Nova Glide", 10.5, 11.8, 116, 128, 1.65},
    {"Race Super Stock Dodge Hemi", 8.4, 9.6, 144, 160, 1.45},
    {"Race Pro Stock Chev 500 5-Spd", 6.3, 7.3, 195, 218, 1.15},
    {"Race Front Engine Dragster", 7.3, 8.4, 165, 185, 1.35},
    // A stock 1300 class sport bike with a good rider.
    {"Cycle Suzuki Hayabusa 1340", 9.5, 11.0, 135, 152, 1.9},
};

struct ExampleVehicle : RunTest, ::testing::WithParamInterface<Expected> {
  void SetUp() override {
    RunTest::SetUp();
    SetSeedFolder(fs::path(SW_SOURCE_DIR) / "data");  // seeded as at a first start
    ASSERT_TRUE(EnsureProgramFolder());
  }
  void TearDown() override {
    SetSeedFolder({});
    RunTest::TearDown();
  }
  // Open the example as the open window does.
  void OpenExample(const std::string& name) {
    tbl.CalcMode = 0;
    fst.ExampleLibraryMode = 1;
    fst.FloppyMode = fst.FileReadFailed = 0;
    fst.ChosenFileName = name;
    OpenVehicleFile(FormId::frmMain, openmode::Chosen);
    ASSERT_EQ(fst.FileReadFailed, 0) << name;
    ASSERT_EQ(fst.FileVersion, filever::V320);
    ASSERT_EQ(fst.CurrentFileName, name);
  }
};

TEST_P(ExampleVehicle, RunsLikeItsClass) {
  const Expected& e = GetParam();
  OpenExample(e.name);
  EXPECT_NE(fst.VehicleComments, "") << "each example says what it is";
  // A converter car's file shows the stall RPM the Transmission window works
  // out from its capacity, its power curve and the weather it comes with.
  if (Spec(kTransmission, 0) == 3) {
    double correction = 0, density = 0, hp = 0, hpRpm = 0, tq = 0, tqRpm = 0, mid = 0, limit = 0, top = 0, stall = 0;
    int points = 0;
    CalcAirConditions(correction, density);
    BuildEngineCurve(TheRunsCurve(), hp, hpRpm, tq, tqRpm, points, mid, correction, limit, top);
    CheckConverterCapacity(-1, points, stall, Spec(kTransmission, 5), 1);
    ASSERT_GT(stall, 0);
    EXPECT_EQ(SpecAt(kTransmission, 15), Format(10 * Int(stall / 10 + 0.5), "####0"));
  } else {
    EXPECT_EQ(SpecAt(kTransmission, 15), "") << "a clutch car shows no stall speed";
  }
  Calculate();
  ASSERT_GT(tbl.FinishRow, 1) << e.name;
  ASSERT_TRUE(ui->boxes().empty()) << e.name << ": " << ui->boxes()[0].title << ": " << ui->boxes()[0].prompt;
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  const double et = Val(Cell(1, tbl.FinishRow)), mph = tbl.HistoryMph[0], t60 = TimeAt("60");
  EXPECT_GE(et, e.etMin) << e.name;
  EXPECT_LE(et, e.etMax) << e.name;
  EXPECT_GE(mph, e.mphMin) << e.name;
  EXPECT_LE(mph, e.mphMax) << e.name;
  EXPECT_GT(t60, 0.9) << e.name;
  EXPECT_LE(t60, e.sixtyMax) << e.name;
  ExpectAllFinite();
  // A newcomer at Beginner Level runs every example without a warning too.
  OpenExample(e.name);
  ResetInputCheckMemory();
  tbl.BeginnerLevel = 1;
  Calculate();
  ASSERT_GT(tbl.FinishRow, 1);
  EXPECT_TRUE(ui->boxes().empty()) << ui->boxes()[0].prompt;
}

INSTANTIATE_TEST_SUITE_P(Library, ExampleVehicle, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                           std::string n;
                           for (char c : std::string(info.param.name))
                             if (std::isalnum(static_cast<unsigned char>(c))) n += c;
                           return n;
                         });

// The library holds exactly these examples: a new file needs its expected
// class here.
TEST(ExampleLibrary, EveryShippedExampleIsChecked) {
  const auto files = ListLibraryFolder(fs::path(SW_SOURCE_DIR) / "data" / "XVehicleData");
  ASSERT_GE(files.size(), 10u);
  for (const auto& f : files)
    EXPECT_TRUE(std::any_of(std::begin(kExamples), std::end(kExamples), [&](auto& e) { return f.name == e.name; }))
        << f.name;
  EXPECT_EQ(files.size(), std::size(kExamples));
}

}  // namespace
}  // namespace sw::test
