// The windows as a screen reader and a keyboard see them: every usable
// control named and a Tab stop, every window announced with a name, and a
// closing window handing the front back even without a window manager.
#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractButton>
#include <QCheckBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "calcmenus/frm_calc_data.h"
#include "platform/qt/keyboard_access.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "printing/prnt_optns.h"
#include "results/frm_disp_grid.h"
#include "shell/shell_fixture.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

bool Meaningless(const QString& name) {
  static const QRegularExpression kNoWord(R"(^[\W_]*$)"), kNumber(R"(^[-+]?\d*\.?\d+$)");
  const QString n = name.trimmed();
  return kNoWord.match(n).hasMatch() || kNumber.match(n).hasMatch();
}

bool Operable(QAccessible::Role r) {
  switch (r) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::PageTab:
    case QAccessible::Slider:
      return true;
    default:
      return false;
  }
}

// What a screen reader says for the control. A pick list is named by its
// pick on Linux; its caption arrives as the label it is labelled by (or as
// its own name elsewhere).
QString Spoken(QAccessibleInterface* i) {
  if (i->role() != QAccessible::ComboBox) return i->text(QAccessible::Name);
  if (auto* w = qobject_cast<QWidget*>(i->object()); w && !w->accessibleName().isEmpty()) return w->accessibleName();
  for (const auto& [label, relation] : i->relations(QAccessible::Label))
    if (label->role() == QAccessible::StaticText && !Meaningless(label->text(QAccessible::Name)))
      return label->text(QAccessible::Name);
  return {};
}

QString Describe(QAccessibleInterface* i) {
  QString what = QString::number(int(i->role()), 16) + " '" + i->text(QAccessible::Name) + "'";
  if (QObject* o = i->object()) what += " " + o->objectName();
  return what;
}

// The faults of one window: "window: ..." for the window itself, "unnamed:"
// and "no Tab stop:" for its visible, enabled controls.
QStringList Faults(QWidget* window) {
  QStringList out;
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
  const QString where = window->metaObject()->className() + QString(" ");
  // A window that waits for an answer is announced as a box.
  const QAccessible::Role role = root->role();
  if (role != QAccessible::Dialog && role != QAccessible::AlertMessage && (window->isModal() || role != QAccessible::Window))
    out << where + "window: not announced as a window";
  if (Meaningless(root->text(QAccessible::Name))) out << where + "window: no name";
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
    for (int c = 0; c < i->childCount(); ++c) {
      QAccessibleInterface* k = i->child(c);
      if (!k || k->state().invisible) continue;
      if (Operable(k->role()) && !k->state().disabled) {
        if (Meaningless(Spoken(k))) out << where + "unnamed: " + Describe(k);
        if (!k->state().focusable) out << where + "no Tab stop: " + Describe(k);
      }
      // A table's cells and a list's lines are named by what they hold.
      if (k->role() != QAccessible::Table && k->role() != QAccessible::List) walk(k);
    }
  };
  walk(root);
  return out;
}

// "Clc" buttons of one window a screen reader could not tell apart.
QStringList TwinCalculatorButtons(SpecWindow* w) {
  QStringList names, twins;
  for (QPushButton* b : w->ClcBttn)
    if (b && b->isVisible()) {
      if (names.contains(b->accessibleName())) twins << b->accessibleName();
      names << b->accessibleName();
    }
  return twins;
}

std::vector<QWidget*> OpenWindows() {
  std::vector<QWidget*> out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) out.push_back(w);
  return out;
}

QStringList FaultsOfOpenWindows() {
  QStringList out;
  for (QWidget* w : OpenWindows()) out << Faults(w);
  return out;
}

#define QVERIFY_NONE(faults)                                  \
  do {                                                        \
    const QStringList f = (faults);                           \
    QVERIFY2(f.isEmpty(), qPrintable(f.join("\n")));          \
  } while (false)

}  // namespace

class KeyboardAccessTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* ShowMain() {
    scene->ReturningUser();
    for (const auto& e : std::filesystem::directory_iterator(kShippedData / "COMBO"))
      scene->CopyShipped("COMBO/" + e.path().filename().string());
    for (int m = 1; m <= 6; ++m) scene->CopyShipped("QVZHELP/help" + std::to_string(m) + ".txt");
    scene->CopyShipped("TEXT/OUTHELP.TXT");
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Activate(m);
    return m;
  }
  SpecWindow* OpenSpec(frmMain* m, int menu) {
    m->Command1[menu - 1]->click();
    Settle();
    SpecWindow* w = LoadedSpecWindow(menu);
    if (w) Activate(w);
    return w;
  }

 private slots:
  void initTestCase() {
    InstallKeyboardAccess([] { return static_cast<QWidget*>(DefaultInstance<frmMain>::IfLoaded()); });
  }
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;  // the tip of the fourth activation was read
  }
  void cleanup() {
    frmDispGrid::Unload();
    scene.reset();
  }

  // Main, the six spec windows, the results window with its graph, printout
  // options and comments: nothing a keyboard or a screen reader cannot find.
  void everyControlHasANameAndATabStop() {
    frmMain* m = ShowMain();
    QVERIFY_NONE(FaultsOfOpenWindows());
    for (int menu : {kEngine, kTransmission, kVehicle, kTires, kDriving, kConditions}) {
      SpecWindow* w = OpenSpec(m, menu);
      QVERIFY(w);
      QVERIFY_NONE(Faults(w));
      QVERIFY_NONE(TwinCalculatorButtons(w));
      w->Unload();
      Settle();
    }
    // The Dial-In window, built on the same rows.
    Activate(m);
    m->MainCommand[1]->click();
    Settle();
    SpecWindow* dialIn = nullptr;
    for (QWidget* w : OpenWindows())
      if (QByteArray(w->metaObject()->className()) == "sw::frmDialIn") dialIn = static_cast<SpecWindow*>(w);
    QVERIFY(dialIn);
    QVERIFY_NONE(Faults(dialIn));
    QVERIFY_NONE(TwinCalculatorButtons(dialIn));
    dialIn->Unload();
    Settle();
    Activate(m);
    m->cmdRun->click();
    Settle();
    frmDispGrid* results = frmDispGrid::IfLoaded();
    QVERIFY(results && results->isVisible());
    QCOMPARE(results->windowTitle(), QString());  // emptied by the fill, named all the same
    results->cmdGraph->click();
    Settle();
    results->cmdPrint->click();
    Settle();
    results->Command1->click();  // "Cmnts"
    Settle();
    QStringList open;
    for (QWidget* w : OpenWindows()) open << w->metaObject()->className();
    open.sort();
    QCOMPARE(open, QStringList({"sw::PrntOptns", "sw::frmDispCmnts", "sw::frmDispGrid", "sw::frmGraph", "sw::frmMain"}));
    QVERIFY_NONE(FaultsOfOpenWindows());

    // Printout Options: Tab goes down the report's options, then the other printouts, then Close.
    auto* options = DefaultInstance<PrntOptns>::IfLoaded();
    QVERIFY(options);
    QStringList order;
    QWidget* w = options->Command1[2];
    for (int i = 0; i < 9; ++i, w = w->nextInFocusChain()) {
      while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible()) w = w->nextInFocusChain();
      order << (qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text() : w->objectName());
    }
    QCOMPARE(order, QStringList({"Print Report Using These Specs", "Include Vehicle Specs ", "Include Vehicle Comments",
                                 "Dot Matrix Printer Adjustment", "Request Report Comment", "Include 25 Test History",
                                 "Print Blank Worksheet", "Print Definitions of Outputs", "Close"}));
  }

  // A greyed control of each kind keeps Qt's own interface and says it is greyed; a screen reader's press
  // (toggle, focus, open) on it does nothing, a greyed pick list opens no list. Enabled again, the press acts.
  void greyedControlsDoNothing() {
    QWidget window;
    auto* list = new PickList(&window);
    list->addItem("No Wind");
    for (QWidget* w : std::initializer_list<QWidget*>{
             new QCheckBox("Include 25 Test History", &window), new QRadioButton("Thick", &window),
             new QPushButton("Engine", &window), new QLineEdit(&window), new QPlainTextEdit(&window), list}) {
      // A press holds the button down until its click comes.
      const auto what = [w] {
        return std::tuple(w->hasFocus(), w->property("checked"), w->property("down"), QApplication::activePopupWidget());
      };
      Activate(&window);
      QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
      const QStringList offered = i->actionInterface()->actionNames();
      w->setEnabled(false);
      const auto before = what();
      QVERIFY(i->state().disabled);
      for (const QString& action : offered) {
        i->actionInterface()->doAction(action);
        QVERIFY2(what() == before, qPrintable(w->metaObject()->className() + (" " + action)));
      }
      w->setEnabled(true);
      i->actionInterface()->doAction(offered.value(0));
      QVERIFY2(what() != before, w->metaObject()->className());
    }
  }

  // A message box of any style is announced as an alert, the input box as a dialog.
  void everyBoxIsAnnounced() {
    QList<QAccessible::Role> roles;
    const auto role = [&roles](QWidget* w) { roles << QAccessible::queryAccessibleInterface(w)->role(), w->close(); };
    for (int style : {mb::OKCancel, mb::AbortRetryIgnore, mb::YesNoCancel, mb::YesNo, mb::RetryCancel, mb::Critical,
                      mb::Question, mb::Exclamation, mb::Information, mb::OKOnly})
      WhenModal(role), QtUi().MsgBox("Less than a 4% difference on ET.", style, "");
    WhenModal(role), QtUi().InputBox("Test Title", "Stagewell", "Run 1");
    QCOMPARE(roles, QList<QAccessible::Role>(10, QAccessible::AlertMessage) << QAccessible::Dialog);
  }

  // The library's open window: the phrase box and the file list are named.
  void openWindowNamesItsList() {
    frmMain* m = ShowMain();
    m->mnuOpenExampleFile->trigger();
    Settle();
    QWidget* open = nullptr;
    for (QWidget* w : OpenWindows())
      if (w->objectName() == "Rtrvfile") open = w;
    QVERIFY(open);
    QVERIFY_NONE(Faults(open));
  }

  // The windows-commands lesson: named, and Tab leaves its text box.
  void lessonWindow() {
    frmMain* m = ShowMain();
    QTimer::singleShot(0, [] {
      QWidget* lesson = QApplication::activeModalWidget();
      QVERIFY(lesson);
      QVERIFY_NONE(Faults(lesson));
      for (QPlainTextEdit* t : lesson->findChildren<QPlainTextEdit*>()) QVERIFY(t->tabChangesFocus());
      lesson->close();
    });
    m->mnuBasicWindows->trigger();
    Settle();
  }

  // Alt alone enters any menu bar; the print preview's tool buttons are Tab
  // stops, Ctrl+P prints, and its zoom and page boxes are named.
  void menusAndPreviewByKeyboard() {
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation), 1);
    QStringList faults;
    bool printKey = false;
    WhenModal([&](QWidget* w) {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
      if (!preview) return;
      for (QToolButton* b : preview->findChildren<QToolButton*>())
        if (!(b->focusPolicy() & Qt::TabFocus)) faults << "no Tab stop: " + b->toolTip();
      for (QAction* a : preview->findChildren<QAction*>())
        if (a->text() == "Print") printKey = a->shortcut() == QKeySequence(QKeySequence::Print);
      // The zoom list is spoken by its caption, not by its pick.
      for (QComboBox* zoom : preview->findChildren<QComboBox*>()) {
        QStringList captions;
        for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(zoom)->relations(QAccessible::Label))
          captions << label->text(QAccessible::Name);
        if (!captions.contains("Zoom")) faults << "zoom without its caption";
      }
      faults << Faults(preview);
      if (preview->width() < preview->screen()->availableGeometry().width() * 0.9 ||  // sized to the screen
          preview->findChild<QPrintPreviewWidget*>()->zoomMode() != QPrintPreviewWidget::FitToWidth)
        faults << "preview not sized to the screen, the page as wide as the window";
      preview->reject();
    });
    SetPrintToPdfForTest(QString());
    PrintDocument(nullptr, "Calculated Test Results", [](PrintPage& page) { page.Print("1/4 mile  11.75", true); });
    QVERIFY_NONE(faults);
    QVERIFY(printKey);

    // Qt's print dialog names its file button "..." only.
    QPrintDialog print(&ProgramPrinter());
    print.show();
    Settle();
    int bare = 0;
    for (QAbstractButton* b : print.findChildren<QAbstractButton*>())
      if (b->text() == "...") {
        ++bare;
        QCOMPARE(b->accessibleName(), b->toolTip().isEmpty() ? QString("Browse") : b->toolTip());
      }
    QVERIFY(bare > 0);
    print.reject();
  }

  // A calculator's pick list is labelled by its caption, and its result is
  // spoken with its value.
  void calculatorListsAndResults() {
    std::filesystem::copy(kShippedData / "CALC", scene->folder() / "CALC");
    SpecWindow* body = OpenSpec(ShowMain(), kVehicle);
    QVERIFY(body);
    body->ClcBttn[1]->click();  // Final Drive Ratio
    Settle();
    QWidget* calc = DefaultInstance<frmCalcData>::IfLoaded();
    QVERIFY(calc && calc->isVisible());
    QVERIFY_NONE(Faults(calc));
    auto* method = calc->findChild<QComboBox*>("Combo1_1");
    QVERIFY(method && method->isVisible());
    QStringList labels;
    for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(method)->relations(QAccessible::Label))
      labels << label->text(QAccessible::Name);
    QVERIFY2(labels.contains("Method"), qPrintable(labels.join(", ")));
    auto* result = calc->findChild<QLabel*>("CalcOutData_0");
    QVERIFY(result);
    QVERIFY(result->accessibleName().startsWith("Final Drive Ratio"));
    if (!result->text().isEmpty()) QVERIFY(result->accessibleName().endsWith(result->text()));
    DefaultInstance<frmCalcData>::Unload();
  }

  // The five lock-up lists of the gear column are told apart by their gears.
  void lockUpListsSayTheirGear() {
    SpecWindow* w = OpenSpec(ShowMain(), kTransmission);
    QVERIFY(w);
    for (int r = 16; r <= 20; ++r)
      QCOMPARE(Spoken(QAccessible::queryAccessibleInterface(w->cmbSpecData[r])),
               QString("Converter Locked Up? Gear #%1").arg(r - 14));
  }

  // A box answered in the Body & Axle window gives the front back to it; OK
  // gives it to the main window, whose summary shows the new weight at once.
  void closingWindowsHandTheFrontBack() {
    frmMain* m = ShowMain();
    SpecWindow* w = OpenSpec(m, kVehicle);
    QVERIFY(w && QApplication::activeWindow() == w);
    WhenModal([](QWidget* box) { static_cast<QMessageBox*>(box)->accept(); });
    auto* box = new QMessageBox(QMessageBox::Information, "Tip on Instant Help", "A tip.", QMessageBox::Ok, w);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
    Settle();
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    // Answered before the desktop's activation of it came, the activation coming after the close.
    box = new QMessageBox(QMessageBox::Information, "Tip on Instant Help", "A tip.", QMessageBox::Ok, w);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show(), box->activateWindow(), box->accept();
    Settle();
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));

    w->SpecData[0]->setFocus(Qt::TabFocusReason);
    w->SpecData[0]->selectAll();
    QTest::keyClicks(w->SpecData[0], "3300");
    QTest::keyClick(w->SpecData[0], Qt::Key_Tab);
    Settle();
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3300"));
    QVERIFY(m->Label5[2]->text().startsWith("Weight: 3400"));
    w->Command1[0]->click();  // OK
    Settle();
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(m));
    QVERIFY2(m->Label5[2]->text().startsWith("Weight: 3300"), qPrintable(m->Label5[2]->text()));
  }

  // Enter on a focused button presses it in a plain window too; Enter in a
  // value box does not press a button.
  void enterPressesTheFocusedButton() {
    frmMain* m = ShowMain();
    m->Command1[kVehicle - 1]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m->Command1[kVehicle - 1], Qt::Key_Return);
    Settle();
    SpecWindow* w = LoadedSpecWindow(kVehicle);
    QVERIFY(w);
    Activate(w);
    w->SpecData[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->SpecData[0], Qt::Key_Return);
    Settle();
    QVERIFY(LoadedSpecWindow(kVehicle));
    w->Command1[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->Command1[0], Qt::Key_Enter, Qt::KeypadModifier);
    Settle();
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));

    // In a plain window Enter on a choice presses the window's default button.
    QWidget plain(nullptr, Qt::Window);
    auto* choice = new QRadioButton("Cylvane Q1", &plain);
    auto* ok = new QPushButton("OK/Switch", &plain);
    ok->setAutoDefault(false);
    ok->setDefault(true);
    int pressed = 0;
    connect(ok, &QPushButton::clicked, [&pressed] { ++pressed; });
    plain.show();
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Return);
    QCOMPARE(pressed, 1);
    ok->setDefault(false);
    QTest::keyClick(choice, Qt::Key_Return);
    QCOMPARE(pressed, 1);
  }

  // One Escape closes one window, also held down or with its release lost
  // (a tool sent it to the preview, which closed first): its repeats go to
  // the window in front and to a pressed button. Closed by Escape or the
  // close box, or deleted, the results leave Calculate ET Performance working.
  void oneEscapeClosesOneWindow() {
    frmMain* m = ShowMain();
    const auto escape = [](QWidget* to, bool repeat = false) {  // as X hands it to the window in front
      Activate(to), qt_handleKeyEvent(to->windowHandle(), QEvent::KeyPress, Qt::Key_Escape, {}, {}, repeat), Settle();
    };
    for (const auto& close : std::initializer_list<std::function<void(QWidget*)>>{
             [&](QWidget* w) { escape(w); }, [](QWidget* w) { w->close(); }, [](QWidget* w) { w->deleteLater(); }}) {
      m->cmdRun->click();
      QPointer<frmDispGrid> results = frmDispGrid::IfLoaded();
      results->cmdPrint->click();
      QPointer<PrntOptns> options = DefaultInstance<PrntOptns>::IfLoaded();
      WhenModal([&](QWidget* preview) { escape(preview); });
      options->Command1[2]->click();
      escape(options, true), escape(results, true);  // the repeats, to the windows coming to the front
      QVERIFY(options && results);
      close(options), close(results), Settle();
      QTest::mousePress(m->cmdRun, Qt::LeftButton);
      uint8_t release[32] = {3, 9, 0, 0, 7};  // X repeats: a release, a press at the same time (7) Qt took for new
      QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", release, nullptr);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, {}, 9, 0, 0);
      press.setTimestamp(7), QApplication::sendEvent(m->cmdRun, &press);
      QTest::mouseRelease(m->cmdRun, Qt::LeftButton);
      QVERIFY(frmDispGrid::IfLoaded());
      frmDispGrid::Unload();
    }
  }
};

QTEST_MAIN(KeyboardAccessTest)
#include "keyboard_access_qtest.moc"
