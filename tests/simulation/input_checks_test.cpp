#include "simulation/input_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/window_host.h"
#include "simulation/engine_curve.h"
#include "simulation/lap_data.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

const std::string kNoCurve =
    "There is no power curve in the Engine Specs menu.  The easiest remedy is to pick 'HP Peak Only' as the Method "
    "of Describing Power Curve in the Engine Specs menu.";
const std::string kBarometer =
    "The Corr. Barometric Pressure you have set in the Calculation Conditions if outside the normal range of 29 to "
    "31 ''Hg.  This IS possible, but would be VERY unlikely.\r\rNote that Correct Barometer (as reported by most "
    "weather reports) does NOT change with elevation changes.";
const std::string kContinue = "\r\rDo you want to continue with the calculations?";
const std::string kCannot = "\r\rCalculations can not continue.";
const std::string kWarnTitle = "Possible Problem with Inputs";
const std::string kStopTitle = "Problem with Inputs";
const std::string kLoose = "The Converter Capacity looks Very high (very 'loose' torque converter) for this power curve.";
const std::string kSmallClutch = " Clutch looks 'small' for this engine.";

// The Transmission window's rows.
class TransmissionRows : public WindowHost {
 public:
  std::map<int, std::string> rows;
  bool TransmissionLoaded() const override { return true; }
  std::string TransmissionRowText(int row) const override {
    auto it = rows.find(row);
    return it == rows.end() ? "" : it->second;
  }
  void SetTransmissionRowText(int row, const std::string& text) override { rows[row] = text; }
};

// A program folder of the test's own, given back afterwards.
class ScopedProgramFolder {
 public:
  ScopedProgramFolder() { SetProgramFolder(folder_.path()); }
  ~ScopedProgramFolder() { SetProgramFolder({}); }
  const std::filesystem::path& path() const { return folder_.path(); }

 private:
  TempFolder folder_;
};

class ScopedWindows {
 public:
  explicit ScopedWindows(WindowHost* host) { SetWindows(host); }
  ~ScopedWindows() { SetWindows(nullptr); }
};

class InputChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTables();
    ResetInputCheckMemory();
    ResetEngineCurveState();
    // A sound car: 350 cu in, 400 HP at 6000 (torque peak estimated),
    // standard weather, a clutch the program designs, four gears.
    tbl.SpecText[0] = "0";
    tbl.SpecText[1] = "350";
    tbl.SpecText[4] = "400";
    tbl.SpecText[5] = "6000";
    tbl.SpecText[97] = "1";
    tbl.SpecText[98] = "29.92";
    tbl.SpecText[99] = "70";
    tbl.SpecText[100] = "40";
    tbl.SpecText[15] = "0";
    tbl.SpecText[23] = "0";
    tbl.SpecText[24] = "2.66";
    tbl.SpecText[25] = "1.78";
    tbl.SpecText[26] = "1.30";
    tbl.SpecText[27] = "1.00";
    tbl.SpecText[45] = "3200";
    Build();
  }

  void Build() {
    double midRpm = 0, limitRpm = 0;
    BuildEngineCurve(peakHp, peakHpRpm, peakTorque, peakTorqueRpm, pointCount, midRpm, powerCorrection, limitRpm,
                     topRpm);
  }
  void Check() {
    CheckInputs(powerCorrection, peakHp, peakHpRpm, tbl.CalcStatus, topRpm, pointCount, peakTorque, peakTorqueRpm);
  }
  // One calculation's checks; returns the boxes they showed.
  std::vector<ScriptedUi::Box> CheckAnswering(std::initializer_list<int> answers = {}) {
    ui->Clear();
    for (int a : answers) ui->Answer(a);
    Check();
    return ui->boxes();
  }
  void Automatic(const char* capacity) {
    tbl.SpecText[15] = "3";
    tbl.SpecText[20] = capacity;
  }

  ScopedScriptedUi ui;
  double powerCorrection = 1, peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, topRpm = 0;
  int pointCount = 0;
};

TEST_F(InputChecksTest, SoundCarPassesQuietly) {
  ASSERT_EQ(topRpm, 7200);
  tbl.CalcMessages = "old";
  EXPECT_TRUE(CheckAnswering().empty());
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(tbl.EstimateClutch, 0);
  EXPECT_EQ(tbl.CalcMessages, "");
}

