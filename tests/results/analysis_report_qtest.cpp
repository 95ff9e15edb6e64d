// The Analysis Report: the typical-vehicle comparison, the advice rules,
// paragraph layout and pages, the shipped files, a fixture car's report.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <sys/stat.h>
#include <algorithm>
#include <cstring>

#include "files/file_write.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "results/analysis_report.h"
#include "results/anls_rprt.h"
#include "results/report_pages.h"
#include "results/results_state.h"
#include "shell/shell_fixture.h"
#include "simulation/calculate.h"
#include "support/pdf_pages.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

const fs::path kAdvice = fs::path(SW_DATA_DIR) / "ANALYS";

const char* const kAdviceKeys[] = {"MPHLO",    "MPHLOGS",  "AUTOMPH",    "CONVSTAL",   "CSTALLO",
                                   "CSTALVLO", "CLSLPHI",  "OPTCLTCH.1", "OPTCLTCH.2", "CLUTCH",
                                   "BOG1OPT",  "BOG2OPT",  "BOG1NOPT",   "BOG2NOPT",   "QKSHFT",
                                   "TRSLPHI",  "LMTSLPHI", "RPMLO",      "SHIFTRPM",   "GOODDRIV"};

// A clutch car of 3000 lb and 300 corrected HP on a quarter mile that gives
// no advice but the driving paragraph: 11.30 s at 118 MPH, finishing in
// first gear at 6300 RPM (the curve's top 6800 puts the shift range at
// 6400 / 6200), never below its torque peak (4500), no slip, no spin.
AnalysisFigures Car() {
  AnalysisFigures f{.runLength = 1320, .weight = 3000, .peakHp = 250, .peakHpRpm = 6000, .peakTorqueRpm = 4500,
                    .curveTopRpm = 6800, .correction = 1.2, .drivingType = 1, .tractionFactor = 100,
                    .launchThrottle = "80", .runTotal1 = 10000 * 2 + 5000, .et = "11.30", .sixtyFt = "1.50",
                    .mph = 118.0,
                    .rows = {{"Gear", 0, 0, 0}, {" 1", 1.5, 60, 5000}, {" 1", 7.2, 660, 6100}, {" 1", 11.3, 1320, 6300}}};
  f.computedShift.fill(100000);
  return f;
}

bool HasLine(const AnalysisReport& r, const std::string& line) {
  const auto lines = CrLfLines(r.text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasText(const AnalysisReport& r, const std::string& part) { return r.text.find(part) != std::string::npos; }

std::vector<std::string> Keys(std::initializer_list<const char*> keys) { return {keys.begin(), keys.end()}; }

// An advice file of the given items, one quoted item a line.
void WriteAdvice(const fs::path& folder, const std::string& key, const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& i : items) text += "\"" + i + "\"\r\n";
  WriteFileAtomic(folder / key, text);
}

// Items L1..Ln.
std::vector<std::string> Items(int n) {
  std::vector<std::string> items;
  for (int i = 1; i <= n; ++i) items.push_back("L" + std::to_string(i));
  return items;
}

}  // namespace

class AnalysisReportTest : public QObject {
  Q_OBJECT

 private slots:
  // 3000 lb with 300 corrected HP against 11.30 s, 7.20 s, 1.50 s, 118 MPH.
  void comparisonWithTheTypicalVehicle() {
    const TypicalVehicle t = TypicalFor(3000, 300);
    QCOMPARE(Format(t.mph, "###.00") + " " + Format(t.et, "##.00") + " " + Format(t.eighth, "##.00") + " " +
                 Format(t.sixtyFt, "##.00"),
             std::string("111.55 11.77 7.51 1.59"));

    AnalysisReport r = BuildAnalysisReport(Car(), kAdvice);
    QVERIFY(r.refusal.empty());
    QVERIFY(r.text.rfind("\r\n------  !!!  IMPORTANT   !!!  ----", 0) == 0);
    for (const char* line : {"  Wt/HP Ratio = 10.00 (corrected for weather at track)",
                             "    60   foot (sec)            1.50         1.59          .09 sec",
                             "    660  foot (1/8 mile)       7.20         7.51          .31 sec",
                             "    1320 foot (1/4 mile)      11.30        11.77          .47 sec",
                             "    1320 foot MPH            118.00       111.55         6.45 MPH",
                             "                           This Veh      Typ Veh        Advantage *",
                             "    * Advantage of This Vehicle over the Typical Vehicle"})
      QVERIFY2(HasLine(r, line), line);
    QCOMPARE(r.keys, Keys({"GOODDRIV"}));
    QCOMPARE(CrLfLines(r.text).back(), std::string("End of Analysis Report"));
  }

