// The end of a run: the run history and its history copies, the instant
// result line, the lap data file of start mode 2, and the run's error
// handler.
#include "platform/seqfile.h"
#include "simulation/run_history.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct CloseTest : RunTest {
  std::vector<std::string> Lines(const std::string& rel) {
    SeqReader in;
    std::vector<std::string> out;
    std::string line;
    if (in.Open(ProgramPath(rel)))
      while (in.LineInput(line)) out.push_back(line);
    return out;
  }
  // The step-10 resets of a normal run, set to values a run clears.
  void MarkResets() {
    tbl.RunLogRows = 7;
    tbl.HistoryDisplay = 1;
    tbl.BeginnerNoteState = 3;
    tbl.FromHistory = 1;
  }
  void ExpectResets(bool done) {
    EXPECT_EQ(tbl.HistoryDisplay, done ? 0 : 1);
    EXPECT_EQ(tbl.BeginnerNoteState, done ? 0 : 3);
    EXPECT_EQ(tbl.FromHistory, done ? 0 : 1);
  }
  // A car whose lift terms divide by 0 (no drag coefficient).
  void LoadFaultyCar() {
    Load(kMuscleCar);
    S(kVehicle, 11) = "";
  }
};

TEST_F(CloseTest, HistoryLetters) {
  for (auto [before, next] : {std::pair{"", "A"}, {"A", "B"}, {"X", "Y"}, {"Y", "A"}, {"@", "A"}})
    EXPECT_EQ(NextHistoryLetter(before), next) << before;
}

// Letters A..Y, a 26th run pushes the oldest kept run out, slot 25 never
// changes, and each run has a history copy of its own specs.
TEST_F(CloseTest, TwentyFiveRunsEachWithItsOwnCopy) {
  Load(kMuscleCar);
  tbl.HistoryTitle[25] = "slot 25";
  tbl.HistoryName[25] = "Q";
  for (int run = 1; run <= 25; ++run) {
    S(kVehicle, 0) = std::to_string(3400 + run);
    Calculate();
  }
  EXPECT_EQ(tbl.HistoryName[0], "Y");
  EXPECT_EQ(tbl.HistoryName[24], "A");
  const std::string second = tbl.HistoryEt[23];
  Calculate();
  EXPECT_EQ(tbl.HistoryName[0], "A");
  EXPECT_EQ(tbl.HistoryEt[24], second) << "the oldest run is gone";
  EXPECT_EQ(tbl.HistoryTitle[25], "slot 25");
  EXPECT_EQ(tbl.HistoryName[25], "Q");
  const auto lines = Lines("QVHISTRY/A");  // the key lines the history window checks
  ASSERT_GE(lines.size(), 50u);
  EXPECT_EQ(lines[0], "QVZ-ZKT*3.20");
  EXPECT_EQ(lines[1], tbl.HistoryEt[0]);
  EXPECT_EQ(Trim(lines[2]), Trim(Str(tbl.HistoryMph[0])));
  EXPECT_EQ(lines[3], tbl.History60ft[0]);
  EXPECT_EQ(lines[4 + 45], "3425") << "the specs of this run";
}

TEST_F(CloseTest, NewestSlot) {
  Load(kBracketCar);
  Calculate();
  EXPECT_EQ(tbl.HistoryTitle[0].rfind(std::string(kBracketCar) + ": ", 0), 0u);
  EXPECT_EQ((Texts{tbl.HistoryEt[0], tbl.History60ft[0], tbl.History8thMph[0], tbl.HistoryName[0]}),
            (Texts{Cell(1, tbl.FinishRow), Format(sixty, "####.00"), Cell(2, RowAt("660")), "A"}));
  EXPECT_EQ((Nums{tbl.HistoryLength[0], tbl.HistoryDensAlt[0], tbl.HistoryDryDensAlt[0]}),
            (Nums{1320, tbl.DensityAltitude, tbl.DryDensityAltitude}));
  EXPECT_DOUBLE_EQ(tbl.HistoryMph[0], trap / 1.467);  // a trap of 146.7 ft/s is 100 MPH
  EXPECT_TRUE(std::filesystem::exists(ProgramPath("QVHISTRY/A")));
  EXPECT_GT(tbl.RunLogRows, 100);
  EXPECT_LE(tbl.RunLogRows, 308);
  EXPECT_FLOAT_EQ(host.lastBar, 3615);
}