TEST_F(InputChecksTest, NoCurveIsTheOnlyMessage) {
  // Everything else is wrong too, but nothing else is checked.
  tbl.SpecText[98] = "12";
  tbl.SpecText[100] = "99";
  tbl.SpecText[25] = "5";
  peakHp = 0;
  auto boxes = CheckAnswering();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kNoCurve + kCannot);
  EXPECT_EQ(boxes[0].title, kStopTitle);
  EXPECT_EQ(boxes[0].style, mb::OKOnly);
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  peakHp = 400;
  peakHpRpm = 0;
  boxes = CheckAnswering();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kNoCurve + kCannot);
}

TEST_F(InputChecksTest, BarometerRangeAndCheckMemory) {
  for (const char* inside : {"29", "31", "30.1"}) {
    tbl.SpecText[98] = inside;
    EXPECT_TRUE(CheckAnswering().empty()) << inside;
  }
  tbl.SpecText[98] = "28.9";
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kBarometer + kContinue);
  EXPECT_EQ(boxes[0].title, kWarnTitle);
  EXPECT_EQ(boxes[0].style, mb::YesNo + mb::Question);
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  // The same method and barometer: not asked again.
  EXPECT_TRUE(CheckAnswering().empty());
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  // Another method or another barometer: asked again.
  tbl.SpecText[97] = "0";
  tbl.SpecText[100] = "50";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  tbl.SpecText[98] = "31.5";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  // Methods that read the pressure at the track are not checked.
  tbl.SpecText[97] = "2";
  tbl.SpecText[98] = "24.5";
  EXPECT_TRUE(CheckAnswering().empty());
}

TEST_F(InputChecksTest, AnsweringNoStopsAndAsksAgainNextTime) {
  tbl.SpecText[98] = "28";
  tbl.SpecText[25] = "3";  // a gear error the checks never reach
  auto boxes = CheckAnswering({ans::No});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  boxes = CheckAnswering({ans::No});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kBarometer + kContinue);
  // Yes goes on to the gears.
  boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, kStopTitle);
  EXPECT_EQ(tbl.StopAfterPrep, 1);
}

TEST_F(InputChecksTest, EmptyBarometerWarnsTheFirstTime) {
  tbl.SpecText[97] = "0";
  tbl.SpecText[98] = "";
  tbl.SpecText[100] = "50";
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kBarometer + kContinue);
  EXPECT_TRUE(CheckAnswering().empty());
}

TEST_F(InputChecksTest, PeakTorqueAgainstPeakHp) {
  tbl.SpecText[0] = "1";
  peakTorque = 500;
  peakTorqueRpm = 5000;
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt,
            "The Peak Torque of 500 ft lbs at 5000 RPM produce 476.0 HP, which is more than the Peak HP of 400 "
            "specified in the Engine Specs menu." +
                kContinue);
  EXPECT_TRUE(CheckAnswering().empty());
  peakTorqueRpm = 5100;
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  // Method 4 asks only with slot 14 = 1; a full curve never.
  tbl.SpecText[0] = "4";
  tbl.SpecText[14] = "1";
  peakTorque = 510;
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  tbl.SpecText[14] = "0";
  peakTorque = 520;
  EXPECT_TRUE(CheckAnswering().empty());
  tbl.SpecText[0] = "2";
  peakTorque = 530;
  EXPECT_TRUE(CheckAnswering().empty());
  // Memory follows the values even when the method does not ask:
  // back at method 1 with 530, nothing new.
  tbl.SpecText[0] = "1";
  EXPECT_TRUE(CheckAnswering().empty());
}

TEST_F(InputChecksTest, AutomaticEfficiency) {
  Automatic("");
  tbl.SpecText[23] = "3";
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt,
            "You have specified a Transmission Efficiency of 98%.  This is VERY high for an automatic transmission "
            "(88% - 95% is more typical)." +
                kContinue);
  EXPECT_TRUE(CheckAnswering().empty());
  tbl.SpecText[23] = "5";
  boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt,
            "You have specified a Transmission Efficiency of 96%.  This is high for an automatic transmission "
            "(88% - 95% is more typical)." +
                kContinue);
  tbl.SpecText[23] = "6";
  EXPECT_TRUE(CheckAnswering().empty());
  // Type 5 counts as automatic with slot 38 = 2; types 4 and 3 always.
  tbl.SpecText[23] = "2";
  tbl.SpecText[15] = "5";
  tbl.SpecText[38] = "2";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  tbl.SpecText[23] = "1";
  tbl.SpecText[15] = "4";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
}

