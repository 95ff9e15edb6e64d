// Start and end of the program: the start modes, the caption, the base run
// file, the main window's initialisation on its activations, the exit
// sequence, and Cylvane's unattended calculation run end to end.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QLabel>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <new>

#include "platform/seqfile.h"
#include "platform/text.h"
#include "shell/cylvane_link.h"
#include "shell/frm_intro_help.h"
#include "files/file_write.h"
#include "shell/frm_save_file.h"
#include "shell/power_curve_import.h"
#include "shell/program_main.h"
#include "shell/startup.h"
#include "shell/unattended.h"
#include "shell_fixture.h"
#include "simulation/air.h"
#include "simulation/lap_data.h"

using namespace sw;

namespace {

const char* kGoodCurve =
    "CV Engine Sim - 454 BBC\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n"
    "2500\r\n470\r\n223.7\r\n3000\r\n490\r\n279.9\r\n3500\r\n505\r\n336.5\r\n4000\r\n512\r\n389.9\r\n"
    "4500\r\n505\r\n432.7\r\n5000\r\n480\r\n457.0\r\n5500\r\n445\r\n466.0\r\n6000\r\n400\r\n457.0\r\n";

// --- ENGCURVE.ZKT as Cylvane writes it

struct Point {
  std::string rpm, torque, hp;
};

std::string HandOver(const std::string& weather, const std::vector<Point>& points,
                     const std::string& displacement = "355") {
  std::string t = "CV Engine Sim - 355 SBC\r\n" + displacement + "\r\n" + weather;
  for (const auto& p : points) t += p.rpm + "\r\n" + p.torque + "\r\n" + p.hp + "\r\n";
  return t;
}

const std::string kStdDyno = "29.92\r\n60\r\n20\r\n0\r\n";
const std::string kSae = "29.6\r\n77\r\n49\r\n0\r\n";

// Torque and HP that peak at the given positions, at RPMs 2000, 2500, ...
std::vector<Point> Curve(int n, int torquePeakPos, int hpPeakPos) {
  std::vector<Point> pts;
  for (int i = 0; i < n; ++i) {
    double tq = 300 + (i == torquePeakPos ? 100 : i);
    double hp = 200 + (i == hpPeakPos ? 300 : i);
    pts.push_back({std::to_string(2000 + 500 * i), Format(tq, "####0"), Format(hp, "####0")});
  }
  return pts;
}

// The curve positions loaded into the Engine window's table.
std::vector<int> LoadedPositions() {
  std::vector<int> out;
  for (int k = 0; k < 10; ++k)
    if (!tbl.PowerCurveText[k][0].empty()) out.push_back((Int(Val(tbl.PowerCurveText[k][0])) - 2000) / 500);
  return out;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* Load() { return DefaultInstance<frmMain>::Get(); }
  void NewScene() {
    scene.reset();
    scene = std::make_unique<ShellScene>();
  }

  // The main window after start-up, ready for the exit sequence.
  frmMain* Ready() {
    MuscleCarSpecs();
    scene->WritePresetLists();
    frmMain* w = Load();
    fst.CurrentFilePath = scene->path("VEHDAT/MUSCLE");
    fst.CurrentFileName = fst.WorkingCopyName = "MUSCLE";  // as the working copy read at start-up named it
    w->MainInitDone = true;
    w->show();
    return w;
  }

  // Starts the real program with `args` against the scene's folder, with no
  // display at all, and returns LapDtOut.txt's lines (the last, the
  // messages, may hold single CRs).
  static constexpr int kCouldNotStart = -2;
  std::vector<std::string> RunProgram(int& exitCode, QStringList args = {"/E", "/M"}, bool unprivileged = false) {
    QProcess p;
    // A read-only folder is read-only only for a user other than root.
    if (unprivileged && ::geteuid() == 0)
      p.setChildProcessModifier([] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
      });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(v);
    env.insert("STAGEWELL_HOME", QString::fromStdString(scene->folder().string()));
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(QCoreApplication::applicationDirPath() + "/stagewell", args);
    const bool finished = p.waitForFinished(30000);
    qInfo("unattended calculation, process start to exit: %lld ms", clock.elapsed());
    if (!finished) p.kill();
    exitCode = finished ? p.exitCode() : -1;
    if (p.error() == QProcess::FailedToStart) exitCode = kCouldNotStart;
    return CrLfLines(scene->Read(kLapDataFileName));
  }

 private slots:
  void init() { NewScene(); }
  void cleanup() { scene.reset(); }

  // --- start-up

  void startModesFromTheCommandLine() {
    const std::pair<const char*, int> lines[] = {{"", 0},       {"/e", 0},     {"/e /m", 0},    {"/M", 0},
                                                 {"/E", 1},     {"/E /m", 1},  {"/E /M", 2},    {"/M /E", 2},
                                                 {"x/Ey/Mz", 2}};
    for (auto [line, mode] : lines) QCOMPARE(StartModeFromCommandLine(line), mode);
    QCOMPARE(StartModeFromArguments({"/M", "/E"}), 2);
    QCOMPARE(StartModeFromArguments({"/E"}), 1);
  }

  void captionKeepsTheTitleUpTo30Characters() {
    QCOMPARE(MainCaptionText(""), std::string(" Stagewell v3.2   Korvath   [  ]"));
    std::string thirty(30, 'A'), thirtyOne(31, 'A');
    QCOMPARE(MainCaptionText(thirty), " Stagewell v3.2   Korvath   [ " + thirty + " ]");
    QCOMPARE(MainCaptionText(thirtyOne), " Stagewell v3.2   Ko   [ " + thirtyOne + " ]");
    frmMain* w = Load();
    fst.CurrentFileName = "GTO";
    std::string caption;
    BuildMainCaption(caption);
    QCOMPARE(caption, std::string(" Stagewell v3.2   Korvath   [ GTO ]"));
    QCOMPARE(w->windowTitle(), QString(" Stagewell v3.2   Korvath   [ GTO ]"));
  }

