// The Match search with a made-up run: the first call, the stages of a pass,
// the tolerance walk, the limits, the ends and the restore of the old specs.
#include "match/match_test_support.h"

#include <filesystem>

#include "files/file_names.h"
#include "match/match_state.h"

namespace sw::test {
namespace {

struct MatchSearchTest : SearchTest {
  void SetUp() override {
    SearchTest::SetUp();
    Load(kMuscleCar);
  }
  // The racer's own shift RPMs, all at the HP peak: no peak estimate needed.
  void UserShifts() {
    S(kDriving, 7) = "1";
    for (int i = 1; i <= 5; ++i) S(kDriving, 7 + i) = "5600";
  }
  // The muscle car with a 180 converter instead of its clutch.
  void Converter() {
    S(kTransmission, 0) = "3";
    S(kTransmission, 5) = "180";
    S(kTransmission, 6) = "2.0";
  }
  // A slip the made-up run matches exactly unless a test says otherwise.
  void PlainSlip(const std::string& rpm = "") { Slip("0", "3000", "1.80", "100", rpm, "3"); }
  // The muscle car afresh with the racer's shift RPMs and the plain slip.
  void Fresh(const std::string& rpm = "") {
    ResetTables();
    Load(kMuscleCar);
    UserShifts();
    PlainSlip(rpm);
  }
  static FakeRun Run(std::function<void(FakeRun&)> change) {
    FakeRun r;
    return change(r), r;
  }
  // First call, then pass 2 with the run `r`.
  void FirstPasses(SpecSearch& s, FakeRun r) {
    tbl.CalcStatus = 0;
    Step(s);
    ASSERT_EQ(tbl.CalcStatus, 1);
    fake = [r](int) { return r; };
    Pass(s);
  }
  void Pass(SpecSearch& s) { Calculate(s); }
};

TEST_F(MatchSearchTest, FirstCallReadsTheSlip) {
  Slip("0", "", "2.05", "111.54", "5554", "3");
  SpecSearch s = Search();
  tbl.CalcStatus = 0;
  Step(s);
  EXPECT_EQ(tbl.CalcStatus, 1);
  EXPECT_EQ(tbl.CalcPass, 1);
  EXPECT_EQ(Format(s.EstimatedHp(), "####.0"), "379.4");
  EXPECT_EQ(s.EstimatedTraction(), "65.59");
  EXPECT_EQ(Format(s.TheoreticalRpm(), "####0"), "5490");
  EXPECT_EQ(s.EstimatedPeakRpm(), 0) << "5554 lies within 5320-6900";
  EXPECT_EQ(S(kConditions, 7), "0");
  EXPECT_EQ(S(kDriving, 11), "0") << "no shift out of the finish gear";
  EXPECT_EQ(calculations, 0) << "the caller runs the first calculation";

  ResetTables();
  Load(kMuscleCar);
  Slip("1", "", "2.05", "111.54", "", "3");
  SpecSearch blank = Search();
  tbl.CalcStatus = 0;
  Step(blank);
  EXPECT_EQ(blank.EstimatedPeakRpm(), 5200) << "0.95 x the gearing's 5490";
  EXPECT_EQ(S(kConditions, 7), "1");
  EXPECT_GT(blank.EstimatedHp(), s.EstimatedHp()) << "an eighth-mile trap speed counts for more";
}

TEST_F(MatchSearchTest, StagesOfAPass) {
  struct Case {
    const char* what;
    std::function<void(MatchSearchTest&)> car;
    FakeRun run;
    std::vector<std::pair<int, int>> specs;  // (menu, k) to check
    std::vector<std::string> expected;
    std::string log;
  };
  auto mph = [](double e) { return Run([e](FakeRun& r) { r.mph = 100 / (1 - e); }); };
  auto sixty = [](double e) { return Run([e](FakeRun& r) { r.sixty = 1.8 / (1 - e); }); };
  auto launch = [](double e) { return Run([e](FakeRun& r) { r.launch = 3000 / (1 - e); }); };
  const Case cases[] = {
      {"power, converter", [](MatchSearchTest& t) { t.Converter(); }, mph(0.0356),
       {{kEngine, 4}, {kEngine, 2}, {kTransmission, 5}}, {"401.9", "446.6", "183.2"}, ""},
      {"power, clutch", [](MatchSearchTest&) {}, mph(-0.04),
       {{kEngine, 4}, {kTransmission, 5}}, {"504.0", ""}, ""},
      {"traction to its maximum", [](MatchSearchTest& t) { t.S(kTires, 8) = "108"; }, sixty(0.06),
       {{kTires, 8}}, {"110.00"}, "Maxtrac "},
      {"traction, at least half the tolerance", [](MatchSearchTest&) {}, sixty(-0.035),
       {{kTires, 8}}, {"98.25"}, ""},
      {"converter from the launch", [](MatchSearchTest& t) { t.Converter(); }, launch(0.0585),
       {{kTransmission, 5}}, {"174.7"}, ""},
      {"converter to its maximum", [](MatchSearchTest& t) { t.Converter(); t.S(kTransmission, 5) = "595"; },
       launch(-0.1), {{kTransmission, 5}}, {"600.0"}, "Maxconv "},
      {"converter to its minimum", [](MatchSearchTest& t) { t.Converter(); t.S(kTransmission, 5) = "82"; },
       launch(0.1), {{kTransmission, 5}}, {"80.0"}, "Minconv "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fresh();
    c.car(*this);
    SpecSearch s = Search();
    FirstPasses(s, c.run);
    ASSERT_EQ(tbl.CalcStatus, 1);
    EXPECT_EQ(s.TolerancesTried(), (std::vector<double>{3}));
    for (size_t i = 0; i < c.specs.size(); ++i)
      EXPECT_EQ(S(c.specs[i].first, c.specs[i].second), c.expected[i]) << i;
    EXPECT_EQ(s.AdjustmentLog(), c.log);
  }
}

TEST_F(MatchSearchTest, TractionAtItsMaximumChangesTheTire) {
  UserShifts();
  PlainSlip();
  S(kTires, 8) = "108";
  SpecSearch s = Search();
  FakeRun grip;
  grip.sixty = 1.8 / 0.94;
  FirstPasses(s, grip);
  EXPECT_EQ(S(kTires, 8), "110.00");
  EXPECT_EQ(text, "Max");
  Pass(s);
  EXPECT_EQ(S(kTires, 6), " 3") << "DOT Drag Tire to Drag Radial";
  EXPECT_EQ(s.AdjustmentLog(), "");
  Pass(s);
  EXPECT_EQ(s.AdjustmentLog(), "Maxtrac ") << "the factor is at 110 again";
  Pass(s);
  EXPECT_EQ(S(kTires, 6), " 4");
  EXPECT_EQ(S(kTires, 8), "80.00") << "a drag slick starts at 80";
  S(kTires, 8) = "108";
  Pass(s);
  EXPECT_EQ(s.AdjustmentLog(), "Maxtrac ");
  // Less grip wanted at the maximum: the marker goes and the factor drops.
  grip.sixty = 1.8 / 1.02;
  fake = [grip](int) { return grip; };
  Pass(s);
  EXPECT_EQ(s.AdjustmentLog(), "");
  EXPECT_EQ(S(kTires, 8), "108.90") << "2 % off acts at 1 %";
}

TEST_F(MatchSearchTest, TyresAndGrowthFromTheFinishRpm) {
  struct Case {
    const char* type;
    const char* diameter;
    const char* growth;
    double slipRpm, runRpm;
    std::string passTwoDiameter, passThreeDiameter, passThreeGrowth, log;
  };
  // RPM error 1 - (slip RPM / MPH) / (run RPM / MPH): 5040 on 5600 is +0.1.
  const Case cases[] = {
      {"2", "28", "0", 5040, 5600, "30.80", "33.88", "0", ""},
      {"2", "59.5", "0", 5040, 5600, "60.00", "60.00", "0", "Maxdiam "},
      {"4", "28", "29.5", 5040, 5600, "30.80", "30.80", "30.00", "Maxgrow "},
      {"4", "28", "3", 5600, 5600 / 1.1, "25.20", "25.20", "1.00", ""},
      {"2", "28", "0", 5540, 5600, "28.30", "28.30", "0", ""},  // within 2 %: the gearing stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slipRpm);
    Fresh(Str(c.slipRpm));
    S(kTires, 6) = c.type;
    S(kTires, 5) = c.diameter;
    S(kTires, 9) = c.growth;
    SpecSearch s = Search();
    FirstPasses(s, Run([&](FakeRun& r) { r.clutchRpm = c.runRpm; }));
    EXPECT_EQ(S(kTires, 5), c.passTwoDiameter) << "pass 2 re-estimates the diameter";
    EXPECT_TRUE(s.TolerancesTried().empty()) << "and ends there";
    Pass(s);
    EXPECT_EQ(S(kTires, 5), c.passThreeDiameter);
    EXPECT_EQ(S(kTires, 9), c.passThreeGrowth);
    EXPECT_EQ(s.AdjustmentLog(), c.log);
  }
}

TEST_F(MatchSearchTest, ToleranceWalksDownThenTheSearchFinishes) {
  UserShifts();
  PlainSlip();
  SpecSearch s = Search();
  FirstPasses(s, FakeRun{});
  EXPECT_EQ(s.TolerancesTried(), (std::vector<double>{3, 2, 1, 0.6, 0.2}));
  EXPECT_EQ(screens, 1);
  EXPECT_EQ(tbl.CalcStatus, 4) << "the screen answered Return to Old Specs";
  EXPECT_EQ(lastScreen.note, "");
  EXPECT_EQ(KeepMatchSpecs, 0);
  // 0.8 % off in MPH: nothing acts at 3, 2 and 1 %, the power at 0.6 %;
  // the next pass starts at 0.6 %.
  Fresh();
  s = Search();
  FirstPasses(s, Run([](FakeRun& r) { r.mph = 100 / (1 - 0.008); }));
  EXPECT_EQ(s.TolerancesTried(), (std::vector<double>{3, 2, 1, 0.6}));
  EXPECT_EQ(S(kEngine, 4), "446.4") << "at least one x the error";
  Pass(s);
  EXPECT_EQ(s.TolerancesTried(), (std::vector<double>{0.6}));
}

TEST_F(MatchSearchTest, HundredPassesGiveTheNote) {
  UserShifts();
  PlainSlip();
  SpecSearch s = Search();
  // 5 % too fast, then 5 % too slow: the power never settles.
  fake = [](int n) { return Run([n](FakeRun& r) { r.mph = n % 2 ? 100 / 0.95 : 100 / 1.05; }); };
  EXPECT_EQ(s.Match(), matchend::Restored);
  EXPECT_EQ(calculations, 100);
  EXPECT_EQ(screens, 1);
  EXPECT_EQ(lastScreen.note,
            "This is closest match obtained after 100 passes.  Not a match: MPH is 4.8 % off the time slip.  ");
  EXPECT_EQ(tbl.CalcStatus, 0);
}

TEST_F(MatchSearchTest, AMissIsReportedAndPowerStaysWithinTheEngineRows) {
  // Runs that stay off the slip (a slip for the wrong track, a 60 ft out of
  // reach, 19398 RPM where the slip says 12000): power moves only within the
  // Engine rows (torque 10000, HP 5); a miss is measured on the slip's figure.
  const std::tuple<double, double, double, std::string, std::string> cases[] = {
      {80, 1.8, 0, "10000.0 9000.0 Maxpowr ", "MPH is 20.0 %"},
      {120, 1.8, 0, "5.4 5.0 Minpowr ", "MPH is 20.0 %"},
      {100, 2.0, 0, "500 450 Maxtrac ", "60 ft is 11.1 %"},
      {100, 1.8, 19398, "500 450 Maxdiam ", "RPM is 61.7 %"}};
  for (const auto& [mph, sixty, rpm, engine, miss] : cases) {
    Fresh(rpm ? "12000" : "");
    keep = 1;
    fake = [&](int) { return Run([&](FakeRun& r) { r.mph = mph, r.sixty = sixty, r.clutchRpm = rpm ? rpm : 5600; }); };
    SpecSearch s = Search();
    EXPECT_EQ(s.Match(), matchend::Kept);
    EXPECT_EQ(S(kEngine, 2) + " " + S(kEngine, 4) + " " + s.AdjustmentLog(), engine);
    EXPECT_EQ(lastScreen.note, "Not a match: " + miss + " off the time slip.  ");
  }
}

TEST_F(MatchSearchTest, ZeroGearRefusesWithoutACalculation) {
  S(kTransmission, 10) = "0";
  Slip("0", "", "2.05", "111.54", "5554", "3");
  const auto before = tbl.SpecText;
  SpecSearch s = Search();
  EXPECT_EQ(s.Match(), matchend::ZeroGear);
  EXPECT_EQ(calculations, 0);  // nor is anything changed
  EXPECT_EQ(OnlyBox().prompt,
            " Trans gear 2's ratio is 0.  The 'Match Vehicle Performance' process can not be done until you:\r\r"
            "  -  Change the Transmission Gear Ratios\r\r  -  Change the 'Finish Trans Gear #'");
  EXPECT_EQ(tbl.SpecText, before);
}

TEST_F(MatchSearchTest, ShiftCheckRefusesAStallAboveTheShifts) {
  Converter();
  UserShifts();
  S(kDriving, 8) = "3000";
  Slip("0", "3200", "1.80", "100", "", "3");
  const auto before = tbl.SpecText;
  SpecSearch s = Search();
  EXPECT_EQ(s.Match(), matchend::ShiftCheck);
  EXPECT_EQ(calculations, 0);
  EXPECT_EQ(OnlyBox().prompt,
            "Your Actual 'Stall RPM at Launch' (3200) is too high for the Shift RPMs specified in the Driving Specs "
            "menu (lowest RPM being 3000).  Either:\r\r  -  Reduce Stall RPM at Launch\r\r  -  Increase Shift RPMs "
            "in Driving Specs\r\r  -  Specify Computer Shift RPMs in Driving Specs");
  EXPECT_EQ(tbl.SpecText, before) << "the working copy put the shift RPMs back";
}

TEST_F(MatchSearchTest, KeptSpecsStayAndTheShiftRpmsComeBack) {
  UserShifts();
  PlainSlip();
  S(kEngine, 0) = "4", S(kEngine, 13) = "Ex Eng: 454", S(kEngine, 14) = "1";
  fst.SpecsChanged = 0;
  keep = 1;
  fake = [](int n) { return Run([n](FakeRun& r) { r.mph = n == 1 ? 100 / (1 - 0.0356) : r.mph; }); };
  SpecSearch s = Search();
  EXPECT_EQ(s.Match(), matchend::Kept);
  EXPECT_EQ(S(kEngine, 4), "401.9");
  EXPECT_EQ(S(kDriving, 11), "5600") << "held at 0 only for the search";
  EXPECT_EQ(fst.SpecsChanged, 1);
  EXPECT_EQ(KeepMatchSpecs, 1);
  EXPECT_EQ(lastScreen.specs[1].name, "Engine Pk HP");
  EXPECT_EQ(lastScreen.specs[1].oldValue, "450.0");
  EXPECT_EQ(lastScreen.specs[1].newValue, "401.9") << "the stored peak, not the curve's";
  EXPECT_FALSE(lastScreen.specs[10].visible) << "the peak torque RPM stayed";
  EXPECT_FALSE(lastScreen.stallShown);
  EXPECT_EQ(S(kEngine, 0) + S(kEngine, 13), " 1") << "the engine is no longer the example's";
}

TEST_F(MatchSearchTest, EveryOtherEndRestoresTheSpecsByteForByte) {
  struct Case {
    const char* what;
    int16_t changedBefore;
    std::function<FakeRun(int)> run;
  };
  const Case cases[] = {
      {"return to old specs", 1, [](int) { return Run([](FakeRun& r) { r.mph = 103; }); }},
      {"return, unchanged vehicle", 0, [](int) { return Run([](FakeRun& r) { r.sixty = 1.9; }); }},
      {"cancel", 0, [](int n) { return Run([n](FakeRun& r) { r.mph = 104, tbl.AbortCalc |= n == 3; }); }},
      {"a run that ends early", 1, [](int n) { return Run([n](FakeRun& r) { r.mph = 104, r.finishRow = n == 2 ? 4 : 10; }); }},
      {"a run that never finishes", 0, [](int) { return Run([](FakeRun& r) { r.et = 400; }); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fresh("5300");
    S(kEngine, 0) = "2";  // the full curve: the points are rewritten
    fst.SpecsChanged = c.changedBefore;
    const auto specs = tbl.SpecText;
    const auto curve = tbl.PowerCurveText;
    fake = c.run;
    SpecSearch s = Search();
    EXPECT_EQ(s.Match(), matchend::Restored);
    EXPECT_EQ(tbl.SpecText, specs);
    EXPECT_EQ(tbl.PowerCurveText, curve);
    EXPECT_EQ(fst.SpecsChanged, c.changedBefore);
    EXPECT_EQ(tbl.CalcStatus, 0);
    EXPECT_FALSE(tbl.CalcRunning);
  }
}

TEST_F(MatchSearchTest, NoWorkingCopyNoSearch) {
  std::filesystem::create_directories(ProgramPath(kWorkingCopyFile));  // cannot be written as a file
  PlainSlip();
  SpecSearch s = Search();
  EXPECT_EQ(s.Match(), matchend::NotSaved);
  EXPECT_EQ(calculations, 0);
  EXPECT_EQ(ui->boxes().size(), 1u) << "the save says why";
}

TEST_F(MatchSearchTest, ResultScreenOfAConverterCar) {
  Converter();
  UserShifts();
  Slip("0", "3000", "1.80", "100", "5600", "3");
  fake = [](int) {
    return Run([](FakeRun& r) {
      r.launch = 3200;  // 6.25 % over: blue
      r.sixty = 1.5;    // red
      r.mph = 100.1;    // black, and never enough for the power to change
      r.gear = 3;       // a gear short: red, and the note
      r.engineRpm = 5900;
    });
  };
  SpecSearch s = Search();
  // Let the search end at once: pass 2 is its last.
  tbl.CalcStatus = 0;
  Step(s);
  for (int i = 0; i < 200 && tbl.CalcStatus == 1; ++i) Pass(s);
  ASSERT_EQ(screens, 1);
  const MatchResultScreen& r = lastScreen;
  const std::pair<int, const char*> figures[] = {{3, "3000"},  {4, "3200"},   {6, "1.80"},  {7, "1.50"}, {9, "100.0"},
                                                 {10, "100.1"}, {12, "5600"}, {13, "5900"}, {17, "4"}, {18, "3"}};
  for (const auto& [i, figure] : figures) EXPECT_EQ(r.figures[i], figure) << i;
  const std::pair<int, int> colours[] = {
      {4, grade::Blue}, {7, grade::Red}, {10, grade::Black}, {13, grade::Blue}, {18, grade::Red}};
  for (const auto& [i, colour] : colours) EXPECT_EQ(r.colour[i], colour) << i;
  EXPECT_EQ(r.note.rfind("RPM would be within ", 0), 0u) << r.note;
  EXPECT_NE(r.note.find("% if run finished in Gear 4."), std::string::npos) << r.note;
  EXPECT_EQ(r.specs[3].newValue, "2.0");
  EXPECT_FALSE(r.specs[6].visible) << "growth only for drag slicks";
  EXPECT_EQ(r.specs[7].name + " " + r.specs[7].oldValue, "Eng Pk HP RPM 5600");
}

TEST_F(MatchSearchTest, SlipWithoutFinishRpmGradesNothing) {
  ResetTables();
  Load(kBracketCar);
  Slip("0", "3000", "1.801", "100", "", "2");
  tbl.FinerTime = 1;
  SpecSearch s = Search();
  FirstPasses(s, Run([](FakeRun& r) { r.engineRpm = 9000, r.gear = 3; }));
  while (tbl.CalcStatus == 1) Pass(s);
  ASSERT_EQ(screens, 1);
  EXPECT_EQ(lastScreen.figures[12] + "|" + lastScreen.figures[13], "|9000");
  EXPECT_EQ(lastScreen.colour[13], grade::Black);
  EXPECT_EQ(lastScreen.specs[1].name, "Engine Pk HP (full curve)");
  EXPECT_EQ(lastScreen.figures[6] + " " + lastScreen.figures[7], "1.801 1.800") << "finer time shows thousandths";
  EXPECT_EQ(lastScreen.specs[6].name, "Tire Growth") << "slicks show their growth";
  EXPECT_FALSE(lastScreen.specs[6].visible) << "when it changed";
}

TEST_F(MatchSearchTest, BadSpecsNeverCrashOrLeaveNonNumbers) {
  struct Case {
    const char* what;
    int menu, k;
    const char* value;
  };
  const Case cases[] = {{"zero weight", kVehicle, 0, "0"},      {"zero axle", kVehicle, 1, "0"},
                        {"zero tire", kTires, 5, "0"},          {"no power", kEngine, 4, "0"},
                        {"zero displacement", kEngine, 1, "0"}, {"zero gear", kTransmission, 9, "0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetTables();
    Load(kMuscleCar);
    Slip("0", "", "2.05", "111.54", "5554", "3");
    S(c.menu, c.k) = c.value;
    const auto specs = tbl.SpecText;
    const auto curve = tbl.PowerCurveText;
    keep = 1;
    SpecSearch s = RealSearch();
    const int end = s.Match();
    if (end != matchend::Kept) {
      EXPECT_EQ(tbl.SpecText, specs);
      EXPECT_EQ(tbl.PowerCurveText, curve);
    }
    for (const std::string& spec : tbl.SpecText)
      for (const char* bad : {"nan", "inf"}) EXPECT_EQ(spec.find(bad), std::string::npos) << spec;
    EXPECT_EQ(tbl.CalcStatus, 0);
    ui->Clear();
  }
}

}  // namespace
}  // namespace sw::test