  // Which paragraphs the figures call for, with the figures and the degree
  // word in their lines.
  void adviceFromTheFigures() {
    using F = AnalysisFigures;
    const double typical = TypicalFor(3000, 300).mph;  // 111.55
    const auto degree = [](const char* word) {
      return std::string("  The difference is") + word + "large.  Trap speed depends on power, weight";
    };
    const auto slip = [](double slip, double et, int drivingType, double traction) {
      return [=](F& f) { f.runTotal2 = slip, f.et = Str(et), f.drivingType = drivingType, f.tractionFactor = traction,
                         f.mph = 130; };
    };
    const auto stall = [](double rpm) {
      return [=](F& f) { f.converter = true, f.peakTorqueRpm = 4000, f.rows[1].rpm = rpm; };
    };
    // A four-speed finishing in fourth: computed 6200 / 6300 / 6400, the
    // racer's 6300 for each change and nothing in the 4-5 row.
    const auto fourSpeed = [](double second, bool beginner) {
      return [=](F& f) {
        f.shiftChoice = 1, f.beginnerLevel = beginner;
        f.computedShift = {0, 6212, 6345, 6480, 100000, 100000, 100000, 0};
        f.userShift = {0, 6300, second, 6300, 0, 0, 0, 0};
        for (auto& row : f.rows) row.gear = " 4";
      };
    };
    const std::string clutch = " high:  a slipping clutch turns power into heat";
    const struct {
      const char* what;
      std::function<void(F&)> change;
      std::vector<std::string> keys, lines;
      const char* absent = nullptr;
    } cases[] = {
        // Trap speed against 0.99, 0.97 and 0.95 of the typical speed, less 1.
        {"0.99 x typical - 1", [=](F& f) { f.mph = 0.99 * typical - 1; }, {"GOODDRIV"}, {}},
        {"109.44", [](F& f) { f.mph = 109.44; }, {"GOODDRIV"}, {}},
        {"109.43", [](F& f) { f.mph = 109.43; }, {"MPHLO", "GOODDRIV"}, {degree(" somewhat ")}},
        {"107.20", [](F& f) { f.mph = 107.20; }, {"MPHLO", "GOODDRIV"}, {degree(" Very ")}},
        {"104.97", [](F& f) { f.mph = 104.97; }, {"MPHLO", "GOODDRIV"}, {degree(" EXTREMELY ")}},
        // Finishing above both ends of the shift range points at the gearing;
        // a converter car also hears about converter slip.
        {"slow, above the range", [](F& f) { f.mph = 105.3, f.rows.back().rpm = 6500; }, {"MPHLOGS", "GOODDRIV"},
         {"  This vehicle's 1/4 mile speed of 105.3 MPH is below the typical",
          "  race vehicle's 111.6 MPH for the same weight and corrected power."}},
        {"slow converter car", [](F& f) { f.mph = 105.3, f.rows.back().rpm = 6500, f.converter = true, f.rows[1].rpm = 4400; },
         {"MPHLOGS", "AUTOMPH", "CONVSTAL"}, {}},
        // Clutch slip.
        {"slip exactly 10 %", slip(1.25, 12.5, 1, 100), {"GOODDRIV"}, {}},
        {"slip 10.5 % rounds to 11", slip(1.2, 11.4, 1, 100), {"CLSLPHI", "CLUTCH", "GOODDRIV"},
         {"  That is somewhat" + clutch}},
        {"the program's launch, traction factor 4", slip(3.0, 11.3, 0, 4), {"CLSLPHI", "OPTCLTCH.1", "GOODDRIV"},
         {"  That is Very" + clutch}},
        {"the program's launch", slip(5.0, 11.3, 0, 100), {"CLSLPHI", "OPTCLTCH.2", "GOODDRIV"},
         {"  That is EXTREMELY" + clutch}},
        // Converter stall against the torque peak (4000).
        {"stall 3200", stall(3200), {"CONVSTAL", "CSTALLO"},
         {"  The engine turned 3200 RPM at the launch, the converter's stall speed", "  at 80% throttle."}},
        {"stall 2600", stall(2600), {"CONVSTAL", "CSTALVLO"},
         {"  The engine turned 2600 RPM at the launch, the converter's stall speed", "  at 80% throttle."}},
        {"stall 3300", stall(3300), {"CONVSTAL"},
         {"  The engine turned 3300 RPM at the launch, the converter's stall speed"}},
        {"the program's launch", [](F& f) { f.converter = true, f.drivingType = 0; }, {"CONVSTAL"},
         {"  at 100% throttle."}},
        // The lowest RPM after the launch: 4800 in gear 2, torque peak 5600.
        {"bog", [](F& f) { f.runTotal1 = 34800, f.peakTorqueRpm = 5600; }, {"BOG2NOPT", "GOODDRIV"},
         {"  The engine RPM fell as low as 4800 RPM", "  in gear 2 after a shift, below the RPM of peak torque.",
          "  That is somewhat low for this engine.  The gear ratios are too far"}},
        {"bog in first", [](F& f) { f.runTotal1 = 23000, f.peakTorqueRpm = 5600, f.drivingType = 0; },
         {"BOG1OPT", "GOODDRIV"}, {}},
        // Tire spin (ignored once the tires spun at the 1-2 shift) and power held back.
        {"spin at the shift", [](F& f) { f.spinShiftTime = 1.526, f.runTotal4 = 5; }, {"QKSHFT", "GOODDRIV"},
         {"  The tires broke loose after the 1-2 shift, at 1.53 seconds into the run."}},
        {"spin", [](F& f) { f.runTotal4 = 5; }, {"TRSLPHI", "GOODDRIV"},
         {"  The tires were spinning for about 44% of the run."}},
        {"power held back longer than the run", [](F& f) { f.drivingType = 0, f.runTotal3 = 20; },
         {"LMTSLPHI", "GOODDRIV"}, {"  Engine power had to be held back for about 100% of the run"}},
        // The racer's shift RPMs against the program's range.
        {"finish in first", [](F& f) { f.shiftChoice = 1, f.userShift = {0, 5000, 5000, 5000, 5000, 5000, 0, 0}; },
         {"GOODDRIV"}, {}},
        {"four-speed inside the range", fourSpeed(6300, false), {"GOODDRIV"}, {}},
        {"four-speed, one shift above", fourSpeed(6600, false), {"SHIFTRPM", "GOODDRIV"},
         {"  The program's own shift RPMs for this combination run from 6400 RPM", "  down to 6200 RPM."}},
        {"Beginner Level uses no own shift RPMs", fourSpeed(6600, true), {"GOODDRIV"}, {}},
        // No MPH advice on an eighth mile.
        {"eighth mile",
         [](F& f) {
           f.runLength = 660, f.et = "7.20", f.mph = 60;
           f.rows = {{"Gear", 0, 0, 0}, {" 1", 1.5, 60, 5000}, {" 1", 7.2, 660, 5800}};
         },
         {"RPMLO", "GOODDRIV"},
         {"    660  foot (1/8 mile)       7.20         7.51          .31 sec",
          "  The engine turned only 5800 RPM at the finish line,"},
         "1320 foot"},
    };
    for (const auto& c : cases) {
      F f = Car();
      c.change(f);
      const AnalysisReport r = BuildAnalysisReport(f, kAdvice);
      QVERIFY2(r.keys == c.keys, c.what);
      for (const std::string& line : c.lines) QVERIFY2(HasLine(r, line), (std::string(c.what) + ": " + line).c_str());
      if (c.absent) QVERIFY2(!HasText(r, c.absent), c.what);
    }
  }

