// Shared set-up of the simulation tests: clean tables and sub-model state, a
// program folder of their own, a scripted user and a window host that
// records what a calculation does to the windows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
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
#include "simulation/run_fault.h"
#include "simulation/run_simulation.h"
#include "simulation/shift_rpms.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace sw::test {

// Several values compared at once: a failure prints both lists.
using Nums = std::vector<double>;
using Texts = std::vector<std::string>;

class WatchHost : public WindowHost {
 public:
  std::vector<std::string> calls;
  bool progressLoaded = false, panelsEnabled = true;
  int resultsShown = 0;
  float lastBar = 0;
  std::vector<std::string> distances;
  std::string pass;
  std::string dialInRow[32];
  int dialInList[32] = {};
  bool transmissionLoaded = false;
  std::map<int, std::string> transmissionRow;

  void LoadProgress() override { calls.push_back("LoadProgress"), progressLoaded = true; }
  void UnloadProgress() override { calls.push_back("UnloadProgress"), progressLoaded = false; }
  bool ProgressLoaded() const override { return progressLoaded; }
  void SetProgressBar(float width) override { lastBar = width; }
  void SetProgressDistance(const std::string& caption) override { distances.push_back(caption); }
  void SetProgressPass(const std::string& caption) override { pass = caption; }
  void EnableMainPanels(bool on) override { calls.push_back(on ? "EnablePanels" : "DisablePanels"), panelsEnabled = on; }
  void ShowResultsAndNotes() override { calls.push_back("ShowResults"), ++resultsShown; }
  bool DialInLoaded() const override { return true; }
  std::string DialInRowText(int row) const override { return dialInRow[row]; }
  int DialInListIndex(int row) const override { return dialInList[row]; }
  bool TransmissionLoaded() const override { return transmissionLoaded; }
  std::string TransmissionRowText(int row) const override {
    auto it = transmissionRow.find(row);
    return it == transmissionRow.end() ? "" : it->second;
  }
  void SetTransmissionRowText(int row, const std::string& text) override { transmissionRow[row] = text; }
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
    ClearRunFault();
    SetWindows(&host);
  }
  void TearDown() override {
    SetWindows(nullptr);
    SetProgramFolder({});
  }

  void Load(const char* car) { ASSERT_TRUE(LoadFixtureVehicle(car)) << car; }
  std::string& S(int menu, int k) { return SpecAt(menu, k); }

  // The Calculate button (quiet = 0) or a spec window's instant calculation.
  void Run(int16_t quiet, int16_t status = 0) {
    tbl.CalcStatus = status;
    tbl.CalcMode = 0;
    tbl.AbortCalc = 0;
    tbl.QuietCalc = quiet;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
  }
  void Calculate() { Run(0); }
  void Quiet() { Run(1); }
  double Et() { return Val(tbl.InstantEt[0]); }
  double Mph() { return tbl.InstantMph[0]; }

  const std::string& Cell(int col, int row) { return tbl.ResultsText[col][row]; }
  // The first row whose column `col` reads exactly `text`, -1 when none.
  int RowOf(int col, const std::string& text) {
    for (int r = 1; r <= tbl.FinishRow; ++r)
      if (Cell(col, r) == text) return r;
    return -1;
  }
  int RowAt(const std::string& feet) { return RowOf(4, feet); }
  double TimeAt(const std::string& feet) {
    const int r = RowAt(feet);
    return r < 0 ? -1 : Val(Cell(1, r));
  }
  int Count(int col, const std::string& text) {
    int n = 0;
    for (int r = 1; r <= tbl.FinishRow; ++r) n += Cell(col, r) == text;
    return n;
  }
  // No results cell, run-log value or result holds anything but a finite number.
  void ExpectAllFinite() {
    for (int c = 0; c < kResultsCols; ++c)
      for (int r = 0; r < kResultsRows; ++r)
        for (const char* bad : {"nan", "inf", "E"})
          EXPECT_EQ(Cell(c, r).find(bad), std::string::npos) << c << "," << r << " " << Cell(c, r);
    for (int c = 0; c < kRunLogCols; ++c)
      for (int r = 0; r < kRunLogRows; ++r) EXPECT_TRUE(std::isfinite(tbl.RunLog[c][r]));
    EXPECT_TRUE(std::isfinite(trap + sixty + tbl.InstantMph[0]));
    EXPECT_TRUE(std::isfinite(tbl.RunTotal1 + tbl.RunTotal2 + tbl.RunTotal3 + tbl.RunTotal4));
  }
  // The results table as text, for failure messages.
  std::string Table() {
    std::string out;
    for (int r = 0; r <= tbl.FinishRow && r < kResultsRows; ++r, out += "\n")
      for (int c = 0; c <= 12; ++c) out += std::string(8 - std::min<size_t>(8, Cell(c, r).size()), ' ') + Cell(c, r);
    return out;
  }
  int Boxes(const std::string& title) {
    int n = 0;
    for (const auto& b : ui->boxes()) n += b.title == title;
    return n;
  }
  // The only box shown so far.
  const ScriptedUi::Box& OnlyBox() {
    EXPECT_EQ(ui->boxes().size(), 1u);
    static const ScriptedUi::Box none{};
    return ui->boxes().empty() ? none : ui->boxes()[0];
  }
};

}  // namespace sw::test
