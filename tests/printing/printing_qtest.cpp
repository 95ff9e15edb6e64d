// Printing: printer fonts, the report, worksheet and definitions, the
// printout options, window images and the ASCII export window.
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>

#include "files/ascii_export.h"
#include "files/configuration.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/keyboard_access.h"
#include "platform/qt/printer.h"
#include "printing/file_optns.h"
#include "printing/print_report.h"
#include "printing/printer_fonts.h"
#include "printing/prnt_optns.h"
#include "printing/recording_canvas.h"
#include "results/frm_disp_grid.h"
#include "results/results_fixture.h"
#include "results/results_tables.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"
#include "shell/shell_fixture.h"
#include "support/pdf_pages.h"

using namespace sw;
using testing::RecordingCanvas;

namespace {

using Families = std::vector<std::string>;

// The printable area of Letter paper, in twips.
constexpr double kW = 11840, kH = 15440;
// A line of 10 point text on the recording canvas.
constexpr double kLine = 220;
using Options = std::array<int16_t, 5>;

// The shipped row files and preset lists the spec pages caption from.
void CopySpecFiles(const ShellScene& scene) {
  for (const auto& e : std::filesystem::directory_iterator(kShippedData / "COMBO"))
    scene.CopyShipped("COMBO/" + e.path().filename().string());
  for (int m = 1; m <= 6; ++m) scene.CopyShipped("QVZHELP/help" + std::to_string(m) + ".txt");
}

// The last run of the results tests with specs of a clutch car on peaks.
void SetRun() {
  testing::SetLastRun();
  testing::SetEngine();
  WriteResultsHeadings();
  MuscleCarSpecs();
  SetSpecs("E0=0;E2=480;E3=4000;C0=1;C1=29.5;C4=500;C5=12;C6=0;C7=0;C8=0;V2=1;V9=0;V11=.45;W0=1;T4=0");
}

ReportJob Job(ReportKind kind, const Options& options) {
  ReportJob job = TakeReportJob(kind, options);
  job.date = "12-07-2026";
  job.time = "8:05:00 pm";
  return job;
}

RecordingCanvas Draw(const ReportJob& job, double height = kH) {
  RecordingCanvas canvas(kW, height);
  DrawReport(job, canvas);
  return canvas;
}

// A page frame: the outer box around the inner one.
bool Nests(const struct RecordingCanvas::Line& inner, const struct RecordingCanvas::Line& outer) {
  return inner.page == outer.page && outer.x1 < inner.x1 && outer.y1 < inner.y1 && outer.x2 > inner.x2 &&
         outer.y2 > inner.y2;
}

}  // namespace

class PrintingTest : public QObject {
  Q_OBJECT
 private slots:
  // Enter and Escape as the program handles them in every window.
  void initTestCase() {
    InstallKeyboardAccess([] { return static_cast<QWidget*>(DefaultInstance<frmMain>::IfLoaded()); });
  }
  void init() {
    QPageLayout l = ProgramPrinter().pageLayout();
    l.setPageSize(QPageSize(QPageSize::Letter));
    l.setOrientation(QPageLayout::Portrait);
    ProgramPrinter().setPageLayout(l);
  }

  // --- printer fonts: the order of preference beats the order of the list
  void fontChoice() {
    using Choose = std::string (*)(const Families&, const std::string&);
    const Choose fixed = ChooseFixedPrinterFont, proportional = ChooseProportionalPrinterFont;
    const struct {
      Choose choose;
      Families families;
      std::string fallback, expected;
    } cases[] = {
        {fixed, {"Fixedsys", "Courier New"}, "", "Courier New"},
        {fixed, {"Arial", "Terminal", "Liberation Mono"}, "", "Terminal"},
        {fixed, {"courier", "My Fixedsys Font"}, "", "My Fixedsys Font"},  // "Courier" is case-sensitive
        {fixed, {"Noto Sans", "DejaVu Sans Mono", "Liberation Mono"}, "", "Liberation Mono"},
        {fixed, {"Noto Sans", "nimbus mono ps", "DejaVu Sans Mono"}, "", "nimbus mono ps"},
        {fixed, {"Noto Sans", "DejaVu Sans Mono Bold"}, "Monospace", "Monospace"},
        {fixed, {"Noto Sans"}, "", ""},
        {proportional, {"MS Sans Serif", "Arial"}, "", "Arial"},  // the first candidate has no blank
        {proportional, {"Arial", "MSSansSerif"}, "", "MSSansSerif"},
        {proportional, {"Roman", "Universal"}, "", "Universal"},
        {proportional, {"DejaVu Sans", "Nimbus Sans", "Liberation Sans"}, "", "Liberation Sans"},
        {proportional, {"DejaVu Sans Mono", "DejaVu Sans"}, "", "DejaVu Sans"},
        {proportional, {"Noto Serif"}, "Sans Serif", "Sans Serif"},
    };
    for (const auto& c : cases) QCOMPARE(c.choose(c.families, c.fallback), c.expected);
    for (Choose choose : {fixed, proportional}) QCOMPARE(choose({}, ""), std::string());
  }