TEST_F(InputChecksTest, ManualEfficiency) {
  tbl.SpecText[23] = "8";
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt,
            "You have specified a Transmission Efficiency of 93%.  This is VERY low for a manual transmission "
            "(96% - 99% is more typical)." +
                kContinue);
  EXPECT_TRUE(CheckAnswering().empty());
  tbl.SpecText[23] = "7";
  EXPECT_TRUE(CheckAnswering().empty());
  // The same choice on the other kind of gearbox is a new finding.
  tbl.SpecText[23] = "8";
  EXPECT_TRUE(CheckAnswering().empty());
  Automatic("");
  tbl.SpecText[23] = "3";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  tbl.SpecText[15] = "1";
  tbl.SpecText[1 + 15] = "11";  // a clutch big enough
  tbl.SpecText[2 + 15] = "3000";
  tbl.SpecText[3 + 15] = "2";
  tbl.SpecText[23] = "8";
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
}

TEST_F(InputChecksTest, GearOrder) {
  tbl.SpecText[24] = "3.0";
  tbl.SpecText[25] = "2.0";
  tbl.SpecText[26] = "2.5";
  tbl.SpecText[27] = "";
  auto boxes = CheckAnswering();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Error.  Ratio for Trans Gear # 2 is less than Ratio for Trans Gear # 3" + kCannot);
  EXPECT_EQ(boxes[0].title, kStopTitle);
  EXPECT_EQ(tbl.StopAfterPrep, 1);
}

TEST_F(InputChecksTest, ShiftRpmsOnlyForTheGearsThereAre) {
  tbl.SpecText[24] = "3.0";
  tbl.SpecText[25] = "2.0";
  tbl.SpecText[26] = "0";
  tbl.SpecText[27] = "1.5";
  tbl.SpecText[84] = "1";
  tbl.SpecText[85] = "7000";
  tbl.SpecText[86] = "7000";
  tbl.SpecText[87] = "7000";
  auto boxes = CheckAnswering({ans::Yes, ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);  // two gears: only the 1-2 shift
  EXPECT_EQ(boxes[0].prompt,
            "The 1 - 2 Shift RPM is higher than this engine's likely valve toss (power loss) RPM of 6900." +
                kContinue);
  // Not remembered: asked on every calculation.
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);
  tbl.SpecText[85] = "6900";
  EXPECT_TRUE(CheckAnswering().empty());
  // Computer-chosen shift points are not checked.
  tbl.SpecText[85] = "9000";
  tbl.SpecText[84] = "0";
  EXPECT_TRUE(CheckAnswering().empty());
  // Six gears: five shifts.
  for (int i = 24; i <= 29; ++i) tbl.SpecText[i] = std::to_string(30 - i);
  tbl.SpecText[84] = "1";
  for (int i = 85; i <= 89; ++i) tbl.SpecText[i] = "8000";
  auto all = CheckAnswering({ans::Yes, ans::Yes, ans::Yes, ans::Yes, ans::Yes});
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[4].prompt.substr(0, 10), "The 5 - 6 ");
}

TEST_F(InputChecksTest, DewPointMustBeBelowTheAir) {
  tbl.SpecText[100] = "70";
  auto boxes = CheckAnswering();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, " Engine Int Air Temp must be higher than Dew Point." + kCannot);
  EXPECT_EQ(boxes[0].title, kStopTitle);
  // Methods that read a humidity are not checked.
  tbl.SpecText[97] = "4";
  tbl.SpecText[100] = "90";
  EXPECT_TRUE(CheckAnswering().empty());
}

