// Window code may show figures while a calculation lets events through (the main window's summary, the transmission
// window's stall figures): the calculation's figures stay those of an undisturbed run, to the last digit.
#include "match/match_test_support.h"

#include "simulation/air.h"
#include "specs/engine_rules.h"
#include "specs/transmission_rules.h"

namespace sw::test {
namespace {

using UndisturbedCalculation = SearchTest;

TEST_F(UndisturbedCalculation, QuickNormalAndMatchRunsKeepTheirFigures) {
  for (const std::string run : {"quick", "normal", "match"}) {
    std::string figures[2];
    int disturbances = 0;
    for (bool disturbed : {false, true}) {
      SetUp();
      ui->Clear();
      Load(kMuscleCar);
      tbl.SpecText[99] = "95";  // a hot day: the run's curve is corrected well away from 1
      double correction = 0, density = 0;
      CalcAirConditions(correction, density);
      ASSERT_LT(correction, 0.97);
      // Every event-processing point (the event pump and each box) rebuilds what those windows show.
      auto show = [&, disturbed] {
        if (disturbed) ++disturbances, (void)SummaryEngineLine(), (void)CapacityForStall(3500);
      };
      ui->onDoEvents = show;
      ui->onBox = [show](const ScriptedUi::Box&) { show(); };
      std::string& out = figures[disturbed];
      if (run == "match") {  // onto a slip of its own with more power: the specs it ends with, its result screen
        Slip("0", "", "1.74", "118.2", "5700", "3");
        keep = 1;
        out = Str(RealSearch().Match());
        for (int m = 1; m <= 6; ++m)
          for (int k = 0; k < 20; ++k) out += "|" + S(m, k);
        for (const auto& figure : lastScreen.figures) out += "|" + figure;
        out += "|" + lastScreen.note;
      } else {  // the results table, the instant figures and the run's own
        run == "quick" ? Quiet() : RunTest::Calculate();
        out = Table() + "|" + tbl.InstantEt[0] + "|" + Str(tbl.InstantMph[0]) + "|" + tbl.Instant60ft[0] + "|" +
              Str(trap) + "|" + Str(sixty);
      }
      EXPECT_EQ(ui->doEventsCalls() > 0, run != "quick") << "a quick calculation lets no window events run";
    }
    EXPECT_EQ(figures[1], figures[0]) << run;
    EXPECT_TRUE(run == "quick" || disturbances > 10) << run << ": " << disturbances;
  }
}

}  // namespace
}  // namespace sw::test