  // The installed fonts give a choice of each kind (Liberation at the least).
  void installedFonts() {
    QVERIFY(!PrinterFontFamilies().empty());
    QVERIFY(!SelectFixedPrinterFont().empty() && !SelectProportionalPrinterFont().empty());
  }

  // --- comments: at most 20 lines at a time, broken at line ends or blanks
  void commentLines() {
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word ";
    std::string rest = Trim(words);  // 199 characters, no line end
    std::vector<std::string> lines = TakeCommentLines(rest, 20);
    QCOMPARE(lines.size(), size_t(3));
    for (const auto& l : lines) QVERIFY(l.size() <= 75 && l.rfind("word", 0) == 0 && l.back() == 'd');
    rest = "one\rtwo\nthree\r\n\r\n  four  \r\n\r\n";
    QCOMPARE(TakeCommentLines(rest, 20), (std::vector<std::string>{"one", "two", "three", "", "four"}));
    QVERIFY(rest.empty());
    rest = std::string(80, 'x') + " tail";
    QCOMPARE(TakeCommentLines(rest, 1), std::vector<std::string>{std::string(75, 'x')});
    QCOMPARE(rest, std::string("xxxxx tail"));
  }

  // --- the report's results page
  void reportResultsPage() {
    ShellScene scene;
    SetRun();
    tbl.FinerTime = 1;
    tbl.HistoryEt[0] = "11.234", tbl.HistoryEt[1] = "11.200";
    tbl.HistoryMph[0] = 120.5, tbl.HistoryMph[1] = 119.25;
    tbl.HistoryDisplay = 0;  // the history box counts only with the history shown
    fst.CurrentFileName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    RecordingCanvas page = Draw(Job(ReportKind::Report, {0, 0, 0, 0, 1}));
    QCOMPARE(page.pages, 1);
    QCOMPARE(page.LineAt(1, page.Find("Stagewell v3.2").y),
             (std::vector<std::string>{"Stagewell v3.2", "Korvath", "Date: 12-07-2026"}));
    QCOMPARE(page.LineAt(1, page.Find("Veh: ", true).y),
             (std::vector<std::string>{"Veh: ABCDEFGHIJKLMNOPQR", "Time: 8:05:00 pm"}));
    QCOMPARE(page.LineAt(1, page.Find("Page: 1").y), (std::vector<std::string>{"Calculated Test Results", "Page: 1"}));
    QVERIFY(page.Has("Projected Performance") && !page.Has("Test Title") && !page.Has("Vehicle Comments:"));
    QCOMPARE(page.LineAt(1, page.Find("11.48").y).front(), std::string(" 4"));  // the finish row
    QCOMPARE(page.LineAt(1, page.Find("Improvement:  ").y),
             (std::vector<std::string>{"Improvement:  ", "-.034", "1.25"}));
    QCOMPARE(page.Find("11.48").x, (0.06 + 0.06) * kW);
    // One page frame, below the last line.
    QCOMPARE(page.boxes.size(), size_t(2));
    QVERIFY(Nests(page.boxes[0], page.boxes[1]));
    QVERIFY(page.boxes[0].y2 > page.Find("Improvement:  ").y + kLine);

    // No run before this one of the same length: nothing to compare with.
    tbl.HistoryLength[1] = 660;
    page = Draw(Job(ReportKind::Report, {0, 0, 0, 0, 1}));
    QCOMPARE(page.LineAt(1, page.Find("Last:  ").y), (std::vector<std::string>{"Last:  "}));
    QCOMPARE(page.LineAt(1, page.Find("Improvement:  ").y), (std::vector<std::string>{"Improvement:  "}));
  }

