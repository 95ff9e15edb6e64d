// Shared set-up of the search tests: a fixture car, a time slip typed into
// the Match rows, and a calculation that hands the search the run a test
// wants, with the errors it wants.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "match/spec_search.h"
#include "simulation/run_test_support.h"

namespace sw::test {

// What a made-up run leaves in the results: the finish row and the launch.
struct FakeRun {
  double mph = 100, sixty = 1.8, launch = 3000, engineRpm = 5600, clutchRpm = 5600, gear = 4, et = 12;
  int finishRow = 10;
};

struct SearchTest : RunTest {
  // The shipped preset lists name tire types; the Engine rows' limits hold the power.
  void SetUp() override {
    RunTest::SetUp();
    using std::filesystem::copy_options;
    for (const char* shipped : {"COMBO", "QVZHELP"})
      std::filesystem::copy(std::string(SW_SOURCE_DIR) + "/data/" + shipped, folder.path() / shipped,
                            copy_options::recursive | copy_options::skip_existing);
  }
  int calculations = 0;
  int screens = 0;
  int keep = 0;  // the answer on the result screen
  MatchResultScreen lastScreen;
  std::function<FakeRun(int)> fake;  // by calculation number, from 1

  // The slip: distance choice, stall, 60 ft, MPH, finish RPM, gear choice.
  void Slip(const std::string& distance, const std::string& stall, const std::string& sixty, const std::string& mph,
            const std::string& rpm, const std::string& gear) {
    const std::string rows[6] = {distance, stall, sixty, mph, rpm, gear};
    for (int k = 0; k < 6; ++k) S(kMatch, k) = rows[k];
  }

  // Writes a made-up run into the results table.
  void FakeCalculation(double& speed, int& finishRow, double& sixtyFoot) {
    ++calculations;
    FakeRun r = fake ? fake(calculations) : FakeRun{};
    for (auto& col : tbl.ResultsText) col.fill("");
    finishRow = r.finishRow;
    if (finishRow >= 1 && finishRow < kResultsRows) {
      auto cell = [&](int c, int row) -> std::string& { return tbl.ResultsText[c][row]; };
      cell(6, 1) = Str(r.launch);
      cell(0, finishRow) = Str(r.gear);
      cell(1, finishRow) = Str(r.et);
      cell(2, finishRow) = Str(r.mph);
      cell(5, finishRow) = Str(r.clutchRpm);
      cell(6, finishRow) = Str(r.engineRpm);
    }
    speed = r.mph * 1.467;
    sixtyFoot = r.sixty;
  }

  // The search with the made-up calculation, or with the real one; the
  // result screen is counted and kept, and answered with `keep`.
  ResultScreenFn Screen() {
    return [this](const MatchResultScreen& screen) {
      ++screens;
      lastScreen = screen;
      return keep;
    };
  }
  SpecSearch Search() {
    return SpecSearch([this](double& s, int& f, double& t) { FakeCalculation(s, f, t); }, Screen());
  }
  SpecSearch RealSearch() { return SpecSearch({}, Screen()); }

  // One call of the search step and, while it asks, one calculation each.
  double speed = 0, sixtyFoot = 0, further = 0;
  std::string text;
  void Step(SpecSearch& s) { s.RunMatchOrFindBest(speed, tbl.FinishRow, sixtyFoot, further, text); }
  void Calculate(SpecSearch& s) {
    FakeCalculation(speed, tbl.FinishRow, sixtyFoot);
    Step(s);
  }
};

}  // namespace sw::test
