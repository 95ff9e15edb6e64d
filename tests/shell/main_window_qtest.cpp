// The main window as a racer sees it: controls, captions and help line,
// Calculate with the progress window and Cancel, the save and open commands,
// the busy guard, Splash and About, the comments editor, the Preferences
// menu, and the start-up time.
#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <QtWidgets>

#include "dialin/frm_dial_in.h"
#include "match/frm_prgrs.h"
#include "platform/qt/pick_list.h"
#include "platform/text.h"
#include "printing/print_screen.h"
#include "results/frm_disp_grid.h"
#include "shell/frm_about.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/help_form.h"
#include "shell/program_main.h"
#include "shell/splash_form.h"
#include "shell/vehicle_summary.h"
#include "shell_fixture.h"
#include "specs/spec_windows.h"
#include "shell/user_actions.h"
#include "support/qt/screen_reader.h"

using namespace sw;

namespace {

// Records the open and save-as windows the files ask for.
class WatchedFileWindows : public QtFileWindows {
 public:
  int saveAsShown = 0, retrieveShown = 0;
  std::string chosen;  // what the file-open dialog hands back
  std::string ChooseFileToOpen(const std::string&, const std::string&, const std::string&) override { return chosen; }
  void ShowSaveAsForm() override { ++saveAsShown; }
  void ShowRetrieveForm() override { ++retrieveShown; }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;
  WatchedFileWindows files;

  frmMain* Win() { return DefaultInstance<frmMain>::Get(); }
  // The returning racer's main window, initialised and on screen.
  frmMain* ShowMain(int16_t changed = 0) {
    scene->ReturningUser(changed);
    frmMain* w = Win();
    w->show();
    w->InitMainWindow();
    return w;
  }
  void SummaryCar() {
    tbl.BeginnerLevel = 0;
    scene->WritePresetLists();
    MuscleCarSpecs();
  }
  // The main window with its start-up notices already done.
  frmMain* QuietMain() {
    shell.StartupScreenShown = 1;
    shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;
    return Win();
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    files = WatchedFileWindows{};
    SetFileWindows(&files);
  }
  void cleanup() { scene.reset(); }

  // The first activation reads the working copy (its changed flag too); the
  // window shows the car, the six spec buttons and the large buttons.
  void screenshotShowsTheCarTheSpecButtonsAndTheLargeButtons() {
    frmMain* w = ShowMain(1);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(scene->BoxCount(), 0);
    w->resize(1040, 820);
    QCoreApplication::processEvents();
    QVERIFY(SaveShot(w, "main_window.png"));
    QVERIFY(w->width() >= 1000);

    QCOMPARE(w->windowTitle(), QString(" Stagewell v3.2   Korvath   [ muscle_454_4spd ]"));
    QCOMPARE(w->Frame3D8->title(), QString("Vehicle Summary"));
    QVERIFY(w->Label5[0]->text().startsWith("User Defined Engine: (Peak Tq and HP"));
    QVERIFY(w->Label5[0]->text().contains("454 cubic inches"));
    QCOMPARE(w->Label5[1]->text(), QString("Clutch:  User Defined Specs\nTransmission:   4 speed, user defined specs"));
    QVERIFY(w->Label5[2]->text().startsWith("Weight: 3400"));
    QVERIFY(w->Label5[3]->text().contains("Rear Wheel/Tire(s):"));
    QVERIFY(w->Label5[4]->text().startsWith("Launch:  "));
    for (QLabel* l : w->Label5) {
      QVERIFY(l->isVisible());
      QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
    }

    QCOMPARE(w->Frame3D1->title(), QString(" Vehicle Specs "));
    QStringList specs;
    for (QPushButton* b : w->Command1) {
      QVERIFY(b->isVisible());
      specs << b->text();
    }
    QCOMPARE(specs, QStringList({"Engine", "Transmission", "Body && Axle", "Wheels && Tires", "Driving",
                                 "Calculate Performance"}));
    QCOMPARE(w->cmdRun->text(), QString("Calculate ET Performance"));
    QCOMPARE(w->cmdOpen->text(), QString("Open Vehicle Library"));
    QCOMPARE(w->cmdSave->text(), QString("Save Vehicle to Library"));
    QVERIFY(w->cmdRun->isVisible() && w->cmdRun->isEnabled() && w->cmdSave->isEnabled());
    QStringList features;
    for (QPushButton* b : w->MainCommand) features << b->text();
    QCOMPARE(features, QStringList({"Match Vehicle Performance", "Dial-In", "Throttle Stop", "Quit", "Cylvane",
                                    "Optimize"}));
    QVERIFY(!w->MainCommand[4]->isVisible());  // start mode 0: no Cylvane
    QVERIFY(!w->mnuCylvane->isVisible());
    QCOMPARE(w->Text1->toPlainText(), QString("1970-style 454 big-block muscle car, 4-speed, street tires.\n"));
    QCOMPARE(w->Frame3D5[0]->title(), QString("Comments:"));
    QCOMPARE(w->Frame3D5[1]->title(), QString("Help:"));
    for (int i = 0; i < 6; ++i) QVERIFY(w->Command1[i]->isEnabled());
    QVERIFY(w->MainCommand[1]->isEnabled() && w->MainCommand[2]->isEnabled());  // Dial-In, Throttle Stop
    // The comments shown from the file are no edit.
    fst.SpecsChanged = 0;
    w->InitMainWindow();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
  }

