// Calculate Performance: what each kind of caller sees of the windows, the
// Cancel button, and specs a run cannot be made of.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

using Calls = std::vector<std::string>;

struct CalculateTest : RunTest {
  void SetUp() override {
    RunTest::SetUp();
    Load(kMuscleCar);
  }
};

TEST_F(CalculateTest, NormalCalculation) {
  Calculate();
  EXPECT_EQ(host.calls, (Calls{"DisablePanels", "LoadProgress", "UnloadProgress", "ShowResults"}));
  EXPECT_FALSE(host.panelsEnabled) << "the results window enables them when it closes";
  EXPECT_EQ(host.pass, "0");
  EXPECT_EQ(host.distances, (Calls{"0", "60", "330", "660", "1000"}));
  EXPECT_FLOAT_EQ(host.lastBar, 3615);
  EXPECT_TRUE(ui->busy()) << "the results window sets the pointer back";
  EXPECT_FALSE(tbl.CalcRunning);
  EXPECT_GE(ui->doEventsCalls(), 11);
}

TEST_F(CalculateTest, InstantCalculationShowsNothing) {
  Quiet();
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(host.distances.empty());
  EXPECT_FALSE(ui->busy());
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(CalculateTest, DialInKeepsTheProgressWindow) {
  tbl.CalcMode = tbl.CalcPass = 1;
  tbl.QuietCalc = 0;
  host.dialInRow[0] = "29.92";
  host.dialInRow[1] = "70";
  host.dialInRow[2] = "40";
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_EQ(host.calls, (Calls{"LoadProgress"}));
  EXPECT_TRUE(host.progressLoaded);
  EXPECT_EQ(host.pass, "1");
  EXPECT_EQ(tbl.HistoryName[0], "") << "only a normal calculation makes history";
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(CalculateTest, StartModeTwoShowsNoResults) {
  tbl.StartMode = 2;
  Calculate();
  EXPECT_EQ(host.calls, (Calls{"DisablePanels", "LoadProgress", "UnloadProgress"}));
  EXPECT_TRUE(std::filesystem::exists(ProgramPath("LapDtOut.txt")));
}

TEST_F(CalculateTest, RefusedSpecsRunNothing) {
  S(kEngine, 4) = "0";  // no power curve
  Calculate();
  EXPECT_EQ(OnlyBox().title, "Problem with Inputs");
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(ui->busy());
  EXPECT_EQ(Cell(1, 0), "") << "the run was never started";
}

TEST_F(CalculateTest, CancelEndsANormalRun) {
  int calls = 0;
  ui->onDoEvents = [&] {
    if (++calls == 4) tbl.AbortCalc = 1;  // pressed in the first tenths of the track
  };
  Calculate();
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_TRUE(host.panelsEnabled);
  EXPECT_FALSE(ui->busy());
  EXPECT_FALSE(std::filesystem::exists(ProgramPath("QVHISTRY")));
}

TEST_F(CalculateTest, CancelIsIgnoredDuringASearch) {
  ui->onDoEvents = [&] { tbl.AbortCalc = 1; };
  tbl.CalcStatus = 1;
  tbl.CalcPass = 7;
  tbl.QuietCalc = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  EXPECT_EQ(host.pass, "7");
  EXPECT_EQ(host.calls, (Calls{"LoadProgress"})) << "the search keeps its progress window";
}

TEST_F(CalculateTest, NoCalculationInsideACalculation) {
  int nested = 0;
  ui->onDoEvents = [&] {
    if (nested++ != 2) return;
    double t = 0, s = 0;
    int f = 0;
    tbl.QuietCalc = 1;
    CalculatePerformance(t, f, s);  // an instant calculation asked for while the run yields
    tbl.QuietCalc = 0;
    EXPECT_EQ(f, 0) << "not run";
    EXPECT_TRUE(tbl.CalcRunning);
  };
  Calculate();
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_FALSE(tbl.CalcRunning);
}

// Specs no run can be made of: refused, reported, or a clean end; never a
// crash, a hang or a number that is not finite.
TEST_F(CalculateTest, BadInput) {
  auto curve = [](std::vector<std::array<std::string, 4>> points) {
    SpecAt(kEngine, 0) = "2";
    for (auto& p : tbl.PowerCurveText) p = {"", "", "", ""};
    for (size_t i = 0; i < points.size(); ++i) tbl.PowerCurveText[i] = points[i];
  };
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"empty spec table", [] { ResetTables(); }},
      {"zero weight", [] { SpecAt(kVehicle, 0) = "0"; }},
      {"zero gear ratios", [] { for (int k = 9; k <= 14; ++k) SpecAt(kTransmission, k) = "0"; }},
      {"zero first gear", [] { SpecAt(kTransmission, 9) = "0"; }},
      {"zero final drive", [] { SpecAt(kVehicle, 1) = "0"; }},
      {"zero tire diameter", [] { SpecAt(kTires, 5) = SpecAt(kTires, 2) = "0"; }},
      {"zero wheelbase and track", [] { SpecAt(kVehicle, 7) = SpecAt(kVehicle, 8) = ""; }},
      {"negative clutch", [] { SpecAt(kTransmission, 1) = "-5"; }},
      {"zero launch time", [] { SpecAt(kDriving, 4) = "0"; }},
      {"huge weight", [] { SpecAt(kVehicle, 0) = "1E30"; }},
      {"one-point curve", [&] { curve({{"5000", "400", "381", ""}}); }},
      {"negative torque curve", [&] { curve({{"3000", "-400", "-228", ""}, {"5000", "-300", "-286", ""}}); }},
  };
  for (const char* car : {kMuscleCar, kBracketCar, kFrontDrive})
    for (const auto& [what, spoil] : cases) {
      SCOPED_TRACE(std::string(car) + ": " + what);
      RunTest::SetUp();
      ui->Clear();
      Load(car);
      spoil();
      for (int16_t quiet : {0, 1}) {
        Run(quiet);
        ExpectAllFinite();
        EXPECT_GE(tbl.FinishRow, -1);
        EXPECT_LE(tbl.FinishRow, kLastResultsRow);
        EXPECT_LT(ui->boxes().size(), 20u);
      }
    }
}

}  // namespace
}  // namespace sw::test
