// Windows unloaded while their own handler waits in a box, a dialog or the event pump, deferred
// deletions delivered there as a nested event loop does: the handler never touches the gone window
// (./test.sh runs these under AddressSanitizer), which goes once the handler has returned. A modal
// help window asked for again comes to the front instead of opening inside itself.
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPointer>
#include <QtTest>
#include <QtWidgets>

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
#include "support/qt/screen_reader.h"

using namespace sw;

static void DeliverDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// An X event for `to` as X hands it to Qt: a core one, or an XInput 2 one (type 35) of its own kind.
static void DeliverX11Event(const QWidget* to, uint8_t type, uint16_t xiType) {
  alignas(8) uint8_t e[64] = {type};
  const auto window = static_cast<uint32_t>(to->windowHandle()->winId());
  std::memcpy(e + (type == 35 ? 24 : 12), &window, 4), std::memcpy(e + 8, &xiType, 2);
  qintptr result = 0;
  QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", e, &result);
}

// While `first` is up, a second box that opens after all (the fault) is closed, so that the test goes on to fail
// instead of waiting in it; what opens once `first` has gone is left alone.
static void CloseASecondBoxOver(QWidget* first) {
  auto* t = new QTimer(first);
  QObject::connect(t, &QTimer::timeout, [t, first] {
    if (!first->isVisible()) return t->deleteLater();
    if (QWidget* now = QApplication::activeModalWidget(); now && now != first) now->close();
  });
  t->start(5);
}