  void menusCarryTheDesignedItemsAndKeys() {
    frmMain* w = Win();
    QStringList top;
    for (QAction* a : w->menuBar()->actions())
      if (a->isVisible()) top << a->text();
    QCOMPARE(top, QStringList({"&File (vehicle) ", "&Calc ET", "&Help", "&Preferences "}));
    const std::pair<QAction*, QKeySequence> keys[] = {
        {w->mnuFilLoad, QKeySequence("Ctrl+O")}, {w->mnuFilSave, QKeySequence("Ctrl+S")},
        {w->mnuSaveAs, QKeySequence("Ctrl+A")},  {w->mnuFilExit, QKeySequence("Ctrl+X")},
        {w->mnuHelpHelp, QKeySequence(Qt::Key_F1)}, {w->mnuF2F2, QKeySequence(Qt::Key_F2)}};
    for (const auto& [item, key] : keys) QCOMPARE(item->shortcut(), key);
    QCOMPARE(w->mnuFilExit->text(), QString("E&xit Program"));
    QCOMPARE(w->mnuReadme->text(), QString("Display the the Readme.doc file (recent changes)"));
    QCOMPARE(w->mnuOpenFile->actions().size(), 2);
    QCOMPARE(w->mnuFindBest->actions().at(1)->text(), QString("Find Best Converter"));
    QVERIFY(w->mnuFilSave->isEnabled() && w->mnuFilExit->isEnabled() && w->mnuAbout->isEnabled());
    // Every command is built now: nothing may still say it is not.
    for (QAction* a : w->findChildren<QAction*>())
      QVERIFY2(a->toolTip() != QString(kNotAvailableYet), qPrintable(a->objectName() + " " + a->text()));
    for (QWidget* c : w->findChildren<QWidget*>())
      QVERIFY2(c->toolTip() != QString(kNotAvailableYet), qPrintable(c->objectName()));
  }

  // Alt and a menu's letter drops the menu down; no two menus share one.
  void altLettersOpenTheirMenus() {
    frmMain* w = ShowMain();
    QString letters;
    for (QAction* a : w->menuBar()->actions())
      if (a->isVisible() && a->text().contains('&')) letters += a->text().at(a->text().indexOf('&') + 1).toUpper();
    QCOMPARE(letters, QString("FCHP"));
    for (const auto& [key, menu] : {std::pair{Qt::Key_P, w->mnuPreferences}, std::pair{Qt::Key_H, w->mnuHelp}}) {
      Activate(w);
      QTest::keyClick(w, key, Qt::AltModifier);
      QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
      QTest::keyClick(menu, Qt::Key_Escape);
      QTest::keyClick(w->menuBar(), Qt::Key_Escape);
      Settle();
    }
  }

  void helpLineFollowsTheMouse() {
    frmMain* w = Win();
    QCOMPARE(w->lblHelp->text(), QString("Click on Spec Value for explanation of spec to be given here."));
    const std::pair<QWidget*, QString> lines[] = {
        {w->cmdRun, "Click here to calculate performance like ET, MPH, 60 foot time, etc."},
        {w->Command1[2], "Click here to see Body & Axle Specs like Weight, Axle Ratio, Aerodynamics, etc."},
        {w->Command1[5], "Click here to see conditions for calculating performance like weather and track length, "
                         "and then Calculate Performance."},
        {w->MainCommand[3], "Click here to quit the program.  You can also quit by clicking on File, then Exit in "
                            "the menu bar at the top left of this screen."},
        {w->Label5[2], "This section shows a summary of the current settings in each menu.  Click on the menu's "
                       "button to view all the details."},
        {w->MainCommand[5], ""},
        {w->Picture2, "Move mouse over item for description to be given here.  Click on 'Help' in menu line for "
                      "more detailed info on options."}};
    for (const auto& [control, text] : lines) {
      QEvent enter(QEvent::Enter);
      QCoreApplication::sendEvent(control, &enter);
      QCOMPARE(w->lblHelp->text(), text);
    }
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(w->Text1, &enter);
    QVERIFY(w->lblHelp->text().startsWith("Click here to edit Vehicle Comments."));
  }