  void baseRunFileRoundTripAndBounds() {
    tbl.BaseRunRows = 3;
    for (int r = 0; r <= 4; ++r)
      for (int c = 0; c <= 8; ++c) tbl.BaseRun[c][r] = r * 10 + c + 0.25;
    QVERIFY(WriteBaseRunFile());
    auto lines = CrLfLines(scene->Read("baseplot.ZKT"));
    QCOMPARE(lines.size(), size_t(1 + 5 * 9));
    QCOMPARE(lines[0], std::string(" 3"));
    QCOMPARE(lines[1], std::string(" .25"));
    QCOMPARE(lines[10], std::string(" 10.25"));
    ResetTables();
    QCOMPARE(ReadBaseRunFile().number, 0);
    QCOMPARE(tbl.BaseRunRows, int16_t(3));
    QCOMPARE(tbl.BaseRun[8][4], 48.25);

    // Only the row count: the table is left as it was.
    scene->Write("baseplot.ZKT", " 12\r\n");
    QCOMPARE(ReadBaseRunFile().number, 0);
    QCOMPARE(tbl.BaseRunRows, int16_t(12));
    QCOMPARE(tbl.BaseRun[8][4], 48.25);

    // A count above 309 reaches past the table: one error, the rows beyond
    // row 310 are skipped, and the count is kept inside the table.
    std::string text = " 400\r\n";
    for (int i = 0; i < 402 * 9; ++i) text += " 1\r\n";
    scene->Write("baseplot.ZKT", text);
    BaseRunReadError err = ReadBaseRunFile();
    QCOMPARE(err.number, 9);
    QCOMPARE(err.description, std::string("Subscript out of range"));
    QCOMPARE(tbl.BaseRun[0][310], 1.0);
    QCOMPARE(tbl.BaseRunRows, int16_t(309));

    std::filesystem::remove(scene->file("baseplot.ZKT"));
    QCOMPARE(ReadBaseRunFile().number, 53);
  }

