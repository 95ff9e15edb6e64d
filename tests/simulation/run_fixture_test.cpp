// The fixture cars run down a quarter mile: a racer's sanity checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/text.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

struct Quarter {
  double et = 0, mph = 0, sixty = 0;
  int finish = 0;
};

Quarter RunQuiet() {
  tbl.QuietCalc = 1;
  tbl.CalcStatus = 0;
  tbl.CalcMode = 0;
  tbl.AbortCalc = 0;
  double trap = 0, sixty = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  return {Val(tbl.InstantEt[0]), tbl.InstantMph[0], sixty, tbl.FinishRow};
}

void Dump() {
  for (int r = 0; r <= tbl.FinishRow && r < kResultsRows; ++r) {
    std::string line;
    for (int c = 0; c <= 12; ++c) {
      char b[16];
      std::snprintf(b, sizeof b, "%8s", tbl.ResultsText[c][r].c_str());
      line += b;
    }
    std::printf("%s\n", line.c_str());
  }
}

TEST(RunFixture, Explore) {
  TempFolder folder;
  SetProgramFolder(folder.path());
  for (const char* car : {test::kMuscleCar, test::kBracketCar, test::kFrontDrive}) {
    ResetTables();
    ScopedScriptedUi ui;
    ASSERT_TRUE(test::LoadFixtureVehicle(car));
    Quarter q = RunQuiet();
    std::printf("%s: ET %.3f MPH %.2f 60ft %.3f finish %d boxes %zu\n", car, q.et, q.mph, q.sixty, q.finish,
                ui->boxes().size());
    for (auto& b : ui->boxes()) std::printf("  box: %s | %s\n", b.title.c_str(), b.prompt.c_str());
    Dump();
  }
}

}  // namespace
}  // namespace sw
namespace sw {
TEST(RunFixture, NoUi) {
  TempFolder folder;
  SetProgramFolder(folder.path());
  ResetTables();
  ASSERT_TRUE(test::LoadFixtureVehicle(test::kMuscleCar));
  tbl.QuietCalc = 1;
  double trap = 0, sixty = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  std::printf("mph %g trap %g et %s\n", tbl.InstantMph[0], trap, tbl.InstantEt[0].c_str());
}
}
