// The comments editor, with the real main window behind it.
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "files/help_pages.h"
#include "printing/print_screen.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/help_form.h"
#include "shell/shell_fixture.h"

using namespace sw;

namespace {
// The main window's start-up notices stay out of these tests.
void QuietStart() {
  shell.StartupScreenShown = 1;
  shell.BeginnerNoticeShown = 1;
  shell.ActivationCount = 100;
}

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}
}  // namespace

class SmallWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void commentsGoBackWhenTheMainWindowIsClicked() {
    ShellScene s;
    QuietStart();
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->ShowComments("first line\r\n");
    fst.VehicleComments = "first line\r\n";
    fst.SpecsChanged = 0;
    m->show();
    frmDispCmnts::ShowVehicleComments();
    QPointer<frmDispCmnts> c = DefaultInstance<frmDispCmnts>::IfLoaded();
    QVERIFY(c);
    QCOMPARE(c->windowTitle(), QString("Vehicle Comments"));
    QCOMPARE(c->Text1->toPlainText(), QString("first line\n"));
    QApplication::setActiveWindow(c);
    Settle();
    QVERIFY(c);
    c->Text1->setPlainText("first line\nsecond line");
    QApplication::setActiveWindow(m);
    Settle();
    QVERIFY(!DefaultInstance<frmDispCmnts>::IfLoaded());
    QCOMPARE(m->Text1->toPlainText(), QString("first line\nsecond line"));
    QCOMPARE(fst.VehicleComments, std::string("first line\r\nsecond line"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  void emptyCommentsAreWrittenBackEmpty() {
    ShellScene s;
    QuietStart();
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->ShowComments("old\r\n");
    fst.VehicleComments = "old\r\n";
    frmDispCmnts::ShowVehicleComments();
    frmDispCmnts* c = DefaultInstance<frmDispCmnts>::IfLoaded();
    c->Text1->clear();
    c->Command1->click();
    Settle();
    QCOMPARE(m->Text1->toPlainText(), QString(""));
    QCOMPARE(fst.VehicleComments, std::string(""));
  }

  void unchangedCommentsDoNotMarkTheVehicleChanged() {
    ShellScene s;
    QuietStart();
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->ShowComments("same\r\n");
    fst.SpecsChanged = 0;
    frmDispCmnts::ShowVehicleComments();
    DefaultInstance<frmDispCmnts>::IfLoaded()->Command1->click();
    Settle();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(fst.VehicleComments, std::string("same\r\n"));
  }

  void preferencesMenuMarksAndActions() {
    ShellScene s;
    QuietStart();
    frmMain* m = DefaultInstance<frmMain>::Get();
    tbl.FinerTime = 0;
    tbl.InstantUpdate = 1;
    tbl.BeginnerLevel = 1;
    cfg.ThickEngineLines = 0;
    fst.FloppyDrive = "B";
    emit m->mnuPreferences->aboutToShow();
    auto item = [m](const char* n) { return m->findChild<QAction*>(n); };
    QCOMPARE(item("mnuDefaultDrive")->text(), QString("Default Floppy Drive, currently B"));
    QVERIFY(item("mnuStdTime")->isChecked() && !item("mnuFinerTime")->isChecked());
    QVERIFY(item("mnuAllowInstant")->isChecked() && !item("mnuDontAllowInstant")->isChecked());
    QVERIFY(item("mnuBeginner")->isChecked() && !item("mnuExperieced")->isChecked());
    QVERIFY(item("mnuEngineThinLines")->isChecked() && !item("mnuEngineThickLines")->isChecked());
    QVERIFY(item("mnuFinerTime")->isEnabled());
    item("mnuFinerTime")->trigger();
    QCOMPARE(tbl.FinerTime, int16_t(1));
    QCOMPARE(s.Box(0).title, std::string("Time Increment Slightly Affects Results"));
    item("mnuExperieced")->trigger();
    QCOMPARE(tbl.BeginnerLevel, int16_t(0));
    emit m->mnuPreferences->aboutToShow();
    QVERIFY(item("mnuFinerTime")->isChecked() && item("mnuExperieced")->isChecked());
    s.ui.Answer(ans::No);
    item("mnuDeleteUnchangedExamples")->trigger();
    QCOMPARE(s.Box(1).title, std::string("Delete Example 3.0 Vehicle Files from Your Saved Vehicle Library?"));
    QCOMPARE(cfg.OldExamplesDeleted, int16_t(0));
  }

  void helpMenuOpensTheMainScreenHelp() {
    ShellScene s;
    QuietStart();
    SetProgramFolder(std::filesystem::path(SW_SOURCE_DIR) / "data");
    frmMain* m = DefaultInstance<frmMain>::Get();
    QVERIFY(m->mnuHelpHelp->isEnabled());
    m->mnuHelpHelp->trigger();
    HelpForm* h = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(h);
    QCOMPARE(h->windowTitle(), QString("Help On Main Screen  (1 of 8)"));
    QCOMPARE(shell.HelpMenuNumber, int16_t(1000));
    QVERIFY(m->mnuOpenExampleFile->isEnabled() && m->mnuFilLoad->isEnabled() && m->cmdOpen->isEnabled());
    h->close();
    Settle();
    SetProgramFolder(s.folder());
  }

  void startUpShowsTheWarningScreenOnce() {
    ShellScene s;
    shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;
    tbl.BeginnerLevel = 0;
    SetProgramFolder(std::filesystem::path(SW_SOURCE_DIR) / "data");
    PrintScreen::SystemNumberText() = [] { return std::string("2.333"); };
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->InitMainWindow();
    QPointer<PrintScreen> p = DefaultInstance<PrintScreen>::IfLoaded();
    QVERIFY(p);
    QCOMPARE(p->windowTitle(), QString("Stagewell v3.2  -  Please Read"));
    QCOMPARE(shell.TextScreenId, int16_t(1));
    p->Command1->click();
    Settle();
    m->InitMainWindow();
    QVERIFY(!DefaultInstance<PrintScreen>::IfLoaded());
    SetProgramFolder(s.folder());
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_qtest.moc"
