#include "simulation/input_checks.h"

#include "platform/seqfile.h"
#include "simulation/air.h"
#include "simulation/lap_data.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

const std::string kNoCurve =
    "There is no power curve in the Engine Specs menu.  The easiest remedy is to pick 'HP Peak Only' as the Method "
    "of Describing Power Curve in the Engine Specs menu.";
const std::string kBarometer =
    "The Corr. Barometric Pressure you have set in the Calculation Conditions if outside the normal range of 29 to "
    "31 ''Hg.  This IS possible, but would be VERY unlikely.\r\rNote that Correct Barometer (as reported by most "
    "weather reports) does NOT change with elevation changes.";
const std::string kGearOrder = "Error.  Ratio for Trans Gear # 2 is less than Ratio for Trans Gear # 3";
const std::string kContinue = "\r\rDo you want to continue with the calculations?";
const std::string kCannot = "\r\rCalculations can not continue.";
const std::string kWarnTitle = "Possible Problem with Inputs";
const std::string kStopTitle = "Problem with Inputs";
const std::string kLoose = "The Converter Capacity looks Very high (very 'loose' torque converter) for this power curve.";
const std::string kSmallClutch = " Clutch looks 'small' for this engine.";

std::string Efficiency(int percent, const char* how, const char* kind, const char* typical) {
  return "You have specified a Transmission Efficiency of " + std::to_string(percent) + "%.  This is " + how +
         " for " + kind + " transmission (" + typical + " is more typical).";
}

using Specs = std::initializer_list<std::pair<int, const char*>>;

struct InputChecksTest : RunTest {
  double powerCorrection = 1, peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, topRpm = 0;
  int pointCount = 0;

  void SetUp() override {
    RunTest::SetUp();
    // A sound car: 350 cu in, 400 HP at 6000 (torque peak estimated),
    // standard weather, a clutch the program designs, four gears.
    Set({{0, "0"}, {1, "350"}, {4, "400"}, {5, "6000"}, {97, "1"}, {98, "29.92"}, {99, "70"}, {100, "40"}, {15, "0"},
         {23, "0"}, {24, "2.66"}, {25, "1.78"}, {26, "1.30"}, {27, "1.00"}, {45, "3200"}});
    Build();
  }
  static void Set(Specs specs) {
    for (auto [k, v] : specs) tbl.SpecText[k] = v;
  }
  void Build() {
    double midRpm = 0, limitRpm = 0;
    BuildEngineCurve(TheRunsCurve(), peakHp, peakHpRpm, peakTorque, peakTorqueRpm, pointCount, midRpm, powerCorrection, limitRpm,
                     topRpm);
  }
  // One calculation's checks with the answers given; the boxes they showed.
  std::vector<ScriptedUi::Box> Check(std::initializer_list<int> answers = {}) {
    ui->Clear();
    for (int a : answers) ui->Answer(a);
    CheckInputs(powerCorrection, peakHp, peakHpRpm, tbl.CalcStatus, topRpm, pointCount, peakTorque, peakTorqueRpm);
    return ui->boxes();
  }
  // Sets the specs and runs the checks answering Yes: how many boxes came up.
  size_t Asks(Specs specs = {}) {
    Set(specs);
    return Check({ans::Yes, ans::Yes, ans::Yes, ans::Yes, ans::Yes, ans::Yes}).size();
  }
  // Exactly one box with this text, title and style.
  void ExpectBox(const std::vector<ScriptedUi::Box>& boxes, const std::string& prompt, const std::string& title,
                 int style) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, prompt);
    EXPECT_EQ(boxes[0].title, title);
    EXPECT_EQ(boxes[0].style, style);
  }
  void Warns(const std::string& text, std::initializer_list<int> answers = {ans::Yes}) {
    ExpectBox(Check(answers), text + kContinue, kWarnTitle, mb::YesNo + mb::Question);
  }
  void Refuses(const std::string& text) {
    ExpectBox(Check(), text + kCannot, kStopTitle, mb::OKOnly);
    EXPECT_EQ(tbl.StopAfterPrep, 1);
  }
  double Stall(double capacity, double factor = 1.0, double scale = 1.0, int points = -1) {
    double stall = -5;
    CheckConverterCapacity(factor, points < 0 ? pointCount : points, stall, capacity, scale);
    return stall;
  }
  std::string LapData() {
    std::string bytes;
    ReadFileBytes(folder.path() / "LapDtOut.txt", bytes);
    return bytes;
  }
};

