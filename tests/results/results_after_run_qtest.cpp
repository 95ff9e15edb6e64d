// F2 on a fixture car: the real run hands its results to the results
// window; the history fills up to 25 runs; a run's specs come back from its
// history copy.
#include <QDir>
#include <QLabel>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "files/configuration.h"
#include "files/file_state.h"
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/frm_main.h"
#include "shell/help_form.h"
#include "shell/shell_state.h"
#include "platform/qt/grid.h"
#include "platform/qt/qt_ui.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "results/frm_disp_grid.h"
#include "shell/qt_window_host.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

// What the Calculate button does.
double PressF2() {
  tbl.CalcStatus = 0;
  tbl.CalcMode = 0;
  tbl.AbortCalc = 0;
  tbl.QuietCalc = 0;
  double trap = 0, sixty = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  return trap;
}

}  // namespace

class ResultsAfterRunTest : public QObject {
  Q_OBJECT

  TempFolder* home_ = nullptr;
  ScopedScriptedUi* ui_ = nullptr;

 private slots:
  void init() {
    home_ = new TempFolder;
    SetProgramFolder(home_->path());
    fs::create_directories(home_->path() / "QVHISTRY");
    ResetTables();
    ResetFileState();
    cfg = Configuration{};
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    fst.CurrentFileName = test::kMuscleCar;
    fst.CurrentFilePath = (home_->path() / "VEHDAT" / test::kMuscleCar).string();
    InstallQtWindows();
    frmDispGrid::SetRetrievalPauseMs(0);
    ui_ = new ScopedScriptedUi;
  }

  void cleanup() {
    frmDispGrid::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetWindows(nullptr);
    delete ui_;
    delete home_;
  }

  void f2ShowsTheRunsFinish() {
    tbl.HistoryDisplay = 2;
    const double trap = PressF2();
    QVERIFY(tbl.FinishRow > 1);
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    const int f = tbl.FinishRow;
    QCOMPARE(w->grdOUT->TextAt(f, 1), tbl.HistoryEt[0]);
    QCOMPARE(w->grdOUT->TextAt(f, 4), std::string("1320"));
    QCOMPARE(Val(w->grdOUT->TextAt(f, 2)), Val(tbl.ResultsText[2][f]));
    QCOMPARE(FromQ(w->Label1[2]->text()).substr(0, tbl.HistoryEt[0].size()), tbl.HistoryEt[0]);
    // The MPH the run returned: its trap speed.
    QVERIFY(trap > 0);
    QCOMPARE(FromQ(w->Label1[4]->text()).substr(0, 6), Format(trap / 1.467, "###.00"));
    QCOMPARE(w->Grid1->TextAt(1, 8), Format(trap / 1.467, "###.00"));
    // A racer's sanity check on the run itself.
    QVERIFY(Val(tbl.HistoryEt[0]) > 9 && Val(tbl.HistoryEt[0]) < 16);

    // The history grid's new top row is this run.
    QCOMPARE(w->Grid1->TextAt(1, 6), tbl.HistoryEt[0]);
    QCOMPARE(w->Grid1->TextAt(1, 0).rfind(std::string(test::kMuscleCar) + ": ", 0), size_t(0));
    QCOMPARE(w->Grid1->TextAt(1, 1), std::string("1320"));
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string(""));
    QVERIFY(fs::exists(home_->path() / "QVHISTRY" / "A"));

    QDir(QCoreApplication::applicationDirPath()).mkpath("screenshots");
    QVERIFY(w->grab().save(QCoreApplication::applicationDirPath() + "/screenshots/results_after_f2.png"));