TEST_F(InputChecksTest, SmallClutch) {
  tbl.SpecText[15] = "1";
  tbl.SpecText[16] = "10";
  tbl.SpecText[17] = "1000";  // 262.5 ft lbs against 350 at the HP peak
  tbl.SpecText[18] = "1";
  tbl.SpecText[19] = "0";
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kSmallClutch + kContinue);
  EXPECT_EQ(tbl.EstimateClutch, 0);
  EXPECT_TRUE(CheckAnswering().empty());
  // A bigger clutch passes; a weather correction that weakens the engine can make one pass.
  tbl.SpecText[17] = "1400";  // 367.5
  EXPECT_TRUE(CheckAnswering().empty());
  tbl.SpecText[17] = "1200";  // 315
  powerCorrection = 0.85;     // 297.5 needed
  EXPECT_TRUE(CheckAnswering().empty());
  powerCorrection = 1;

  // Beginner level: the program will design the clutch.
  tbl.BeginnerLevel = 1;
  boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kSmallClutch +
                                 "\r\r  Since the program is in 'Beginner Level' mode, the program will estimate the "
                                 "clutch specs for you no matter how you have them set now if you continue." +
                                 kContinue);
  EXPECT_EQ(tbl.EstimateClutch, 1);
  // A fresh check run starts without the estimate request.
  CheckAnswering();
  EXPECT_EQ(tbl.EstimateClutch, 0);
}

TEST_F(InputChecksTest, SmallClutchInASearchTurnsToTheEstimate) {
  tbl.SpecText[15] = "5";
  tbl.SpecText[16] = "10";
  tbl.SpecText[17] = "1000";
  tbl.SpecText[18] = "1";
  tbl.SpecText[37] = "1";
  tbl.SpecText[38] = "1";
  tbl.CalcStatus = 2;
  tbl.CalcMessages = "kept";
  EXPECT_TRUE(CheckAnswering().empty());
  EXPECT_EQ(tbl.CalcStatus, -1);
  EXPECT_EQ(tbl.SpecText[15], "0");
  EXPECT_EQ(tbl.SpecText[37], "");
  EXPECT_EQ(tbl.SpecText[38], "");
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  EXPECT_EQ(tbl.CalcMessages, "kept");  // a search's messages are its own
}

TEST_F(InputChecksTest, ConverterStallSweep) {
  double stall = -5;
  // Capacity times the root of the torque above the RPM all the way: no stall.
  CheckConverterCapacity(1.0, pointCount, stall, 2000, 1.0);
  EXPECT_EQ(stall, 0);
  EXPECT_EQ(LastStallSweep(), StallSweep::kBeyondCurve);
  CheckConverterCapacity(-1.0, pointCount, stall, 2000, 1.0);
  EXPECT_EQ(stall, 1);  // quiet: the marker, negated
  // A converter that takes more than the engine gives from the first step.
  CheckConverterCapacity(1.0, pointCount, stall, 10, 1.0);
  EXPECT_EQ(stall, 0);
  EXPECT_EQ(LastStallSweep(), StallSweep::kNeverBelow);
  CheckConverterCapacity(-1.0, pointCount, stall, 10, 1.0);
  EXPECT_EQ(stall, 0);
  // A real stall speed, in steps of 10 RPM, rising with the capacity.
  CheckConverterCapacity(1.0, pointCount, stall, 250, 1.0);
  EXPECT_EQ(LastStallSweep(), StallSweep::kCrossed);
  const double stall250 = stall;
  EXPECT_GT(stall250, 3000);
  EXPECT_LT(stall250, 5500);
  EXPECT_EQ(std::fmod(stall250, 10), 0);
  CheckConverterCapacity(1.0, pointCount, stall, 300, 1.0);
  EXPECT_GT(stall, stall250);
  // The torque scale: less torque, lower stall; quiet mode gives the same figure.
  CheckConverterCapacity(1.0, pointCount, stall, 250, 0.8);
  EXPECT_LT(stall, stall250);
  double quiet = 0;
  CheckConverterCapacity(-1.0, pointCount, quiet, 250, 0.8);
  EXPECT_EQ(quiet, stall);
  // An empty curve never crashes.
  for (int k = 0; k < kEngineCurveRows; ++k) tbl.EngineCurve[0][k] = tbl.EngineCurve[1][k] = 0;
  CheckConverterCapacity(1.0, pointCount, stall, 250, 1.0);
  EXPECT_EQ(stall, 0);
  CheckConverterCapacity(-1.0, 40, stall, 250, 1.0);
  EXPECT_TRUE(std::isfinite(stall));
}