  // Rows 0 to the finish, a single rule after every third row.
  void reportRowRules() {
    ShellScene scene;
    SetRun();
    tbl.FinishRow = 5;
    RecordingCanvas page = Draw(Job(ReportKind::Report, {}));
    const double top = page.Find("Gear").y;
    QCOMPARE(page.LineAt(1, top + 5 * kLine).front(), std::string(" 1-2"));
    QVERIFY(page.LineAt(1, top + 6 * kLine).empty());
    std::vector<double> rules;
    for (const auto& l : page.lines)
      if (l.y1 > top && l.y1 <= top + 7 * kLine) rules.push_back(l.y1 - top);
    // after rows 0 and 3 without spacing, then the double rule below the table
    const std::vector<double> expected = {kLine, 4 * kLine, 6 * kLine + kLine / 4, 6 * kLine + 0.002 * kW};
    QCOMPARE(rules.size(), expected.size());
    for (size_t i = 0; i < rules.size(); ++i) QVERIFY(std::abs(rules[i] - expected[i]) < 0.01);
  }

  void reportCommentsAndHistory() {
    ShellScene scene;
    SetRun();
    tbl.HistoryDisplay = 1;
    fst.VehicleComments.clear();
    for (int i = 1; i <= 25; ++i) fst.VehicleComments += "note " + std::to_string(i) + "\r\n";
    ReportJob job = Job(ReportKind::Report, {0, 1, 0, 1, 1});
    job.reportComment = "Test and tune";
    RecordingCanvas page = Draw(job, 40000);  // a tall page keeps it on one
    const double title = page.Find("Projected Performance").y, table = page.Find("11.48").y;
    QVERIFY(page.Find("Report Comment:  Test and tune").y < page.Find("Vehicle Comments:").y);
    QVERIFY(page.Find("note 20").y < title && page.Find("note 21").y > table);
    QVERIFY(page.Find("note 25").y < page.Find("Current:  ").y);
    QCOMPARE(page.Find("note 1").x, 0.07 * kW);
    QVERIFY(page.Find("Test Title").y > page.Find("Improvement:  ").y);
    QCOMPARE(page.Count("Imprvmnt"), 3);
    // A history title stays narrower than 0.15 W (17 characters here).
    QCOMPARE(page.Find("MUSCLE69: ", true).text, std::string("MUSCLE69: Mon Dec"));
  }

  // A page that runs out goes on to the next one, headed and framed.
  void reportOverflow() {
    ShellScene scene;
    SetRun();
    tbl.HistoryDisplay = 2;
    for (int r = tbl.FinishRow + 1; r <= 23; ++r)
      for (int c = 0; c < 11; ++c) tbl.ResultsText[c][r] = "9";
    tbl.FinishRow = 23;
    fst.VehicleComments.clear();
    for (int i = 1; i <= 20; ++i) fst.VehicleComments += "note " + std::to_string(i) + "\r\n";
    RecordingCanvas page = Draw(Job(ReportKind::Report, {0, 1, 0, 0, 1}));
    QCOMPARE(page.pages, 2);
    QVERIFY(page.Has("Page: 2"));
    for (const auto& t : page.texts) QVERIFY2(t.y + kLine <= kH, t.text.c_str());
    QCOMPARE(page.boxes.size(), size_t(4));
    for (size_t b = 0; b < 4; b += 2) QVERIFY(Nests(page.boxes[b], page.boxes[b + 1]) && page.boxes[b + 1].y2 <= kH);
  }

