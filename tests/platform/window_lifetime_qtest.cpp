// Windows unloaded while their own handler waits in a box, a dialog or the event pump, deferred
// deletions delivered there as a nested event loop does: the handler never touches the gone window
// (./test.sh runs these under AddressSanitizer), which goes once the handler has returned. A modal
// help window asked for again comes to the front instead of opening inside itself.
#include <QPrintPreviewDialog>
#include <QPointer>
#include <QtTest>

#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "files/example_library.h"
#include "platform/qt/grid.h"
#include "platform/qt/printer.h"
#include "printing/print_screen.h"
#include "results/frm_disp_grid.h"
#include "results/results_fixture.h"
#include "shell/frm_cmmd_intro.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_comma.h"
#include "shell/frm_example.h"
#include "specs/spec_window_fixture.h"
#include "specs/spec_windows.h"

using namespace sw;

static void DeliverDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class WindowLifetimeTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

 private slots:
  void init() { scene = std::make_unique<SpecScene>(), ResetExampleValues(), ResetDialInState(); }
  void cleanup() { scene->ui.onBox = nullptr, scene.reset(); }

  // "Back" of the compare window closes it and lets events run before it opens the list again.
  void compareBackWithItsWindowDeleted() {
    scene->ShowMain();
    shell.ExampleComponent = "ENG", shell.ExamplePrefix = "EN", shell.ExampleKind = 13, shell.ExampleMenu = 0;
    ShowExampleList();
    frmExample* list = DefaultInstance<frmExample>::IfLoaded();
    list->lstExample->setCurrentRow(1);
    list->Choose();
    Settle();
    QPointer<frmCmprExmpl> compare = DefaultInstance<frmCmprExmpl>::IfLoaded();
    scene->ui.onDoEvents = [] { DeliverDeferredDeletes(); };
    compare->Command3_Click();  // "Back"
    scene->ui.onDoEvents = nullptr;
    Settle();
    QVERIFY(!compare);
    list = DefaultInstance<frmExample>::IfLoaded();
    QVERIFY(list && list->isVisible() && shell.ExampleComponent == "ENG");
  }

  // A click in the results grid shows the definition; "Back" (a screen reader's press, which the
  // box does not block) unloads the results window while the box is up.
  void definitionBoxWhileBackUnloadsTheResults() {
    scene->CopyShipped("TEXT/OUTHELP.TXT");
    testing::SetEngine();
    testing::SetLastRun();
    ShowResultsAndNotes();
    QPointer<frmDispGrid> results = frmDispGrid::IfLoaded();
    results->grdOUT->SetRow(3);
    results->grdOUT->SetCol(2);
    scene->ui.onBox = [results](const ScriptedUi::Box&) {
      if (results) results->Command2->click(), DeliverDeferredDeletes();
    };
    results->grdOUT_Click();
    QCOMPARE(scene->BoxesTitled("Definitions of Results"), 1);
    Settle();
    QVERIFY(!results && !frmDispGrid::IfLoaded());
  }

  // The dial-in window's print preview is up when "Throttle Stop" is pressed under it: nothing happens until the
  // preview has closed.
  void dialInPreviewWhileTheWindowIsUnloaded() {
    frmMain* m = scene->ShowMain();
    m->MainCommand[1]->click();
    QPointer<frmDialIn> dialIn = frmDialIn::IfLoaded();
    bool previewShown = false;
    WhenModal([m, &previewShown](QWidget* preview) {
      QPointer<QDialog> shown = qobject_cast<QPrintPreviewDialog*>(preview);
      previewShown = shown;
      m->MainCommand[2]->click();  // "Throttle Stop"
      DeliverDeferredDeletes();
      if (shown) shown->reject();
    });
    dialIn->mnuPrint_Click();
    Settle();
    QVERIFY(previewShown && dialIn && dialIn->Mode() == 1);
    m->MainCommand[2]->click();
    Settle();
    QVERIFY(!dialIn && frmDialIn::IfLoaded()->Mode() == 2);
  }

  // Two previews up at once (as two windows' requests would open them), the second closed: the first, zoomed and
  // repainted, keeps its own pages. Asked for while one is up, a preview brings that one to the front instead;
  // once it is closed, the next one opens.
  void printPreviewsKeepTheirOwnPages() {
    auto text = [](const char* s) { return [s](PrintPage& page) { page.Print(s); }; };
    std::unique_ptr<QPrintPreviewDialog> first(NewPrintPreview(nullptr, "Results", text("11.75"), 1)),
        second(NewPrintPreview(nullptr, "About Stagewell", text("About"), 2));
    first->show(), second->show(), Settle(), second.reset();
    for (QAction* a : first->findChildren<QAction*>())
      if (a->text() == "Zoom in") a->trigger();
    first->grab();
    QCOMPARE(PrinterOrientationOf(*first->printer()), 1);
    first.reset();

    QWidget other;
    bool toFront = false, opened = false;
    WhenModal([&](QWidget* up) {
      Activate(&other);
      QTimer::singleShot(200, up, [up] {  // a second one opened after all
        if (QWidget* now = QApplication::activeModalWidget(); now && now != up) now->close();
      });
      toFront = !PrintDocument(&other, "About Stagewell", text("About")) && !LastPrintFailed();
      toFront = toFront && (Settle(), QApplication::activeWindow() == up);
      up->close();
    });
    PrintDocument(nullptr, "Results", text("11.75"));
    WhenModal([&](QWidget* up) { opened = up->windowTitle() == "About Stagewell", up->close(); });
    PrintDocument(&other, "About Stagewell", text("About"));
    QVERIFY(toFront && opened);
  }

  // The start-up screen waits a moment for the front, letting events run; a click into another
  // window meanwhile closes it: the wait ends, and the screen goes after it.
  void startupScreenClosedWhileItWaits() {
    scene->ShowMain();
    shell.TextScreenId = 1;
    QPointer<PrintScreen> screen;
    QTimer::singleShot(0, [&screen] {
      screen = DefaultInstance<PrintScreen>::IfLoaded();
      if (screen) screen->close();
      DeliverDeferredDeletes();
    });
    PrintScreen::ShowScreen();
    QVERIFY(screen);
    Settle();
    QVERIFY(!screen);
  }

  // The command and comma help windows, asked for again while open: the open one stays in front.
  void modalHelpWindowAskedForAgain() {
    QTest::failOnWarning(QRegularExpression("Recursive call"));
    for (void (*show)() : {frmComma::ShowModal, frmCmmdIntro::ShowModal}) {
      bool stayed = false;
      WhenModal([&](QWidget* first) {
        QTimer::singleShot(200, [first] {
          QWidget* now = QApplication::activeModalWidget();
          if (now && now != first) now->close();  // a second one opened after all
        });
        show();
        stayed = first->isVisible() && QApplication::activeModalWidget() == first;
        first->close();
      });
      show();
      QVERIFY(stayed);
      Settle();
    }
  }
};

QTEST_MAIN(WindowLifetimeTest)
#include "window_lifetime_qtest.moc"