TEST_F(InputChecksTest, StallSweepStepsByAddition) {
  // A lowest curve point of 269.93 RPM puts row 0 at 34.965 RPM; the sweep
  // adds 10 RPM at a time from there, and the stall RPM is the RPM so reached
  // (counting steps from row 0 meets slightly different RPMs above 1000).
  tbl.SpecText[0] = "2";
  const char* points[][3] = {{"269.93", "150", "8"}, {"1000", "250", "48"}, {"2000", "330", "126"},
                             {"3000", "380", "217"}, {"4000", "420", "320"}, {"6000", "350", "400"}};
  for (int j = 0; j < 6; ++j) tbl.PowerCurveText[j] = {points[j][0], points[j][1], points[j][2], ""};
  Build();
  ASSERT_EQ(tbl.EngineCurve[0][0], 269.93 / 2 - 100);
  int crossed = 0, apart = 0;
  for (double capacity = 40; capacity <= 140; capacity += 5) {
    double stall = 0;
    CheckConverterCapacity(1.0, pointCount, stall, capacity, 1.0);
    if (LastStallSweep() != StallSweep::kCrossed) continue;
    ++crossed;
    double r = tbl.EngineCurve[0][0];
    int steps = 0;
    while (r - 10 < stall && steps < 1000) {
      r += 10;
      ++steps;
    }
    EXPECT_EQ(r - 10, stall) << capacity;
    if (tbl.EngineCurve[0][0] + 10.0 * (steps - 1) != stall) ++apart;
  }
  EXPECT_GT(crossed, 5);
  EXPECT_GT(apart, 0);
}

TEST_F(InputChecksTest, LooseConverterIsJudgedOnTheCurveAsCorrected) {
  Automatic("396");
  double stall = 0;
  CheckConverterCapacity(1.0, pointCount, stall, 396, 1.0);
  ASSERT_GT(stall, (peakHpRpm + topRpm) / 2);
  ASSERT_LT(stall, topRpm);
  auto boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kLoose + kContinue);
  EXPECT_TRUE(CheckAnswering().empty());
  Automatic("397");
  EXPECT_EQ(CheckAnswering({ans::Yes}).size(), 1u);

  // The curve already carries the weather. A check that corrected it again
  // would see a weaker engine, a lower stall and no loose converter; the run
  // judges the curve as it stands, and so does the check.
  ResetInputCheckMemory();
  powerCorrection = 0.8;
  Build();
  CheckConverterCapacity(1.0 * powerCorrection, pointCount, stall, 450, 1.0);
  ASSERT_LT(stall, (peakHpRpm + topRpm) / 2);  // what a second correction would judge
  CheckConverterCapacity(1.0, pointCount, stall, 450, 1.0);
  ASSERT_GT(stall, (peakHpRpm + topRpm) / 2);  // what the run judges
  Automatic("450");
  boxes = CheckAnswering({ans::Yes});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, kLoose + kContinue);
}

TEST_F(InputChecksTest, TransmissionWindowShowsTheStallSpeed) {
  TransmissionRows host;
  ScopedWindows scoped(&host);
  double limitRpm = 0, midRpm = 0, hpRpm = 0;
  host.rows[5] = "250";
  CheckTransmissionSpec(limitRpm, midRpm, hpRpm);
  EXPECT_EQ(limitRpm, 500);
  EXPECT_EQ(hpRpm, 6000);
  EXPECT_DOUBLE_EQ(midRpm, (4319 + 250) / 2.0);
  // The window gets the stall on the weather-corrected curve, to 10 RPM.
  double stall = 0;
  CheckConverterCapacity(-1.0, pointCount, stall, 250, 1.0);  // the curve was just rebuilt at 70 deg F
  EXPECT_EQ(host.rows[15], Format(10 * Int(stall / 10 + 0.5), "####0"));
  EXPECT_EQ(host.rows[15].size(), 4u);
  host.rows[5] = "10";
  CheckTransmissionSpec(limitRpm, midRpm, hpRpm);
  EXPECT_EQ(host.rows[15], " too low");
  host.rows[5] = "";
  CheckTransmissionSpec(limitRpm, midRpm, hpRpm);
  EXPECT_EQ(host.rows[15], " too low");
}