  // A screen reader's request changes only the control it addressed: under a box, a press on a menu-bar item or a
  // pick list opens nothing, and a set text is undone while the program's reaction in another box stays; during a
  // run, the marks the Preferences menu sets as it opens stay. (The suite-wide watch stops on any other undo.)
  void aRequestChangesOnlyTheControlItAddressed() {
    frmMain* m = ShowMain();
    QWidget window;
    auto* list = new PickList(&window);
    auto *typed = new QLineEdit("12.5", &window), *reaction = new QLineEdit("12.5!", &window);
    list->addItems({"a", "b"});
    connect(typed, &QLineEdit::textChanged, reaction, [typed, reaction] { reaction->setText(typed->text() + "!"); });
    window.show(), Settle();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m->menuBar());
    QAccessibleActionInterface* preferences = nullptr;
    for (int i = 0; i < bar->childCount(); ++i)
      if (bar->child(i)->object() == m->mnuPreferences->menuAction()) preferences = bar->child(i)->actionInterface();
    QVERIFY(preferences);
    const auto open = [](QAccessibleActionInterface* item) {
      item->doAction(QAccessibleActionInterface::showMenuAction());
    };
    QMessageBox box(QMessageBox::Warning, "Warning", "Value must be between", QMessageBox::Ok, m);
    box.setModal(true), box.show(), Settle();
    test::AsScreenReader(m->mnuPreferences->menuAction(), [&] { open(preferences); });
    test::AsScreenReader(list, [&] { open(QAccessible::queryAccessibleInterface(list)->actionInterface()); });
    test::AsScreenReader(typed, [&] { QAccessible::queryAccessibleInterface(typed)->setText(QAccessible::Value, "V"); });
    Settle();
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(typed->text() + "|" + reaction->text(), QString("12.5|12.5!"));
    box.close(), Settle();
    tbl.CalcRunning = true;
    test::AsScreenReader(m->mnuPreferences->menuAction(), [&] { open(preferences); });
    int marked = 0;
    for (QAction* a : m->mnuPreferences->actions()) marked += a->isChecked();
    QVERIFY(m->mnuPreferences->isVisible());
    QCOMPARE(marked, 5);  // one of each pair
    m->mnuPreferences->close(), tbl.CalcRunning = false;
  }

  // Greyed (itself, with its frame, hidden), a text box, multi-line text, pick list, check box, option, menu mark
  // takes no outside write, pick or toggle; the comments, greyed under the results, take none to File > Save.
  void greyedControlsTakeNothingFromOutside() {
    frmMain* w = ShowMain();
    auto AccessibleOf = [](QObject* o) { return QAccessible::queryAccessibleInterface(o); };
    for (const QString greyed : {"itself", "frame", "hidden", "not"}) {
      QWidget window;
      auto* frame = new QGroupBox("Frame", &window);
      auto* line = new QLineEdit("12.5", frame);
      auto* text = new QPlainTextEdit("notes", frame);
      auto* list = new QComboBox(frame);
      QAbstractButton *check = new QCheckBox("C", frame), *option = new QRadioButton("O", frame);
      QAction* mark = (new QMenuBar(frame))->addMenu("Menu")->addAction("Mark");
      bool ran = false;
      OnAction(mark, &QAction::triggered, &window, "mark", [&ran] { ran = true; });
      list->addItems({"a", "b"}), mark->setCheckable(true), window.show(), Settle();
      for (QWidget* c : QWidgetList{line, text, list, check, option}) c->setEnabled(greyed != "itself");
      mark->setEnabled(greyed != "itself"), frame->setEnabled(greyed != "frame"), frame->setVisible(greyed != "hidden");
      test::AsScreenReader(line, [&] { AccessibleOf(line)->editableTextInterface()->insertText(0, "V"); });
      test::AsScreenReader(text, [&] { AccessibleOf(text)->setText(QAccessible::Value, "V"); });
      test::AsScreenReader(list, [&] { list->setCurrentIndex(1); });
      for (QObject* c : {static_cast<QObject*>(check), static_cast<QObject*>(option)})
        test::AsScreenReader(c, [c] { QMetaObject::invokeMethod(c, "toggle"); });
      test::AsScreenReader(mark, [mark] { mark->trigger(); });  // a screen reader marks an item by triggering it
      const QString looks = line->text() + text->toPlainText() + QString::number(list->currentIndex()) +
                            QString::number(check->isChecked() + option->isChecked() + mark->isChecked());
      QVERIFY2(looks == (greyed == "not" ? "V12.5V13" : "12.5notes00"), qPrintable(greyed + ": " + looks));
      test::AsScreenReader(mark, [mark] { mark->trigger(); });  // a greyed item's trigger runs nothing either
      QTest::qWait(200);  // a click's time
      QCOMPARE(ran, greyed == "not");
    }
    w->cmdRun_Click();
    test::AsScreenReader(w->Text1, [&] { AccessibleOf(w->Text1)->setText(QAccessible::Value, "From outside"); });
    w->mnuFilSave->trigger(), Settle();
    const std::string saved = scene->Read(std::string("VEHDAT/") + test::kMuscleCar);
    QVERIFY(!w->Text1->isEnabled() && saved.find("From outside") == std::string::npos &&
            saved.find("1970-style") != std::string::npos);
  }

