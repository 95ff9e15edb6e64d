// The row kit on a window of its own (menu 3's body rows, one example group):
// filling, leaving a box, keys, picks, FillSpecCombo, quick calculation.
#include <QVBoxLayout>

#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

const ExampleGroup kBody{15, 3, "BODY", "BD"};

// The body rows on the kit, with counters for what the kit calls.
class KitWindow : public SpecWindow {
 public:
  KitWindow() : SpecWindow(kVehicle, 12, "Body/Axle Specs") {
    SetRowCaption(7, "Wheelbase (design)");
    AddCalculatorButton(0, 24);
    AddButtons({{0, "OK"}, {1, "Help"}, {2, "Get Example"}, {3, "Save Example"}, {4, "Print"}, {5, "Print Setup"}});
    auto* v = new QVBoxLayout(this);
    v->addWidget(RowFrame("Rows", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    v->addWidget(HelpFrame());
    v->addLayout(ButtonRow());
    Form_Load();
  }
  int rowStates = 0, picks = 0;
  using SpecWindow::FocusRow;
  using SpecWindow::Limits;

 protected:
  int ExampleKindForList(int row) const override { return row == 3 && Val(SpecAt(kVehicle, 3)) == 2 ? 15 : -1; }
  void AfterRowFilled(int row) override {
    if (row == 3 && !SpecAt(kVehicle, 15).empty()) SetPick(3, 2, false);
  }
  const ExampleGroup* GroupOfRow(int row) const override { return row >= 4 ? &kBody : nullptr; }
  const ExampleGroup* WindowExampleGroup() const override { return &kBody; }
  void UpdateRowStates() override { ++rowStates; }
  PickReaction OnPick(int row, int pick) override {
    ++picks;
    return SpecWindow::OnPick(row, pick);
  }
};

struct KitScene : SpecScene {
  KitScene() {
    CopyShipped("QVZHELP/help3.txt");
    for (const char* list : {"COMBO/CMB3-2", "COMBO/CMB3-3", "COMBO/CMB3-4", "COMBO/CMB3-9"}) CopyShipped(list);
    test::LoadFixtureVehicle(test::kMuscleCar);
    tbl.InstantCalcMenu = kVehicle;
    tbl.BeginnerLevel = 0;
  }
};

KitWindow* Open() {
  auto* w = new KitWindow;
  Activate(w);
  return w;
}

}  // namespace

class RowKitTest : public QObject {
  Q_OBJECT
  std::unique_ptr<KitScene> scene;

 private slots:
  void init() { scene = std::make_unique<KitScene>(); }
  void cleanup() {
    if (SpecWindow* w = LoadedSpecWindow(kVehicle)) delete w;
    scene.reset();
  }

  // Activation fills the rows from the row file and SpecText (the Body & Axle
  // window's test reads them all, with the focus and help line); no edit.
  void activationFillsTheRows() {
    fst.SpecsChanged = 0;
    KitWindow* w = Open();
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(3));
    QCOMPARE(w->SpecName[7]->text(), QString("Wheelbase, in"));
    QCOMPARE(RowTexts(w, {0, 7, 2}), QString("3400|116|Limited Slip (75 % lock)"));
    QCOMPARE(tbl.RowMaximum[7], 200.0f);
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(w->rowStates, 1);
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(w->Command1[2]->isEnabled() && w->Command1[3]->isEnabled() && w->ClcBttn[0]->isEnabled());
  }