  // The paragraph procedure on a file of its own: N in the second line, the
  // extra line with X before the third, the degree word inside the third.
  void paragraphLayout() {
    TempFolder folder;
    WriteAdvice(folder.path(), "MPHLO", {"T", "a", "b", "c", "d", "e", "f", "g", " "});
    AnalysisFigures f = Car();
    f.mph = 105.3;
    AnalysisReport r = BuildAnalysisReport(f, folder.path());
    const std::string expected = "\r\nT\r\na 105.3b\r\nc 111.6d\r\ne Very f\r\ng\r\n \r\n \r\nEnd of Analysis Report";
    QVERIFY(r.text.size() > expected.size());
    QCOMPARE(r.text.substr(r.text.size() - expected.size()), expected);

    // A file with more than 30 lines is cut at 30; a missing file adds
    // nothing; the report goes on.
    WriteAdvice(folder.path(), "GOODDRIV", Items(35));
    r = BuildAnalysisReport(Car(), folder.path());
    QVERIFY(HasLine(r, "L30") && !HasLine(r, "L31"));
    fs::remove(folder.path() / "MPHLO");
    r = BuildAnalysisReport(f, folder.path());
    QCOMPARE(r.keys, Keys({"GOODDRIV"}));
  }

  // The program's shift range: finishing in first, the curve's top less
  // 400, widened to 200 RPM; in fourth, around the computed 6200 / 6300 /
  // 6400; a finish on a shift row finishes in the gear before the dash.
  void shiftRange() {
    AnalysisFigures f = Car();
    const auto range = [&] {
      const int g = FinishGear(f);
      return std::vector<double>{double(g), ShiftRangeFor(f, g).high, ShiftRangeFor(f, g).low};
    };
    QCOMPARE(range(), (std::vector<double>{1, 6400, 6200}));
    f.computedShift = {0, 6212, 6345, 6480, 100000, 100000, 100000, 0};
    for (auto& row : f.rows) row.gear = " 4";
    QCOMPARE(range(), (std::vector<double>{4, 6400, 6200}));
    f.rows.back().gear = " 2-3";
    QCOMPARE(range(), (std::vector<double>{2, 6200, 6000}));
  }