  // F2: the progress window during the run, then the results window over
  // the main window, which starts nothing until the results close.
  void f2CalculatesAndTheResultsWindowTakesOver() {
    frmMain* w = ShowMain();
    bool progressSeen = false, panelsOff = false;
    scene->ui.onDoEvents = [&] {
      if (DefaultInstance<frmPrgrs>::Loaded()) progressSeen = true;
      if (!w->Picture1->isEnabled()) panelsOff = true;
    };
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F2);
    QVERIFY(progressSeen && panelsOff);
    QVERIFY(tbl.FinishRow > 1);
    QVERIFY(!DefaultInstance<frmPrgrs>::Loaded() && !tbl.CalcRunning && !scene->ui.busy());
    QCOMPARE(tbl.HistoryTitle[0].rfind("muscle_454_4spd: ", 0), size_t(0));
    double et = Val(tbl.ResultsText[1][tbl.FinishRow]);
    QVERIFY2(et > 10 && et < 16, tbl.ResultsText[1][tbl.FinishRow].c_str());

    frmDispGrid* results = frmDispGrid::IfLoaded();
    QVERIFY(results && results->isVisible() && results->parentWidget() == w);
    for (QPushButton* b : {w->cmdRun, w->cmdOpen, w->cmdSave}) QVERIFY(b->isHidden() && !b->isEnabled());
    QVERIFY(!w->Picture1->isEnabled() && !w->Picture2->isEnabled());
    // Its comments button edits the main window's comments; its help shows
    // the results topic.
    w->ShowComments("Street tires, 3.73 gears");
    results->Command1->click();
    QVERIFY(DefaultInstance<frmDispCmnts>::IfLoaded());
    QCOMPARE(DefaultInstance<frmDispCmnts>::IfLoaded()->Text1->toPlainText(), QString("Street tires, 3.73 gears"));
    DefaultInstance<frmDispCmnts>::Unload();
    results->mnuHelp->trigger();
    QVERIFY(DefaultInstance<HelpForm>::IfLoaded());
    QCOMPARE(shell.HelpMenuNumber, int16_t(900));
    DefaultInstance<HelpForm>::Unload();