  // The "Tip on Instant Help": at the Beginner Level, once per run.
  void tipOnceAtTheBeginnerLevel() {
    tbl.BeginnerLevel = 1;
    KitWindow* w = Open();
    QCOMPARE(scene->LastBox().title, std::string("Tip on Instant Help"));
    QWidget other;
    shell.KeepSpecForm = 1;
    Activate(&other);
    Activate(w);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->rowStates, 2);
  }

  // A short row file: its message once, the rows still filled; rows without
  // limits are not range-tested.
  void missingRowFile() {
    scene->Write("QVZHELP/help3.txt", "Total Weight\r\nWeight help\r\n5000\r\n100\r\nAxle\r\n");
    KitWindow* w = Open();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().prompt,
             std::string("Spec Data for Menu # 3 is not readable.  You may need to reinstall this program."));
    QCOMPARE(Captions(w).mid(0, 2), (QStringList{"Total Weight", "Axle"}));
    QCOMPARE(w->SpecName[7]->text(), QString("Wheelbase (design)"));
    QVERIFY(w->Limits(0).has_value() && !w->Limits(7).has_value());
    TypeAndLeave(w, 7, "999");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->SpecData[7]->text(), QString("999"));
  }

  // Leaving a value box (its rules are in the rules' test): refused with the
  // warning, the text and the focus put back; what is stored.
  void leavingAValueBox_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("warning");
    QTest::newRow("wheelbase 250") << 7 << "250" << "116"
                                   << "Warning: Wheelbase, in = 250.  Value must be between  80 and  200 .";
    QTest::newRow("n.001: n + .4") << 0 << "9999.4" << "9999" << "";
    QTest::newRow("n.001: n + .6")
        << 0 << "9999.6" << "3400"
        << "Warning: Total Weight with Driver, lbs = 10000.  Value must be between  100 and  9999 .";
    QTest::newRow("emptied") << 10 << "" << "" << "";
  }
  void leavingAValueBox() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, warning);
    KitWindow* w = Open();
    const std::string before = SpecAt(kVehicle, row);
    TypeAndLeave(w, row, typed);
    QCOMPARE(w->SpecData[row]->text(), shown);
    QCOMPARE(scene->BoxCount(), warning.isEmpty() ? 0 : 1);
    QCOMPARE(w->SpecData[row]->hasFocus(), !warning.isEmpty());
    if (!warning.isEmpty()) {
      QCOMPARE(scene->LastSaid(), warning);
      QCOMPARE(scene->LastBox().style, mb::OKOnly + mb::Exclamation);
    }
    w->StoreSpecRows();
    QCOMPARE(QString::fromStdString(SpecAt(kVehicle, row)), warning.isEmpty() ? shown : QString::fromStdString(before));
  }

  // After a refusal the box has focus, help line and old text back, and the
  // next try is tested again.
  void aRefusedEntryIsTestedAgain() {
    KitWindow* w = Open();
    TypeAndLeave(w, 7, "250");
    QVERIFY(w->SpecData[7]->hasFocus());
    QCOMPARE(w->Label2->text(), QString("Distance between the centers of the front and rear wheels in inches."));
    QVERIFY(!shell.SkipValidation);
    w->SpecData[7]->selectAll();
    QTest::keyClicks(w->SpecData[7], "40");
    QTest::keyClick(w->SpecData[7], Qt::Key_Tab);
    Settle();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->LastPrompt(), QString("Wheelbase, in = 40.  Value must be between  80 and  200 ."));
    QCOMPARE(w->SpecData[7]->text(), QString("116"));
  }

  // Up, Down and Enter move between rows: a pick never changes on an arrow,
  // and the next edit still recalculates.
  void arrowsMoveAndKeepThePick() {
    tbl.InstantUpdate = 1;
    KitWindow* w = Open();
    w->FocusRow(4);
    Settle();
    QTest::keyClick(w->cmbSpecData[4], Qt::Key_Down);
    QVERIFY(w->SpecData[5]->hasFocus());
    QTest::keyClick(w->SpecData[5], Qt::Key_Up);
    QVERIFY(w->cmbSpecData[4]->hasFocus());
    QTest::keyClick(w->cmbSpecData[4], Qt::Key_Up);
    QVERIFY(w->cmbSpecData[3]->hasFocus());
    QCOMPARE(QPoint(w->Pick(4), w->Pick(3)), QPoint(0, 0));
    QCOMPARE(w->RowsFilling + w->picks, 0);
    QTest::keyClick(w->cmbSpecData[3], Qt::Key_Return);
    QVERIFY(w->cmbSpecData[4]->hasFocus());
    Settle();
    w->setWindowTitle("Body/Axle Specs");
    TypeAndLeave(w, 0, "3500");
    QVERIFY(w->windowTitle().startsWith("Body/Axle Specs  [ "));
  }

  // Racer picks (re-picks count) are handled; a stored pick the list cannot
  // show stays as stored; code sets a pick unhandled unless it asks.
  void picksAndTheirStoredForm() {
    SetSpecs("V4=7;V9=");
    KitWindow* w = Open();
    QCOMPARE(QPoint(w->Pick(4), w->Pick(9)), QPoint(-1, -1));
    w->SpecData[0]->setText("3401");  // some edit, so that the rows are stored
    w->StoreSpecRows();
    QCOMPARE_SPECS("V4=7;V9=");
    w->FocusRow(2);
    w->cmbSpecData[2]->setCurrentIndex(2);
    emit w->cmbSpecData[2]->activated(2);  // a re-pick of the same item
    QCOMPARE(w->picks, 1);
    w->cmbSpecData[4]->setCurrentIndex(1);
    emit w->cmbSpecData[4]->activated(1);
    w->StoreSpecRows();
    QCOMPARE_SPECS("V4= 1;V2= 2");
    w->SetPick(9, 1, false);
    QCOMPARE(w->picks, 2);
    w->SetPick(9, 2, true);
    QCOMPARE(w->picks, 3);
  }

  // FillSpecCombo: items up to "-9999", no end line loses the last item, the
  // linked name appended and picked, an unreadable list reported and empty;
  // without a window the Type row is stored anyway.
  void fillSpecCombo() {
    KitWindow* w = Open();
    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n-9999\r\n");
    shell.ExampleKind = -1;
    FillSpecCombo(3, 3);
    FillSpecCombo(3, 3);
    QCOMPARE(Items(w->cmbSpecData[3]), (QStringList{"A", "B"}));
    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n");
    FillSpecCombo(3, 3);
    QCOMPARE(Items(w->cmbSpecData[3]), QStringList{"A"});

    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n-9999\r\n");
    SpecAt(kVehicle, 15) = "N";
    shell.ExampleKind = 15;
    FillSpecCombo(3, 3);
    QCOMPARE(Items(w->cmbSpecData[3]), (QStringList{"A", "B", "N"}));
    QCOMPARE(w->Pick(3), 2);
    QCOMPARE(SpecAt(kVehicle, 3), std::string("2"));
    QCOMPARE(scene->BoxCount(), 0);

    std::filesystem::remove(scene->file("COMBO/CMB3-4"));
    shell.ExampleKind = -1;
    FillSpecCombo(3, 4);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastPrompt(), QString("Combo Data for Menu # 3, Spec # 4 is not readable.  You may need to "
                                          "reinstall this program."));
    QCOMPARE(w->cmbSpecData[4]->count(), 0);

    delete w;
    SpecAt(kVehicle, 3) = "0";
    shell.ExampleKind = 15;
    FillSpecCombo(3, 3);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 3), std::string("2"));
  }

  // The quick calculation: the caption shows the run; a call during its own
  // calculation runs once more after; off, it does nothing.
  void instantCalculation() {
    tbl.InstantUpdate = 1;
    KitWindow* w = Open();
    QVERIFY(w->windowTitle().startsWith("Body/Axle Specs  [ ") && w->windowTitle().endsWith(" 60 ft ]"));
    QCOMPARE(tbl.QuietCalc, int16_t(0));
    // Counted at the events let through after each calculation (the quick run itself lets none through).
    int runs = 0;
    scene->ui.onDoEvents = [&] {
      QVERIFY(!tbl.CalcRunning);
      if (++runs == 1) w->InstantCalc();  // an event let through after the first
    };
    w->InstantCalc();
    QCOMPARE(runs, 2);
    scene->ui.onDoEvents = nullptr;
    w->setWindowTitle("Body/Axle Specs");
    tbl.InstantUpdate = 0;
    TypeAndLeave(w, 0, "3500");
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));
  }

  // With KeepSpecForm the window stores and stays behind another, spending the
  // flag; RefillSpecWindow shows SpecText at once; StoreOpenSpecWindow stores;
  // an entry left untested (Open's press) never reaches SpecText.
  void companionsAndTheMainWindow() {
    KitWindow* w = Open();
    TypeAndLeave(w, 0, "3300");
    shell.KeepSpecForm = 1;
    QWidget other;
    Activate(&other);
    QVERIFY(LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3300"));
    Activate(w);
    QCOMPARE(shell.KeepSpecForm, int16_t(0));
    SpecAt(kVehicle, 5) = "52";
    RefillSpecWindow(kVehicle);
    QCOMPARE(w->SpecData[5]->text(), QString("52"));

    TypeInto(w->SpecData[1], "4.560");
    StoreOpenSpecWindow();
    QCOMPARE(SpecAt(kVehicle, 1), std::string("4.56"));
    w->SpecData[1]->selectAll();
    QTest::keyClicks(w->SpecData[1], "3.73");
    shell.SkipValidation = true;
    UnloadSpecWindows();
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 1), std::string("4.56"));
  }
};

QTEST_MAIN(RowKitTest)
#include "row_kit_qtest.moc"
