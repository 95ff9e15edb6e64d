// What the results window shows as text: headings, the history grid and its
// improvements, the panel, the time slip, the definitions of the columns and
// the history commands that need no window.
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "results/history_ops.h"
#include "results/output_definitions.h"
#include "results/results_fixture.h"
#include "files/configuration.h"
#include "results/results_state.h"
#include "results/results_tables.h"
#include "results/time_slip.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace

class ResultsTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetTables();
    testing::SetLastRun();
    cfg = Configuration{};
  }

  void distanceHeadingByTrackChoice() {
    const char* expected[] = {"Feet", "Feet", "Miles", "Miles", "Miles", "Feet"};
    for (int choice = 0; choice <= 5; ++choice) {
      SpecAt(kConditions, 7) = std::to_string(choice);
      WriteResultsHeadings();
      QCOMPARE(tbl.ResultsText[4][0], std::string(expected[choice]));
    }
    const char* headings[] = {"Gear",   "Time",    "MPH",    "Accel Gs", "Feet", "C RPM",
                              "EngRPM", "Tq Mult", "C Slip", "T Slip",   "% Thrt"};
    SpecAt(kConditions, 7) = "1";
    WriteResultsHeadings();
    for (int c = 0; c < 11; ++c) QCOMPARE(tbl.ResultsText[c][0], std::string(headings[c]));
  }

  void runGridKeepsTheFinishRow() {
    tbl.FinishRow = 15;
    QCOMPARE(ResultsGridRows(), 24);
    tbl.FinishRow = 23;
    QCOMPARE(ResultsGridRows(), 24);
    tbl.FinishRow = 31;
    QCOMPARE(ResultsGridRows(), 32);
    tbl.FinishRow = 50;  // the run's row limit lies beyond the table
    QCOMPARE(ResultsGridRows(), kResultsRows);
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
    QCOMPARE(g[2][5], std::string(""));
    QCOMPARE(g[2][7], std::string(""));
    QCOMPARE(g[2][9], std::string(""));
    QCOMPARE(g[3][1], std::string("660"));
    QCOMPARE(g[3][8], std::string("105.44"));
    // Entry 3 never ran: empty figures and no improvements.
    QCOMPARE(g[4][1], std::string(""));
    QCOMPARE(g[4][8], std::string(".00"));
    QCOMPARE(g[4][7], std::string(""));
    QCOMPARE(g[3][7], std::string(""));  // the 660 run above an empty entry

    // A quicker older run shows as a negative improvement; finer times get
    // three decimals.
    tbl.FinerTime = 1;
    tbl.HistoryEt[1] = "11.400";
    g = HistoryGridCells();
    QCOMPARE(g[1][7], std::string("-.080"));
  }

  void improvementsStopAtTheLastShownPair() {
    for (int i = 0; i < 25; ++i)
      testing::SetEntry(i, {"T", "10.00", 130, 1320, 0, 0, "1.50", "", "", "", "", "A"});
    auto g = HistoryGridCells();
    QCOMPARE(g[23][7], std::string(".00"));  // entry 22 against 23
    QCOMPARE(g[24][7], std::string(""));     // entry 23: never compared
  }

  void panelComparesWithTheLastRun() {
    auto t = PanelTexts();
    QCOMPARE(t[0], std::string("Current:\rLast:\rImprovement:"));
    QCOMPARE(t[1], std::string("ET"));
    QCOMPARE(t[2], std::string("11.48\r11.55\r.07"));
    QCOMPARE(t[3], std::string("MPH"));
    QCOMPARE(t[4], std::string("127.93\r127.10\r.83"));
    QCOMPARE(t[5], std::string("60 ft"));
    QCOMPARE(t[6], std::string("1.62\r1.66\r.04"));
  }

  void titleColumnWidthByScreen() {
    QCOMPARE(HistoryTitleColumnTwips(19200), 6410);
    QCOMPARE(HistoryTitleColumnTwips(15001), 6410);
    QCOMPARE(HistoryTitleColumnTwips(15000), 4410);
    QCOMPARE(HistoryTitleColumnTwips(11501), 4410);
    QCOMPARE(HistoryTitleColumnTwips(11500), 2810);
    QCOMPARE(HistoryColumnTwips(2), 800);
    QCOMPARE(HistoryColumnTwips(3), 1000);
    QCOMPARE(HistoryColumnTwips(5), 750);
    QCOMPARE(HistoryColumnTwips(9), 750);
    QCOMPARE(HistoryColumnTwips(4), 600);
  }

  // --- time slip

  void quarterMileSlipShowsEveryLine() {
    const std::string expected =
        "Mon Dec 7 26  8:05 pm\r\n"
        "Time Slip For:\r\n"
        "   MUSCLE69\r\n"
        "\r\n"
        "RT                    .500\r\n"
        "60 ft                  1.62\r\n"
        "330 ft                4.62\r\n"
        "1/8 ET              7.08\r\n"
        "1/8 MPH          104.6\r\n"
        "1000 ft             9.81\r\n"
        "1/4 ET             11.48\r\n"
        "1/4 MPH         127.93\r\n";
    QCOMPARE(TimeSlipText(0), expected);
  }

  void eighthMileSlipStopsAtTheEighthMph() {
    const std::string expected =
        "Sun Dec 6 26  3:12 pm\r\n"
        "Time Slip For:\r\n"
        "   BRACKET\r\n"
        "\r\n"
        "RT                    .500\r\n"
        "60 ft                  1.41\r\n"
        "330 ft                3.92\r\n"
        "1/8 ET              6.21\r\n"
        "1/8 MPH          105.44\r\n";
    QCOMPARE(TimeSlipText(2), expected);
  }

  void thousandFootRunShowsQuarterLines() {
    tbl.HistoryLength[0] = 1000;
    std::string t = TimeSlipText(0);
    QVERIFY(t.find("1/4 MPH         127.93\r\n") != std::string::npos);
    tbl.HistoryLength[0] = 661;
    QVERIFY(TimeSlipText(0).find("1/4 ET") != std::string::npos);
  }

  void slipNotAvailableOutsideEighthToQuarter() {
    tbl.HistoryLength[0] = 659;
    QCOMPARE(TimeSlipText(0), std::string("Time Slip For:\r\nNot Available for\r\n 659 ft run"));
    tbl.HistoryLength[0] = 1321;
    QCOMPARE(TimeSlipText(0), std::string("Time Slip For:\r\nNot Available for\r\n 1321 ft run"));
  }

  void titleWithoutColonShownWhole() {
    tbl.HistoryTitle[0] = "Test and tune";
    std::string t = TimeSlipText(0);
    QVERIFY(t.rfind("Time Slip For:\r\nTest and tune\r\n\r\nRT", 0) == 0);
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

  void shippedDefinitionsHaveOneLinePerColumn() {
    std::string bytes;
    QVERIFY(ReadFileBytes(fs::path(SW_DATA_DIR) / "TEXT" / "OUTHELP.TXT", bytes));
    SeqReader in;
    in.OpenBytes(bytes);
    int lines = 0;
    while (!in.Eof()) {
      std::string line = in.LineInput();
      ++lines;
      QVERIFY2(!Trim(line).empty(), "an empty definition");
      QVERIFY2(line.find(',') == std::string::npos, line.c_str());
      QVERIFY2(line.find('"') == std::string::npos, line.c_str());
    }
    QCOMPARE(lines, 21);
  }

  void definitionLinesByColumn() {
    TempFolder home;
    SetProgramFolder(home.path());
    fs::create_directories(home.path() / "TEXT");
    fs::copy_file(fs::path(SW_DATA_DIR) / "TEXT" / "OUTHELP.TXT", home.path() / "TEXT" / "OUTHELP.TXT");
    std::string d;
    QVERIFY(ReadOutputDefinition(2, d));
    QCOMPARE(d, std::string("Speed of the car in miles per hour."));
    QVERIFY(ReadOutputDefinition(11, d));
    QVERIFY(d.rfind("The name of the test", 0) == 0);
    QVERIFY(ReadOutputDefinition(20, d));
    QVERIFY(d.rfind("Gain in MPH", 0) == 0);

    // A shorter file gives its last line.
    WriteFile(home.path() / "TEXT" / "OUTHELP.TXT", "one\r\ntwo\r\nthree\r\n");
    QVERIFY(ReadOutputDefinition(10, d));
    QCOMPARE(d, std::string("three"));
    QVERIFY(ReadOutputDefinition(0, d));
    QCOMPARE(d, std::string("one"));

    fs::remove(home.path() / "TEXT" / "OUTHELP.TXT");
    QVERIFY(!ReadOutputDefinition(3, d));
    QVERIFY(!d.empty());
  }

  void definitionMessages() {
    QCOMPARE(ResultDefinitionMessage("MPH", "127.9", "11.48", "127.9", "1320", "Speed."),
             std::string("MPH  =  127.9 at the conditions:\r\r11.48 sec,    127.9 MPH,    1320 feet     into the "
                         "run.\r\rDefinition of MPH:  Speed."));
    QCOMPARE(HistoryDefinitionMessage("Dnsy Alt", "Thin air."), std::string("Definition of 'Dnsy Alt':  Thin air."));
  }

  // --- history commands

  void clearHistoryKeepsTheNewestRun() {
    tbl.HistoryTitle[25] = "slot 25";
    ScopedScriptedUi ui;
    ui->Answer(ans::No);
    QVERIFY(!ClearHistory());
    QCOMPARE(tbl.HistoryEt[1], std::string("11.55"));
    QCOMPARE(ui->boxes()[0].prompt,
             std::string("Clear out the History Log of the last 25 tests?\r\rIf you think you might want to review "
                         "the results or recall any of the specs which produced these last 25 runs, answer No."));
    QCOMPARE(ui->boxes()[0].title, std::string("Clear Out the History Log"));
    QCOMPARE(ui->boxes()[0].style, mb::YesNo + mb::Question + mb::DefaultButton2);

    ui->Answer(ans::Yes);
    QVERIFY(ClearHistory());
    QCOMPARE(tbl.HistoryEt[0], std::string("11.48"));
    QCOMPARE(tbl.HistoryLength[0], 1320.0);
    for (int i = 1; i <= 24; ++i) {
      QVERIFY(tbl.HistoryTitle[i].empty());
      QVERIFY(tbl.HistoryEt[i].empty());
      QVERIFY(tbl.History60ft[i].empty());
      QCOMPARE(tbl.HistoryMph[i], 0.0);
      QCOMPARE(tbl.HistoryLength[i], 0.0);
      QCOMPARE(tbl.HistoryDensAlt[i], 0.0);
      QCOMPARE(tbl.HistoryDryDensAlt[i], 0.0);
    }
    // The marks and the file letters stay; slot 25 is never touched.
    QCOMPARE(tbl.History330ft[1], std::string("4.69"));
    QCOMPARE(tbl.HistoryName[1], std::string("B"));
    QCOMPARE(tbl.HistoryTitle[25], std::string("slot 25"));
    auto g = HistoryGridCells();
    QCOMPARE(g[2][0], std::string(""));
    QCOMPARE(g[2][8], std::string(".00"));
    QCOMPARE(g[1][7], std::string(""));  // the newest run has nothing to compare with
  }

  void renameTest() {
    ScopedScriptedUi ui;
    ui->Type("");  // an empty title keeps the old one
    QVERIFY(!RenameTest(1));
    QCOMPARE(tbl.HistoryTitle[1], std::string("MUSCLE69: Mon Dec 7 26  7:58 pm"));
    QCOMPARE(ui->boxes()[0].prompt, std::string("Enter a Test Title"));
    QCOMPARE(ui->boxes()[0].title, std::string("Edit Test Title"));
    QCOMPARE(ui->boxes()[0].defaultText, std::string("MUSCLE69: Mon Dec 7 26  7:58 pm"));
    ui->CancelInput();
    QVERIFY(!RenameTest(1));
    ui->Type("Baseline: new slicks");
    QVERIFY(RenameTest(1));
    QCOMPARE(tbl.HistoryTitle[1], std::string("Baseline: new slicks"));

    ui->Clear();
    QVERIFY(!RenameTest(3));  // never ran
    QCOMPARE(ui->boxes().size(), size_t(1));
    QCOMPARE(ui->boxes()[0].prompt,
             std::string("Distance = 0, there for this is not a valid test and can not be Renamed."));
    QVERIFY(!RenameTest(-1));
    QCOMPARE(ui->boxes().size(), size_t(1));
  }

  void historyCopyChecks() {
    TempFolder home;
    SetProgramFolder(home.path());
    const fs::path copy = home.path() / "QVHISTRY" / "C";
    std::string specs;
    for (int k = 0; k < 211 + 30; ++k) specs += std::to_string(k) + "\r\n";
    specs += "-9999\r\n";
    struct Case {
      std::string head;
      bool accepted;
    };
    const Case cases[] = {
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.93 \r\n1.62\r\n", true},
        {"QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n", true},
        {"QVZ-ZKT*3.20   \r\n11.48\r\n127.93\r\n1.62\r\n", true},
        {"QVZ-ZKT*3.20\n11.48\n  127.93\n1.62\n", true},
        {"QVZ-ZKT*2.00\r\n11.48\r\n 127.93 \r\n1.62\r\n", false},     // another version
        {"QVZ-ZKT-DI*3.20\r\n11.48\r\n 127.93 \r\n1.62\r\n", false},  // a dial-in file
        {"QVZ-ZKT*3.20\r\n11.49\r\n 127.93 \r\n1.62\r\n", false},     // another run
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.9 \r\n1.62\r\n", false},
        {"QVZ-ZKT*3.20\r\n11.48\r\n 127.93 \r\n1.620\r\n", false},
        {"QVZ-ZKT*3.20\r\n 11.48\r\n 127.93 \r\n1.62\r\n", false},  // the ET line must match exactly
    };
    for (const Case& c : cases) {
      WriteFile(copy, c.head + specs);
      QVERIFY2(CheckHistoryCopy(0) == c.accepted, c.head.c_str());
    }
    // Cut off in the specs or the power curve: refused; without its comment
    // blocks and tail (older writers): accepted.
    const std::string head = "QVZ-ZKT*3.20\r\n11.48\r\n 127.93 \r\n1.62\r\n";
    std::string full;
    for (int k = 0; k < 211 + 30; ++k) full += std::to_string(k) + "\r\n";
    WriteFile(copy, head + full.substr(0, full.size() - 5));
    QVERIFY(!CheckHistoryCopy(0));
    WriteFile(copy, head + full);
    QVERIFY(CheckHistoryCopy(0));
    std::string full300;
    for (int k = 0; k < 191 + 30; ++k) full300 += std::to_string(k) + "\r\n";
    WriteFile(copy, "QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + full300);
    QVERIFY(CheckHistoryCopy(0));
    WriteFile(copy, "QVZ-ZKT*3.00\r\n11.48\r\n 127.93 \r\n1.62\r\n" + full300.substr(0, 40));
    QVERIFY(!CheckHistoryCopy(0));
    // Cut off before the 60 ft line, empty, junk, missing.
    WriteFile(copy, "QVZ-ZKT*3.20\r\n11.48\r\n 127.93 ");
    QVERIFY(!CheckHistoryCopy(0));
    WriteFile(copy, "");
    QVERIFY(!CheckHistoryCopy(0));
    WriteFile(copy, std::string("\x00\xff\x13QVZ\r\n\x01", 8));
    QVERIFY(!CheckHistoryCopy(0));
    fs::remove(copy);
    QVERIFY(!CheckHistoryCopy(0));
    // An entry without a letter has no copy.
    tbl.HistoryName[0].clear();
    QVERIFY(!CheckHistoryCopy(0));
    QVERIFY(!CheckHistoryCopy(-1));
    QVERIFY(!CheckHistoryCopy(26));
  }
};

QTEST_GUILESS_MAIN(ResultsTextsTest)
#include "results_texts_qtest.moc"
