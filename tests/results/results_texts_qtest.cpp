// What the results window shows as text, without the window: headings, the
// history grid and its improvements, the time slip, the column definitions,
// the history commands, and the Notes Summary's conditions and thresholds.
#include <QtTest>

#include "platform/text.h"
#include "results/history_ops.h"
#include "results/notes_summary.h"
#include "results/output_definitions.h"
#include "results/results_fixture.h"
#include "results/results_state.h"
#include "results/results_tables.h"
#include "results/time_slip.h"
#include "shell/shell_fixture.h"

using namespace sw;

namespace {

const std::string kClick = ".  Click on Notes for more Details.";
const std::string kTireAdvice =
    "Performance will improve by increasing Traction Factor, increasing Tread Width or going to a Drag Slick "
    "Construction in the Wheel/Tire specs menu.";
const std::string kCr2 = "\r\r";

std::string ClutchNote(const std::string& pct, const std::string& degree) {
  return "The clutch was slipping for approximately" + pct + "% of the run, which is" + degree +
         " high.  You may need higher clutch specs (more torque holding capability) or better tire traction." + kCr2;
}

std::string RpmNote(const std::string& rpm, const std::string& gear, const std::string& degree) {
  return "Engine RPM fell to " + rpm + " RPM in Gear # " + gear + ", which is " + degree +
         " and potentially hurting performance." + kCr2;
}

}  // namespace

class ResultsTextsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  // What a notes case changes in a run with nothing to note: 10.00 s (1 s
  // is 10 %), a clutch car, no slip, no spin, the RPM never below the torque
  // peak (4500).
  struct Run {
    int16_t converter = 0, beginner = 0;
    const char* firstRpm = nullptr;       // engine RPM of the first row
    double lowGear = 2, lowRpm = 5000;    // the lowest engine RPM and its gear
    double clutch = 0, limited = 0, spin = 0;  // seconds
    const char* shift12 = nullptr;        // time of a 1-2 shift row (row 4)
    const char* gear2 = nullptr;          // time of the first gear-2 row (row 5)
    double shiftTime = 0.2;
    const char* driving = nullptr;        // the driving style, spec D0
    const char* et = "10.00";
  };
  void SetRun(const Run& r) {
    ResetTables();
    NotesText = "stale";
    SpinShiftTime = 9;
    testing::SetLastRun();
    tbl.ConverterDrive = r.converter;
    tbl.BeginnerLevel = r.beginner;
    if (r.firstRpm) tbl.ResultsText[6][1] = r.firstRpm;
    tbl.RunTotal1 = 10000 * (r.lowGear + 1) + r.lowRpm;
    tbl.RunTotal2 = r.clutch;
    tbl.RunTotal3 = r.limited;
    tbl.RunTotal4 = r.spin;
    if (r.shift12) tbl.ResultsText[0][4] = " 1-2", tbl.ResultsText[1][4] = r.shift12;
    if (r.gear2) tbl.ResultsText[0][5] = " 2", tbl.ResultsText[1][5] = r.gear2;
    tbl.ShiftTime = r.shiftTime;
    if (r.driving) SpecAt(kDriving, 0) = r.driving;
    tbl.HistoryEt[0] = r.et;
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    tbl.BeginnerLevel = 0;
    testing::SetLastRun();
  }
  void cleanup() { scene.reset(); }

  // --- headings, grids and the panel

  void distanceHeadingByTrackChoice() {
    const char* expected[] = {"Feet", "Feet", "Miles", "Miles", "Miles", "Feet"};
    for (int choice = 0; choice <= 5; ++choice) {
      SpecAt(kConditions, 7) = std::to_string(choice);
      WriteResultsHeadings();
      QCOMPARE(tbl.ResultsText[4][0], std::string(expected[choice]));
    }
  }

  void runGridKeepsTheFinishRow() {
    // The run's row limit (50) lies beyond the table.
    const std::pair<int16_t, int> cases[] = {{15, 24}, {23, 24}, {31, 32}, {50, kResultsRows}};
    for (auto [finish, rows] : cases) {
      tbl.FinishRow = finish;
      QCOMPARE(ResultsGridRows(), rows);
    }
  }

  void historyMarkHeadingFollowsTheNewestRun() {
    const std::pair<double, const char*> cases[] = {
        {60, "60 ft"}, {1320, "60 ft"}, {1399, "60 ft"}, {1400, "1/8 mi"}, {9999, "1/8 mi"}, {10000, "2 mi"}};
    for (auto [length, heading] : cases) {
      tbl.HistoryLength[0] = length;
      QCOMPARE(HistoryMarkHeading(), std::string(heading));
      QCOMPARE(HistoryGridCells()[0][4], std::string(heading));
    }
    // Only the newest run decides.
    tbl.HistoryLength[0] = 1320;
    tbl.HistoryLength[1] = 10560;
    QCOMPARE(HistoryMarkHeading(), std::string("60 ft"));
  }

  void historyGridCellsAndImprovements() {
    auto g = HistoryGridCells();
    QCOMPARE(int(g.size()), 25);
    const std::array<std::string, 10> head = {"Test Title", "Feet", "Dnsy Alt", "Dry Dnsy Alt", "60 ft",
                                              "Imprvmnt",   "ET",   "Imprvmnt", "MPH",          "Imprvmnt"};
    QCOMPARE(g[0], head);
    const std::array<std::string, 10> newest = {"MUSCLE69: Mon Dec 7 26  8:05 pm", "1320", "2450", "2210", "1.62",
                                                ".04", "11.48", ".07", "127.93", ".83"};
    QCOMPARE(g[1], newest);
    // Entry 1 ran 1320 ft, entry 2 660 ft: no improvements.
    for (int c : {5, 7, 9}) QCOMPARE(g[2][c], std::string(""));
    QCOMPARE(g[3][1], std::string("660"));
    QCOMPARE(g[3][8], std::string("105.44"));
    QCOMPARE(g[3][7], std::string(""));  // the 660 run above an empty entry
    // Entry 3 never ran: empty figures and no improvements.
    QCOMPARE(g[4][1], std::string(""));
    QCOMPARE(g[4][8], std::string(".00"));
    QCOMPARE(g[4][7], std::string(""));

    // A quicker older run shows as a negative improvement; finer times get
    // three decimals.
    tbl.FinerTime = 1;
    tbl.HistoryEt[1] = "11.400";
    QCOMPARE(HistoryGridCells()[1][7], std::string("-.080"));

    // Improvements stop at the last shown pair.
    for (int i = 0; i < 25; ++i) testing::SetEntry(i, {"T", "10.00", 130, 1320, 0, 0, "1.50", "", "", "", "", "A"});
    tbl.FinerTime = 0;
    g = HistoryGridCells();
    QCOMPARE(g[23][7], std::string(".00"));  // entry 22 against 23
    QCOMPARE(g[24][7], std::string(""));     // entry 23: never compared
  }

  void columnWidthsByScreen() {
    const std::pair<int, int> titles[] = {{19200, 6410}, {15001, 6410}, {15000, 4410}, {11501, 4410}, {11500, 2810}};
    for (auto [screen, twips] : titles) QCOMPARE(HistoryTitleColumnTwips(screen), twips);
    const std::pair<int, int> columns[] = {{2, 800}, {3, 1000}, {5, 750}, {9, 750}, {4, 600}};
    for (auto [col, twips] : columns) QCOMPARE(HistoryColumnTwips(col), twips);
  }

  // --- the time slip (the 660 and 1320 ft slips are checked in the window)

  void slipByRunLengthAndTitle() {
    const std::pair<double, std::string> shown[] = {{1000, "1/4 MPH         127.93\r\n"}, {661, "1/4 ET"}};
    for (const auto& [length, line] : shown) {
      tbl.HistoryLength[0] = length;
      QVERIFY(TimeSlipText(0).find(line) != std::string::npos);
    }
    for (int length : {659, 1321}) {
      tbl.HistoryLength[0] = length;
      QCOMPARE(TimeSlipText(0), "Time Slip For:\r\nNot Available for\r\n " + std::to_string(length) + " ft run");
    }
    tbl.HistoryLength[0] = 1320;
    tbl.HistoryTitle[0] = "Test and tune";
    QVERIFY(TimeSlipText(0).rfind("Time Slip For:\r\nTest and tune\r\n\r\nRT", 0) == 0);
  }

  void firstPlacementOnlyOnWideScreens() {
    PlaceTimeSlipFirstTime(11000);
    QCOMPARE(cfg.TimeSlipTop, 0);
    QCOMPARE(cfg.TimeSlipLeft, 0);
    PlaceTimeSlipFirstTime(11001);
    QCOMPARE(cfg.TimeSlipTop, 1575);
    QCOMPARE(cfg.TimeSlipLeft, 9435);
    cfg.TimeSlipTop = 300;
    cfg.TimeSlipLeft = 0;
    PlaceTimeSlipFirstTime(20000);
    QCOMPARE(cfg.TimeSlipTop, 300);
    QCOMPARE(cfg.TimeSlipLeft, 0);
  }

  // --- definitions

  // The 21 column definitions come first; the printed definitions follow
  // them, one item a line.
  void shippedDefinitionsHaveOneLinePerColumn() {
    SeqReader in;
    in.OpenBytes(ShellScene::ReadShipped("TEXT/OUTHELP.TXT"));
    int lines = 0;
    while (!in.Eof()) {
      std::string line = in.LineInput();
      ++lines;
      QVERIFY2(line.find(',') == std::string::npos, line.c_str());
      if (lines > 21) continue;
      QVERIFY2(!Trim(line).empty(), "an empty definition");
      QVERIFY2(line.find('"') == std::string::npos, line.c_str());
    }
    QVERIFY(lines >= 119);
  }

  void definitionLinesByColumn() {
    scene->CopyShipped("TEXT/OUTHELP.TXT");
    std::string d;
    QVERIFY(ReadOutputDefinition(2, d));
    QCOMPARE(d, std::string("Speed of the car in miles per hour."));
    QVERIFY(ReadOutputDefinition(11, d));
    QVERIFY(d.rfind("The name of the test", 0) == 0);
    QVERIFY(ReadOutputDefinition(20, d));
    QVERIFY(d.rfind("Gain in MPH", 0) == 0);

    // A shorter file gives its last line.
    scene->Write("TEXT/OUTHELP.TXT", "one\r\ntwo\r\nthree\r\n");
    QVERIFY(ReadOutputDefinition(10, d));
    QCOMPARE(d, std::string("three"));
    QVERIFY(ReadOutputDefinition(0, d));
    QCOMPARE(d, std::string("one"));

    std::filesystem::remove(scene->file("TEXT/OUTHELP.TXT"));
    QVERIFY(!ReadOutputDefinition(3, d));
    QVERIFY(!d.empty());
  }

  // --- history commands

  void historyCopyChecks() {
    const std::string copy = "QVHISTRY/C";
    const std::string head = "QVZ-ZKT*3.20\r\n11.48\r\n 127.93 \r\n1.62\r\n";
    std::string specs, specs300;
    for (int k = 0; k < 211 + 30; ++k) specs += std::to_string(k) + "\r\n";
    for (int k = 0; k < 191 + 30; ++k) specs300 += std::to_string(k) + "\r\n";
    const std::pair<std::string, bool> cases[] = {
        {head + specs + "-9999\r\n", true},
        {head + specs, true},  // without comment blocks and tail (older writers)
        {"QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + specs, true},
        {"QVZ-ZKT*3.20   \r\n11.48\r\n127.93\r\n1.62\r\n" + specs, true},
        {"QVZ-ZKT*3.20\n11.48\n  127.93\n1.62\n" + specs, true},
        {"QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + specs300, true},
        {"QVZ-ZKT*2.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + specs, false},     // another version
        {"QVZ-ZKT-DI*3.20\r\n11.48\r\n 127.93 \r\n1.62\r\n" + specs, false},  // a dial-in file
        {"QVZ-ZKT*3.20\r\n11.49\r\n 127.93 \r\n1.62\r\n" + specs, false},     // another run
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.9 \r\n1.62\r\n" + specs, false},
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.93 \r\n1.620\r\n" + specs, false},
        {"QVZ-ZKT*3.20\r\n 11.48\r\n 127.93 \r\n1.62\r\n" + specs, false},  // the ET line must match exactly
        {head + specs.substr(0, specs.size() - 5), false},                  // cut off in the curve
        {"QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + specs300.substr(0, 40), false},
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.93 ", false},  // cut off before the 60 ft line
        {"", false},
        {std::string("\x00\xff\x13QVZ\r\n\x01", 8), false},
    };
    for (const auto& [text, accepted] : cases) {
      scene->Write(copy, text);
      QVERIFY2(CheckHistoryCopy(0) == accepted, text.substr(0, 40).c_str());
    }
    std::filesystem::remove(scene->file(copy));
    QVERIFY(!CheckHistoryCopy(0));
    tbl.HistoryName[0].clear();  // an entry without a letter has no copy
    QVERIFY(!CheckHistoryCopy(0));
    QVERIFY(!CheckHistoryCopy(-1));
    QVERIFY(!CheckHistoryCopy(26));
  }

  // --- the Notes Summary

  void notesByCondition() {
    const std::string tires = kTireAdvice + kCr2;
    struct Case {
      const char* what;
      Run run;
      std::string caption;  // between "Notes Summary:" and the click line
      bool emphasis;
      std::string notes;      // "*": not looked at here
      double spinShift = -1;  // when looked at
    } cases[] = {
        {"nothing", {}, "  ", false, "", 0},
        {"clutch 10 %", {.clutch = 1.0}, "  ", false, ""},
        {"clutch 11 %", {.clutch = 1.1}, "   High Clutch Slip", false, ClutchNote(" 11", "")},
        {"clutch 26 %", {.clutch = 2.6}, "   Very High Clutch Slip", false, ClutchNote(" 26", " Very")},
        {"clutch 41 %", {.clutch = 4.1}, "   EXTREMELY High Clutch Slip", true, ClutchNote(" 41", " EXTREMELY")},
        {"stall low, slipping converter", {.converter = 1, .firstRpm = "3500", .clutch = 9}, "  Conv Stall RPM Low",
         false,
         "Torque Converter Stall RPM is 3500 RPM which is quite low for an engine with a Tq Pk at 4500 RPM.  "
         "Performance would likely improve with a 'looser' (higher Converter Capacity) converter." + kCr2},
        {"stall very low", {.converter = 1, .firstRpm = "2900"}, "  Conv Stall RPM Very Low", false, "*"},
        {"stall at 0.8 x the peak", {.converter = 1, .firstRpm = "3600"}, "  ", false, ""},
        {"clutch car, low first row", {.firstRpm = "2000"}, "  ", false, ""},
        {"rpm low, clutch", {.lowGear = 2, .lowRpm = 3400.4}, "  Engine RPM Low", false, RpmNote("3400", "2", "low")},
        {"rpm very low, clutch", {.lowGear = 3, .lowRpm = 2900}, "  Engine RPM Very Low", false,
         RpmNote("2900", "3", "Very low")},
        {"rpm low, converter", {.converter = 1, .firstRpm = "5000", .lowGear = 2, .lowRpm = 3400.4},
         "  Engine RPM Low", false, RpmNote("3400", "2", "low")},
        {"rpm very low, converter", {.converter = 1, .firstRpm = "5000", .lowGear = 3, .lowRpm = 2900},
         "  Engine RPM Very Low", false, RpmNote("2900", "3", "Very low")},
        {"1-2 shift .35 s in, spin 5 %", {.spin = 0.5, .shift12 = ".45", .gear2 = ".55"}, "  Tire Traction Very Low",
         true,
         "The tires were spinning so much the 1-2 shift occured .35 seconds into the run, which is hurting "
         "performance.  " + tires,
         0.35},
        {"gear 2 at .40 s, spin 10 %", {.spin = 1.0, .gear2 = ".40", .shiftTime = 0}, "  ", false, "", 0.4},
        {"gear 2 at .40 s, spin 11 %", {.spin = 1.1, .gear2 = ".40", .shiftTime = 0}, "  Tire Spin High", false,
         "The tires were spinning for 11% of the run, which is high and hurting performance.  " + tires},
        {"spin 120 %", {.spin = 12}, "  Tire Spin Very High", true,
         "The tires were spinning for 100% of the run, which is Very high and hurting performance.  " + tires},
        {"beginner, limited 30 %, spin", {.beginner = 1, .limited = 3.0, .spin = 5}, "  Tire Traction Very Low", true,
         "Engine Power had to be limited to the tires (to prevent tire spin) for 30% of the run, which is Very "
         "high and hurting performance.  " + tires},
        {"experienced, limited 15 %", {.limited = 1.5, .spin = 5, .driving = "0"}, "  Tire Traction Low", false, "*"},
        {"experienced, limited 10 %", {.limited = 1.0, .driving = "0"}, "  ", false, ""},
        {"no ET", {.clutch = 5, .limited = 5, .spin = 5, .et = ""}, "  ", false, ""},
        {"three notes", {.converter = 1, .firstRpm = "3400", .lowGear = 1, .lowRpm = 2500, .spin = 3},
         "  Conv Stall RPM Low,  Engine RPM Very Low,  Tire Spin Very High", true, "*"},
    };
    for (const Case& c : cases) {
      SetRun(c.run);
      NotesSummary n = BuildNotesSummary(4500);
      QVERIFY2(n.caption == "Notes Summary:" + c.caption + kClick, c.what);
      QVERIFY2(n.emphasis == c.emphasis, c.what);
      if (c.notes != "*") QVERIFY2(NotesText == c.notes, c.what);
      if (c.spinShift >= 0) QVERIFY2(std::abs(SpinShiftTime - c.spinShift) < 1e-9, c.what);
      if (tbl.BeginnerLevel == 0) QVERIFY2(tbl.BeginnerNoteState == 0, c.what);  // only beginners get the message
    }
  }

  void notesBoxes() {
    SetRun({});
    BuildNotesSummary(4500);
    ShowNotes();
    QCOMPARE(scene->Box(0).prompt, std::string("No Notes of interest for this Vehicle Combo."));
    QCOMPARE(scene->Box(0).title, std::string(""));

    SetRun({.converter = 1, .firstRpm = "3400", .lowGear = 1, .lowRpm = 2500, .spin = 3});
    BuildNotesSummary(4500);
    QCOMPARE(NotesText.find("Torque Converter"), size_t(0));
    QVERIFY(NotesText.find("Engine RPM fell to 2500 RPM in Gear # 1") != std::string::npos);
    ShowNotes();
    QCOMPARE(scene->Box(1).prompt, NotesText + "Click on Analyze for more details.");
    QCOMPARE(scene->Box(1).title, std::string(30, ' ') + "Notes on Calculations" + std::string(61, ' '));
  }

  // The beginner's message comes once per run.
  void beginnerMessage() {
    SetRun({.beginner = 1, .limited = 3.0});
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(1));
    const std::string message =
        "Important:  Engine Power is being limited for 30% of the run (see % Thrt column at right) because tire "
        "traction is Very Low, producing Very Bad (high) ETs." +
        kCr2 +
        "Increase Tire Traction Factor, specify Drag Slicks, etc in the Wheel/Tire Specs menu to correct this "
        "problem.  Also notice the Notes Summary at the top of this screen, click on Notes or Analyze for more "
        "information.";
    QCOMPARE(n.beginnerMessage, message);
    ShowBeginnerNote(n);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Beginner Level Help"));
    QCOMPARE(scene->Box(0).prompt, message);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(2));
    n = BuildNotesSummary(4500);  // a refill of the same run
    ShowBeginnerNote(n);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(2));
  }
};

QTEST_MAIN(ResultsTextsTest)
#include "results_texts_qtest.moc"