  // Start mode 1 tells how to load the curve, a beginner gets the notice:
  // once per run each.
  void noticesOncePerRun() {
    scene->ReturningUser();
    tbl.StartMode = 1;
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt, "You are now in the Stagewell." + kCR + kCR + "To load the power curve:" + kCR +
                                       "  -  Click on the Engine Specs button." + kCR +
                                       "  -  Select 'Full Power Curve' as the Method" + kCR +
                                       "     of Describing Power Curve (if necessary)." + kCR +
                                       "  -  Click on the 'Load from Cylvane'" + kCR +
                                       "     button under the power graph.");
    QVERIFY(w->MainCommand[4]->isVisibleTo(w));
    QVERIFY(w->mnuCylvane->isVisible());
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);

    NewScene();
    scene->ReturningUser();
    tbl.BeginnerLevel = 1;
    scene->WriteConfiguration();
    w = Load();
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Beginner Level Help"));
    QVERIFY(scene->Box(0).prompt.rfind("The program is set to 'Beginner Level', which is very helpful", 0) == 0);
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
  }

  // A missing base run is reported once; an unreadable working copy is kept
  // aside and nothing is loaded; a missing one starts quietly.
  void damagedOrMissingFilesStillStart() {
    scene->ReturningUser();
    std::filesystem::remove(scene->file("baseplot.ZKT"));
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt, std::string("Possible Error reading Configuration File.   53  File not found"));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3400"));
    NewScene();
    scene->ReturningUser();
    scene->Write("QVCURVEH.ZKT", "garbage that is not a vehicle\r\n");
    w = Load();
    w->InitMainWindow();
    QVERIFY(w->MainInitDone);
    QCOMPARE(SpecAt(kVehicle, 0), std::string(""));
    QCOMPARE(scene->Read("QVCURVEH.ZKT.bad"), std::string("garbage that is not a vehicle\r\n"));
    NewScene();
    tbl.BeginnerLevel = 0;
    scene->Write("baseplot.ZKT", " 0\r\n");
    scene->WriteConfiguration();
    scene->WritePresetLists();
    Load()->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!scene->Exists("QVCURVEH.ZKT.bad"));
  }

  // The tip comes on the fourth activation, not when it was shown already
  // and never after the 39th.
  void tipOnTheFourthActivation() {
    scene->ReturningUser();
    frmMain* w = Load();
    for (int i = 1; i <= 3; ++i) {
      w->InitMainWindow();
      QCOMPARE(shell.ActivationCount, int16_t(i));
      QCOMPARE(shell.TipNumber, int16_t(0));
    }
    WhenModal([](QWidget* w) {
      if (auto* tip = qobject_cast<frmIntroHelp*>(w)) tip->Command1[0]->click();
    });
    w->InitMainWindow();
    QCOMPARE(shell.TipNumber, int16_t(20));
    QCOMPARE(shell.TipShown[20], int16_t(1));
    QCOMPARE(shell.ActivationCount, int16_t(100));
    w->InitMainWindow();
    QCOMPARE(shell.ActivationCount, int16_t(100));

    shell.ActivationCount = 0;
    shell.TipNumber = 0;
    for (int i = 0; i < 39; ++i) w->InitMainWindow();
    QCOMPARE(shell.TipNumber, int16_t(0));  // shown already
    shell.TipShown[20] = 0;
    w->InitMainWindow();  // the 40th
    QCOMPARE(shell.TipNumber, int16_t(0));
    QCOMPARE(shell.ActivationCount, int16_t(40));
  }

  // --- exit

  // What the exit asks, writes, and whether the program ends; in start
  // mode 0 nothing goes to Cylvane.
  void exitSequence() {
    const char* kWorking = "QVCURVEH.ZKT";
    struct Case {
      const char* what;
      int16_t changed;
      bool named;
      std::vector<int> answers;
      bool ending;
      std::vector<const char*> written, notWritten;
    } cases[] = {
        {"No to quit", 0, true, {ans::No}, false, {}, {kWorking, "qvzCNFG.ZKT", "baseplot.ZKT"}},
        {"no changes", 0, true, {ans::Yes}, true, {kWorking, "qvzCNFG.ZKT", "baseplot.ZKT"}, {kHandOverFile}},
        {"Cancel on saving", 1, true, {ans::Yes, ans::Cancel}, false, {kWorking}, {"qvzCNFG.ZKT", "baseplot.ZKT"}},
        {"Yes on saving", 1, true, {ans::Yes, ans::Yes}, true, {kWorking, "qvzCNFG.ZKT", "VEHDAT/MUSCLE"}, {}},
        {"a new vehicle is named first", 1, false, {ans::Yes, ans::Yes}, false, {kWorking}, {"qvzCNFG.ZKT"}},
    };
    for (const Case& c : cases) {
      NewScene();
      frmMain* w = Ready();
      if (!c.named) fst.CurrentFileName.clear(), fst.CurrentFilePath.clear();
      fst.SpecsChanged = c.changed;
      scene->Write(kHandOverFile, "CV\r\n");
      tbl.BaseRunRows = 2;
      tbl.BaseRun[1][3] = 6000;
      bool cylvaneAsked = false;
      scene->programs.onActivate = [&](const std::string&) { cylvaneAsked = true; };
      for (int a : c.answers) scene->ui.Answer(a);
      w->mnuFilExit_Click();
      QVERIFY2(scene->BoxCount() == int(c.answers.size()), c.what);
      QCOMPARE(scene->Box(0).prompt, std::string("Quit Stagewell ?"));
      QCOMPARE(scene->Box(0).title, std::string(""));
      QCOMPARE(scene->Box(0).style, mb::YesNoCancel + mb::Question);
      QVERIFY2(ProgramEnding() == c.ending, c.what);
      QCOMPARE(w->ExitCancelled, c.ending ? 0 : 1);
      for (const char* f : c.written) QVERIFY2(scene->Exists(f), (std::string(c.what) + ": " + f).c_str());
      for (const char* f : c.notWritten) QVERIFY2(!scene->Exists(f), (std::string(c.what) + ": " + f).c_str());
      QVERIFY(!cylvaneAsked);
      if (c.ending) {
        QCOMPARE(ProgramExitStatus(), 0);
        QCOMPARE(fst.SpecsChanged, int16_t(0));  // kept so in the configuration
        QCOMPARE(scene->Read(kWorking).rfind("QVZ-ZKT*3.20\r\n0\r\n454\r\n", 0), size_t(0));
        auto base = CrLfLines(scene->Read("baseplot.ZKT"));
        QCOMPARE(base[0], std::string(" 2"));
        QCOMPARE(base[1 + 3 * 9 + 1], std::string(" 6000"));
      }
      // A vehicle without a name is called what it is, never a blank.
      const std::string f = c.named ? "MUSCLE" : "the new vehicle";
      if (c.changed)
        QCOMPARE(scene->Box(1).prompt,
                 "Save your changes to the Library copy of:" + kCR + kCR + "   " + f + kCR + kCR +
                     "(Even if you do not save these changes to the Library copy of " + f +
                     " now, they are maintained in the temporary, working copy of " + f +
                     " which is brought up on the main screen the next time you start the program.)");
      if (c.changed) QCOMPARE(scene->Box(1).title, std::string("Save Your Changes ?"));
      if (c.named) continue;  // a new vehicle: once saved under a name the exit goes on, and the next start opens it
      if (frmSaveFile* f = DefaultInstance<frmSaveFile>::IfLoaded()) f->Text1->setText("Named"), f->Command1_Click();
      QVERIFY(ProgramEnding() && scene->Exists("qvzCNFG.ZKT") && scene->Read(kWorking).find("/Named\r\n") < 9999);
    }
  }

  // The exit on a full disk: the old files kept, the save question honest about the working copy, what was not kept
  // listed (the working copy only when it held changes no other file holds) with what the next start brings up, and
  // the program ends only on Yes. The failed writes' own boxes are held by the file tests.
  void exitOnAFullDisk() {
    const int Y = ans::Yes, OK = ans::OK;  // the answers, and what "Quit Anyway ?" lists
    const std::string cr2 = kCR + kCR, why = " (No space left on device)" + kCR,
                      rest = "   - the configuration: your preferences and run history" + why +
                             "   - the base run for the graphs" + why + kCR,
                      next = "next start brings up MUSCLE as the working copy last held it." + cr2 + "Click on Yes "
                             "to end the program anyway." + kCR + "Click on No to keep the program running with your "
                             "work on the screen.";
    const std::tuple<int16_t, const char*, std::vector<int>, std::string> cases[] = {
        {1, "", {Y, OK, Y, OK, OK, OK, ans::No}, "   - the temporary, working copy of MUSCLE with your unsaved changes" +
                                                     why + "   - your changes to the Library copy of MUSCLE" + why +
                                                     rest + "The " + next},
        {1, "QVCURVEH.ZKT", {Y, OK, Y, OK}, ""},  // saved on the way out: nothing lost, the older copy told
        {0, "", {Y, OK, OK, OK, Y}, rest + "MUSCLE is kept in its Library copy, but its temporary, working copy "
                                           "could not be written: the " + next}};
    for (const auto& [changed, failing, answers, list] : cases) {  // failing: the one write that fails, "" all
      NewScene();
      frmMain* w = Ready();
      for (const char* f : {"QVCURVEH.ZKT", "VEHDAT/MUSCLE", "qvzCNFG.ZKT", "baseplot.ZKT"}) scene->Write(f, "old");
      fst.SpecsChanged = changed;
      for (int a : answers) scene->ui.Answer(a);
      FailFileWritesAfterForTest(0, failing);
      w->mnuFilExit_Click();
      FailFileWritesAfterForTest(SIZE_MAX);
      QCOMPARE(scene->BoxCount(), int(answers.size()));
      if (changed)
        QCOMPARE(scene->Box(2).prompt,
                 "Save your changes to the Library copy of:" + cr2 + "   MUSCLE" + cr2 + "(The temporary, working copy "
                 "of MUSCLE could not be written: if you do not save these changes to the Library copy of MUSCLE now, "
                 "they are lost when the program ends.)");
      if (!list.empty()) QCOMPARE(scene->LastBox().prompt, "Not everything could be saved:" + cr2 + list);
      QCOMPARE(ProgramEnding(), answers.back() != ans::No);
      QCOMPARE(scene->Read("QVCURVEH.ZKT"), std::string("old"));
    }
    QCOMPARE(scene->LastBox().title + std::to_string(scene->LastBox().style), std::string("Quit Anyway ?308"));
  }

  // Only the working copy cannot be written: the exit says which vehicle the next start brings up (the older copy's,
  // which stays as it was), and the configuration keeps that copy's changed mark, changed (Save As) or not (No).
  void exitWithOnlyTheWorkingCopyUnwritable_data() {
    QTest::addColumn<int>("olderChanged");
    QTest::addColumn<QString>("before");  // Save As "OtherCar", or a spec changed
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("last");  // the last box's prompt, title and style
    const QString next = "next start brings up muscle_454_4spd as the working copy last held it.",
                  kept = " is kept in its Library copy, but its temporary, working copy could not be written: the ";
    QTest::newRow("Save As of changes") << 1 << "save as" << QList{6, 1, 1} << "OtherCar" + kept + next + "|48";
    QTest::newRow("changes: Yes") << 0 << "change" << QList{6, 1, 6, 1} << "muscle_454_4spd" + kept + next + "|48";
    QTest::newRow("changes: No") << 0 << "change" << QList{6, 1, 7, 6}
                                 << "Not everything could be saved:\r\r   - the temporary, working copy of muscle_454_4spd "
                                    "with your unsaved changes (No space left on device)\r\rThe " + next +
                                        "\r\rClick on Yes to end the program anyway.\rClick on No to keep the program "
                                        "running with your work on the screen.|Quit Anyway ?308";
  }
  void exitWithOnlyTheWorkingCopyUnwritable() {
    QFETCH(int, olderChanged); QFETCH(QString, before); QFETCH(QList<int>, answers); QFETCH(QString, last);
    NewScene(), scene->ReturningUser(int16_t(olderChanged));
    const std::string older = scene->Read("QVCURVEH.ZKT");
    scene->Write("VEHDAT/muscle_454_4spd", older);  // its Library copy
    frmMain* w = Load();
    QVERIFY(ReadStartUpFiles());
    w->MainInitDone = true, w->show();
    if (before == "save as") w->SaveVehicleAs();
    if (frmSaveFile* f = DefaultInstance<frmSaveFile>::IfLoaded()) f->Text1->setText("OtherCar"), f->Command1_Click();
    if (before == "change") SetSpecs("V0=3900"), fst.SpecsChanged = 1;
    for (int a : answers) scene->ui.Answer(a);
    FailFileWritesAfterForTest(0, "QVCURVEH.ZKT"), w->mnuFilExit_Click(), FailFileWritesAfterForTest(SIZE_MAX);
    const ScriptedUi::Box& box = scene->LastBox();
    QCOMPARE(QString::fromStdString(box.prompt + "|" + box.title + std::to_string(box.style)), last);
    QVERIFY(scene->BoxCount() == answers.size() && ProgramEnding() && scene->Read("QVCURVEH.ZKT") == older);
    QCOMPARE(CrLfLines(scene->Read("qvzCNFG.ZKT"))[3], Str(olderChanged));  // the changed mark the next start shows
  }

  // Configuration and base run linked to a pipe: both reported, the pipe left as it is, and the program ends when
  // the racer says so.
  void exitThroughLinksToAPipe() {
    frmMain* w = Ready();
    fst.SpecsChanged = 0;
    QCOMPARE(::mkfifo(scene->path("pipe").c_str(), 0600), 0);
    for (const char* name : {"qvzCNFG.ZKT", "baseplot.ZKT"}) std::filesystem::create_symlink("pipe", scene->file(name));
    scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::OK), scene->ui.Answer(ans::OK), scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QVERIFY(ProgramEnding() && scene->BoxCount() == 4 && std::filesystem::is_fifo(scene->file("qvzCNFG.ZKT")));
  }

  // The window manager's close box asks too; No and Cancel keep the program.
  void closeBoxAsksToo() {
    frmMain* w = Ready();
    for (int answer : {ans::No, ans::Cancel}) {
      scene->ui.Answer(answer);
      QVERIFY(!w->close());
      QVERIFY(w->isVisible());
      QCOMPARE(scene->LastBox().prompt, std::string("Quit Stagewell ?"));
    }
    QVERIFY(!ProgramEnding());
    QVERIFY(!scene->Exists("QVCURVEH.ZKT"));
  }

  void startModeOneHandsBackLast() {
    frmMain* w = Ready();
    tbl.StartMode = 1;
    shell.CylvaneTitle = "CV Engine Sim";
    fst.SpecsChanged = 0;
    std::string askedFor;
    bool filesWritten = false;
    scene->programs.activation = Activation::NotRunning;  // the window could not be raised: quietly so
    scene->programs.onActivate = [&](const std::string& title) {
      askedFor = title;
      filesWritten = scene->Exists("QVCURVEH.ZKT") && scene->Exists("qvzCNFG.ZKT") && scene->Exists("baseplot.ZKT");
    };
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QCOMPARE(askedFor, std::string("CV Engine Sim"));
    QVERIFY(filesWritten);
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(ProgramEnding());
  }

  // --- the power curve Cylvane hands over in ENGCURVE.ZKT

  void stdDynoCurveLoadsUnchangedAfterTheSummaryQuestion() {
    scene->Write(kHandOverFile, HandOver(kStdDyno, {{"1500", "8.456", "2.41"},
                                                    {"3000", "99.96", "57.1"},
                                                    {"4500", "350", "299.9"},
                                                    {"6000", "310", "354.1"}}));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, Space(33) + "Summary of Power Curve" + Space(30));
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::Question);
    QCOMPARE(scene->Box(0).prompt, "Power Curve found of 4 RPMs for a 355 cubic inch engine with:" + kCR + kCR +
                                       "    350  Peak Tq (ft lbs) @  4500 RPM" + kCR + kCR + "    354.1 Peak HP" +
                                       Space(14) + "@  6000 RPM" + kCR + kCR +
                                       "Power is corrected to 'Std Dyno: 29.92 & 60 deg F'." + kCR + kCR +
                                       "Do you want to use this power curve?");
    const std::tuple<int, int, const char*> curve[] = {{0, 1, "8.46"}, {1, 1, "100.0"}, {2, 1, "350"},
                                                       {0, 2, "2.41"}, {3, 0, "6000"},  {4, 0, ""}};
    for (auto [k, item, text] : curve) QCOMPARE(tbl.PowerCurveText[k][item], std::string(text));
    QCOMPARE_SPECS("E1=355;E6=0;E0=2;E13=;E14=");
    QCOMPARE(shell.CylvaneTitle, std::string("CV Engine Sim - 355 SBC"));
    QCOMPARE(tbl.ExchangeCond1, std::string("29.92"));
    QCOMPARE(tbl.ExchangeCond4, std::string("0"));
    QCOMPARE(tbl.StartMode, int16_t(1));  // the exit now hands back to Cylvane
    QCOMPARE(tbl.CalcMode, int16_t(0));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  // SAE weather: No leaves the specs but takes the weather; Yes picks the
  // SAE rating.
  void saeCurve() {
    SetSpecs("E1=454");
    tbl.PowerCurveText[0][0] = "1234";
    scene->Write(kHandOverFile, HandOver(kSae, Curve(5, 2, 4)));
    scene->ui.Answer(ans::No);
    QVERIFY(!ImportPowerCurve());
    QCOMPARE_SPECS("E1=454");
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("1234"));
    QCOMPARE(tbl.ExchangeCond1, std::string("29.6"));
    QCOMPARE(shell.CylvaneTitle, std::string("CV Engine Sim - 355 SBC"));
    QCOMPARE(tbl.StartMode, int16_t(0));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QVERIFY(scene->LastBox().prompt.find("Power is corrected to 'SAE: 29.6 & 77 deg F'.") != std::string::npos);
    QCOMPARE_SPECS("E6=1");
    QCOMPARE(tbl.PowerCurveText[2][1], std::string("400"));
  }

  void otherWeatherIsCorrectedToStdDyno() {
    scene->Write(kHandOverFile, HandOver("28.50\r\n95\r\n60\r\n2500\r\n", {{"3000", "400", "228.5"}, {"6000", "350", "400"}}));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QVERIFY(scene->Box(0).prompt.find("Power is not corrected to standard conditions, but will be corrected to "
                                      "'Std Dyno: 29.92 & 60 deg F'.") != std::string::npos);
    tbl.ExchangeCond1 = "28.50", tbl.ExchangeCond2 = "95", tbl.ExchangeCond3 = "60", tbl.ExchangeCond4 = "2500";
    tbl.CalcMode = -1;
    double factor = 0, density = 0;
    CalcAirConditions(factor, density);
    tbl.CalcMode = 0;
    QVERIFY(factor < 1.0);
    QCOMPARE(tbl.PowerCurveText[0][1], Format(400 / factor, "#####0"));
    QCOMPARE(tbl.PowerCurveText[1][2], Format(400 / factor, "#####0"));
    QCOMPARE_SPECS("E6=0");
  }

  void stdDynoLimits() {
    const std::pair<std::string, bool> cases[] = {
        {"29.92\r\n60\r\n33\r\n0\r\n", false},  // dew point 33 is already humid air
        {"29.92\r\n60\r\n32.9\r\n0\r\n", true},
        {"29.95\r\n60\r\n20\r\n0\r\n", false},  // 0.03 counts as different
        {"29.949\r\n60\r\n20\r\n0\r\n", true},  // 0.029 as equal
        {"29.92\r\n61.5\r\n20\r\n0\r\n", false},
        {"29.92\r\n60\r\n20\r\n-5\r\n", false},
        {"29.6\r\n77\r\n50.5\r\n0\r\n", false},  // neither Std Dyno nor SAE
    };
    for (const auto& [weather, isStd] : cases) {
      scene->ui.Clear();
      scene->Write(kHandOverFile, HandOver(weather, Curve(3, 1, 2)));
      scene->ui.Answer(ans::No);
      QVERIFY(!ImportPowerCurve());
      const std::string& prompt = scene->Box(0).prompt;
      QVERIFY2(isStd == (prompt.find("'Std Dyno: 29.92 & 60 deg F'.\r") != std::string::npos &&
                         prompt.find("not corrected") == std::string::npos),
               weather.c_str());
    }
  }

  void unusableCurvesAreRefused() {
    const std::pair<std::vector<Point>, std::string> cases[] = {
        {Curve(4, 1, 2), "0"},
        {{{"400", "300", "100"}, {"450", "310", "120"}}, "355"},  // peaks below 500 RPM
        {{{"3000", "30", "400"}, {"6000", "35", "420"}}, "355"},  // torque below a tenth of the HP
        {{{"3000", "400", "0"}}, "355"},
    };
    for (const auto& [points, displacement] : cases) {
      scene->ui.Clear();
      SetSpecs("E1=454");
      scene->Write(kHandOverFile, HandOver(kStdDyno, points, displacement));
      QVERIFY(!ImportPowerCurve());
      QCOMPARE(scene->BoxCount(), 1);
      QCOMPARE(scene->Box(0).prompt,
               std::string("Power Curve not in correct format or too unusual to be used by program."));
      QCOMPARE_SPECS("E1=454");
    }
    // A missing file: at most four read errors, then the refusal.
    scene->ui.Clear();
    std::filesystem::remove(scene->file(kHandOverFile));
    QVERIFY(!ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 5);
    QCOMPARE(scene->Box(0).prompt, std::string("File not found    1"));
    QCOMPARE(scene->Box(1).prompt, std::string("Bad file name or number    1"));
    QCOMPARE(scene->Box(4).prompt,
             std::string("Power Curve not in correct format or too unusual to be used by program."));
  }

  // Which of more than ten points are loaded: every other one plus the
  // peaks, then positions dropped from 1 upward, never a peak.
  void pointChoice() {
    struct Case {
      int n, torquePeak, hpPeak;
      std::vector<int> loaded;
    } cases[] = {
        {20, 7, 15, {0, 6, 7, 8, 10, 12, 14, 15, 16, 18}},
        {11, 3, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {11, 3, 10, {0, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {15, 2, 12, {0, 2, 6, 7, 8, 9, 10, 11, 12, 13}},  // step 1 marks 0..13
    };
    for (const Case& c : cases) {
      ResetTables();
      scene->Write(kHandOverFile, HandOver(kStdDyno, Curve(c.n, c.torquePeak, c.hpPeak)));
      scene->ui.Answer(ans::Yes);
      QVERIFY(ImportPowerCurve());
      QCOMPARE(LoadedPositions(), c.loaded);
    }
  }

  // A point without HP or at RPM 0 does not count, but can be the peak.
  void pointsThatDoNotCount() {
    const std::pair<std::string, std::string> cases[] = {
        {HandOver(kStdDyno, {{"3000", "400", "228"}, {"6000", "350", "400"}}) + "6500\r\n500\r\n",
         "    500  Peak Tq (ft lbs) @  6500 RPM"},
        {HandOver(kStdDyno, {{"0", "300", "10"}, {"3000", "400", "228"}, {"6000", "350", "400"}}), ""},
    };
    for (const auto& [file, peak] : cases) {
      scene->ui.Clear();
      scene->Write(kHandOverFile, file);
      scene->ui.Answer(ans::No);
      ImportPowerCurve();
      QVERIFY(scene->Box(0).prompt.rfind("Power Curve found of 2 RPMs", 0) == 0);
      QVERIFY(scene->Box(0).prompt.find(peak) != std::string::npos);
    }
  }

  void startModeTwoLoadsWithoutAnyBox() {
    tbl.StartMode = 2;
    // Refused outside start mode 2 (peak below 500 RPM), loaded here.
    scene->Write(kHandOverFile, HandOver(kStdDyno, {{"400", "300", "23"}, {"3000", "280", "160"}}));
    QVERIFY(ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("400"));
    QCOMPARE(tbl.StartMode, int16_t(2));
    QCOMPARE(shell.ExampleKind, int16_t(13));
    QCOMPARE_SPECS("E0=2");
  }

  // --- start mode 2: the program itself, started with "/E /M"

  void unattendedImportsCalculatesAndAnswersInElevenLines() {
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    WriteWorkingCopy(scene->path("VEHDAT/") + test::kMuscleCar);
    tbl.BeginnerLevel = 0;
    scene->WriteConfiguration();
    scene->Write("baseplot.ZKT", " 0\r\n");
    scene->Write("ENGCURVE.ZKT", kGoodCurve);
    const std::string config = scene->Read("qvzCNFG.ZKT"), working = scene->Read("QVCURVEH.ZKT");
    int exitCode = -1;
    auto lines = RunProgram(exitCode);
    QCOMPARE(exitCode, 0);
    QCOMPARE(lines.size(), size_t(11));
    double et = Val(lines[0]), mph = Val(lines[1]), sixty = Val(lines[2]);
    QVERIFY2(et > 10 && et < 16, lines[0].c_str());
    QVERIFY2(mph > 90 && mph < 130, lines[1].c_str());
    QVERIFY2(sixty > 1.2 && sixty < 2.5, lines[2].c_str());
    QCOMPARE(lines[1], Format(mph, "######.00"));
    QCOMPARE(lines[5], std::string("1320"));
    QCOMPARE(lines[6], std::string("3400"));
    QVERIFY(!lines[7].empty());
    QCOMPARE(lines[8], std::string("0"));
    QCOMPARE(lines[9], std::string(test::kMuscleCar));
    QCOMPARE(lines[10], std::string(""));
    // Nothing of the user's is written, the run history not touched.
    QCOMPARE(scene->Read("qvzCNFG.ZKT"), config);
    QCOMPARE(scene->Read("QVCURVEH.ZKT"), working);
    QCOMPARE(scene->Read("baseplot.ZKT"), std::string(" 0\r\n"));  // no base run hand-over
    QVERIFY(scene->Exists("ENGCURVE.ZKT"));
    if (scene->Exists("QVHISTRY"))
      for (auto& e : std::filesystem::directory_iterator(scene->file("QVHISTRY"))) QVERIFY(!e.is_regular_file());
  }

  // A refused curve or refused inputs, and missing files: "0" on line 1 and
  // the reason on line 11, never a box.
  void unattendedRefusalsAnswerWithTheReason() {
    struct Case {
      const char* fixture;  // the working copy; none at all when empty
      const char* secondGear;
      std::string curve;
      std::vector<std::string> reasons;
    } cases[] = {
        {test::kMuscleCar, nullptr, "CV\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n",
         {"Stagewell calculations can not be done due to:", "There is no power curve in the Engine Specs menu."}},
        {test::kMuscleCar, "3.5", kGoodCurve,
         {"Error.  Ratio for Trans Gear # 1 is less than Ratio for Trans Gear # 2"}},
        {"", nullptr, "", {"File not found    1", "There is no power curve"}},
    };
    for (const Case& c : cases) {
      NewScene();
      if (*c.fixture) {
        QVERIFY(test::LoadFixtureVehicle(c.fixture));
        if (c.secondGear) SpecAt(kTransmission, 10) = c.secondGear;  // lower than first
        WriteWorkingCopy(scene->path("VEHDAT/bad_gears"));
      }
      if (!c.curve.empty()) scene->Write("ENGCURVE.ZKT", c.curve);
      int exitCode = -1;
      auto lines = RunProgram(exitCode);
      QCOMPARE(exitCode, 0);
      QCOMPARE(lines.size(), size_t(11));
      QCOMPARE(lines[0], std::string("0"));
      if (*c.fixture) QCOMPARE(lines[9], std::string("bad_gears"));
      for (const std::string& reason : c.reasons) QVERIFY2(lines[10].find(reason) != std::string::npos, lines[10].c_str());
    }
  }

  // A mistyped curve point far beyond any engine with computer-chosen shift
  // points: the shift search's climb ends with the error report, at once.
  void unattendedEndsOnACurvePointBeyondAnyEngine() {
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    SpecAt(kDriving, 7) = "0";  // shift RPMs chosen by the program
    WriteWorkingCopy(scene->path("VEHDAT/far"));
    tbl.BeginnerLevel = 0;
    scene->WriteConfiguration();
    scene->Write("baseplot.ZKT", " 0\r\n");
    scene->Write("ENGCURVE.ZKT", std::string(kGoodCurve) + "1e20\r\n300\r\n300\r\n");
    int exitCode = -1;
    QElapsedTimer clock;
    clock.start();
    auto lines = RunProgram(exitCode);
    qInfo("a curve point at 1e20 RPM, computed shift RPMs: %lld ms", clock.elapsed());
    QCOMPARE(exitCode, 0);  // the answer is there, and it says why there is no run
    QVERIFY(lines.size() >= 11);
    QCOMPARE(lines[0], std::string("0"));
    QCOMPARE(lines[7], std::string(""));
    QVERIFY2(lines.back().find("ERR= 6  ERL= 936") != std::string::npos, lines.back().c_str());
  }

  // The engine program must never read an old answer as new: it is removed
  // before the run, and when no new one can be written the status says so.
  void unattendedWithoutAnAnswerFailsHonestly() {
    auto ready = [this] {
      scene->ReturningUser();
      scene->Write("ENGCURVE.ZKT", kGoodCurve);
    };
    // LapDtOut.txt cannot be written (a folder stands in its place).
    ready();
    std::filesystem::create_directories(scene->file("LapDtOut.txt/blocked"));
    int exitCode = -1;
    RunProgram(exitCode);
    QCOMPARE(exitCode, kUnattendedFailedStatus);
    QVERIFY(!std::filesystem::is_regular_file(scene->file("LapDtOut.txt")));

    // A read-only program folder: no answer, and an old one is emptied; an
    // old whole answer that can be neither removed nor emptied stays as it
    // was, and the status still says there is no new one.
    const std::string oldAnswer = "9.99\r\n150.00\r\n1.11\r\n1\r\n2\r\n1320\r\n3000\r\n 4\r\n0\r\nOLD\r\n\r\n";
    for (int stale : {0, 1, 2}) {
      NewScene();
      ready();
      if (stale) {
        scene->Write("LapDtOut.txt", stale == 1 ? std::string("12.34\r\n110.50\r\n") : oldAnswer);
        std::filesystem::permissions(scene->file("LapDtOut.txt"), std::filesystem::perms(stale == 1 ? 0666 : 0444));
      }
      std::filesystem::permissions(scene->folder(), std::filesystem::perms(0555));
      RunProgram(exitCode, {"/E", "/M"}, true);
      std::filesystem::permissions(scene->folder(), std::filesystem::perms(0755));
      // A build inside root's private home cannot be started as another user.
      if (exitCode == kCouldNotStart) QSKIP("the program cannot be started as an unprivileged user from this build folder");
      QCOMPARE(exitCode, kUnattendedFailedStatus);
      if (stale)
        QCOMPARE(scene->Read("LapDtOut.txt"), stale == 1 ? std::string() : oldAnswer);
      else
        QVERIFY(!scene->Exists("LapDtOut.txt"));
    }

    // LapDtOut.txt a link: one to a file stays, and the answer goes where it
    // leads; one to a folder or to nothing fails the run, nothing written.
    for (std::string to : {"answer.txt", "answers", "none"}) {
      NewScene();
      ready();
      std::filesystem::create_directories(scene->file("answers"));
      scene->Write("answer.txt", "9.99\r\n");
      std::filesystem::create_symlink(to, scene->file("LapDtOut.txt"));
      const auto entries = [this] {
        return std::distance(std::filesystem::recursive_directory_iterator(scene->folder()), {});
      };
      const auto before = entries();
      auto lines = RunProgram(exitCode);
      QVERIFY(std::filesystem::is_symlink(scene->file("LapDtOut.txt")));
      if (to == "answer.txt") QVERIFY(exitCode == 0 && lines.size() == 11 && Val(lines[0]) > 5 && lines[0] != "9.99");
      else QVERIFY(exitCode == kUnattendedFailedStatus && entries() == before && scene->Read("answer.txt")[0] == '9');
    }
  }

  // An error that reaches the entry procedure (a failed allocation on a huge
  // working copy) still ends start mode 2: the refusal and a failure status.
  void unattendedEndsWhenAnErrorReachesMain() {
    struct FailingUi : UnattendedUi {
      bool failed = false;
      int MsgBox(const std::string& prompt, int style, const std::string& title) override {
        if (!failed) {
          failed = true;
          throw std::bad_alloc();
        }
        return UnattendedUi::MsgBox(prompt, style, title);
      }
    } ui;
    scene->ReturningUser();
    std::filesystem::remove(scene->file("baseplot.ZKT"));  // its report is the first box
    SetUi(&ui);
    SetActiveUnattendedUi(&ui);
    Main({"/E", "/M"});
    SetActiveUnattendedUi(nullptr);
    SetUi(nullptr);
    QVERIFY(ui.failed);
    QVERIFY(ProgramEnding());
    QCOMPARE(ProgramExitStatus(), kUnattendedFailedStatus);
    auto lines = CrLfLines(scene->Read(kLapDataFileName));
    QVERIFY(lines.size() >= 11);
    QCOMPARE(lines[0], std::string("0"));
    QVERIFY2(lines.back().find("Cylvane Transfer error #  7") != std::string::npos, lines.back().c_str());
    QVERIFY(lines.back().find("The calculation ended without a result.") != std::string::npos);
  }

  // Start-up removes what killed saves left behind, when older than the start.
  void startUpRemovesLeftOverTemporaryFiles() {
    scene->ReturningUser();
    scene->Write("ENGCURVE.ZKT", kGoodCurve);
    scene->Write("VEHDAT/CAR.00998cad5c5b.tmp", "cut off");
    scene->Write("qvzCNFG.ZKT.0123456789ab.tmp", "cut off");
    for (const char* f : {"VEHDAT/CAR.00998cad5c5b.tmp", "qvzCNFG.ZKT.0123456789ab.tmp"})
      std::filesystem::last_write_time(scene->file(f),
                                       std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
    int exitCode = -1;
    RunProgram(exitCode);
    QCOMPARE(exitCode, 0);
    QVERIFY(!scene->Exists("VEHDAT/CAR.00998cad5c5b.tmp"));
    QVERIFY(!scene->Exists("qvzCNFG.ZKT.0123456789ab.tmp"));
    QVERIFY(scene->Exists("QVCURVEH.ZKT"));  // nothing else is touched
  }

  // The copy of an unreadable file is kept whole or not at all, and a copy
  // kept earlier is never replaced (an empty one, left by an interrupted
  // copy, is).
  void unreadableFileKeptAsideOnce() {
    const auto file = scene->file("qvzCNFG.ZKT");
    scene->Write("qvzCNFG.ZKT", "first damage");
    KeepUnreadableFile(file);
    QCOMPARE(scene->Read("qvzCNFG.ZKT.bad"), std::string("first damage"));
    scene->Write("qvzCNFG.ZKT", "second damage");
    KeepUnreadableFile(file);
    QCOMPARE(scene->Read("qvzCNFG.ZKT.bad"), std::string("first damage"));
    scene->Write("qvzCNFG.ZKT.bad", "");
    KeepUnreadableFile(file);
    QCOMPARE(scene->Read("qvzCNFG.ZKT.bad"), std::string("second damage"));
    for (auto& e : std::filesystem::directory_iterator(scene->folder()))
      QVERIFY(!IsTemporaryFileName(e.path().filename().string()));
  }

  void completingKeepsTheCalculationsOwnLines() {
    UnattendedUi collected;
    SetActiveUnattendedUi(&collected);
    collected.MsgBox("Possible Error reading Configuration File.  File not found", mb::OKOnly, "");
    WriteLapDataFile({"12.34", "110.50", "1.750", "1200", "900", "1320", "3400", " 4", "0", "GTO",
                      std::string(2, '\r') + "warning"});
    CompleteLapDataFile();
    SetActiveUnattendedUi(nullptr);
    auto lines = CrLfLines(scene->Read(kLapDataFileName));
    QCOMPARE(lines.size(), size_t(11));
    QCOMPARE(lines[0], std::string("12.34"));
    QCOMPARE(lines[10], "Possible Error reading Configuration File.  File not found" + kCR + kCR + kCR + "warning");
  }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