// A 660 ft run: the 1/8 slot holds the finish ET and MPH; no 1000 ft time.
TEST_F(CloseTest, EighthMileRule) {
  Load(kMuscleCar);
  S(kConditions, 7) = "1";
  Calculate();
  EXPECT_EQ(tbl.HistoryLength[0], 660);
  EXPECT_EQ((Texts{tbl.History8thEt[0], tbl.History8thMph[0], tbl.History1000ft[0]}),
            (Texts{tbl.HistoryEt[0], Format(tbl.HistoryMph[0], "####.00"), ""}));
  EXPECT_NE(tbl.History330ft[0], "");
}

// "C RPM" is never above "EngRPM" while accelerating; a row with negative
// acceleration keeps its cell.
TEST_F(CloseTest, ClutchRpmTidyUp) {
  Load(kMuscleCar);  // its lift shifts drop the engine below the clutch
  Calculate();
  int kept = 0;
  for (int r = 1; r <= tbl.FinishRow; ++r) {
    const double gs = Val(Cell(3, r)), c = Val(Cell(5, r)), e = Val(Cell(6, r));
    if (gs > 0) { EXPECT_LE(c, e) << r; }
    kept += gs < 0 && c > e;
  }
  EXPECT_GT(kept, 0);
}

TEST_F(CloseTest, QuietRoadLeavesHistoryAloneNormalRoadResets) {
  Load(kMuscleCar);
  MarkResets();
  Quiet();
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_EQ(tbl.RunLogRows, 7);
  ExpectResets(false);
  EXPECT_EQ(tbl.InstantEt[0], Cell(1, tbl.FinishRow));
  EXPECT_FALSE(std::filesystem::exists(ProgramPath("QVHISTRY")));
  Calculate();
  ExpectResets(true);
  tbl.HistoryDisplay = 2;
  Calculate();
  EXPECT_EQ(tbl.HistoryDisplay, 2) << "Always Show History survives a run";
  EXPECT_GT(tbl.RunTotal1, 20000) << "the lowest RPM packed with its gear";
}

TEST_F(CloseTest, StartModeTwoWritesTheLapDataFile) {
  Load(kBracketCar);
  tbl.StartMode = 2;
  tbl.InstantEt[0] = "keep";
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_EQ(tbl.InstantEt[0], "keep");
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_EQ(Lines("LapDtOut.txt"),
            (std::vector<std::string>{Cell(1, tbl.FinishRow), Format(trap / 1.467, "######.00"),
                                      Format(sixty, "####.00"), Format(tbl.DensityAltitude, "#####0"),
                                      Format(tbl.DryDensityAltitude, "#####0"), "1320", "3200", " 3", "1",
                                      kBracketCar, ""}));
}

// Refused by the set-up (converter too tight): "0" as the ET, a gear text.
TEST_F(CloseTest, StartModeTwoRefusedBySetUp) {
  Load(kBracketCar);
  S(kTransmission, 5) = "40";
  tbl.StartMode = 2;
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.CalcMessages, std::string("\r\r") + kConverterTooTightText);
  const auto lines = Lines("LapDtOut.txt");
  ASSERT_EQ(lines.size(), 11u + 4) << "the message's own line breaks";
  EXPECT_EQ((Texts{lines[0], lines[7], lines[8]}), (Texts{"0", "0", "1"}));
}

// --- the run's error handler