  // --- spec pages, captioned by the shipped row files and preset lists
  void reportSpecPages() {
    ShellScene scene;
    CopySpecFiles(scene);
    SetRun();
    SetSpecs("C0=4;V3=2;V15=Pro Stock Body");  // altimeter weather, a linked body example
    RecordingCanvas page = Draw(Job(ReportKind::Report, {1, 0, 0, 0, 0}));
    QCOMPARE(page.pages, 2);
    QCOMPARE(scene.BoxCount(), 0);
    QCOMPARE(page.LineAt(2, page.Find("Page: 2").y), (std::vector<std::string>{"Vehicle Input Specs", "Page: 2"}));
    QCOMPARE(page.Count("Vehicle Input Specs"), 2);
    auto row = [&](const std::string& caption) { return page.LineAt(2, page.Find(caption).y); };
    const std::pair<const char*, const char*> values[] = {
        {"Peak Torque, ft lbs", "na"}, {"Peak Torque RPM", "na"},  // peak horsepower only
        {"Peak Horsepower", "450"},    {"Barometric Pressure, \"Hg", "na"}};
    for (const auto& [caption, value] : values) QCOMPARE(row(caption).at(1), std::string(value));
    QCOMPARE(row("Type:   Specified HP Peak Only").size(), size_t(1));
    QCOMPARE(page.Find("Type:   Specified HP Peak Only").x, 0.08 * kW);
    QVERIFY(page.Has("Altimeter, ft") && page.Has("Relative Humidity, %") && !page.Has("Dew Point, deg F"));
    QCOMPARE(page.Find("Drag Coefficient").x, 0.50 * kW);
    QCOMPARE(row("Drag Coefficient").back(), std::string(".45"));
    QCOMPARE(page.Find("Type:   Pro Stock Body").x, 0.50 * kW);
    QCOMPARE(page.Count("2-3 Shift RPM"), 1);  // no Driving caption under Conditions
    QVERIFY(page.Find("Track Specs").y < page.Find("Track:   1/4 Mile (1320 ft)").y);
    QVERIFY(!page.Has("Full Power Curve"));
    // Every caption fits its column; a picked row is cut wider.
    for (const auto& t : page.texts)
      if (t.x == 0.08 * kW || t.x == 0.50 * kW)
        QVERIFY2(t.text.size() * 100 <= (t.text.find(":   ") == std::string::npos ? 0.28 : 0.36) * kW, t.text.c_str());
    // The dot matrix adjustment starts Conditions on a page of its own once
    // the page is 80 % full, under the section title again.
    page = Draw(Job(ReportKind::Report, {1, 0, 1, 0, 0}));
    QCOMPARE(page.pages, 3);
    QCOMPARE(page.Find("Calculate Performance Conditions").page, 3);
    QCOMPARE(page.Find("Driving").page, 2);
    QCOMPARE(page.Count("Vehicle Input Specs"), 4);
  }

  void reportPowerCurve() {
    ShellScene scene;
    CopySpecFiles(scene);
    SetRun();
    SetSpecs("E0=2;C0=0");
    RecordingCanvas page = Draw(Job(ReportKind::Report, {1, 0, 0, 0, 0}));
    QVERIFY(page.Has("Full Power Curve"));
    QCOMPARE(page.Count("RPM"), 2);
    QCOMPARE(page.LineAt(2, page.Find("3000").y).back(), std::string("435"));  // points 0 and 5 side by side
    QCOMPARE(page.Find("6500").x, (0.06 + 0.44 + 0.22) * kW);
    QVERIFY(page.Has("Relative Humidity, %") && page.Has("Corr. Barometer, \"Hg"));
  }

  void worksheet() {
    ShellScene scene;
    CopySpecFiles(scene);
    SetRun();
    ReportJob job = Job(ReportKind::Worksheet, {1, 1, 0, 0, 1});
    job.worksheetComment = "Spring test day";
    RecordingCanvas page = Draw(job);
    QCOMPARE(page.pages, 2);
    QCOMPARE(page.Count("Blank Worksheet"), 2);
    QVERIFY(!page.Has("Veh: ", true) && !page.Has("note", true) && !page.Has("454") && !page.Has("na"));
    QVERIFY(page.Find("Work Sheet Comment: Spring test day").y < page.Find("Vehicle Comments:").y);
    QCOMPARE(page.Find("Vehicle Comments:").page, 2);
    QVERIFY(page.Count("_______") > 40);
    // Conditions keeps its rows but no column headings; Transmission and the
    // tires leave out their Type rows.
    QVERIFY(!page.Has("Weather Conditions") && !page.Has("Wind Specs") && page.Has("Air Temperature, deg F"));
    QCOMPARE(page.Count("Type:"), 4);
    QCOMPARE(page.LineAt(2, page.Find("Efficiency:").y).back(), std::string("_______"));
  }