static QToolButton* Button(QWidget* p, const QString& text) {  // a print preview's own
  for (QToolButton* b : p->findChildren<QToolButton*>()) if (b->window() == p && b->text() == text) return b;
  return nullptr;
}

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
  // repainted, keeps its own pages; each marks its job's orientation. Asked for while one is up, minimised, a preview
  // brings that one back to the front instead; once it is closed, the next one opens.
  void printPreviewsKeepTheirOwnPages() {
    auto text = [](const char* s) { return [s](PrintPage& page) { page.Print(s); }; };
    std::unique_ptr<QPrintPreviewDialog> first(NewPrintPreview(nullptr, "Results", text("11.75"), 1)),
        second(NewPrintPreview(nullptr, "About Stagewell", text("About"), 2));
    QVERIFY(Button(first.get(), "Portrait")->isChecked() && Button(second.get(), "Landscape")->isChecked());
    first->show(), second->show(), Settle(), second.reset();
    Button(first.get(), "Zoom in")->click();
    first->grab();
    QCOMPARE(PrinterOrientationOf(*first->printer()), 1);
    first.reset();

    QWidget other;
    bool toFront = false, opened = false;
    WhenModal([&](QWidget* up) {
      Activate(&other), up->showMinimized();
      CloseASecondBoxOver(up);
      toFront = !PrintDocument(&other, "About Stagewell", text("About")) && !LastPrintFailed();
      toFront = toFront && (Settle(), QApplication::activeWindow() == up) && !up->isMinimized();
      up->close();
    });
    PrintDocument(nullptr, "Results", text("11.75"));
    WhenModal([&](QWidget* up) { opened = up->windowTitle() == "About Stagewell", up->close(); });
    PrintDocument(&other, "About Stagewell", text("About"));
    QVERIFY(toFront && opened);
  }

  // Under a preview's own Print and Page setup (no warning from Qt's), its controls, pressed, triggered or worked by a
  // screen reader, change nothing and open nothing: its page box ("1 / 3") and zoom, written to through the
  // accessibility interface and left, show what they showed, during the dialog and after. Landscape picked in Page
  // setup lays out that preview alone anew.
  void previewWaitsUnderItsOwnDialogs() {
    QTest::failOnWarning(QRegularExpression("QPageSetupDialog|Recursive call"));
    int paints = 0;
    std::unique_ptr<QPrintPreviewDialog> p(
        NewPrintPreview(nullptr, "Results", [&](PrintPage& pg) { ++paints, pg.NewPage(), pg.NewPage(); }, 1));
    QLineEdit *zoom = p->findChild<QComboBox*>()->lineEdit(), *page = nullptr;
    for (QLineEdit* e : p->findChildren<QLineEdit*>()) page = e != zoom ? e : page;
    auto shown = [&, v = p->findChild<QPrintPreviewWidget*>()] {
      QStringList boxes = {page->text(), zoom->text()};  // "1", "…%" and the label "/ 3"
      for (QLabel* l : p->findChildren<QLabel*>()) if (l->text().startsWith("/ ")) boxes << l->text();
      return std::tuple(paints, Button(p.get(), "Landscape")->isChecked(), v->zoomFactor(), v->zoomMode(),
                        v->currentPage(), boxes);
    };
    const auto before = (p->show(), Button(p.get(), "Zoom in")->click(), Settle(), shown());  // a zoom of its own size
    QVERIFY(std::get<5>(before).contains("/ 3") && page->text() == "1");
    for (const char* dialog : {"Print", "Page setup"}) {
      bool waited = false;
      WhenModal([&](QWidget* child) {
        for (QToolButton* b : p->findChildren<QToolButton*>())
          if (auto* a = QAccessible::queryAccessibleInterface(b)->actionInterface();
              b->defaultAction() && b->window() == p.get())
            for (const QString& name : a->actionNames()) {
              test::AsScreenReader(b, [&] { a->doAction(name), b->click(); });
              test::AsScreenReader(b->defaultAction(), [&] { b->defaultAction()->trigger(); });
            }
        QComboBox* list = p->findChild<QComboBox*>();
        test::AsScreenReader(list, [&] { list->setCurrentIndex(0); });
        for (QLineEdit* box : {page, zoom}) {  // written through the accessibility interface, then left
          QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
          test::AsScreenReader(box, [&] {
            a->setText(QAccessible::Value, "2"), a->editableTextInterface()->insertText(0, "0");
            a->editableTextInterface()->deleteText(0, 1), a->editableTextInterface()->replaceText(0, 1, "0");
          });
          QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
          QApplication::sendEvent(box, &left);
        }
        waited = (Settle(), QApplication::activeModalWidget() == child && shown() == before);
        child->close();
      });
      Button(p.get(), dialog)->click();
      QVERIFY2(waited && shown() == before, dialog);
    }
    WhenModal([](QWidget* setup) {
      setup->findChild<QRadioButton*>("Landscape")->click(), static_cast<QDialog*>(setup)->accept();
    });
    const int painted = paints;
    Button(p.get(), "Page setup")->click();
    QVERIFY(paints > painted && Button(p.get(), "Landscape")->isChecked() &&
            PrinterOrientationOf(ProgramPrinter()) == 1);
  }

  // A screen reader's press on the preview's Print or Page setup, or on the print dialog's "..." (the PDF file's name),
  // returns at once, as on any button: the dialog opens a click's time later, once however often it was pressed.
  void previewDialogsOpenAfterAScreenReadersPress() {
    std::unique_ptr<QPrintPreviewDialog> p(NewPrintPreview(nullptr, "Results", [](PrintPage& pg) { pg.Print("1"); }));
    Activate(p.get());
    const auto pressTwice = [](QToolButton* b) {  // each dialog opened: after how long, and inside a request
      QAccessibleActionInterface* a = QAccessible::queryAccessibleInterface(b)->actionInterface();
      QWidget* under = QApplication::activeModalWidget();
      bool inRequest = false;
      QList<std::pair<bool, bool>> opened;
      QElapsedTimer clock;
      QTimer watch;
      connect(&watch, &QTimer::timeout, [&] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d || d == under || d->property("seen").toBool()) return;
        d->setProperty("seen", true), opened.append({clock.elapsed() >= 80, inRequest});
        QTimer::singleShot(250, d, [d] { d->close(); });  // after the second press's click
      });
      watch.start(5), clock.start();
      for (int press = 0; press < 2; ++press)
        test::AsScreenReader(b, [&] { inRequest = true, a->doAction(a->pressAction()), inRequest = false; });
      const bool atOnce = opened.isEmpty() && QApplication::activeModalWidget() == under;
      QTest::qWait(600);
      return atOnce && opened == QList{std::pair{true, false}} && QApplication::activeModalWidget() == under;
    };
    for (const char* dialog : {"Print", "Page setup"}) QVERIFY2(pressTwice(Button(p.get(), dialog)), dialog);
    bool browsed = false;
    WhenModal([&](QWidget* print) { browsed = pressTwice(print->findChild<QToolButton*>("fileBrowser")), print->close(); });
    Button(p.get(), "Print")->click();
    QVERIFY(browsed);
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
        CloseASecondBoxOver(first);
        show();
        stayed = first->isVisible() && QApplication::activeModalWidget() == first;
        first->close();
      });
      show();
      QVERIFY(stayed);
      Settle();
    }
  }

  // On a desktop without a task bar, a minimised preview (alone, or under its own Page setup) comes back, restored and
  // in front, on a press, a key or a touch in a window it blocks: X events as X hands them to Qt, which drops them.
  void aMinimisedBoxComesBackOnAPressUnderIt() {
    QWidget under;
    Activate(&under);
    QStringList wrong;
    auto pressAll = [&](QList<QWidget*> waiting) {  // button, key, XInput press and touch; a key's release, a motion
      for (auto [type, xiType, press] : {std::tuple{4, 0, true}, {2, 0, true}, {35, 4, true}, {35, 18, true},
                                         {3, 0, false}, {35, 6, false}}) {
        for (QWidget* w : waiting) w->showMinimized();
        DeliverX11Event(&under, uint8_t(type), uint16_t(xiType)), Settle();
        if (press != (!waiting[0]->isMinimized() && QApplication::activeWindow() == waiting.back()))
          wrong << QString("%1 windows, %2/%3").arg(waiting.size()).arg(type).arg(xiType);
      }
    };
    WhenModal([&](QWidget* preview) { pressAll({preview}), preview->close(); });
    PrintDocument(&under, "Results", [](PrintPage& p) { p.Print("11.75"); });
    WhenModal([&](QWidget* preview) {
      WhenModal([&](QWidget* setup) { pressAll({preview, setup}), setup->close(); });
      Button(preview, "Page setup")->click(), preview->close();
    });
    PrintDocument(&under, "Results", [](PrintPage& p) { p.Print("11.75"); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
  }
};

QTEST_MAIN(WindowLifetimeTest)
#include "window_lifetime_qtest.moc"
