// Start-up: the start modes, the caption, the base run file and the main
// window's initialisation on its activations.
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/text.h"
#include "shell/base_run_file.h"
#include "shell/frm_intro_help.h"
#include "shell/startup.h"
#include "shell_fixture.h"

using namespace sw;

class StartupTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* Load() { return DefaultInstance<frmMain>::Get(); }

  // A program folder as a returning user has it: configuration, base run
  // and the working copy of a muscle car.
  void ReturningUser(int16_t changed = 0) {
    MuscleCarSpecs();
    WriteWorkingCopy(scene->folder().string() + "/VEHDAT/MUSCLE", "Big-block four-speed\r\n");
    fst.SpecsChanged = changed;
    tbl.BeginnerLevel = 0;
    int16_t write = 0;
    ReadWriteConfiguration(write);
    WriteBaseRunFile();
    ResetTables();
    ResetFileState();
    ConfigurationDefaults();
    WritePresetLists(*scene);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
  }
  void cleanup() { scene.reset(); }

  void startModesFromTheCommandLine() {
    QCOMPARE(StartModeFromCommandLine(""), 0);
    QCOMPARE(StartModeFromCommandLine("/e"), 0);  // case-sensitive
    QCOMPARE(StartModeFromCommandLine("/e /m"), 0);
    QCOMPARE(StartModeFromCommandLine("/M"), 0);
    QCOMPARE(StartModeFromCommandLine("/E"), 1);
    QCOMPARE(StartModeFromCommandLine("/E /m"), 1);
    QCOMPARE(StartModeFromCommandLine("/E /M"), 2);
    QCOMPARE(StartModeFromCommandLine("/M /E"), 2);
    QCOMPARE(StartModeFromCommandLine("x/Ey/Mz"), 2);
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

  void baseRunFileRoundTrip() {
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
  }

  void baseRunFileBounds() {
    // Only the row count: the table is left as it was.
    tbl.BaseRun[1][0] = 7;
    scene->Write("baseplot.ZKT", " 12\r\n");
    QCOMPARE(ReadBaseRunFile().number, 0);
    QCOMPARE(tbl.BaseRunRows, int16_t(12));
    QCOMPARE(tbl.BaseRun[1][0], 7.0);

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

  void firstActivationReadsTheWorkingCopyAndRestoresItsChangedFlag() {
    ReturningUser(1);
    frmMain* w = Load();
    QCOMPARE(fst.CurrentFileName, std::string(""));
    w->InitMainWindow();
    QVERIFY(w->MainInitDone);
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3850"));
    QCOMPARE(fst.CurrentFileName, std::string("MUSCLE"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(w->windowTitle(), QString(" Stagewell v3.2   Korvath   [ MUSCLE ]"));
    QCOMPARE(w->Label5[1]->text(), QString("Clutch:  User Defined Specs\nTransmission:   4 speed, user defined specs"));
    QCOMPARE(w->Text1->toPlainText(), QString("Big-block four-speed\n"));
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!w->MainCommand[4]->isVisibleTo(w));
    // The comments shown from the file are not an edit.
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    fst.SpecsChanged = 0;
    w->InitMainWindow();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
  }

  void startModeOneTellsHowToLoadTheCurve() {
    ReturningUser();
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
  }

  void missingBaseRunIsReportedOnceAndStartUpGoesOn() {
    ReturningUser();
    std::filesystem::remove(scene->file("baseplot.ZKT"));
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt, std::string("Possible Error reading Configuration File.   53  File not found"));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3850"));
  }

  void unreadableWorkingCopyIsKeptAsideAndNothingIsLoaded() {
    ReturningUser();
    scene->Write("QVCURVEH.ZKT", "garbage that is not a vehicle\r\n");
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(SpecAt(kVehicle, 0), std::string(""));
    QVERIFY(scene->Exists("QVCURVEH.ZKT.bad"));
    QCOMPARE(scene->Read("QVCURVEH.ZKT.bad"), std::string("garbage that is not a vehicle\r\n"));
    QVERIFY(w->MainInitDone);
  }

  void missingWorkingCopyStartsQuietly() {
    frmMain* w = Load();
    tbl.BeginnerLevel = 0;
    scene->Write("baseplot.ZKT", " 0\r\n");
    int16_t write = 0;
    ReadWriteConfiguration(write);
    WritePresetLists(*scene);
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!scene->Exists("QVCURVEH.ZKT.bad"));
  }

  void beginnerNoticeOncePerRun() {
    ReturningUser();
    tbl.BeginnerLevel = 1;
    int16_t write = 0;
    ReadWriteConfiguration(write);
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Beginner Level Help"));
    QVERIFY(scene->Box(0).prompt.rfind("The program is set to 'Beginner Level', which is very helpful", 0) == 0);
    w->InitMainWindow();
    QCOMPARE(scene->BoxCount(), 1);
  }

  void tipOnTheFourthActivation() {
    ReturningUser();
    frmMain* w = Load();
    for (int i = 1; i <= 3; ++i) {
      w->InitMainWindow();
      QCOMPARE(shell.ActivationCount, int16_t(i));
      QCOMPARE(shell.TipNumber, int16_t(0));
    }
    // The tip window is modal: answer it.
    QTimer::singleShot(0, [] {
      if (auto* tip = qobject_cast<frmIntroHelp*>(QApplication::activeModalWidget())) tip->Command1[0]->click();
    });
    w->InitMainWindow();
    QCOMPARE(shell.TipNumber, int16_t(20));
    QCOMPARE(shell.TipShown[20], int16_t(1));
    QCOMPARE(shell.ActivationCount, int16_t(100));
    w->InitMainWindow();
    QCOMPARE(shell.ActivationCount, int16_t(100));
  }

  void noTipWhenShownOrAfterThe39thActivation() {
    ReturningUser();
    frmMain* w = Load();
    shell.TipShown[20] = 1;
    for (int i = 0; i < 39; ++i) w->InitMainWindow();
    QCOMPARE(shell.TipNumber, int16_t(0));
    shell.TipShown[20] = 0;
    w->InitMainWindow();  // the 40th
    QCOMPARE(shell.TipNumber, int16_t(0));
    QCOMPARE(shell.ActivationCount, int16_t(40));
  }

  void startupScreenOncePerRun() {
    ReturningUser();
    frmMain* w = Load();
    w->InitMainWindow();
    QCOMPARE(shell.StartupScreenShown, int16_t(1));
    QCOMPARE(shell.TextScreenId, int16_t(1));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