TEST_F(InputChecksTest, SoundCarPassesQuietly) {
  ASSERT_EQ(topRpm, 7200);
  tbl.CalcMessages = "old";
  EXPECT_TRUE(Check().empty());
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(tbl.EstimateClutch, 0);
  EXPECT_EQ(tbl.CalcMessages, "");
}

TEST_F(InputChecksTest, NoCurveIsTheOnlyMessage) {
  Set({{98, "12"}, {100, "99"}, {25, "5"}});  // everything else is wrong too, but not checked
  peakHp = 0;
  Refuses(kNoCurve);
  peakHp = 400;
  peakHpRpm = 0;
  Refuses(kNoCurve);
}

// 29 and 31 are inside; a warning answered is not repeated for the same
// method and barometer.
TEST_F(InputChecksTest, BarometerRangeAndCheckMemory) {
  for (const char* inside : {"29", "31", "30.1"}) EXPECT_EQ(Asks({{98, inside}}), 0u) << inside;
  Set({{98, "28.9"}});
  Warns(kBarometer);
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(Asks(), 0u) << "the same method and barometer";
  EXPECT_EQ(Asks({{97, "0"}, {100, "50"}}), 1u) << "another method";
  EXPECT_EQ(Asks({{98, "31.5"}}), 1u) << "another barometer";
  EXPECT_EQ(Asks({{97, "2"}, {98, "24.5"}}), 0u) << "a method that reads the pressure at the track";
  ResetInputCheckMemory();
  Set({{97, "0"}, {98, ""}});  // an empty barometer warns the first time only
  Warns(kBarometer);
  EXPECT_EQ(Asks(), 0u);
}

TEST_F(InputChecksTest, AnsweringNoStopsAndAsksAgainNextTime) {
  Set({{98, "28"}, {25, "3"}});  // and a gear error the checks never reach
  Warns(kBarometer, {ans::No});
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  Warns(kBarometer, {ans::No});
  const auto boxes = Check({ans::Yes});  // Yes goes on to the gears
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, kStopTitle);
  EXPECT_EQ(tbl.StopAfterPrep, 1);
}

TEST_F(InputChecksTest, PeakTorqueAgainstPeakHp) {
  Set({{0, "1"}});
  peakTorque = 500;
  peakTorqueRpm = 5000;
  Warns("The Peak Torque of 500 ft lbs at 5000 RPM produce 476.0 HP, which is more than the Peak HP of 400 "
        "specified in the Engine Specs menu.");
  EXPECT_EQ(Asks(), 0u);
  peakTorqueRpm = 5100;
  EXPECT_EQ(Asks(), 1u);
  // Method 4 asks only with slot 14 = 1; a full curve never; the memory
  // follows the values even where the method did not ask.
  for (auto [method, slot14, torque, boxes] : {std::tuple{"4", "1", 510, 1u}, {"4", "0", 520, 0u},
                                               {"2", "0", 530, 0u}, {"1", "0", 530, 0u}}) {
    peakTorque = torque;
    EXPECT_EQ(Asks({{0, method}, {14, slot14}}), boxes) << method << " " << slot14 << " " << torque;
  }
}

