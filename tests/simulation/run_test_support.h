// Shared set-up of the run tests: clean tables and sub-model state, a
// program folder of their own, a scripted user and a window host that
// records what a calculation does to the windows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/text.h"
#include "platform/window_host.h"
#include "simulation/calculate.h"
#include "simulation/converter.h"
#include "simulation/converter_step.h"
#include "simulation/engine_curve.h"
#include "simulation/input_checks.h"
#include "simulation/run_simulation.h"
#include "simulation/shift_rpms.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace sw::test {

class WatchHost : public WindowHost {
 public:
  std::vector<std::string> calls;
  bool progressLoaded = false;
  bool panelsEnabled = true;
  int resultsShown = 0;
  float lastBar = 0;
  std::vector<std::string> distances;
  std::string pass;
  std::string dialInRow[32];
  int dialInList[32] = {};

  void LoadProgress() override {
    calls.push_back("LoadProgress");
    progressLoaded = true;
  }
  void UnloadProgress() override {
    calls.push_back("UnloadProgress");
    progressLoaded = false;
  }
  bool ProgressLoaded() const override { return progressLoaded; }
  void SetProgressBar(float width) override { lastBar = width; }
  void SetProgressDistance(const std::string& caption) override { distances.push_back(caption); }
  void SetProgressPass(const std::string& caption) override { pass = caption; }
  void EnableMainPanels(bool enabled) override {
    calls.push_back(enabled ? "EnablePanels" : "DisablePanels");
    panelsEnabled = enabled;
  }
  void ShowResultsAndNotes() override {
    calls.push_back("ShowResults");
    ++resultsShown;
  }
  bool DialInLoaded() const override { return true; }
  std::string DialInRowText(int row) const override { return dialInRow[row]; }
  int DialInListIndex(int row) const override { return dialInList[row]; }
};

struct RunTest : ::testing::Test {
  TempFolder folder;
  ScopedScriptedUi ui;
  WatchHost host;
  double trap = 0, sixty = 0;

  void SetUp() override {
    SetProgramFolder(folder.path());
    ResetTables();
    ResetFileState();
    ResetInputCheckMemory();
    ResetEngineCurveState();
    ResetConverterModel();
    ResetConverterStep();
    ResetShiftRPMs();
    SetWindows(&host);
  }
  void TearDown() override { SetWindows(nullptr); }

  void Load(const char* car) { ASSERT_TRUE(LoadFixtureVehicle(car)) << car; }
  std::string& S(int menu, int k) { return SpecAt(menu, k); }

  // The Calculate button: a normal calculation.
  void Calculate() {
    tbl.CalcStatus = 0;
    tbl.CalcMode = 0;
    tbl.AbortCalc = 0;
    tbl.QuietCalc = 0;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
  }
  // A spec window's instant calculation.
  void Quiet() {
    tbl.CalcStatus = 0;
    tbl.CalcMode = 0;
    tbl.AbortCalc = 0;
    tbl.QuietCalc = 1;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
  }
  double Et() { return Val(tbl.InstantEt[0]); }
  double Mph() { return tbl.InstantMph[0]; }

  const std::string& Cell(int col, int row) { return tbl.ResultsText[col][row]; }
  // The row whose "Feet" cell reads exactly `feet`, -1 when none.
  int RowAt(const std::string& feet) {
    for (int r = 1; r <= tbl.FinishRow; ++r)
      if (Cell(4, r) == feet) return r;
    return -1;
  }
  double TimeAt(const std::string& feet) {
    const int r = RowAt(feet);
    return r < 0 ? -1 : Val(Cell(1, r));
  }
  int Count(int col, const std::string& text) {
    int n = 0;
    for (int r = 1; r <= tbl.FinishRow; ++r) n += Cell(col, r) == text;
    return n;
  }
  // No cell of the results table, no run-log value and no result holds
  // anything that is not a finite number.
  void ExpectAllFinite() {
    for (int c = 0; c < kResultsCols; ++c)
      for (int r = 0; r < kResultsRows; ++r) {
        const std::string& cell = Cell(c, r);
        EXPECT_EQ(cell.find("nan"), std::string::npos) << c << "," << r << " " << cell;
        EXPECT_EQ(cell.find("inf"), std::string::npos) << c << "," << r << " " << cell;
        EXPECT_EQ(cell.find('E'), std::string::npos) << c << "," << r << " " << cell;
      }
    for (int c = 0; c < kRunLogCols; ++c)
      for (int r = 0; r < kRunLogRows; ++r) EXPECT_TRUE(std::isfinite(tbl.RunLog[c][r]));
    EXPECT_TRUE(std::isfinite(trap));
    EXPECT_TRUE(std::isfinite(sixty));
    EXPECT_TRUE(std::isfinite(tbl.InstantMph[0]));
    EXPECT_TRUE(std::isfinite(tbl.RunTotal1 + tbl.RunTotal2 + tbl.RunTotal3 + tbl.RunTotal4));
  }
  // The results table as text, for failure messages.
  std::string Table() {
    std::string out;
    for (int r = 0; r <= tbl.FinishRow && r < kResultsRows; ++r) {
      for (int c = 0; c <= 12; ++c) {
        std::string cell = Cell(c, r);
        out += std::string(cell.size() < 8 ? 8 - cell.size() : 0, ' ') + cell;
      }
      out += "\n";
    }
    return out;
  }
  int Boxes(const std::string& title) {
    int n = 0;
    for (const auto& b : ui->boxes()) n += b.title == title;
    return n;
  }
};

}  // namespace sw::test
