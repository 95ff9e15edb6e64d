// Leaving the program: the quit question, the working copy, the save
// question, the configuration and base run, the hand-over file and the
// hand-back to Cylvane.
#include <QtTest>

#include "shell/base_run_file.h"
#include "shell/cylvane_link.h"
#include "shell/power_curve_import.h"
#include "shell_fixture.h"

using namespace sw;

class ExitTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* Ready() {
    MuscleCarSpecs();
    WritePresetLists(*scene);
    frmMain* w = DefaultInstance<frmMain>::Get();
    fst.CurrentFilePath = scene->folder().string() + "/VEHDAT/MUSCLE";
    fst.CurrentFileName = "MUSCLE";
    w->MainInitDone = true;
    w->show();
    return w;
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    SetProgramWindowActivator({});
  }
  void cleanup() {
    SetProgramWindowActivator({});
    scene.reset();
  }

  void noToQuitKeepsEverything() {
    frmMain* w = Ready();
    scene->ui.Answer(ans::No);
    w->mnuFilExit_Click();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt, std::string("Quit Stagewell ?"));
    QCOMPARE(scene->Box(0).title, std::string(""));
    QCOMPARE(scene->Box(0).style, mb::YesNoCancel + mb::Question);
    QCOMPARE(w->ExitCancelled, 1);
    QVERIFY(!ProgramEnding());
    QVERIFY(!scene->Exists("QVCURVEH.ZKT"));
  }

  void closingTheWindowAsksToo() {
    frmMain* w = Ready();
    scene->ui.Answer(ans::Cancel);
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QCOMPARE(scene->Box(0).prompt, std::string("Quit Stagewell ?"));
    QVERIFY(!ProgramEnding());
  }

  void withoutChangesNoSaveQuestionAndEverythingIsWritten() {
    frmMain* w = Ready();
    fst.SpecsChanged = 0;
    scene->Write(kHandOverFile, "CV\r\n");
    tbl.BaseRunRows = 2;
    tbl.BaseRun[1][3] = 6000;
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(ProgramEnding());
    QCOMPARE(ProgramExitStatus(), 0);
    QCOMPARE(scene->Read("QVCURVEH.ZKT").rfind("QVZ-ZKT*3.20\r\n0\r\n454\r\n", 0), size_t(0));
    QVERIFY(scene->Exists("qvzCNFG.ZKT"));
    auto base = CrLfLines(scene->Read("baseplot.ZKT"));
    QCOMPARE(base[0], std::string(" 2"));
    QCOMPARE(base[1 + 3 * 9 + 1], std::string(" 6000"));
    QVERIFY(!scene->Exists(kHandOverFile));
  }

  void cancelOnTheSaveQuestionWritesOnlyTheWorkingCopy() {
    frmMain* w = Ready();
    fst.SpecsChanged = 1;
    scene->ui.Answer(ans::Yes);
    scene->ui.Answer(ans::Cancel);
    w->mnuFilExit_Click();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(1).title, std::string("Save Your Changes ?"));
    QCOMPARE(scene->Box(1).prompt,
             "Save your changes to the Library copy of:" + kCR + kCR + "   MUSCLE" + kCR + kCR +
                 "(Even if you do not save these changes to the Library copy of MUSCLE now, they are maintained in "
                 "the temporary, working copy of MUSCLE which is brought up on the main screen the next time you "
                 "start the program.)");
    QVERIFY(scene->Exists("QVCURVEH.ZKT"));
    QVERIFY(!scene->Exists("qvzCNFG.ZKT"));
    QVERIFY(!scene->Exists("baseplot.ZKT"));
    QCOMPARE(w->ExitCancelled, 1);
    QVERIFY(!ProgramEnding());
  }

  void yesSavesTheLibraryCopyUnderItsName() {
    frmMain* w = Ready();
    fst.SpecsChanged = 1;
    scene->ui.Answer(ans::Yes);
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QVERIFY(scene->Exists("VEHDAT/MUSCLE"));
    // The configuration keeps the changed state of the working copy.
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QVERIFY(ProgramEnding());
  }

  void startModeOneHandsBackLast() {
    frmMain* w = Ready();
    tbl.StartMode = 1;
    shell.CylvaneTitle = "CV Engine Sim";
    fst.SpecsChanged = 0;
    std::string askedFor;
    bool filesWritten = false;
    SetProgramWindowActivator([&](const std::string& title) {
      askedFor = title;
      filesWritten = scene->Exists("QVCURVEH.ZKT") && scene->Exists("qvzCNFG.ZKT") && scene->Exists("baseplot.ZKT");
      return false;  // the window could not be raised: quietly so
    });
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QCOMPARE(askedFor, std::string("CV Engine Sim"));
    QVERIFY(filesWritten);
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(ProgramEnding());
  }

  void startModeZeroSendsNothingToCylvane() {
    frmMain* w = Ready();
    bool asked = false;
    SetProgramWindowActivator([&](const std::string&) { return asked = true; });
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QVERIFY(!asked);
    QVERIFY(ProgramEnding());
  }

  void aNewVehicleIsNamedBeforeTheProgramEnds() {
    frmMain* w = Ready();
    fst.CurrentFileName.clear();
    fst.CurrentFilePath.clear();
    fst.SpecsChanged = 1;
    scene->ui.Answer(ans::Yes);
    scene->ui.Answer(ans::Yes);
    w->mnuFilExit_Click();
    QVERIFY(scene->Exists("QVCURVEH.ZKT"));
    QVERIFY(!ProgramEnding());
    QCOMPARE(w->ExitCancelled, 1);
  }

  void noExitWhileCalculating() {
    frmMain* w = Ready();
    tbl.CalcRunning = true;
    w->mnuFilExit_Click();
    QVERIFY(!w->close());
    tbl.CalcRunning = false;
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!ProgramEnding());
  }
};

QTEST_MAIN(ExitTest)
#include "exit_qtest.moc"