// Automatic: choice 3 warns with 98 and " VERY", 5 with 96 and without it,
// 6 not at all; manual: choice 8 warns with 93, 7 not at all.
TEST_F(InputChecksTest, TransmissionEfficiency) {
  Set({{15, "3"}, {23, "3"}});
  Warns(Efficiency(98, "VERY high", "an automatic", "88% - 95%"));
  EXPECT_EQ(Asks(), 0u);
  Set({{23, "5"}});
  Warns(Efficiency(96, "high", "an automatic", "88% - 95%"));
  EXPECT_EQ(Asks({{23, "6"}}), 0u);
  // Type 5 counts as automatic with slot 38 = 2; types 4 and 3 always.
  EXPECT_EQ(Asks({{23, "2"}, {15, "5"}, {38, "2"}}), 1u);
  EXPECT_EQ(Asks({{23, "1"}, {15, "4"}}), 1u);
  ResetInputCheckMemory();
  Set({{15, "0"}, {23, "8"}});
  Warns(Efficiency(93, "VERY low", "a manual", "96% - 99%"));
  EXPECT_EQ(Asks(), 0u);
  EXPECT_EQ(Asks({{23, "7"}}), 0u);
  EXPECT_EQ(Asks({{23, "8"}}), 0u);
  // The same choice on the other kind of gearbox is a new finding.
  EXPECT_EQ(Asks({{15, "3"}, {23, "3"}}), 1u);
  EXPECT_EQ(Asks({{15, "1"}, {16, "11"}, {17, "3000"}, {18, "2"}, {23, "8"}}), 1u);
}

TEST_F(InputChecksTest, AShiftRpmOfZeroKeepsTheCarInItsGear) {
  // The first shift at 0 (or empty) names the gear the car keeps; a Match holds its last gears so.
  Set({{84, "1"}, {85, "5500"}, {86, ""}, {87, "0"}});
  Warns("The 2 - 3 Shift RPM is 0, so the car will not shift out of gear 2.", {ans::No});
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  tbl.CalcStatus = 1;
  EXPECT_EQ(Asks(), 0u);
}

TEST_F(InputChecksTest, GearOrder) {
  Set({{24, "3.0"}, {25, "2.0"}, {26, "2.5"}, {27, ""}});
  Refuses(kGearOrder);  // names gears 2 and 3, each number with its leading blank
}

TEST_F(InputChecksTest, ShiftRpmsOnlyForTheGearsThereAre) {
  // Ratios 3.0, 2.0, 0: two gears, so only the 1-2 shift; asked every time.
  Set({{24, "3.0"}, {25, "2.0"}, {26, "0"}, {27, "1.5"}, {84, "1"}, {85, "7000"}, {86, "7000"}, {87, "7000"}});
  for (int i = 0; i < 2; ++i)
    Warns("The 1 - 2 Shift RPM is higher than this engine's likely valve toss (power loss) RPM of 6900.",
          {ans::Yes, ans::Yes});
  EXPECT_EQ(Asks({{85, "6900"}}), 0u);
  EXPECT_EQ(Asks({{85, "9000"}, {84, "0"}}), 0u) << "computer-chosen shift points are not checked";
  Set({{24, "6"}, {25, "5"}, {26, "4"}, {27, "3"}, {28, "2"}, {29, "1"}, {84, "1"}});  // six gears: five shifts
  for (int i = 85; i <= 89; ++i) tbl.SpecText[i] = "8000";
  const auto all = Check({ans::Yes, ans::Yes, ans::Yes, ans::Yes, ans::Yes});
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[4].prompt.substr(0, 10), "The 5 - 6 ");
}

// A quick calculation (leaving row after row) asks each warning once while
// the specs and the curve stay; the answer stands (No stops).
TEST_F(InputChecksTest, QuickCalculationAsksOnceUntilSomethingChanges) {
  Set({{84, "1"}, {85, "7000"}, {86, "7000"}, {87, "7000"}});
  tbl.QuietCalc = 1;
  EXPECT_EQ(Check({ans::Yes, ans::No}).size(), 2u);
  EXPECT_TRUE(Check().empty() && tbl.StopAfterPrep == 1);
  EXPECT_EQ(Asks({{87, "7100"}}), 3u);
  EXPECT_TRUE(Check().empty() && tbl.StopAfterPrep == 0);
  tbl.PowerCurveText[1][0] = "3000";
  EXPECT_EQ(Asks(), 3u);
}

