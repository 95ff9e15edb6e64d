// The dial-in window from the main window, in both modes: what each shows,
// entries, weather methods, copy/advance/clear, files, printout, predictions.
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "files/file_names.h"
#include "platform/qt/twips.h"
#include "results/anls_rprt.h"
#include "shell/frm_save_file.h"
#include "shell/rtrvfile.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

QString Text(frmDialIn* w, int row) { return w->SpecData[row]->text(); }

// The visible items of a menu or menu bar, separators as "-".
QStringList MenuItems(QWidget* m) {
  QStringList out;
  for (QAction* a : m->actions())
    if (a->isVisible()) out << (a->isSeparator() ? QString("-") : a->text());
  return out;
}

// 29.92 "Hg, 70 F, 50 and `elevation` in the run groups starting at rows
// `groups` (0 Run 1, 9 Predicted, 20 Run 2), calm if `calm`.
void Weather(frmDialIn* w, std::initializer_list<int> groups, const char* elevation = "0", bool calm = true) {
  for (int b : groups) {
    TypeAndLeave(w, b, "29.92");
    TypeAndLeave(w, b + 1, "70");
    TypeAndLeave(w, b + 2, "50");
    TypeAndLeave(w, b + 3, elevation);
    if (calm) PickItem(w, b + 5, 0);
  }
}

// A dial-in session: corrected barometer and dew point, calm, 60 ft computed.
void FillDialIn(frmDialIn* w) {
  PickItem(w, 18, 1);
  Weather(w, {0, 9});
  PickItem(w, 15, 0);
  TypeAndLeave(w, 7, "2.01");
  TypeAndLeave(w, 8, "12.45");
  TypeAndLeave(w, 30, ".02");
}

}  // namespace

class DialInWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

  // The main window's Dial-In (1) or Throttle Stop (2) button.
  frmDialIn* Open(int mode) {
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    if (!m) m = scene->ShowMain();
    m->MainCommand[mode]->click();
    frmDialIn* w = frmDialIn::IfLoaded();
    if (w) Activate(w);
    return w;
  }

 private slots:
  void init() {
    scene = std::make_unique<SpecScene>();
    ResetDialInState();
  }
  void cleanup() { scene.reset(); }

  // Dial In: one run column, no throttle-stop rows, its own captions and
  // menus; the help lines point at the Dial In pages.
  void dialInModeAsTheRacerSeesIt() {
    frmMain* m = scene->ShowMain();
    QVERIFY(m->MainCommand[1]->isEnabled() && m->MainCommand[2]->isEnabled());
    frmDialIn* w = Open(1);
    QVERIFY(w);
    QCOMPARE(scene->Box(0).title, std::string("      Dial In Accuracy       "));
    QCOMPARE(w->windowTitle(), QString("Dial In Prediction         [ File:  ]"));
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(9));
    QCOMPARE(w->Frame3D1[1]->title() + "|" + w->Frame3D1[0]->title() + "|" + w->Frame3D2->title() + "|" +
                 w->Frame3D3->title(),
             QString("Previous Run|Predicted Run|General Specs and Comments|Help"));
    QCOMPARE(w->SpecName[17]->text(), QString("Dial In, Sec"));
    QString shown;
    for (int r = 0; r < 32; ++r) shown += ValueControl(w, r)->isVisible() ? '1' : '0';
    QCOMPARE(shown, QString("11111101111111111010000000000010"));
    QVERIFY(!w->Label3[0]->isVisible() && !w->Label3[1]->isVisible() && !w->Label5->isVisible());
    QVERIFY(!w->ClcBttn[22]->isVisible() && w->ClcBttn[17]->isEnabled() && w->ClcBttn[2]->isEnabled());
    QCOMPARE(w->cmbSpecData[18]->itemText(5), QString("Altimeter & Dew Point"));
    // Never used: no choices yet, the margin shown as 0.
    QCOMPARE(w->cmbSpecData[18]->currentIndex(), -1);
    QCOMPARE(Text(w, 30), QString("0"));
    QCOMPARE(MenuItems(w->MenuBar), (QStringList{"Exit", "File", "Edit", "Advance", "Update Prediction", "Help"}));
    QCOMPARE(MenuItems(w->mnuFile), (QStringList{"New", "Open", "Save", "Save As", "-", "Print", "-", "Exit"}));
    QCOMPARE(MenuItems(w->mnuEdit), (QStringList{"Clear All Entries", "Clear Previous Run", "Clear Predicted Run", "-",
                                             "Copy Previous Run to Predicted Run"}));
    QCOMPARE(MenuItems(w->mnuAdvance), QStringList{"Advance:  Predicted to Previous"});
    w->SpecName[7]->setFocus();
    QTest::mouseClick(w->SpecName[7], Qt::LeftButton);
    Settle();
    QCOMPARE(w->Label1->text(), QString("60 foot time from the time slip of this run, in seconds.  p 85"));
    QVERIFY(w->SpecData[7]->hasFocus());
    FillDialIn(w);
    QVERIFY(SaveShot(w, "frmDialIn_DialIn.png"));
    // "Clc" beside a dew point opens the humidity calculator of the row:
    // Dial In, dew point method, Predicted run.
    w->ClcBttn[11]->click();
    Settle();
    QCOMPARE(shell.CalcMenuNumber, int16_t(48));
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    QVERIFY(frmDialIn::IfLoaded() == w);
  }

  // Throttle Stop: two run columns, the index, the start time and the
  // Options menu; one run hides Run 1's boxes and shows the factor.
  void throttleStopModeWithTwoRunsAndOne() {
    frmDialIn* w = Open(2);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Throttle Stop Prediction         [ File:  ]"));
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(8));
    QCOMPARE(w->SpecName[17]->text(), QString("Throttle Stop"));
    for (int r : {0, 6, 7, 8, 19, 20, 26, 27, 28, 29}) QVERIFY(w->SpecData[r]->isVisible());
    QVERIFY(w->cmbSpecData[25]->isVisible() && w->ClcBttn[22]->isVisible());
    QCOMPARE(w->Label3[0]->text(), QString("Run 1"));
    QCOMPARE(w->Label3[1]->text(), QString("Run 2"));
    QCOMPARE(w->Label5->text(), QString("Note:  For good accuracy, Throttle Stops for Run 1 and Run 2 must produce "
                                        "ETs that are at least .3 seconds different."));
    QVERIFY(!w->Label6->isVisible() && !w->SpecData[31]->isVisible());
    // The two run columns share captions and a frame: their names tell them apart.
    QCOMPARE(w->SpecData[4]->accessibleName() + "|" + w->SpecData[24]->accessibleName(),
             QString("Wind MPH (Run 1)|Wind MPH (Run 2)"));
    QCOMPARE(w->SpecData[28]->accessibleName(), QString("ET, sec (Run 2)"));
    QVERIFY(w->ClcBttn[2]->accessibleName().startsWith("Clc ") && w->ClcBttn[2]->accessibleName().endsWith(" (Run 1)"));
    QCOMPARE(w->ClcBttn[22]->accessibleName(), QString(w->ClcBttn[2]->accessibleName()).replace("(Run 1)", "(Run 2)"));
    QCOMPARE(w->ClcBttn[17]->accessibleName(), QString("Update Prediction"));
    QStringList labels;  // a pick list reaches a screen reader by its labels
    for (const auto& [label, relation] :
         QAccessible::queryAccessibleInterface(w->cmbSpecData[25])->relations(QAccessible::Label))
      labels << label->text(QAccessible::Name);
    QVERIFY2(labels.contains("Wind Direction (Run 2)"), qPrintable(labels.join("|")));
    QCOMPARE(MenuItems(w->MenuBar),
             (QStringList{"Exit", "File", "Edit", "Options", "Advance", "Update Prediction", "Help"}));
    QCOMPARE(MenuItems(w->mnuEdit),
             (QStringList{"Clear All Entries", "Clear Previous Run (Run #1)", "Clear Previous Run (Run #2)",
                          "Clear Predicted Run", "-", "Copy Run #1 to Run #2", "Copy Run #1 to Predicted Run",
                          "Copy Run #2 to Predicted Run"}));
    QCOMPARE(MenuItems(w->mnuAdvance), QStringList{"Advance: Predicted to Run #2"});
    emit w->mnuOptions->aboutToShow();
    QCOMPARE(MenuItems(w->mnuOptions),
             (QStringList{"Use Two Previous Throttle Stop Runs", "Use One Previous Throttle Stop Run",
                          "Current T.Stop Factor = na", "Help Using 1 TS Run"}));
    QVERIFY(w->mnuUseTwoRuns->isChecked() && !w->mnuUseOneRun->isChecked());
    w->SpecName[17]->setFocus();
    QTest::mouseClick(w->SpecName[17], Qt::LeftButton);
    QVERIFY(w->Label1->text().startsWith("The Throttle Stop setting which will produce your desired ET"));
    QVERIFY(SaveShot(w, "frmDialIn_ThrottleStop_TwoRuns.png"));
    w->ClcBttn[22]->click();  // Run 2, no method chosen: the row holds a dew point
    Settle();
    QCOMPARE(w->SpecName[2]->text(), QString("Dew Point, deg F"));
    QCOMPARE(shell.CalcMenuNumber, int16_t(44));
    Activate(w);

    // One run: a factor of this session is filled in without a question.
    TsAdjustFactor = 3.25;
    w->Label2->setText("1.64");
    emit w->mnuOptions->aboutToShow();
    QCOMPARE(w->mnuCurrentFactor->text(), QString("Current T.Stop Factor = 3.250"));
    const int boxes = scene->BoxCount();
    w->mnuUseOneRun->trigger();
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(Text(w, 31), QString("3.250"));
    QCOMPARE(UseOneTsRun, int16_t(1));
    for (int r : {0, 6, 7, 8}) QVERIFY(!w->SpecData[r]->isVisible());
    QVERIFY(w->SpecName[0]->isVisible() && !w->ClcBttn[2]->isVisible());
    QVERIFY(w->Label6->isVisible() && w->SpecData[31]->isVisible());
    QCOMPARE(w->Label5->text(),
             QString("Note:  Click on Options, then Help for info on using only 1 Throttle Stop run."));
    QVERIFY(w->mnuUseOneRun->isChecked());
    // With a factor already in the box it asks.
    scene->ui.Answer(ans::No);
    w->mnuUseOneRun->trigger();
    QCOMPARE(scene->LastBox().prompt, std::string("Do you want to use the current Adjustment Factor of  3.250 ?"));
    QCOMPARE(scene->LastBox().title, std::string("Use Current Adjustment Factor?"));
    QVERIFY(SaveShot(w, "frmDialIn_ThrottleStop_OneRun.png"));

    // The one-run help, and a message naming the file when it is missing.
    w->mnuTSHelp->trigger();
    Settle();
    AnlsRprt* help = AnlsRprt::IfLoaded();
    QVERIFY(help && help->Text1->toPlainText().startsWith("Using One Previous Throttle Stop Run\n"));
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    help->close();
    Settle();
    std::filesystem::remove(scene->file("QVZHELP/HLPts1rn.TXT"));
    Activate(w);
    w->mnuTSHelp->trigger();
    QCOMPARE(scene->LastBox().prompt,
             std::string("The help file QVZHELP/HLPts1rn.TXT can not be read.  You may need to reinstall this "
                         "program."));

    w->mnuUseTwoRuns->trigger();
    QVERIFY(w->SpecData[0]->isVisible() && !w->SpecData[31]->isVisible());
  }

  // Entries: whole-number rows round, out-of-range entries are refused with
  // the Warning, a changed entry empties the shown prediction, a Run 2 box
  // double-clicked takes Run 1's value.
  void entriesAndTheirChecks() {
    frmDialIn* w = Open(2);
    w->Label2->setText("1.64");
    w->Label9->setText("6.269");
    TypeAndLeave(w, 4, "12.7");
    QCOMPARE(Text(w, 4), QString("13"));
    QVERIFY(w->Label2->text().isEmpty() && w->Label9->text().isEmpty());
    w->Label2->setText("1.64");
    TypeAndLeave(w, 4, "13");
    QCOMPARE(w->Label2->text(), QString("1.64"));  // the same entry again
    TypeAndLeave(w, 0, " 29.920");
    QCOMPARE(Text(w, 0), QString("29.92"));
    TypeAndLeave(w, 20, "40");
    QCOMPARE(scene->LastBox().prompt, std::string("Corr. Baro., \"Hg = 40.  Value must be between  15 and  35 ."));
    QCOMPARE(Text(w, 20), QString(""));
    TypeAndLeave(w, 1, "70");
    QTest::mouseDClick(w->SpecData[21], Qt::LeftButton);
    QCOMPARE(Text(w, 21), QString("70"));
    QTest::mouseDClick(w->SpecData[10], Qt::LeftButton);
    QCOMPARE(Text(w, 10), QString(""));
    // The run reads the live rows through the window host.
    QCOMPARE(Windows().DialInRowText(21), std::string("70"));
    PickItem(w, 25, 2);
    QCOMPARE(Windows().DialInListIndex(25), 2);
    // The rows reach SpecText when another window takes the front.
    Activate(DefaultInstance<frmMain>::IfLoaded());
    QVERIFY(!frmDialIn::IfLoaded());
    QCOMPARE(tbl.SpecText[127 + 21] + "|" + tbl.SpecText[127 + 25] + "|" + tbl.SpecText[127 + 4], std::string("70| 2|13"));
  }

  // Changing the weather method converts every run's weather; going to a
  // corrected barometer asks each run's elevation, and Cancel undoes it.
  void weatherMethodsConvertTheRuns() {
    frmDialIn* w = Open(2);
    PickItem(w, 18, 0);
    Weather(w, {0, 9, 20}, "5000", false);
    TypeAndLeave(w, 3, "0");
    QCOMPARE(w->SpecName[2]->text(), QString("Rel Hum, %"));
    PickItem(w, 18, 1);
    QCOMPARE(RowTexts(w, {2, 22}), QString("50.6|50.6"));
    QCOMPARE(w->SpecName[2]->text() + "|" + w->SpecName[11]->text(), QString("Dew Point, deg F|Dew Point, deg F"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    PickItem(w, 18, 0);
    // To an observed barometer: the track pressure, elevations greyed.
    PickItem(w, 18, 2);
    QCOMPARE(RowTexts(w, {9, 12, 0}), QString("24.99|0|29.92"));
    QVERIFY(!w->SpecData[12]->isEnabled() && w->SpecData[9]->isEnabled());
    QCOMPARE(w->SpecName[0]->text(), QString("Obs. Baro., \"Hg"));
    // Back asks three elevations; Cancel at the second undoes the change.
    const int before = scene->BoxCount();
    scene->ui.Type("0");
    scene->ui.CancelInput();
    PickItem(w, 18, 0);
    QCOMPARE(scene->BoxCount(), before + 2);
    QCOMPARE(w->cmbSpecData[18]->currentIndex(), 2);
    QCOMPARE(Text(w, 9), QString("24.99"));
    // Answered: Run 1 at 0 ft, Run 2 at 0 ft, the Predicted run at 5000 ft.
    for (const char* a : {"0", "0", "5000"}) scene->ui.Type(a);
    PickItem(w, 18, 0);
    QCOMPARE(RowTexts(w, {9, 12, 0, 3}), QString("29.92|5000|29.92|0"));
    // Altimeter: the barometer greyed, the altimeter read from the pressure.
    PickItem(w, 18, 4);
    QCOMPARE(Text(w, 12), QString("4999"));
    QVERIFY(!w->SpecData[9]->isEnabled());
    // Calm days grey the wind speed; an entered 60 ft time is enabled.
    for (auto [list, row] : {std::pair{14, 13}, {15, 16}}) {
      PickItem(w, list, 0);
      QVERIFY(!w->SpecData[row]->isEnabled());
      PickItem(w, list, 1);
      QVERIFY(w->SpecData[row]->isEnabled());
    }
  }

  void copyAdvanceAndClear() {
    frmDialIn* w = Open(2);
    TypeAndLeave(w, 0, "29.5");
    TypeAndLeave(w, 7, "1.60");
    TypeAndLeave(w, 8, "11.20");
    PickItem(w, 5, 2);
    PickItem(w, 15, 1);
    TypeAndLeave(w, 16, "1.70");
    scene->ui.Answer(ans::Yes);
    w->mnuCopy1P->trigger();
    QCOMPARE(scene->LastBox().prompt, std::string("Copy entries from Previous Run #1 to Predicted Run?"));
    // The wind and the weather copied, the 60 ft choice kept, the run's 60 ft time.
    QCOMPARE(RowTexts(w, {9, 14, 15, 16}), QString("29.5|Tail Wind|Entered Below|1.6"));
    // Advance: the Predicted weather and the shown throttle stop become Run 2.
    TypeAndLeave(w, 27, "1.61");
    TypeAndLeave(w, 28, "12.00");
    w->Label2->setText("1.64");
    w->Label9->setText("6.269");
    scene->ui.Answer(ans::Yes);
    w->mnuAdvanceP2->trigger();
    QCOMPARE(scene->LastBox().prompt, std::string("Advance (copy) entries from Predicted Run to Previous Run #2?"));
    QCOMPARE(RowTexts(w, {20, 26, 27, 28, 9, 14, 16}), QString("29.5|1.64|||||1.6"));
    QVERIFY(w->Label2->text().isEmpty() && w->Label9->text().isEmpty());
    // Clear All answered No: only the prediction goes.
    w->Label2->setText("1.64");
    scene->ui.Answer(ans::No);
    w->mnuClearAll->trigger();
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::Exclamation + mb::DefaultButton2);
    QVERIFY(w->Label2->text().isEmpty());
    QCOMPARE(Text(w, 0), QString("29.5"));
    scene->ui.Answer(ans::Yes);
    w->mnuClear1->trigger();
    QCOMPARE(scene->LastBox().prompt.substr(0, 66),
             std::string("Clear our (blank out) all data entries for the Previous Run #1?\r\r("));
    QCOMPARE(w->cmbSpecData[5]->currentIndex(), 0);
    QCOMPARE(RowTexts(w, {0, 20}), QString("|29.5"));
  }

  // Save As and Open in both modes; the one-run marker comes back; New
  // blanks the name, so Save reports it.
  void filesInBothModes() {
    frmDialIn* w = Open(1);
    FillDialIn(w);
    w->Text1->setPlainText("Night race");
    w->mnuSaveAs->trigger();
    Settle();
    frmSaveFile* f = DefaultInstance<frmSaveFile>::IfLoaded();
    QVERIFY(f && f->windowTitle() == "Save Dial In File");
    std::filesystem::create_directories(scene->file("DIALIN/Friday"));  // a folder in the name's place
    f->Text1->setText("Friday");
    f->Command1_Click();
    QCOMPARE(scene->LastBox().prompt, "The file could not be written:\r\r      " + scene->path("DIALIN/Friday") +
                                          "\r\rReason: Is a directory.");
    std::filesystem::remove(scene->file("DIALIN/Friday"));
    f->Command1_Click();
    Settle();
    const std::string saved = scene->Read("DIALIN/Friday");
    QVERIFY(saved.rfind("QVZ-ZKT-DI*3.20\r\n", 0) == 0);
    QVERIFY(saved.find("\r\nNight race\r\n-9999\r\n") != std::string::npos);
    QCOMPARE(fst.DialInFileName, std::string("Friday"));
    Activate(w);
    QCOMPARE(w->windowTitle(), QString("Dial In Prediction         [ File: Friday ]"));

    // New: the question, then nothing named; Save says so.
    scene->ui.Answer(ans::Yes);
    w->mnuNew->trigger();
    QCOMPARE(Text(w, 8), QString(""));
    QCOMPARE(w->cmbSpecData[18]->currentIndex(), CInt(Val(tbl.SpecText[97])));  // the Conditions window's method
    QCOMPARE(w->windowTitle(), QString("Dial In Prediction         [ File:  ]"));
    w->mnuSave->trigger();
    QCOMPARE(scene->LastBox().prompt, std::string("Current Name is blank.  Use 'Save As' to give these specs a name."));

    // Open brings the entries back.
    scene->ui.Answer(ans::No);  // no saving of the cleared entries first
    w->mnuOpen->trigger();
    Settle();
    QVERIFY(DefaultInstance<Rtrvfile>::IfLoaded());
    DefaultInstance<Rtrvfile>::IfLoaded()->File1_DblClick("Friday");
    Settle();  // the entries show before the window has the front again
    QCOMPARE(Text(w, 8), QString("12.45"));
    QCOMPARE(w->cmbSpecData[18]->currentIndex(), 1);
    QCOMPARE(w->Text1->toPlainText(), QString("Night race\n"));
    // Save writes back to it, in its folder.
    TypeAndLeave(w, 8, "12.50");
    w->mnuSave->trigger();
    QVERIFY(scene->Read("DIALIN/Friday").find("\r\n12.50\r\n") != std::string::npos);

    // Throttle Stop with one run: "@" and the factor in row 17's slot.
    frmDialIn* t = Open(2);
    TsAdjustFactor = 2.5;
    t->mnuUseOneRun->trigger();  // fills in "2.500"
    TypeAndLeave(t, 28, "12.00");
    t->mnuSaveAs->trigger();
    Settle();
    f = DefaultInstance<frmSaveFile>::IfLoaded();
    QCOMPARE(f->windowTitle(), QString("Save Throttle Stop File"));
    f->Text1->setText("Saturday");
    f->Command1_Click();
    Settle();
    auto lines = CrLfLines(scene->Read("THRTLSTP/Saturday"));
    QCOMPARE(lines.at(0), std::string("QVZ-ZKT-TS*3.20"));
    QCOMPARE(lines.at(1 + 17), std::string("@2.500"));
    Activate(t);
    t->mnuUseTwoRuns->trigger();
    TsAdjustFactor = 0;
    scene->ui.Answer(ans::No);
    t->mnuOpen->trigger();
    Settle();
    DefaultInstance<Rtrvfile>::IfLoaded()->File1_DblClick("Saturday");
    Settle();
    Activate(t);
    QCOMPARE(UseOneTsRun, int16_t(1));
    QCOMPARE(Text(t, 31), QString("2.500"));
    QVERIFY(t->SpecData[31]->isVisible() && !t->SpecData[8]->isVisible());
    // Two runs again sticks: no marker is stored.
    t->mnuUseTwoRuns->trigger();
    t->StoreSpecRows();
    QCOMPARE(tbl.SpecText[127 + 17], std::string(""));
  }

  // The worksheet stays, with its entries, however its Open window and the save window Open asked for come and go.
  void theWorksheetStaysWhileItsOpenAndSaveWindowsComeAndGo() {
    for (int mode : {1, 2})
      for (const QString close : {"Cancel", "worksheet", "OK"}) {
        cleanup(), init();
        frmDialIn* w = Open(mode);
        TypeAndLeave(w, 8, "12.45");
        w->StoreSpecRows();
        scene->Write(KindFolder(mode, 0) + std::string("/Friday"), Utf8ToCp1252(VehicleFileText(savemode::ChosenPath)));
        TypeAndLeave(w, 8, "11.77");
        Rtrvfile* open = (w->mnuOpen->trigger(), DefaultInstance<Rtrvfile>::IfLoaded());
        for (int round = close == "worksheet" ? 2 : 1; round > 0; --round) {
          Activate(open);
          open->File1_Click("Friday");
          scene->ui.Answer(ans::Yes);
          open->Command1_Click();
          Activate(DefaultInstance<frmSaveFile>::IfLoaded());
          if (round == 2) Activate(w);  // the save window goes, the Open window stays
        }
        frmSaveFile* f = DefaultInstance<frmSaveFile>::IfLoaded();
        close == "Cancel" ? f->Command2->click() : (f->Text1->setText("Kept"), f->Command1_Click());
        Settle();
        QCOMPARE(frmDialIn::IfLoaded() == w ? Text(w, 8) : "gone", QString(close == "Cancel" ? "11.77" : "12.45"));
      }
  }

  // Predictions with the muscle car: a dial-in from a run in the same
  // weather; a throttle stop whose 60 ft times are too far apart makes the
  // window 200 twips taller with its note. The printout shows the files.
  void predictionsFromTheWindow() {
    frmDialIn* w = Open(1);
    FillDialIn(w);
    w->mnuUpdate->trigger();
    Settle();
    QCOMPARE(w->Label2->text(), QString("12.43"));
    QVERIFY(!w->Label7->isVisible() && !tbl.CalcRunning);
    // A changed entry empties it; a click on the label predicts again.
    TypeAndLeave(w, 30, ".05");
    QVERIFY(w->Label2->text().isEmpty());
    QTest::mouseClick(w->Label2, Qt::LeftButton);
    Settle();
    QCOMPARE(w->Label2->text(), QString("12.40"));
    QCOMPARE(w->Label2->accessibleName(), QString("Predicted Dial In 12.40"));
    // Rows shown again as they were keep it; a value a calculator wrote
    // into a run empties it.
    w->StoreSpecRows();
    w->RefillFromSpecText();
    QCOMPARE(w->Label2->text(), QString("12.40"));
    tbl.SpecText[160 + 2] = "50.6";
    w->RefillFromSpecText();
    QCOMPARE(Text(w, 2), QString("50.6"));
    QVERIFY(w->Label2->text().isEmpty());
    QCOMPARE(w->Label2->accessibleName(), QString("Predicted Dial In"));
    w->mnuUpdate->trigger();
    Settle();
    QVERIFY(!w->Label2->text().isEmpty());

    const QString pdf = QString::fromStdString(scene->path("dialin.pdf"));
    SetPrintToPdfForTest(pdf);
    const int height = w->height();
    fst.CurrentFilePath = scene->path("VEHDAT/MUSCLE454");
    w->mnuPrint->trigger();
    Settle();
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QCOMPARE(w->Frame3D3->title(), QString("Help"));  // the window as it was
    QVERIFY(w->height() == height && !w->Label4->isVisible());

    frmDialIn* t = Open(2);
    QVERIFY(t != w);
    PickItem(t, 18, 1);
    Weather(t, {0, 9, 20});
    PickItem(t, 15, 0);
    const char* rows[][2] = {{"6", "1.50"}, {"7", "1.98"}, {"8", "12.40"}, {"26", "2.00"}, {"27", "2.03"},
                             {"28", "12.90"}, {"19", "12.80"}, {"29", "4"}, {"30", ".02"}};
    for (auto& r : rows) TypeAndLeave(t, QString(r[0]).toInt(), r[1]);
    const int before = t->height();
    t->mnuUpdate->trigger();
    Settle();
    QVERIFY2(!t->Label2->text().isEmpty() && !t->Label9->text().isEmpty(), scene->LastBox().prompt.c_str());
    QCOMPARE(t->Label2->accessibleName(), "Predicted Throttle Stop " + t->Label2->text());
    QVERIFY(t->Label7->isVisible());
    QCOMPARE(t->Label7->text(), QString("60 ft time not used because more than .03 second difference between Run 1 "
                                        "and Run 2 60 ft times."));
    QCOMPARE(t->height() - before, TwipsToPixels(200, t));
    QVERIFY(SaveShot(t, "frmDialIn_ThrottleStop_Predicted.png"));
  }

  // While a prediction runs, edits in its window (a screen reader's, between the passes) change nothing of it: the
  // rows and the method are those of its start; the edits stay in the rows for the next one.
  void entriesHeldWhileAPredictionRuns() {
    frmDialIn* w = Open(1);
    FillDialIn(w);
    int edits = 0;
    scene->ui.onDoEvents = [&] {  // the predicted run's temperature, and the method
      if (tbl.CalcRunning) ++edits, w->SpecData[10]->setText("110"), w->cmbSpecData[18]->setCurrentIndex(0);
    };
    w->mnuUpdate->trigger();
    scene->ui.onDoEvents = nullptr;
    Settle();
    QVERIFY(edits > 0);
    QCOMPARE(w->Label2->text(), QString("12.43"));
    QCOMPARE(Text(w, 10), QString("110"));
  }

  // Minimising the main window unloads the window, its rows stored.
  void minimisingUnloads() {
    frmDialIn* w = Open(1);
    TypeAndLeave(w, 8, "12.1");
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    m->setWindowState(Qt::WindowMinimized);
    Settle();
    QVERIFY(!frmDialIn::IfLoaded());
    QCOMPARE(tbl.SpecText[160 + 8], std::string("12.1"));
  }
};

QTEST_MAIN(DialInWindowTest)
#include "dial_in_window_qtest.moc"