TEST_F(CloseTest, ErrorMessageText) {
  EXPECT_EQ(RunErrorMessage(11, 1124).rfind(
                "ERR= 11  ERL= 1124\r\rSelect Yes to try to continue calculating performance, No to abort the "
                "calculation.\r\rOnce an error is encountered, the performance calculations are probably not "
                "accurate.  Therefore it is recommended that you abort this calculation by answering No.\r\r"
                "Errors are possible with unusual combinations of specs, usually with very bad tire traction, "
                "very loose converters compared to the engine power curve, mis-matching shift RPMs to the "
                "engine's power band, etc.  Check all input specs or undo your latest changes in Vehicle specs "
                "to discover the 'problem spec'.",
                0),
            0u);
  EXPECT_EQ(std::string(kRunErrorTitle),
            std::string(20, ' ') + "Error Encountered:  Continue Calculations?" + std::string(21, ' '));
}

// No ends the run with FinishRow -1 and no history entry, yet the closing
// step still sets the run-log rows and the resets.
TEST_F(CloseTest, NoEndsTheRun) {
  LoadFaultyCar();
  MarkResets();
  ui->Answer(ans::No);
  Calculate();
  const auto& box = OnlyBox();
  EXPECT_EQ(box.title, kRunErrorTitle);
  EXPECT_EQ(box.style, mb::YesNo + mb::Critical + mb::DefaultButton2);
  EXPECT_EQ(box.prompt.rfind("ERR= 11  ERL= ", 0), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_TRUE(host.panelsEnabled);
  EXPECT_NE(tbl.RunLogRows, 7);
  EXPECT_GE(tbl.RunLogRows, 1);
  ExpectResets(true);
  ExpectAllFinite();
}

TEST_F(CloseTest, YesGoesOn) {
  LoadFaultyCar();
  ui->Answer(ans::Yes);
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 1u);
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  EXPECT_EQ(host.resultsShown, 1);
  ExpectAllFinite();
}

TEST_F(CloseTest, StartModeTwoCollectsTheError) {
  LoadFaultyCar();
  tbl.StartMode = 2;
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.CalcMessages.rfind("\r\rERR= 11  ERL= ", 0), 0u);
  const auto lines = Lines("LapDtOut.txt");
  ASSERT_GT(lines.size(), 11u);
  // The time cell of the start, and the gear cell as the handler left it:
  // empty (a refusal by the set-up reads "0" there).
  EXPECT_EQ((Texts{lines[0], lines[7], lines[8], lines[9]}), (Texts{"0", "", "0", kMuscleCar}));
  // A lap data file that cannot be written is an error of its own.
  Load(kMuscleCar);
  std::filesystem::remove(ProgramPath("LapDtOut.txt"));
  std::filesystem::create_directories(ProgramPath("LapDtOut.txt/blocked"));
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.CalcMessages.rfind("\r\rERR= 75  ERL= ", 0), 0u);
}

TEST_F(CloseTest, AStalledEngineIsReported) {
  Load(kMuscleCar);
  S(kVehicle, 0) = "900000";  // far too heavy to move: the clutch stalls the engine
  Calculate();
  ASSERT_EQ(Boxes(kRunErrorTitle), 1);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(sixty, 0) << "60 ft never reached";
  EXPECT_EQ(tbl.HistoryName[0], "");
  ExpectAllFinite();
}

// A car that never reaches the finish ends after 3600 s of run time through
// the error handler, whatever the answer.
TEST_F(CloseTest, ACarThatNeverArrives) {
  Load(kBracketCar);
  S(kVehicle, 0) = "20000";  // rolling resistance beyond what a final drive
  S(kVehicle, 1) = ".05";    // of next to nothing gives the wheels
  for (int i = 0; i < 5; ++i) ui->Answer(ans::Yes);
  Calculate();
  ASSERT_GE(Boxes(kRunErrorTitle), 1);
  EXPECT_EQ(ui->boxes().back().prompt.rfind("ERR= 6  ERL= 1146", 0), 0u) << ui->boxes().back().prompt;
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_GT(LastRunFigures().passes, 1000);
  ExpectAllFinite();
}

}  // namespace
}  // namespace sw::test