TEST_F(InputChecksTest, DewPointMustBeBelowTheAir) {
  Set({{100, "70"}});
  Refuses(" Engine Int Air Temp must be higher than Dew Point.");
  EXPECT_EQ(Asks({{97, "4"}, {100, "90"}}), 0u) << "methods that read a humidity are not checked";
}

TEST_F(InputChecksTest, SmallClutch) {
  Set({{15, "1"}, {16, "10"}, {17, "1000"}, {18, "1"}, {19, "0"}});  // 262.5 ft lbs against 350 at the HP peak
  Warns(kSmallClutch);
  EXPECT_EQ(tbl.EstimateClutch, 0);
  EXPECT_EQ(Asks(), 0u);
  EXPECT_EQ(Asks({{17, "1400"}}), 0u) << "367.5: big enough";
  powerCorrection = 0.85;  // 315 against 297.5 when the weather weakens the engine
  EXPECT_EQ(Asks({{17, "1200"}}), 0u);
  powerCorrection = 1;
  tbl.BeginnerLevel = 1;  // the program will design the clutch
  Warns(kSmallClutch +
        "\r\r  Since the program is in 'Beginner Level' mode, the program will estimate the clutch specs for you no "
        "matter how you have them set now if you continue.");
  EXPECT_EQ(tbl.EstimateClutch, 1);
  Check();  // a fresh check run starts without the estimate request
  EXPECT_EQ(tbl.EstimateClutch, 0);
}

TEST_F(InputChecksTest, SmallClutchInASearchTurnsToTheEstimate) {
  Set({{15, "5"}, {16, "10"}, {17, "1000"}, {18, "1"}, {37, "1"}, {38, "1"}});
  tbl.CalcStatus = 2;
  tbl.CalcMessages = "kept";
  EXPECT_TRUE(Check().empty());
  EXPECT_EQ(tbl.CalcStatus, -1);
  EXPECT_EQ((Texts{tbl.SpecText[15], tbl.SpecText[37], tbl.SpecText[38]}), (Texts{"0", "", ""}));
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(tbl.CalcMessages, "kept");  // a search's messages are its own
}

TEST_F(InputChecksTest, ConverterStallSweep) {
  // Capacity times the root of the torque above the RPM all the way: no stall.
  EXPECT_EQ(Stall(2000), 0);
  EXPECT_EQ(LastStallSweep(), StallSweep::kBeyondCurve);
  EXPECT_EQ(Stall(2000, -1), 1);  // quiet: the marker, negated
  // A converter that takes more than the engine gives from the first step.
  EXPECT_EQ(Stall(10), 0);
  EXPECT_EQ(LastStallSweep(), StallSweep::kNeverBelow);
  EXPECT_EQ(Stall(10, -1), 0);
  // A real stall speed, in steps of 10 RPM, rising with the capacity.
  const double stall250 = Stall(250);
  EXPECT_EQ(LastStallSweep(), StallSweep::kCrossed);
  EXPECT_GT(stall250, 3000);
  EXPECT_LT(stall250, 5500);
  EXPECT_EQ(std::fmod(stall250, 10), 0);
  EXPECT_GT(Stall(300), stall250);
  // The torque scale: less torque, lower stall; quiet mode gives the same figure.
  EXPECT_LT(Stall(250, 1, 0.8), stall250);
  EXPECT_EQ(Stall(250, -1, 0.8), Stall(250, 1, 0.8));
  // An empty curve never crashes.
  for (int k = 0; k < kEngineCurveRows; ++k) tbl.EngineCurve[0][k] = tbl.EngineCurve[1][k] = 0;
  EXPECT_EQ(Stall(250), 0);
  EXPECT_TRUE(std::isfinite(Stall(250, -1, 1, 40)));
}