    // The save-as window closes it after a retrieval that followed a save.
    Windows().UnloadResultsWindow();
    QVERIFY(!frmDispGrid::IfLoaded());
  }

  void mainWindowWaitsForTheResults() {
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    QCoreApplication::processEvents();
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    fst.CurrentFileName = test::kMuscleCar;
    m->cmdRun_Click();
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w);
    QVERIFY(w->parentWidget() == m);
    // Nothing may start another run or change the vehicle behind the
    // results while they are up.
    for (QPushButton* b : {m->cmdRun, m->cmdOpen, m->cmdSave}) {
      QVERIFY(b->isHidden());
      QVERIFY(!b->isEnabled());
    }
    QVERIFY(!m->Picture1->isEnabled());
    QVERIFY(!m->Picture2->isEnabled());

    // Its comments button opens the comments editor with the main window's
    // comments; its help shows the results topic.
    m->ShowComments("Street tires, 3.73 gears");
    QVERIFY(w->Command1->isEnabled());
    w->Command1->click();
    frmDispCmnts* c = DefaultInstance<frmDispCmnts>::IfLoaded();
    QVERIFY(c);
    QCOMPARE(c->Text1->toPlainText(), QString("Street tires, 3.73 gears"));
    DefaultInstance<frmDispCmnts>::Unload();
    QVERIFY(w->mnuHelp->isEnabled());
    w->mnuHelp->trigger();
    QVERIFY(DefaultInstance<HelpForm>::IfLoaded());
    QCOMPARE(shell.HelpMenuNumber, int16_t(900));
    DefaultInstance<HelpForm>::Unload();

    w->mnuClose->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmDispGrid::IfLoaded());
    for (QPushButton* b : {m->cmdRun, m->cmdOpen, m->cmdSave}) {
      QVERIFY(!b->isHidden());
      QVERIFY(b->isEnabled());
    }
    QVERIFY(m->Picture1->isEnabled() && !m->Picture1->isHidden());
    QVERIFY(m->Picture2->isEnabled() && !m->Picture2->isHidden());
    QCOMPARE(tbl.BaseRunRows, tbl.RunLogRows);
    DefaultInstance<frmMain>::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void twentySixthRunPushesOutTheOldest() {
    tbl.HistoryDisplay = 2;
    PressF2();
    tbl.HistoryTitle[0] = "THE FIRST RUN";
    for (int run = 2; run <= 25; ++run) PressF2();
    QCOMPARE(tbl.HistoryTitle[24], std::string("THE FIRST RUN"));
    QCOMPARE(tbl.HistoryName[0], std::string("Y"));
    PressF2();  // the 26th
    for (int i = 0; i < kHistorySlots; ++i) QVERIFY(tbl.HistoryTitle[i] != "THE FIRST RUN");
    QCOMPARE(tbl.HistoryName[0], std::string("A"));
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w);
    QCOMPARE(w->Grid1->Rows(), 25);
    // Same car, same weather: every improvement is zero.
    QCOMPARE(w->Grid1->TextAt(1, 7), std::string(".00"));
    QCOMPARE(w->Grid1->TextAt(24, 7), std::string(""));
  }

  void retrievingARunBringsItsSpecsBack() {
    tbl.HistoryDisplay = 2;
    PressF2();
    const std::string runSpecs = tbl.SpecText[1];
    const std::string title = tbl.HistoryTitle[0];
    // The racer changes the engine afterwards, and does not save.
    tbl.SpecText[1] = "502";
    fst.SpecsChanged = 1;
    frmDispGrid* w = frmDispGrid::IfLoaded();
    w->Grid1->SetRow(1);

    (*ui_)->Answer(ans::Cancel);
    w->mnuGridOpen_Click();
    QCOMPARE(tbl.SpecText[1], std::string("502"));
    QVERIFY(frmDispGrid::IfLoaded());
    const auto& ask = (*ui_)->boxes().back();
    QCOMPARE(ask.title, std::string("Update Current File before Retrieving New Vehicle"));
    QCOMPARE(ask.prompt, "Save your changes to " + std::string(test::kMuscleCar) + " ?\r\rChanges you have made to " +
                             test::kMuscleCar +
                             " since you retrieved it will be lost unless you save them now by clicking on Yes.");
    QCOMPARE(ask.style, mb::YesNoCancel + mb::Question);

    (*ui_)->Answer(ans::No);
    w->mnuGridOpen_Click();
    QCOMPARE(tbl.SpecText[1], runSpecs);
    QCOMPARE(fst.SpecsChanged, int16_t(1));  // a history copy is not a saved file
    QCOMPARE((*ui_)->boxes().back().prompt, "File for:\r\r    " + title + "\r\rsuccessfully retrieved.");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmDispGrid::IfLoaded());
  }

  void olderCopiesAndDamagedCopies() {
    tbl.HistoryDisplay = 2;
    PressF2();
    const fs::path copy = home_->path() / "QVHISTRY" / tbl.HistoryName[0];
    std::string bytes;
    QVERIFY(ReadFileBytes(copy, bytes));
    QVERIFY(bytes.rfind("QVZ-ZKT*3.20\r\n", 0) == 0);

    // Damaged: the MPH line belongs to another run. Refused, specs kept.
    std::string damaged = bytes;
    size_t l3 = damaged.find("\r\n", damaged.find("\r\n") + 2) + 2;
    damaged.insert(l3, "1");
    QVERIFY(WriteFileAtomic(copy, damaged));
    tbl.SpecText[1] = "502";
    frmDispGrid* w = frmDispGrid::IfLoaded();
    w->Grid1->SetRow(1);
    w->mnuGridOpen_Click();
    QCOMPARE((*ui_)->boxes().back().prompt,
             std::string("These specs can not be restored because the file containing them has been lost or "
                         "corrupted."));
    QCOMPARE(tbl.SpecText[1], std::string("502"));

    // Cut off after its key lines: refused the same way, specs kept.
    QVERIFY(WriteFileAtomic(copy, bytes.substr(0, bytes.find("\r\n", l3 + 10) + 2)));
    const size_t shown = (*ui_)->boxes().size();
    w->mnuGridOpen_Click();
    QCOMPARE((*ui_)->boxes().size(), shown + 1);
    QCOMPARE((*ui_)->boxes().back().prompt,
             std::string("These specs can not be restored because the file containing them has been lost or "
                         "corrupted."));
    QCOMPARE(tbl.SpecText[1], std::string("502"));

    // A copy written by version 3.00 is accepted.
    ResetTables();
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    fst.SpecsChanged = 0;
    tbl.HistoryDisplay = 2;
    PressF2();
    const std::string et = tbl.HistoryEt[0];
    QVERIFY(ReadFileBytes(fs::path(home_->path() / "QVHISTRY" / tbl.HistoryName[0]), bytes));
    std::string old = "QVZ-ZKT*3.00" + bytes.substr(12);
    QVERIFY(WriteFileAtomic(home_->path() / "QVHISTRY" / tbl.HistoryName[0], old));
    tbl.SpecText[1] = "502";
    w = frmDispGrid::IfLoaded();
    w->Grid1->SetRow(1);
    w->mnuGridOpen_Click();
    QCOMPARE((*ui_)->boxes().back().prompt.rfind("File for:", 0), size_t(0));
    QVERIFY(tbl.SpecText[1] != "502");
  }
};

QTEST_MAIN(ResultsAfterRunTest)
#include "results_after_run_qtest.moc"