  void runsThatCannotBeAnalysed() {
    AnalysisFigures f = Car();
    f.runLength = 0;
    QCOMPARE(BuildAnalysisReport(f, kAdvice).refusal, std::string(kAnalysisWrongLength));
    const std::function<void(AnalysisFigures&)> spoil[] = {
        [](AnalysisFigures& x) { x.rows.resize(1); },   // ended before the first row
        [](AnalysisFigures& x) { x.et = ""; },
        [](AnalysisFigures& x) { x.weight = 0; },
        [](AnalysisFigures& x) { x.peakHp = 0; },
        [](AnalysisFigures& x) { x.correction = -1; },
    };
    for (const auto& s : spoil) {
      f = Car();
      s(f);
      const AnalysisReport r = BuildAnalysisReport(f, kAdvice);
      QVERIFY(r.refusal == kAnalysisNotPossible && r.text.empty());
    }
  }

  // Paragraphs of 20, 30, 28 and 10 counted lines after the 16 of the table:
  // pages break before the second and the third, at their first character.
  void pageBreaksBetweenParagraphs() {
    ReportPaging p;
    for (auto [at, lines] : {std::pair{100, 20}, {200, 30}, {300, 28}, {400, 10}}) AddParagraph(p, at, lines);
    QCOMPARE(p.breaks, 2);
    QCOMPARE(std::vector<int>(p.start.begin(), p.start.begin() + 3), (std::vector<int>{1, 200, 300}));
    for (int i = 0; i < 15; ++i) AddParagraph(p, 500 + i, 60);
    QCOMPARE(p.breaks, kReportMaxBreaks);

    TempFolder folder;
    WriteAdvice(folder.path(), "CLSLPHI", Items(22));  // 20 lines: its second and third take two items each
    WriteAdvice(folder.path(), "CLUTCH", Items(30));
    WriteAdvice(folder.path(), "TRSLPHI", Items(30));  // 28 lines
    WriteAdvice(folder.path(), "GOODDRIV", Items(10));
    AnalysisFigures f = Car();
    f.runTotal2 = 2;
    f.runTotal4 = 2;
    AnalysisReport r = BuildAnalysisReport(f, folder.path());
    QCOMPARE(r.keys, Keys({"CLSLPHI", "CLUTCH", "TRSLPHI", "GOODDRIV"}));
    QCOMPARE(r.pageBreaks, 2);
    QCOMPARE(r.text.substr(r.pageStart[1] - 1, 6), std::string("\r\nL1\r\n"));
    QCOMPARE(r.text.substr(r.pageStart[2] - 1, 13), std::string("\r\nL1\r\nL2 18L3"));
  }