    results->close();
    Settle();
    QVERIFY(!frmDispGrid::IfLoaded());
    for (QPushButton* b : {w->cmdRun, w->cmdOpen, w->cmdSave}) QVERIFY(!b->isHidden() && b->isEnabled());
    for (QFrame* panel : {w->Picture1, w->Picture2}) QVERIFY(panel->isEnabled() && !panel->isHidden());
    QCOMPARE(tbl.BaseRunRows, tbl.RunLogRows);
  }

  void cancelStopsTheRunAndNothingElseStarts() {
    frmMain* w = ShowMain();
    int nested = 0;
    bool closeRefused = true;
    scene->ui.onDoEvents = [&] {
      frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded();
      if (!p || !p->isVisible()) return;
      // While the run goes on, F2, the menus, Exit and the close box start
      // nothing.
      w->cmdRun_Click();
      w->mnuFilExit_Click();
      closeRefused = closeRefused && !w->close();
      ++nested;
      QTest::mouseClick(p->Command1, Qt::LeftButton);
    };
    w->cmdRun_Click();
    QVERIFY(nested >= 1);
    QVERIFY(closeRefused);
    QCOMPARE(tbl.FinishRow, -1);
    QCOMPARE(tbl.HistoryTitle[0], std::string(""));
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!ProgramEnding());
    QVERIFY(w->Picture1->isEnabled());
    QVERIFY(!DefaultInstance<frmPrgrs>::Loaded());
  }

  void saveCommands() {
    frmMain* w = ShowMain();
    fst.SpecsChanged = 0;
    scene->ui.Answer(ans::Cancel);
    w->cmdSave_Click();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Save Changes to Same File Name?"));
    QCOMPARE(scene->Box(0).style, mb::YesNoCancel + mb::Question + mb::DefaultButton3);
    QCOMPARE(scene->Box(0).prompt, "Do you want to update the current vehicle: " + kCR + kCR +
                                       "      muscle_454_4spd" + kCR + kCR +
                                       "(No changes have been made to this vehicle.)" + kCR + kCR +
                                       "Click on Yes to save any changes to the Same Name." + kCR +
                                       "Click on No to save the current vehicle specs to a New Name." + kCR +
                                       "Click on Cancel to stop saving.");
    fst.SpecsChanged = 1;
    scene->ui.Answer(ans::No);
    w->cmdSave_Click();
    QCOMPARE(scene->Box(1).style, mb::YesNoCancel + mb::Question);
    QVERIFY(scene->Box(1).prompt.find("With the changes you've made?") != std::string::npos);
    QCOMPARE(files.saveAsShown, 1);

    // Yes never overwrites a shipped example: it goes to the library.
    scene->Write("XVehicleData/MUSCLE/GTO455", "shipped\r\n");
    fst.CurrentFilePath = scene->path("XVehicleData/MUSCLE/GTO455");
    fst.CurrentFileName = "MUSCLE/GTO455";
    fst.SpecsChanged = 1;
    scene->ui.Answer(ans::Yes);
    w->cmdSave_Click();
    QCOMPARE(scene->Read("XVehicleData/MUSCLE/GTO455"), std::string("shipped\r\n"));
    QCOMPARE(scene->Read("VEHDAT/MUSCLE/GTO455").rfind("QVZ-ZKT*3.20\r\n", 0), size_t(0));
    QCOMPARE(fst.CurrentFilePath, scene->path("VEHDAT/MUSCLE/GTO455"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    // The menu item redirects too, a folder name in lower case as well.
    scene->Write("xvehicledata/drag/rail", "shipped\r\n");
    fst.CurrentFilePath = scene->path("xvehicledata/drag/rail");
    w->mnuFilSave_Click();
    QCOMPARE(scene->Read("xvehicledata/drag/rail"), std::string("shipped\r\n"));
    QCOMPARE(fst.CurrentFilePath, scene->path("VEHDAT/drag/rail"));

    // A vehicle without a name: both saves go to Save As, no box.
    const int boxes = scene->BoxCount();
    fst.CurrentFileName.clear();
    fst.CurrentFilePath.clear();
    w->cmdSave_Click();
    w->mnuFilSave_Click();
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(files.saveAsShown, 3);
  }

  // Save To Floppy Disk and the printer set-up work; the printer set-up's
  // Cancel leaves the orientation alone.
  void floppySaveAndPrinterSetup() {
    frmMain* w = Win();
    QVERIFY(w->mnuCopyFloppy->isEnabled());
    QVERIFY(w->mnuCopyFloppy->toolTip() != QString(kNotAvailableYet));
    w->mnuCopyFloppy->trigger();
    QCOMPARE(files.saveAsShown, 1);
    QCOMPARE(fst.FloppyMode, int16_t(1));
    QCOMPARE(fst.FileOperation, int16_t(savemode::SaveAs));

    QVERIFY(w->mnuWindowsPrinterSetup->isEnabled());
    cfg.PrinterOrientation = 2;
    QTimer::singleShot(0, [] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog);
      QCOMPARE(dialog->objectName(), QString("PrinterSetup"));
      qobject_cast<QDialog*>(dialog)->reject();
    });
    w->mnuWindowsPrinterSetup->trigger();
    QCOMPARE(cfg.PrinterOrientation, int16_t(2));
  }

  void openFromAFolderCountsAsNotYetSaved() {
    frmMain* w = ShowMain();
    // A car on a memory stick: the fixture front-drive car.
    QVERIFY(test::LoadFixtureVehicle(test::kFrontDrive));
    std::filesystem::create_directories(scene->file("stick"));
    fst.CurrentFilePath = fst.ChosenFileName = scene->path("stick/FWDTURBO");
    fst.FileOperation = savemode::ChosenPath;
    SaveVehicleFile(FormId::frmMain);
    ResetTables();
    files.chosen = scene->path("stick/FWDTURBO");
    w->mnuOpenFloppy_Click();
    QCOMPARE(fst.CurrentFileName, std::string("FWDTURBO"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(fst.FloppyMode, int16_t(0));
    QCOMPARE(w->windowTitle(), QString(" Stagewell v3.2   Korvath   [ FWDTURBO ]"));
    QVERIFY(w->Label5[3]->text().startsWith("Rear Wheel/Tire(s):"));  // front drive: driven wheels second
    files.chosen.clear();  // a cancelled dialog changes nothing
    w->mnuOpenFloppy_Click();
    QCOMPARE(fst.CurrentFileName, std::string("FWDTURBO"));
  }

  void dialInAccuracyQuestionOnlyOnce() {
    frmMain* w = Win();
    fst.CurrentFileName = "GTO";
    scene->ui.Answer(ans::No);
    w->MainCommand_Click(1);
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(0).title, std::string("      Dial In Accuracy       "));
    QCOMPARE(scene->Box(0).prompt, "The Dial In feature's accuracy depends on how close the current GTO vehicle's "
                                   "specs match the vehicle you are figuring a Dial In for." +
                                       kCR + kCR + "Do the current GTO specs match this vehicle?");
    QCOMPARE(scene->Box(1).prompt, std::string("Adjust these specs (perhaps using the 'Match Veh Perf' option) or "
                                               "Open up a Vehicle File which matches this car you are figuring a "
                                               "Dial In for."));
    QCOMPARE(tbl.CalcMode, int16_t(0));  // No opens nothing
    QVERIFY(!frmDialIn::IfLoaded());
    auto questions = [&] {
      int n = 0;
      for (int i = 0; i < scene->BoxCount(); ++i) n += scene->Box(i).title.find("Accuracy") != std::string::npos;
      return n;
    };
    w->MainCommand_Click(1);
    QCOMPARE(questions(), 1);
    QCOMPARE(tbl.CalcMode, int16_t(1));
    QVERIFY(frmDialIn::IfLoaded() && frmDialIn::IfLoaded()->Mode() == 1);
    const int boxes = scene->BoxCount();
    w->MainCommand_Click(2);
    QCOMPARE(scene->Box(boxes).title, std::string("      Throttle Stop Accuracy       "));
    Settle();
    QVERIFY(frmDialIn::IfLoaded() && frmDialIn::IfLoaded()->Mode() == 2);
  }

  void specButtonsRecordTheTireWeights() {
    frmMain* w = Win();
    SpecAt(kTires, 1) = "45";
    SpecAt(kTires, 4) = "60.5";
    shell.KeepSpecForm = 1;
    w->Command1_Click(3);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(4));
    QCOMPARE(shell.KeepSpecForm, int16_t(0));
    QCOMPARE(shell.TireWtBefore1, 45.0);
    QCOMPARE(shell.TireWtBefore2, 60.5);
    QCOMPARE(shell.TireWtRecorded, int16_t(1));
  }

  void minimisingClosesTheChildWindows() {
    frmMain* w = ShowMain();
    w->MdiArea->addSubWindow(new QWidget)->show();
    QCOMPARE(w->MdiArea->subWindowList().size(), 1);
    w->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCOMPARE(w->MdiArea->subWindowList().size(), 0);
  }

  void printMenuItemsOnlyTellWhatToDo() {
    Win()->mnuPrintBlankWorksheet_Click();
    QCOMPARE(scene->Box(0).prompt, "To print a blank worksheet, click on 'Calculate ET' at the top of the Main "
                                   "Screen." + kCR + kCR +
                                       "At the Results screen, click on 'Print' at the top of the screen to bring up "
                                       "the Print Options menu, which will include the 'Print Blank Worksheet' "
                                       "options.");
  }

  void splashAndAboutWindows() {
    frmMain* w = Win();
    w->mnuAbout_Click();
    frmAbout* about = DefaultInstance<frmAbout>::IfLoaded();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->Label2->text(), QString("Stagewell v3.2  A.014"));
    QCOMPARE(about->Command1->text(), QString("Website"));
    QVERIFY(SaveShot(about, "about.png"));
    about->Command1_Click();
    QCOMPARE(scene->Box(0).prompt, std::string("Click on 'Help' at the top of the Main Screen, then 'Korvath on the "
                                               "Web' to be brought to the Korvath website."));
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));  // a click anywhere closes it
    QVERIFY(!DefaultInstance<frmAbout>::Loaded());

    SplashForm* splash = DefaultInstance<SplashForm>::Get();
    QCOMPARE(splash->Label1->text(), QString("Stagewell v3.2"));
    QCOMPARE(splash->Label2->text(), QString("Korvath Inc."));
    QCOMPARE(splash->Timer1->interval(), 3000);
    QVERIFY(splash->Timer1->isActive());
    QVERIFY(SaveShot(splash, "splash.png"));
    scene->ui.SetBusyCursor(true);
    splash->Timer1_Timer();  // three seconds later
    QVERIFY(!scene->ui.busy());
    QVERIFY(!DefaultInstance<SplashForm>::Loaded());
    QVERIFY(w->isVisible());
  }

  // Start-up to a ready main window (the time it takes is told, not
  // judged: a busy machine takes longer); starting counts one activation,
  // also once the moment a desktop without activations is given has passed,
  // and the warning screen stays until it is closed, once a run.
  void startsUpToAReadyMainWindow() {
    scene->ReturningUser();
    scene->CopyShipped("TEXT/WARNING.TXT");
    PrintScreen::SystemNumberText() = [] { return std::string("2.333"); };
    QElapsedTimer clock;
    clock.start();
    sw::Main({});
    frmMain* w = DefaultInstance<frmMain>::IfLoaded();
    QVERIFY(w);
    QTRY_VERIFY_WITH_TIMEOUT(w->MainInitDone, 60000);
    qInfo("start-up to a ready main window: %lld ms", clock.elapsed());
    QVERIFY(w->isVisible());
    QVERIFY(w->Label5[0]->text().contains("454 cubic inches"));
    QTest::qWait(800);  // at least: the start-up without an activation would have come
    QCOMPARE(shell.ActivationCount, int16_t(1));
    PrintScreen* screen = DefaultInstance<PrintScreen>::IfLoaded();
    QVERIFY(screen && screen->isVisible());
    QCOMPARE(screen->windowTitle(), QString("Stagewell v3.2  -  Please Read"));
    QCOMPARE(shell.TextScreenId, int16_t(1));
    QCOMPARE(shell.StartupScreenShown, int16_t(1));
    screen->Command1->click();
    QTRY_VERIFY(!DefaultInstance<PrintScreen>::Loaded());
    QCOMPARE(shell.TipShown[20], int16_t(0));
    w->InitMainWindow();
    QVERIFY(!DefaultInstance<PrintScreen>::IfLoaded());
  }

  // Comments: typing in the main window's box marks the vehicle changed;
  // the editor writes back on closing (also by a click on the main window),
  // an empty text as empty, and unchanged text marks nothing.
  void commentsEditor() {
    frmMain* m = QuietMain();
    fst.SpecsChanged = 0;
    m->ShowComments("same\r\n");
    QCOMPARE(fst.SpecsChanged, int16_t(0));  // shown from the file: no edit
    frmDispCmnts::ShowVehicleComments();
    DefaultInstance<frmDispCmnts>::IfLoaded()->Command1->click();
    Settle();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(fst.VehicleComments, std::string("same\r\n"));

    m->show();
    frmDispCmnts::ShowVehicleComments();
    QPointer<frmDispCmnts> c = DefaultInstance<frmDispCmnts>::IfLoaded();
    QCOMPARE(c->windowTitle(), QString("Vehicle Comments"));
    QCOMPARE(c->Text1->toPlainText(), QString("same\n"));
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

    frmDispCmnts::ShowVehicleComments();
    DefaultInstance<frmDispCmnts>::IfLoaded()->Text1->clear();
    DefaultInstance<frmDispCmnts>::IfLoaded()->Command1->click();
    Settle();
    QCOMPARE(m->Text1->toPlainText(), QString(""));
    QCOMPARE(fst.VehicleComments, std::string(""));

    m->ShowComments("Line one\r\n");
    fst.SpecsChanged = 0;
    m->Text1->setFocus();
    QTest::keyClicks(m->Text1, "x");
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QVERIFY(fst.VehicleComments.find("\r\n") != std::string::npos);
  }

  void preferencesMenuMarksAndActions() {
    frmMain* m = QuietMain();
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
    QCOMPARE(scene->Box(0).title, std::string("Time Increment Slightly Affects Results"));
    item("mnuExperieced")->trigger();
    QCOMPARE(tbl.BeginnerLevel, int16_t(0));
    emit m->mnuPreferences->aboutToShow();
    QVERIFY(item("mnuFinerTime")->isChecked() && item("mnuExperieced")->isChecked());
    scene->ui.Answer(ans::No);
    item("mnuDeleteUnchangedExamples")->trigger();
    QCOMPARE(scene->Box(1).title, std::string("Delete Example 3.0 Vehicle Files from Your Saved Vehicle Library?"));
    QCOMPARE(cfg.OldExamplesDeleted, int16_t(0));
  }

  // --- the vehicle summary's five lines

  void summaryOfTheMuscleCar() {
    SummaryCar();
    auto lines = VehicleSummaryLines();
    QCOMPARE(lines[0], std::string("User Defined Engine: (Peak HP Only, Std Dyno Rating)\n"
                                   "450 HP at 5600 RPM , 454 cubic inches          "));
    QCOMPARE(lines[1], std::string("Clutch:  User Defined Specs\nTransmission:   4 speed, user defined specs"));
    QCOMPARE(lines[2], std::string("Weight: 3850          Axle Ratio: 4.10\nBody Style:  User defined Rear Wheel Drive"));
    QCOMPARE(lines[3], std::string("Front Wheel/Tire(s):  Program will estimate\n"
                                   "Rear Wheel/Tire(s):  10.5\" x 28.0\" Radial Street Tire"));
    QCOMPARE(lines[4], std::string("Launch:  Program will limit tire spin starting at  4500 RPM\n"
                                   "Shifts:  .4 sec full throttle at  Computer Picked RPMs"));
    QCOMPARE(shell.SummaryConverter, int16_t(0));
    QCOMPARE(tbl.SpecText[116], std::string("0"));
    SetSpecs("D0=2");  // a label shows "&&" as one "&"
    QVERIFY(LabelText(VehicleSummaryLines()[4]).find("spin & not let") != std::string::npos);
  }

  // Each case changes the muscle car's specs and looks at one line ('='
  // whole, '^' its start, '$' its end, '~' somewhere in it) and at the specs
  // afterwards: edited examples become user defined and lose their names.
  void summaryLinesFollowTheSpecs() {
    struct Case {
      std::string specs;
      int line;
      char how;
      std::string text;
      std::string after = "";
      int16_t beginner = 0;
    } cases[] = {
        {"E1=120;E4=95;E5=5000", 0, '~', "\n95.0 HP at 5000 RPM , 120 cubic inches"},
        {"E0=1;E2=500;E3=3600;E6=1", 0, '=', "User Defined Engine: (Peak Tq and HP, SAE Rating)\n500 ft lbs at "
                                            "3600 RPM  and  450 HP at 5600 RPM , 454 cubic inches          "},
        {"E0=4;E13=Ex Eng: Rat Motor;E14=0", 0, '^', "Ex Eng: Rat Motor (Peak HP Only, Std Dyno Rating)\n",
         "E0=4;E13=Ex Eng: Rat Motor"},
        {"E0=3;E13=Ex Eng: Rat Motor;E14=1;E2=500;E3=3600", 0, '^', "User Defined Engine: (Peak Tq and HP",
         "E0=1;E13=;E14="},  // method 3 returns to its own method
        {"T0=2;T22=Ex Clu: Long 11;T23=1", 1, '^', "Clutch:  Pick from Examples\n", "T0=2;T22=;T23="},
        {"T0=4", 1, '^', "Converter:  Pick from Examples\n", "T0=4"},
        {"T0=5;T22=Ex Con: 3500 Stall;T7=2;T24=Ex Trn: TH400", 1, '=',
         "Ex Con: 3500 Stall\nTransmission:  Ex Trn: TH400"},
        {"T10=0", 1, '~', " 1 speed, user defined specs"},
        {"T10=1.5;T11=1.5;T12=1.5;T13=1.5;T14=1.5;T15=1.5", 1, '~', " 6 speed, user defined specs"},
        {"T7=1", 1, '~', "user defined specs", "T7=0"},  // user-defined gears name no example transmission
        {"V4=1", 2, '~', "Body Style:  User defined Front Wheel Drive"},
        {"V4=1", 3, '^', "Rear Wheel/Tire(s):  Program will estimate\nFront Wheel/Tire(s):  "},
        {"V4=3", 2, '~', "User defined Motorcycle"},
        {"V4=2", 2, '~', "User defined 4 Wheel Drive"},
        {"W0=2;W10=Ex Ftr: skinny", 3, '^', "Front Wheel/Tire(s):  User defined\n", "W0=1;W10="},
        {"W6=4", 3, '~', "\" Racing Slick"},
        {"W6=7", 3, '$', "\" 7"},  // outside the list: the stored text
        {"D5=0", 4, '~', "Shifts:  .8 sec"},
        {"D5=2", 4, '~', "Shifts:  .2 sec"},
        {"D5=3", 4, '~', "Shifts:  .0 secPower Shift at "},
        {"D7=1;D8=6500;D9=6400;D10=6300.4;D11=6200", 4, '~', "full throttle at  6500, 6400, 6300 RPM"},
        {"D7=1;D8=6500", 4, '~', "at  Computer Picked RPMs", "", 1},
        {"D0=1", 4, '^', "Launch:  User defined starting at  4500 RPM\n"},
        {"D0=2", 4, '^', "Launch:  Program will limit tire spin && not let RPM fall below  4500 RPM\n"},
        {"D0=2", 4, '^', "Launch:  Program will limit tire spin starting at  4500", "", 1},
        {"T0=3;D0=1", 4, '=',
         "Launch:  User defined , automatic trans.\nShifts:  .4 sec full throttle at  Computer Picked RPMs"},
    };
    for (const Case& c : cases) {
      ResetTables();
      SummaryCar();
      tbl.BeginnerLevel = c.beginner;
      SetSpecs(c.specs);
      const std::string line = VehicleSummaryLines()[static_cast<size_t>(c.line)];
      const size_t at = line.find(c.text);
      const bool ok = c.how == '=' ? line == c.text
                      : c.how == '^' ? at == 0
                      : c.how == '$' ? at != std::string::npos && at + c.text.size() == line.size()
                                     : at != std::string::npos;
      QVERIFY2(ok, (c.specs + ": " + line).c_str());
      QCOMPARE(SpecsNow(c.after), c.after);
      QCOMPARE(shell.SummaryConverter, int16_t(Val(SpecAt(kTransmission, 0)) >= 3));  // a converter car
    }
  }

  void summaryReportsAMissingPresetList() {
    SummaryCar();
    std::filesystem::remove(scene->file("COMBO/CMB4-6"));
    auto lines = VehicleSummaryLines();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt,
             std::string("Combo Data for Menu # 4, Spec # 6 is not readable.  You may need to reinstall this program."));
    QVERIFY(lines[3].find("\" 1") != std::string::npos);  // the stored choice itself
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_qtest.moc"