TEST_F(InputChecksTest, StartMode2CollectsWarnings) {
  tbl.StartMode = 2;
  tbl.SpecText[98] = "28";
  tbl.SpecText[23] = "9";
  ScopedProgramFolder folder;
  auto boxes = CheckAnswering();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(tbl.StopAfterPrep, 0);
  const std::string efficiency =
      "You have specified a Transmission Efficiency of 92%.  This is VERY low for a manual transmission (96% - 99% "
      "is more typical).";
  EXPECT_EQ(tbl.CalcMessages, "\r\r\r\r\r\r" + kBarometer + "\r\r" + efficiency);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
  // The next calculation starts a new collection.
  tbl.SpecText[98] = "29.5";
  tbl.SpecText[23] = "0";
  CheckAnswering();
  EXPECT_EQ(tbl.CalcMessages, "");
}

TEST_F(InputChecksTest, StartMode2RefusalWritesTheLapDataFile) {
  ScopedProgramFolder folder;
  tbl.StartMode = 2;
  tbl.DensityAltitude = 1234.5;
  tbl.DryDensityAltitude = 1300.2;
  fst.CurrentFileName = "Street\\Nova.ZKT";
  tbl.SpecText[98] = "28";                                        // a warning first
  tbl.SpecText[24] = "3.0", tbl.SpecText[25] = "2.0", tbl.SpecText[26] = "2.5";  // then a refusal
  auto boxes = CheckAnswering();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  const std::string gear = "Error.  Ratio for Trans Gear # 2 is less than Ratio for Trans Gear # 3";
  const std::string messages =
      "\r\r\r\r\r\r" + kBarometer + "Stagewell calculations can not be done due to:\r\r" + gear;
  EXPECT_EQ(tbl.CalcMessages, messages);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(folder.path() / "LapDtOut.txt", bytes));
  EXPECT_EQ(bytes, "0\r\n0\r\n0\r\n1235\r\n1300\r\n0\r\n3200\r\n0\r\n0\r\nStreet\\Nova.ZKT\r\n" + messages + "\r\n");
  SeqReader reader(folder.path() / "LapDtOut.txt");
  EXPECT_EQ(reader.LineInput(), "0");

  // No power curve: refused with nothing collected before.
  peakHp = 0;
  tbl.DensityAltitude = -250.4;
  CheckAnswering();
  ASSERT_TRUE(ReadFileBytes(folder.path() / "LapDtOut.txt", bytes));
  EXPECT_EQ(tbl.CalcMessages, "\r\rStagewell calculations can not be done due to:\r\r" + kNoCurve);
  EXPECT_EQ(bytes.substr(0, 15), "0\r\n0\r\n0\r\n-250\r\n");
}

TEST_F(InputChecksTest, RefusalInOtherStartModesWritesNoFile) {
  ScopedProgramFolder folder;
  peakHp = 0;
  CheckAnswering();
  EXPECT_EQ(tbl.StopAfterPrep, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
}

TEST_F(InputChecksTest, JunkSpecsNeverCrash) {
  const char* texts[] = {"", "abc", "0", "-1", "1e300", "-1e300", "12abc"};
  tbl.StartMode = 2;
  ScopedProgramFolder folder;
  for (const char* type : {"0", "1", "3"})
    for (const char* t : texts)
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
  // A curve far out in RPM: the converter sweep stays short.
  SetUp();
  tbl.SpecText[5] = "1e300";
  Build();
  double stall = 0;
  CheckConverterCapacity(1.0, pointCount, stall, 300, 1.0);
  EXPECT_TRUE(std::isfinite(stall));
}

TEST(LapData, ElevenLinesReplacedAtomically) {
  ScopedProgramFolder folder;
  std::array<std::string, kLapDataLines> lines;
  for (int i = 0; i < kLapDataLines; ++i) lines[i] = std::to_string(i + 1);
  lines[10] = "\r\rfirst\r\rsecond";
  ASSERT_TRUE(WriteLapDataFile(lines));
  lines[0] = "10.25";
  ASSERT_TRUE(WriteLapDataFile(lines));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(folder.path() / "LapDtOut.txt", bytes));
  EXPECT_EQ(bytes, "10.25\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n\r\rfirst\r\rsecond\r\n");
  // An existing file of another case is the one replaced.
  std::filesystem::rename(folder.path() / "LapDtOut.txt", folder.path() / "LAPDTOUT.TXT");
  ASSERT_TRUE(WriteLapDataFile(lines));
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "LAPDTOUT.TXT"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LapDtOut.txt"));
  // No program folder: a failure, not a crash.
  SetProgramFolder(folder.path() / "missing");
  EXPECT_FALSE(WriteLapDataFile(lines));
}

}  // namespace
}  // namespace sw