// The sweep adds 10 RPM at a time from row 0 (here 34.965 RPM), and the stall
// RPM is the RPM so reached: 117 additions give 1204.9650000000001, where
// row 0 + 117 x 10 gives 1204.9649999999999.
TEST_F(InputChecksTest, StallSweepStepsByAddition) {
  tbl.SpecText[0] = "2";
  const char* points[][3] = {{"269.93", "150", "8"}, {"1000", "250", "48"}, {"2000", "330", "126"},
                             {"3000", "380", "217"}, {"4000", "420", "320"}, {"6000", "350", "400"}};
  for (int j = 0; j < 6; ++j) tbl.PowerCurveText[j] = {points[j][0], points[j][1], points[j][2], ""};
  Build();
  ASSERT_EQ(tbl.EngineCurve[0][0], 269.93 / 2 - 100);
  EXPECT_EQ(Stall(80), 1204.9650000000001);
  EXPECT_NE(Stall(80), tbl.EngineCurve[0][0] + 10 * 117);
  EXPECT_EQ(Stall(75), 714.96500000000003);
}

TEST_F(InputChecksTest, LooseConverterIsJudgedOnTheCurveAsCorrected) {
  ASSERT_GT(Stall(396), (peakHpRpm + topRpm) / 2);
  ASSERT_LT(Stall(396), topRpm);
  Set({{15, "3"}, {20, "396"}});
  Warns(kLoose);
  EXPECT_EQ(Asks(), 0u);
  EXPECT_EQ(Asks({{20, "397"}}), 1u);
  // The curve already carries the weather: a check that corrected it again
  // would see a lower stall and no loose converter. The run judges the curve
  // as it stands, and so does the check.
  ResetInputCheckMemory();
  powerCorrection = 0.8;
  Build();
  ASSERT_LT(Stall(450, powerCorrection), (peakHpRpm + topRpm) / 2);  // what a second correction would judge
  ASSERT_GT(Stall(450), (peakHpRpm + topRpm) / 2);                   // what the run judges
  Set({{20, "450"}});
  Warns(kLoose);
}

TEST_F(InputChecksTest, TransmissionWindowShowsTheStallSpeed) {
  host.transmissionLoaded = true;
  double limitRpm = 0, midRpm = 0, hpRpm = 0;
  host.transmissionRow[5] = "250";
  const std::vector<double> curve(&tbl.EngineCurve[0][0], &tbl.EngineCurve[0][0] + 3 * kEngineCurveRows);
  CheckTransmissionSpec(limitRpm, midRpm, hpRpm);
  EXPECT_EQ(limitRpm, 500);
  EXPECT_EQ(hpRpm, 6000);
  EXPECT_DOUBLE_EQ(midRpm, (4319 + 250) / 2.0);
  // The curve a run may be reading is left as it was.
  EXPECT_EQ(std::vector<double>(&tbl.EngineCurve[0][0], &tbl.EngineCurve[0][0] + 3 * kEngineCurveRows), curve);
  // The stall on the weather-corrected curve (at 70 deg F), to 10 RPM.
  EXPECT_EQ(host.transmissionRow[15], "4840");
  double airDensity = 0;
  CalcAirConditions(powerCorrection, airDensity);
  Build();
  EXPECT_EQ(Stall(250, -1), 4840);
  for (const char* capacity : {"10", ""}) {
    host.transmissionRow[5] = capacity;
    CheckTransmissionSpec(limitRpm, midRpm, hpRpm);
    EXPECT_EQ(host.transmissionRow[15], " too low") << capacity;
  }
}