  // --- definitions
  void definitionsFromTheShippedFiles() {
    ShellScene scene;
    for (const char* f : {"TEXT/OUTHELP.TXT", "TEXT/SPCLCTTL.TXT"}) scene.CopyShipped(f);
    SetRun();
    ReportJob job = Job(ReportKind::Definitions, {1, 1, 1, 1, 1});
    QVERIFY(ReadDefinitionTexts(job));
    QVERIFY(job.definitionItems.size() >= 119);
    RecordingCanvas page = Draw(job);
    QCOMPARE(page.pages, 3);
    QCOMPARE(page.LineAt(1, page.Find("Page: 1").y).front(), std::string("Definitions"));
    QCOMPARE(page.LineAt(3, page.Find("Page: 3").y).front(), std::string("Definitions, cont"));
    // Each heading with the start of its definition; the longest one whole.
    std::string longest;
    for (int i = 0; i < 21; ++i) {
      const std::string& name = job.outputNames[static_cast<size_t>(i)];
      const std::string& text = job.definitionItems[static_cast<size_t>(i)];
      if (text.size() > longest.size()) longest = text;
      bool found = false;
      for (const auto& t : page.texts)
        if (t.text == name && t.x == 0.06 * kW) {
          auto line = page.LineAt(t.page, t.y);
          found = found || (line.size() == 2 && text.rfind(line[1], 0) == 0);
        }
      QVERIFY2(found, name.c_str());
    }
    const std::string last = longest.substr(longest.rfind(' ') + 1);
    QVERIFY(std::any_of(page.texts.begin(), page.texts.end(), [&](const auto& t) {
      return t.text.size() >= last.size() && t.text.compare(t.text.size() - last.size(), last.size(), last) == 0;
    }));
    for (const auto& t : page.texts) QVERIFY2(t.x + 100 * t.text.size() <= 0.93 * kW, t.text.c_str());
    // Every special title, once, with its text below it; 66 ends page 2.
    int titles = 0;
    for (const std::string& title : job.specialTitles) {
      if (Trim(title).empty()) continue;
      ++titles;
      const auto& t = page.Find(title);
      QVERIFY2(t.x == 0.06 * kW, title.c_str());
      QVERIFY(!page.LineAt(t.page, t.y + kLine).empty());
    }
    QCOMPARE(titles, 32);
    QCOMPARE(page.Find("Relative Humidity and Dew Point").page, 2);
    QCOMPARE(page.Find("Match Vehicle Performance").page, 3);
  }

  void definitionsNeedTheirFiles() {
    ShellScene scene;
    scene.CopyShipped("TEXT/OUTHELP.TXT");
    ReportJob job = Job(ReportKind::Definitions, {});
    QVERIFY(!ReadDefinitionTexts(job));
    QCOMPARE(scene.BoxCount(), 1);
    QVERIFY(scene.LastBox().prompt.find("TEXT/SPCLCTTL.TXT") != std::string::npos);
  }

  // --- the options window
  void optionsWindow() {
    ShellScene scene;
    cfg.PrintOptions = {1, 0, 1, 0, 1};
    tbl.HistoryDisplay = 0;
    PrntOptns* w = DefaultInstance<PrntOptns>::Get();
    Activate(w);
    QCOMPARE(w->windowTitle(), QString("Printout Options"));
    QCOMPARE(w->Frame3D1->title() + "|" + w->Frame3D2->title(), QString("Report Printing Options|Other Printout Types"));
    // The buttons' and boxes' texts are read in the keyboard test's Tab order.
    for (int i = 0; i < 5; ++i) QCOMPARE(w->Check3D1[i]->isChecked(), cfg.PrintOptions[i] == 1);
    QVERIFY(!w->Check3D1[4]->isEnabled());
    QVERIFY(SaveShot(w, "prntoptns.png"));
    // A cleared box stays cleared after another window had the front; the
    // disabled history box keeps its value.
    w->Check3D1[0]->setChecked(false);
    QWidget other;
    Activate(&other);
    QCOMPARE(cfg.PrintOptions, (std::array<int16_t, 5>{0, 0, 1, 0, 1}));
    Activate(w);
    QVERIFY(!w->Check3D1[0]->isChecked());
    // Kept through the configuration file.
    w->Command1[3]->click();
    Settle();
    QVERIFY(!DefaultInstance<PrntOptns>::Loaded());
    ShellScene::WriteConfiguration();
    cfg.PrintOptions = {};
    ReadWriteConfiguration(1);
    QCOMPARE(cfg.PrintOptions, (std::array<int16_t, 5>{0, 0, 1, 0, 1}));
  }