  // Every shipped advice file: quoted items a line, CR LF, a blank last
  // item, 4 to 10 lines, each line within the page at every degree.
  void shippedAdviceFiles() {
    const std::vector<std::string> withNumber = {"MPHLO", "MPHLOGS", "CONVSTAL", "CLSLPHI", "BOG1OPT", "BOG2OPT",
                                                 "BOG1NOPT", "BOG2NOPT", "QKSHFT", "TRSLPHI", "LMTSLPHI",
                                                 "RPMLO", "SHIFTRPM"};
    const std::vector<std::string> withExtra = {"MPHLO", "MPHLOGS", "CONVSTAL", "BOG1OPT", "BOG2OPT",
                                                "BOG1NOPT", "BOG2NOPT", "SHIFTRPM"};
    for (const char* key : kAdviceKeys) {
      std::string bytes;
      QVERIFY2(ReadFileBytes(kAdvice / key, bytes), key);
      QVERIFY2(bytes.size() > 2 && bytes.substr(bytes.size() - 2) == "\r\n", key);
      std::vector<std::string> items;
      for (const std::string& line : CrLfLines(bytes)) {
        QVERIFY2(line.size() >= 2 && line.front() == '"' && line.back() == '"', key);
        items.push_back(line.substr(1, line.size() - 2));
        QVERIFY2(items.back().find('"') == std::string::npos, key);
      }
      QCOMPARE(items.back(), std::string(" "));
      const bool numbered = std::find(withNumber.begin(), withNumber.end(), key) != withNumber.end();
      const bool extra = std::find(withExtra.begin(), withExtra.end(), key) != withExtra.end();
      const int lineCount = static_cast<int>(items.size()) - (numbered ? 2 : 0) - (extra ? 2 : 0);
      QVERIFY2(lineCount >= 4 && lineCount <= 10, key);
      for (const std::string& item : items) QVERIFY2(item.size() <= 74, key);
      if (std::string(key) == "CONVSTAL") QCOMPARE(items[3], std::string("  at "));  // X without its blank
      if (numbered) {
        const int d = extra ? 5 : 3;
        // N and the degree word bring their own blanks.
        QVERIFY2(items[1].back() != ' ' && items[d].back() != ' ' && items[d + 1].front() != ' ', key);
        const std::string k = key;
        const bool blankWord = k == "CONVSTAL" || k == "QKSHFT" || k == "RPMLO" || k == "SHIFTRPM";
        QVERIFY2((items[d] + (blankWord ? " " : " EXTREMELY ") + items[d + 1]).size() <= 78, key);
      }
    }
  }

  // From the results window: a fixture car calculated and analysed.
  void fixtureCarAnalysed() {
    ShellScene scene;
    for (const char* key : kAdviceKeys) scene.CopyShipped(std::string("ANALYS/") + key);
    scene.CopyShipped("TEXT/OUTHELP.TXT");
    fs::create_directories(scene.file("QVHISTRY"));
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    tbl.BeginnerLevel = 0;
    double trap = 0, sixty = 0;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
    QVERIFY(tbl.FinishRow > 0);
    double curve[3][kEngineCurveRows];
    std::memcpy(curve, tbl.EngineCurve, sizeof curve);
    const double densityAlt = tbl.DensityAltitude;

    ScopedFakePrograms programs;
    scene.ui.Clear();
    MakeAnalysisReport();
    QVERIFY(std::memcmp(curve, tbl.EngineCurve, sizeof curve) == 0);
    QCOMPARE(tbl.DensityAltitude, densityAlt);
    QCOMPARE(scene.BoxCount(), 1);
    QCOMPARE(programs->opened.size(), size_t(1));
    QCOMPARE(fs::path(programs->opened[0]).filename().string(), std::string("Analysis Report.txt"));

    const std::string text = scene.Read("Analysis Report.txt");
    QVERIFY(text.rfind("\r\n------  !!!  IMPORTANT", 0) == 0);
    for (const char* part : {"  Wt/HP Ratio = ", "\r\n    60   foot (sec)    ", "\r\n    1320 foot MPH     ",
                             "A clutch car's ET depends on the driver"})
      QVERIFY2(text.find(part) != std::string::npos, part);
    QVERIFY(text.size() > 24 && text.substr(text.size() - 24) == "End of Analysis Report\r\n");
    QVERIFY(text.find('\n') == text.find("\r\n") + 1);

    // A file that can not be written is named, and nothing is opened.
    FailFileWritesAfterForTest(0);
    programs->opened.clear();
    MakeAnalysisReport();
    FailFileWritesAfterForTest(SIZE_MAX);
    QVERIFY(programs->opened.empty());
    QVERIFY(scene.LastBox().prompt.rfind("The Analysis Report could not be written:\r", 0) == 0);
    QCOMPARE(scene.Read("Analysis Report.txt"), text);
    // Nor through a link to a pipe, which stays.
    QCOMPARE(::mkfifo(scene.file("pipe").c_str(), 0600), 0);
    fs::remove(scene.file("Analysis Report.txt")), fs::create_symlink("pipe", scene.file("Analysis Report.txt"));
    MakeAnalysisReport();
    QVERIFY(scene.LastBox().prompt.find("\rReason: Not a regular file.") != std::string::npos);
    QVERIFY(fs::is_fifo(scene.file("Analysis Report.txt")) && fs::remove(scene.file("Analysis Report.txt")));

    // A track length other than the two the report knows.
    SpecAt(kConditions, 7) = "2";
    MakeAnalysisReport();
    QCOMPARE(scene.LastBox().prompt, std::string(kAnalysisWrongLength));
  }

