// Match with the real calculation: a slip made by a changed copy of a car,
// matched onto the unchanged car, must bring back the changes.
#include "match/match_test_support.h"

#include "files/vehicle_file.h"
#include "match/match_rules.h"
#include "platform/program_folder.h"
#include "simulation/engine_curve.h"

namespace sw::test {
namespace {

struct MatchEndToEnd : SearchTest {
  struct Made {
    std::string sixty, mph, rpm, gearChoice;
  };
  // The slip of the car now in the tables, as a timing tower prints it.
  Made SlipOfThisCar() {
    Quiet();
    EXPECT_GT(tbl.FinishRow, 5);
    const int row = tbl.FinishRow;
    Made m;
    m.sixty = Format(sixty, "0.000");
    m.mph = Format(Mph(), "0.00");  // the trap speed
    m.rpm = Format(Val(tbl.ResultsText[6][row]), "0");
    m.gearChoice = Str(Val(tbl.ResultsText[0][row]) - 1);
    return m;
  }
  int Match(const Made& m, const std::string& stall = "", int answer = 1) {
    Slip("0", stall, m.sixty, m.mph, m.rpm, m.gearChoice);
    keep = answer;
    SpecSearch s = RealSearch();
    return s.Match();
  }
  // The shipped Stock 69 Chevelle: a full curve of 10 points at 2000-6500 RPM, greyed rows 346 HP @ 5500.
  void OpenChevelle() {
    SetSeedFolder(std::filesystem::path(SW_SOURCE_DIR) / "data");
    ASSERT_TRUE(EnsureProgramFolder());
    fst.ExampleLibraryMode = 1, fst.ChosenFileName = "Stock 69 Chevelle SS396 4-Spd";
    OpenVehicleFile(FormId::frmMain, openmode::Chosen);
    SetSeedFolder({});
  }
};

TEST_F(MatchEndToEnd, PassTwoWeighsTheEngineItHasAgainstTheTrapSpeed) {
  // Slip 2.32 s, 101.7 MPH, 5061 RPM in 4th. The car's own 450 HP runs 115.6: pass 2 weighs
  // its 450 HP against the 284 the trap speed asks for. Trimmed to 315 HP it runs 101.7 already.
  const std::pair<Texts, Texts> cases[] = {{{"500", "450", "6"}, {"336.7", "2987", "303.1", "4800", "28.03", "100"}},
                                           {{"350.0", "315.0", "10"}, {"340.0", "2987", "306.0", "4800", "28.00", "98.83"}}};
  for (const auto& [car, specs] : cases) {
    ResetTables();
    Load(kMuscleCar);
    calculations = 0;
    S(kEngine, 2) = car[0], S(kEngine, 4) = car[1];
    Slip("0", "4500", "2.32", "101.7", "5061", "3");
    keep = 1;
    SpecSearch s([this](double& a, int& f, double& t) { ++calculations, CalculatePerformance(a, f, t); }, Screen());
    EXPECT_EQ(s.Match(), matchend::Kept);
    EXPECT_EQ(calculations, std::stoi(car[2]));
    EXPECT_EQ((Texts{S(kEngine, 2), S(kEngine, 3), S(kEngine, 4), S(kEngine, 5), S(kTires, 5), S(kTires, 8)}), specs);
  }
}

TEST_F(MatchEndToEnd, ResultScreenShowsWhatKeepStores) {
  // The worked slip, at Beginner Level, at 300 MPH, with a 1.00 60 ft. Rows HP (stored, where the curve's peak
  // reads 303.0, 298.0), torque RPM (listed when it moves) and tire type (the Wheels & Tires list's names).
  const std::tuple<bool, Made, std::string> cases[] = {
      {false, {"2.32", "101.7", "5061", "3"}, "303.1 450.0|2987 3600|-"},
      {true, {"2.32", "101.7", "5061", "3"}, "297.5 450.0|2987 3600|-"},
      {false, {"2.32", "300", "", "3"}, "495.0 450.0|12093 3600|-"},
      {false, {"1.00", "101.7", "5061", "3"}, "307.9 450.0|2987 3600|Racing Slick DOT Drag Tire"}};
  for (const auto& [beginner, slip, rows] : cases) {
    ResetTables(), ResetInputCheckMemory(), Load(kMuscleCar);
    tbl.BeginnerLevel = beginner;
    ASSERT_EQ(Match(slip, "4500"), matchend::Kept);
    std::string shown;
    for (const auto& r : {lastScreen.specs[1], lastScreen.specs[10], lastScreen.specs[8]})
      shown += (shown.empty() ? "" : "|") + (r.visible ? r.newValue + " " + r.oldValue : "-");
    EXPECT_EQ(shown, rows);
  }
}

TEST_F(MatchEndToEnd, AFullDynoCurveIsReplacedByAnEstimate) {
  // "Return to Old Specs" brings the racer's points back: EveryOtherEndRestoresTheSpecsByteForByte.
  OpenChevelle();
  ASSERT_EQ(Match({"2.36", "98.0", "", "3"}), matchend::Kept);
  const auto& r = lastScreen.specs;
  const auto& curve = tbl.PowerCurveText;
  EXPECT_EQ(r[9].name + ": " + r[9].newValue + ", " + r[1].newValue + " @ " + r[7].newValue + " was " + r[1].oldValue +
                " @ " + r[7].oldValue + ", kept " + std::to_string(PowerCurvePointCount(curve)) + " at " + curve[0][0] +
                "-" + curve[7][0],
            "Power Curve (10 points): replaced by an estimate (8 points), 297.0 @ 4200 was 345.6 @ 5500, kept 8 at "
            "1500-5200");
}

TEST_F(MatchEndToEnd, KeptPeakRowsAreThoseTheScreenShows) {
  // The Chevelle by its curve (kept, returned) or its HP peak, 2.36 s @ 98.0 in 4th: the screen's new HP, RPM, Tq, RPM
  // | Engine rows 4, 5, 2, 3 after the answer | the HP it then runs as "HP Peak Only" (the estimate takes whole HP).
  const std::tuple<const char*, int, std::string> cases[] = {
      {" 2", 1, "297.0 4200 408.0 2900|297.0 4200 408.0 2900 |297.0"},
      {" 2", 0, "297.0 4200 408.0 2900|346 5500   |346.0"},
      {"0", 1, "296.7 4200 408.0 2902|296.7 4200   |297.0"}};
  for (const auto& [method, answer, figures] : cases) {
    ResetTables(), ResetInputCheckMemory(), OpenChevelle(), S(kEngine, 0) = method;
    Match({"2.36", "98.0", "", "3"}, "", answer);
    const auto& r = lastScreen.specs;
    std::string got = r[1].newValue + " " + r[7].newValue + " " + r[0].newValue + " " + r[10].newValue + "|";
    for (int k : {4, 5, 2, 3}) got += Trim(S(kEngine, k)) + " ";
    S(kEngine, 0) = "0";
    EXPECT_EQ(got + "|" + Format(EnginePeaksAsEntered().hp, "0.0"), figures);
  }
}

TEST_F(MatchEndToEnd, ARunOfTooFewRowsSaysWhyAndChangesNothing) {
  // One gear, 150 ft lbs, 120 HP: its eighth mile is 20.24 s @ 36.5 in 5 rows (launch, roll-out, 60, 330, 660).
  Load(kMuscleCar);
  S(kEngine, 2) = "150", S(kEngine, 4) = "120", S(kTransmission, 9) = "1.00";
  for (int g = 10; g <= 14; ++g) S(kTransmission, g) = "";
  Slip("1", "", "2.5", "40", "", "0");
  const auto before = tbl.SpecText;
  EXPECT_EQ(RealSearch().Match(), matchend::Restored);
  EXPECT_EQ(OnlyBox().title + ": " + OnlyBox().prompt,
            "Match Not Possible: The calculated run of this vehicle has only 5 rows of results (20.24 sec @ 36.5 "
            "MPH).  The 'Match Vehicle Performance' process needs at least 6 rows (launch, 60 ft, shifts, timing marks "
            "and finish) to compare with your time slip, so it can not be done with these specs.\r\rYour Vehicle "
            "Specs have not been changed.");
  EXPECT_EQ(tbl.SpecText, before) << screens << " result screens";
}

TEST_F(MatchEndToEnd, MuscleCarGetsItsPowerTireAndGripBack) {
  Load(kMuscleCar);
  S(kEngine, 4) = "427.5";
  S(kEngine, 2) = "475";
  S(kTires, 8) = "95";
  S(kTires, 5) = "28.5";
  const Made m = SlipOfThisCar();
  ResetTables();
  ResetInputCheckMemory();
  Load(kMuscleCar);
  ASSERT_EQ(Match(m), matchend::Kept);
  EXPECT_EQ(lastScreen.note.find("100 passes"), std::string::npos) << lastScreen.note;
  EXPECT_NEAR(Spec(kEngine, 4), 427.5, 0.02 * 427.5);
  EXPECT_NEAR(Spec(kTires, 5), 28.5, 0.1);
  EXPECT_NEAR(Spec(kTires, 8), 95, 2);
  for (int i : {6, 7, 10, 13}) EXPECT_NE(lastScreen.colour[i], grade::Red) << i;
}

TEST_F(MatchEndToEnd, BracketCarGetsItsConverterBack) {
  Load(kBracketCar);
  const double capacity = Spec(kTransmission, 5) * 1.1;
  S(kTransmission, 5) = Str(capacity);
  const Made m = SlipOfThisCar();
  const std::string stall = Format(Val(tbl.ResultsText[6][1]), "0");
  ResetTables();
  ResetInputCheckMemory();
  Load(kBracketCar);
  ASSERT_EQ(Match(m, stall), matchend::Kept);
  EXPECT_EQ(lastScreen.note.find("100 passes"), std::string::npos) << lastScreen.note;
  EXPECT_NEAR(Spec(kTransmission, 5), capacity, 0.03 * capacity);
}

}  // namespace
}  // namespace sw::test