TEST_F(InputChecksTest, StartMode2CollectsWarnings) {
  tbl.StartMode = 2;
  Set({{98, "28"}, {23, "9"}});
  EXPECT_TRUE(Check().empty());
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(tbl.CalcMessages,
            "\r\r\r\r\r\r" + kBarometer + "\r\r" + Efficiency(92, "VERY low", "a manual", "96% - 99%"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
  Set({{98, "29.5"}, {23, "0"}});  // the next calculation starts a new collection
  Check();
  EXPECT_EQ(tbl.CalcMessages, "");
}

TEST_F(InputChecksTest, StartMode2RefusalWritesTheLapDataFile) {
  tbl.StartMode = 2;
  tbl.DensityAltitude = 1234.5;
  tbl.DryDensityAltitude = 1300.2;
  fst.CurrentFileName = "Street\\Nova.ZKT";
  Set({{98, "28"}, {24, "3.0"}, {25, "2.0"}, {26, "2.5"}});  // a warning, then a refusal
  EXPECT_TRUE(Check().empty());
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  const std::string messages =
      "\r\r\r\r\r\r" + kBarometer + "Stagewell calculations can not be done due to:\r\r" + kGearOrder;
  EXPECT_EQ(tbl.CalcMessages, messages);
  EXPECT_EQ(LapData(), "0\r\n0\r\n0\r\n1235\r\n1300\r\n0\r\n3200\r\n0\r\n0\r\nStreet\\Nova.ZKT\r\n" + messages + "\r\n");
  // No power curve: refused with nothing collected before.
  peakHp = 0;
  tbl.DensityAltitude = -250.4;
  Check();
  EXPECT_EQ(tbl.CalcMessages, "\r\rStagewell calculations can not be done due to:\r\r" + kNoCurve);
  EXPECT_EQ(LapData().substr(0, 15), "0\r\n0\r\n0\r\n-250\r\n");
  // In the other start modes a refusal writes no file.
  std::filesystem::remove(folder.path() / "LapDtOut.txt");
  tbl.StartMode = 0;
  Check();
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
}

TEST_F(InputChecksTest, JunkSpecsNeverCrash) {
  for (const char* type : {"0", "1", "3"})
    for (const char* t : {"", "abc", "0", "-1", "1e300", "-1e300", "12abc"})
      for (int slot : {0, 1, 2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 23, 24, 25, 37, 38, 84, 85, 97, 98, 99, 100}) {
        SetUp();
        tbl.StartMode = 2;
        tbl.SpecText[15] = type;
        tbl.SpecText[20] = "300";
        tbl.SpecText[slot] = t;
        Build();
        Check();
        EXPECT_EQ(tbl.CalcMessages.find("nan"), std::string::npos) << slot << " " << t;
        EXPECT_EQ(tbl.CalcMessages.find("inf"), std::string::npos) << slot << " " << t;
      }
  SetUp();  // a curve far out in RPM: the converter sweep stays short
  tbl.SpecText[5] = "1e300";
  Build();
  EXPECT_TRUE(std::isfinite(Stall(300)));
}

TEST_F(InputChecksTest, LapDataFileIsElevenLinesReplacedAtomically) {
  std::array<std::string, kLapDataLines> lines;
  for (int i = 0; i < kLapDataLines; ++i) lines[i] = std::to_string(i + 1);
  lines[10] = "\r\rfirst\r\rsecond";
  ASSERT_TRUE(WriteLapDataFile(lines));
  lines[0] = "10.25";
  ASSERT_TRUE(WriteLapDataFile(lines));
  EXPECT_EQ(LapData(), "10.25\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n\r\rfirst\r\rsecond\r\n");
  // An existing file of another case is the one replaced.
  std::filesystem::rename(folder.path() / "LapDtOut.txt", folder.path() / "LAPDTOUT.TXT");
  ASSERT_TRUE(WriteLapDataFile(lines));
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "LAPDTOUT.TXT"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
  SetProgramFolder(folder.path() / "missing");  // no program folder: a failure, not a crash
  EXPECT_FALSE(WriteLapDataFile(lines));
}

}  // namespace
}  // namespace sw::test