  void textCutIntoPages() {
    QCOMPARE(PaginateText("", 80, 50).size(), size_t(1));
    QVERIFY(PaginateText("", 80, 50)[0].empty());
    auto pages = PaginateText("a\r\nb\nc\rd\r\n\r\n\r\n", 80, 3);
    QCOMPARE(pages.size(), size_t(2));  // the blank lines at the end make no page
    QCOMPARE(pages[1], std::vector<std::string>{"d"});
    pages = PaginateText("one two three four five six", 10, 50);
    QCOMPARE(pages[0], (std::vector<std::string>{"one two", "three four", "five six"}));
    pages = PaginateText(std::string(25, 'x'), 10, 50);
    QCOMPARE(pages[0], (std::vector<std::string>{std::string(10, 'x'), std::string(10, 'x'), std::string(5, 'x')}));
  }

  // The viewer prints its own text: a text two and a half pages long is
  // three pages, "Page 1 of 3", every line once, no blank page at the end.
  void viewerPrintsItsText() {
    ShellScene scene;
    fst.CurrentFileName = "MUSCLE69";
    const std::string pdf = scene.path("report.pdf");
    AnlsRprt::ShowText("Line 1");
    AnlsRprt* w = AnlsRprt::IfLoaded();
    QVERIFY(w);
    std::vector<std::vector<std::string>> printed;
    auto print = [&](const std::vector<std::string>& lines) {
      std::string text;
      for (const std::string& l : lines) text += l + "\r\n";
      w->Text1->setPlainText(DisplayText(text));
      QVERIFY(PrintToPdf(QString::fromStdString(pdf), [&](PrintPage& page) { printed = w->PrintPages(page, "8:05:09 pm"); }));
    };
    print({"Line 1"});
    print(std::vector<std::string>(1000, "x"));
    const int perPage = static_cast<int>(printed[0].size()) - 3;
    QVERIFY(perPage > 30);

    std::vector<std::string> lines;
    for (int i = 1; i <= 2 * perPage + perPage / 2; ++i) lines.push_back("Line " + std::to_string(i));
    print(lines);
    QCOMPARE(printed.size(), size_t(3));
    QCOMPARE(PdfPages(pdf), 3);
    QCOMPARE(printed[0][2], "Analysis Report" + std::string(47, ' ') + "Page 1 of 3");
    QCOMPARE(printed[2][2], "Analysis Report" + std::string(47, ' ') + "Page 3 of 3");
    QCOMPARE(printed[0][1], "Veh: MUSCLE69" + std::string(49, ' ') + "Time: 8:05:09 pm");
    QVERIFY(printed[0][0].rfind("Stagewell v3.2   Korvath" + std::string(38, ' ') + "Date: ", 0) == 0);
    std::vector<std::string> body;
    for (const auto& page : printed) body.insert(body.end(), page.begin() + 3, page.end());
    QCOMPARE(body, lines);

    lines.resize(2 * perPage);
    lines.insert(lines.end(), 3, "");
    print(lines);
    QCOMPARE(printed.size(), size_t(2));

    fst.CurrentFileName = std::string(60, 'N');
    print({"Line 1"});
    QCOMPARE(printed[0][1], "Veh: " + fst.CurrentFileName);

    // Print and Cancel.
    AnlsRprt::ShowText(BuildAnalysisReport(Car(), kAdvice).text);
    w->resize(640, 340);
    SaveShot(w, "report_viewer.png");
    QCOMPARE(w->windowTitle() + "|" + w->Command1[0]->text() + "|" + w->Command1[1]->text(),
             QString("Analysis Report|Print|Cancel"));
    QVERIFY(w->Text1->isReadOnly());
    const std::string viaButton = scene.path("button.pdf");
    SetPrintToPdfForTest(QString::fromStdString(viaButton));
    w->Command1[0]->click();
    SetPrintToPdfForTest({});
    QCOMPARE(PdfPages(viaButton), 1);
    w->Command1[1]->click();
    Settle();
    QVERIFY(!AnlsRprt::IfLoaded());
  }
};

QTEST_MAIN(AnalysisReportTest)
#include "analysis_report_qtest.moc"
