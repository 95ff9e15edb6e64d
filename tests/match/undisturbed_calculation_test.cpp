// Window code that shows figures may run while a calculation lets events
// through (the main window's summary as it comes to the front, the
// transmission window's stall figures): the calculation's figures stay those
// of an undisturbed run, to the last digit.
#include "match/match_test_support.h"

#include "simulation/air.h"
#include "specs/engine_rules.h"
#include "specs/transmission_rules.h"

namespace sw::test {
namespace {

struct UndisturbedCalculation : SearchTest {
  int disturbances = 0;
  void SetUp() override {
    SearchTest::SetUp();
    Load(kMuscleCar);
    tbl.SpecText[99] = "95";  // a hot day: the run's curve is corrected well away from 1
  }
  // Every event-processing point of the run (the event pump and each box)
  // rebuilds what those windows show.
  void ShowFigures() {
    ++disturbances;
    (void)SummaryEngineLine();
    (void)CapacityForStall(3500);
  }
  // What a calculation leaves: the results table, the instant figures and the run's own figures.
  std::string Figures() {
    return Table() + "|" + tbl.InstantEt[0] + "|" + Str(tbl.InstantMph[0]) + "|" + tbl.Instant60ft[0] + "|" +
           Str(trap) + "|" + Str(sixty);
  }
  // A Match of the muscle car onto a slip of its own with more power: the
  // specs it ends with and its result screen.
  std::string MatchFigures() {
    Slip("0", "", "1.74", "118.2", "5700", "3");
    keep = 1;
    SpecSearch s = RealSearch();
    const int end = s.Match();
    std::string out = Str(end) + "|" + Str(calculations);
    for (int m = 1; m <= 6; ++m)
      for (int k = 0; k < 20; ++k) out += "|" + S(m, k);
    for (const auto& figure : lastScreen.figures) out += "|" + figure;
    return out + "|" + lastScreen.note;
  }
};

TEST_F(UndisturbedCalculation, QuickNormalAndMatchRunsKeepTheirFigures) {
  double correction = 0, density = 0;
  CalcAirConditions(correction, density);
  ASSERT_LT(correction, 0.97);

  struct Case {
    const char* name;
    std::function<std::string(UndisturbedCalculation&)> run;
    bool pumps;  // whether the calculation lets events run at all
  };
  const Case cases[] = {
      {"quick", [](UndisturbedCalculation& t) { return t.Quiet(), t.Figures(); }, false},
      {"normal", [](UndisturbedCalculation& t) { return t.RunTest::Calculate(), t.Figures(); }, true},
      {"match", [](UndisturbedCalculation& t) { return t.MatchFigures(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string figures[2];
    for (bool disturbed : {false, true}) {
      SetUp();
      ui->Clear();
      disturbances = 0;
      ui->onDoEvents = [this, disturbed] { disturbed ? ShowFigures() : void(); };
      ui->onBox = [this, disturbed](const ScriptedUi::Box&) { disturbed ? ShowFigures() : void(); };
      figures[disturbed] = c.run(*this);
    }
    EXPECT_EQ(figures[1], figures[0]);
    EXPECT_EQ(ui->doEventsCalls() > 0, c.pumps) << "a quick calculation lets no window events run";
    EXPECT_TRUE(!c.pumps || disturbances > 10) << disturbances;
  }
}

}  // namespace
}  // namespace sw::test
