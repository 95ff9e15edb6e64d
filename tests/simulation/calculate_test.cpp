// Calculate Performance: what each kind of caller sees of the windows, the
// Cancel button, and specs a run cannot be made of.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

using CalculateTest = RunTest;

TEST_F(CalculateTest, NormalCalculation) {
  Load(kMuscleCar);
  Calculate();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"DisablePanels", "LoadProgress", "UnloadProgress", "ShowResults"}));
  EXPECT_FALSE(host.panelsEnabled) << "the results window enables them when it closes";
  EXPECT_EQ(host.pass, "0");
  EXPECT_EQ(host.distances, (std::vector<std::string>{"0", "60", "330", "660", "1000"}));
  EXPECT_FLOAT_EQ(host.lastBar, 3615);
  EXPECT_TRUE(ui->busy()) << "the results window sets the pointer back";
  EXPECT_FALSE(tbl.CalcRunning);
  EXPECT_GE(ui->doEventsCalls(), 11);
}

TEST_F(CalculateTest, InstantCalculationShowsNothing) {
  Load(kMuscleCar);
  Quiet();
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(host.distances.empty());
  EXPECT_FALSE(ui->busy());
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(CalculateTest, DialInKeepsTheProgressWindow) {
  Load(kMuscleCar);
  tbl.CalcMode = 1;
  tbl.CalcPass = 1;
  tbl.QuietCalc = 0;
  host.dialInRow[0] = "29.92";
  host.dialInRow[1] = "70";
  host.dialInRow[2] = "40";
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"LoadProgress"}));
  EXPECT_TRUE(host.progressLoaded);
  EXPECT_EQ(host.pass, "1");
  EXPECT_EQ(tbl.HistoryName[0], "") << "only a normal calculation makes history";
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(CalculateTest, StartModeTwo) {
  Load(kMuscleCar);
  tbl.StartMode = 2;
  Calculate();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"DisablePanels", "LoadProgress", "UnloadProgress"}));
  EXPECT_TRUE(std::filesystem::exists(ProgramPath("LapDtOut.txt")));
}

TEST_F(CalculateTest, RefusedSpecsRunNothing) {
  Load(kMuscleCar);
  S(kEngine, 4) = "0";  // no power curve
  Calculate();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].title, "Problem with Inputs");
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(ui->busy());
  EXPECT_EQ(Cell(1, 0), "") << "the run was never started";
}

TEST_F(CalculateTest, CancelEndsANormalRun) {
  Load(kMuscleCar);
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
  Load(kMuscleCar);
  ui->onDoEvents = [&] { tbl.AbortCalc = 1; };
  tbl.CalcStatus = 1;
  tbl.CalcPass = 7;
  tbl.QuietCalc = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  EXPECT_EQ(host.pass, "7");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"LoadProgress"})) << "the search keeps its progress window";
}

TEST_F(CalculateTest, NoCalculationInsideACalculation) {
  Load(kMuscleCar);
  int nested = 0;
  ui->onDoEvents = [&] {
    if (nested++ == 2) {
      double t = 0, s = 0;
      int f = 0;
      tbl.QuietCalc = 1;
      CalculatePerformance(t, f, s);  // an instant calculation asked for while the run yields
      tbl.QuietCalc = 0;
      EXPECT_EQ(f, 0) << "not run";
      EXPECT_TRUE(tbl.CalcRunning);
    }
  };
  Calculate();
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_FALSE(tbl.CalcRunning);
}

// Specs no run can be made of: refused, reported, or a clean end; never a
// crash, a hang or a number that is not finite.
TEST_F(CalculateTest, BadInput) {
  struct Case {
    const char* what;
    std::function<void(RunTest&)> spoil;
  } cases[] = {
      {"empty spec table", [](RunTest&) { ResetTables(); }},
      {"zero weight", [](RunTest& t) { t.S(kVehicle, 0) = "0"; }},
      {"zero gear ratios", [](RunTest& t) { for (int k = 9; k <= 14; ++k) t.S(kTransmission, k) = "0"; }},
      {"zero first gear", [](RunTest& t) { t.S(kTransmission, 9) = "0"; }},
      {"zero final drive", [](RunTest& t) { t.S(kVehicle, 1) = "0"; }},
      {"zero tire diameter", [](RunTest& t) { t.S(kTires, 5) = "0"; t.S(kTires, 2) = "0"; }},
      {"zero wheelbase and track", [](RunTest& t) { t.S(kVehicle, 7) = ""; t.S(kVehicle, 8) = ""; }},
      {"negative clutch", [](RunTest& t) { t.S(kTransmission, 1) = "-5"; }},
      {"zero launch time", [](RunTest& t) { t.S(kDriving, 4) = "0"; }},
      {"huge weight", [](RunTest& t) { t.S(kVehicle, 0) = "1E30"; }},
      {"one-point curve",
       [](RunTest& t) {
         t.S(kEngine, 0) = "2";
         for (auto& p : tbl.PowerCurveText) p = {"", "", "", ""};
         tbl.PowerCurveText[0] = {"5000", "400", "381", ""};
       }},
      {"negative torque curve",
       [](RunTest& t) {
         t.S(kEngine, 0) = "2";
         for (auto& p : tbl.PowerCurveText) p = {"", "", "", ""};
         tbl.PowerCurveText[0] = {"3000", "-400", "-228", ""};
         tbl.PowerCurveText[1] = {"5000", "-300", "-286", ""};
       }},
  };
  for (const char* car : {kMuscleCar, kBracketCar, kFrontDrive}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(car) + ": " + c.what);
      SetUp();
      ui->Clear();
      Load(car);
      c.spoil(*this);
      for (int quiet = 0; quiet <= 1; ++quiet) {
        tbl.QuietCalc = static_cast<int16_t>(quiet);
        tbl.CalcStatus = 0;
        tbl.AbortCalc = 0;
        CalculatePerformance(trap, tbl.FinishRow, sixty);
        ExpectAllFinite();
        EXPECT_GE(tbl.FinishRow, -1);
        EXPECT_LE(tbl.FinishRow, kLastResultsRow);
        EXPECT_LT(ui->boxes().size(), 20u);
      }
    }
  }
}

}  // namespace
}  // namespace sw::test