  // Landscape paper asks first: Yes or Cancel prints nothing, No prints
  // landscape; the buttons choose the document every time.
  void optionsWindowPrints() {
    ShellScene scene;
    CopySpecFiles(scene);
    for (const char* f : {"TEXT/OUTHELP.TXT", "TEXT/SPCLCTTL.TXT"}) scene.CopyShipped(f);
    SetRun();
    fst.CurrentFileName = "MUSCLE69";
    cfg.PrintOptions = {1, 0, 0, 1, 0};
    PrntOptns* w = DefaultInstance<PrntOptns>::Get();
    Activate(w);
    const QString pdf = QString::fromStdString(scene.path("report.pdf"));
    SetPrintToPdfForTest(pdf);
    cfg.PrinterOrientation = 2;
    for (int answer : {ans::Yes, ans::Cancel}) {
      scene.ui.Clear();
      scene.ui.Answer(answer);
      w->Command1[2]->click();
      QCOMPARE(scene.BoxCount(), 1);
      QCOMPARE(scene.Box(0).title, std::string("Stop Printing ?"));
      QCOMPARE(scene.Box(0).style, mb::YesNoCancel);
      QVERIFY(scene.Box(0).prompt.find("Portrait Orientation." + std::string(2, CR) + "Stop printing now?") !=
              std::string::npos);
      QVERIFY(!QFile::exists(pdf));
    }
    scene.ui.Clear();
    scene.ui.Answer(ans::No);
    scene.ui.Type("Spring test");
    w->Command1[0]->click();  // the worksheet, then the report
    scene.ui.Answer(ans::No);
    scene.ui.Type("Spring test");
    w->Command1[2]->click();
    QCOMPARE(scene.BoxCount(), 5);  // the worksheet asks for both comments
    QCOMPARE(scene.Box(1).title + "|" + scene.Box(2).title, std::string("Report Comment|Work Sheet Comment"));
    QVERIFY(PdfIsWide(pdf));
    QString text = PdfText(pdf);
    QVERIFY(text.contains("Veh: MUSCLE69") && text.contains("Report Comment: Spring test") &&
            !text.contains("Blank Worksheet"));
    QCOMPARE(PdfPages(pdf), 3);  // the spec page runs over on the short side

    cfg.PrinterOrientation = 1;
    scene.ui.Clear();
    scene.ui.Type("");  // no report comment
    scene.ui.Type("Bring the slicks");
    w->Command1[0]->click();
    QCOMPARE(scene.Box(1).title, std::string("Work Sheet Comment"));
    QVERIFY(!PdfIsWide(pdf) && PdfText(pdf).contains("Work Sheet Comment: Bring the slicks"));

    scene.ui.Clear();
    w->Command1[1]->click();
    QCOMPARE(scene.BoxCount(), 0);
    QCOMPARE(PdfPages(pdf), 3);
    QVERIFY(PdfText(pdf).contains("Definitions, cont"));
    SetPrintToPdfForTest(QString());
    w->close();
  }

  // The results window's print commands open the options and the export;
  // Escape is the options window's Close and the export window's Cancel.
  void resultsWindowOpensThemAndEscapeCloses() {
    ShellScene scene;
    SetRun();
    frmDispGrid* r = frmDispGrid::Default();
    r->Fill();
    QCOMPARE(r->mnuAsciiFile->text(), QString("Save Results as ASCII File"));
    r->cmdPrint->click();
    r->mnuAsciiFile->trigger();
    for (QPointer<QWidget> w : std::initializer_list<QWidget*>{DefaultInstance<PrntOptns>::IfLoaded(),
                                                                DefaultInstance<FileOptns>::IfLoaded()}) {
      QVERIFY(w);
      Activate(w);
      QTest::keyClick(w, Qt::Key_Escape);
      Settle();
      QVERIFY(!w);
    }
    QVERIFY(!DefaultInstance<PrntOptns>::Loaded() && !DefaultInstance<FileOptns>::Loaded());

    // Enter presses the button that has the keyboard, as Space does.
    r->cmdPrint->click();
    r->mnuAsciiFile->trigger();
    QPointer<PrntOptns> options = DefaultInstance<PrntOptns>::IfLoaded();
    QPointer<FileOptns> file = DefaultInstance<FileOptns>::IfLoaded();
    for (QPushButton* b : {options->Command1[3], file->Command1[1]}) {
      Activate(b->window());
      b->setFocus();
      QTest::keyClick(b, Qt::Key_Return);
      Settle();
    }
    QVERIFY(!options && !file);
    frmDispGrid::Unload();
  }

  // --- window images: one page, the printer's orientation as it was
  void aboutPrintsItsImage() {
    ShellScene scene;
    const QString pdf = QString::fromStdString(scene.path("about.pdf"));
    SetPrintToPdfForTest(pdf);
    SetPrinterOrientation(ProgramPrinter(), 1);
    frmAbout* w = DefaultInstance<frmAbout>::Get();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->Command3D1->click();
    SetPrintToPdfForTest(QString());
    QCOMPARE(PdfPages(pdf), 1);
    QCOMPARE(PdfIsWide(pdf), w->width() > w->height());
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 1);
    // A printout that cannot be written says so.
    SetPrintToPdfForTest(QString::fromStdString(scene.path("no-such-folder/about.pdf")));
    w->Command3D1->click();
    SetPrintToPdfForTest(QString());
    QCOMPARE(scene.BoxCount(), 1);
    QVERIFY(scene.LastBox().prompt.rfind("The printout could not be made.", 0) == 0);
    DefaultInstance<frmAbout>::Unload();
  }

  // --- the export window
  void exportWindow() {
    ShellScene scene;
    SetRun();
    cfg.AsciiOptions = {1, 0, 0};
    AsciiFileName = "RUN1.TXT";
    FileOptns* w = DefaultInstance<FileOptns>::Get();
    Activate(w);
    QCOMPARE(w->windowTitle(), QString("Save as ASCII File"));
    QCOMPARE(w->Frame3D1->title(), QString("ASCII File Options"));
    QVERIFY(w->Label1->text().startsWith("Enter a valid file name (no path)"));
    QCOMPARE(w->Text1->text(), QString("RUN1.TXT"));
    QCOMPARE(TextsOf(w->Check3D1), QStringList({"Comma Separated", "Include Text", "Convert to Columns"}));
    for (int i = 0; i < 3; ++i) QCOMPARE(w->Check3D1[i]->isChecked(), i == 0);
    QVERIFY(SaveShot(w, "fileoptns.png"));

    w->Check3D1[1]->setChecked(true);
    const size_t before = scene.ui.boxes().size();
    QTest::keyClick(w->Text1, Qt::Key_Return);
    // Saved once: no question about the file just written.
    QCOMPARE(scene.ui.boxes().size(), before + 1);
    QCOMPARE(scene.LastBox().prompt, "ASCII Data File written to disk." + std::string(2, CR) + scene.path("RUN1.TXT"));
    QVERIFY(scene.Read("RUN1.TXT").rfind("Gear,Time,MPH,Accel Gs,", 0) == 0);
    QVERIFY(DefaultInstance<FileOptns>::Loaded());
    // Cancel at the replace question closes the window; what was chosen stays.
    scene.ui.Answer(ans::Cancel);
    w->Command1[0]->click();
    Settle();
    QVERIFY(!DefaultInstance<FileOptns>::Loaded());
    QCOMPARE(cfg.AsciiOptions, (std::array<int16_t, 3>{1, 1, 0}));
    QCOMPARE(AsciiFileName, std::string("RUN1.TXT"));
  }
};

QTEST_MAIN(PrintingTest)
#include "printing_qtest.moc"
