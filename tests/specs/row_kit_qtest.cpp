// The row kit on a window of its own (the body rows of menu 3, one example
// group), with the shipped row file and preset lists: filling, leaving a
// value box, keys, picks and their stored form, FillSpecCombo, example
// groups, the quick calculation and the companions' refill.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <QtTest>

#include "platform/text.h"
#include "shell/shell_fixture.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

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
  using SpecWindow::SaveExample;
  using SpecWindow::Limits;

 protected:
  int ExampleKindForList(int row) const override { return row == 3 && Val(SpecAt(kVehicle, 3)) == 2 ? 15 : -1; }
  void AfterRowFilled(int row) override {
    if (row == 3 && !SpecAt(kVehicle, 15).empty()) SetPick(3, 2, false);
  }
  const ExampleGroup* GroupOfRow(int row) const override { return row >= 4 ? &kBody : nullptr; }
  const ExampleGroup* WindowExampleGroup() const override { return &kBody; }
  std::vector<int> ExampleListItems(int row) const override { return row == 3 ? std::vector<int>{1} : std::vector<int>{}; }
  void UpdateRowStates() override { ++rowStates; }
  PickReaction OnPick(int row, int pick) override {
    ++picks;
    return SpecWindow::OnPick(row, pick);
  }
};

struct KitScene : ShellScene {
  KitScene() {
    CopyShipped("QVZHELP/help3.txt");
    for (const char* list : {"COMBO/CMB3-2", "COMBO/CMB3-3", "COMBO/CMB3-4", "COMBO/CMB3-9"}) CopyShipped(list);
    test::LoadFixtureVehicle(test::kMuscleCar);
    tbl.InstantCalcMenu = kVehicle;
    tbl.BeginnerLevel = 0;
  }
};

// Types `text` into the row's box as the racer would and tabs out of it.
void TypeAndLeave(KitWindow* w, int row, const QString& text) {
  w->SpecData[row]->setFocus(Qt::TabFocusReason);
  Settle();
  w->SpecData[row]->selectAll();
  QTest::keyClicks(w->SpecData[row], text);
  QTest::keyClick(w->SpecData[row], Qt::Key_Tab);
  Settle();
}

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

  // Activation reads the row file and fills every row from SpecText; row 0
  // takes the focus and its help line; filling counts as no edit.
  void activationFillsTheRows() {
    fst.SpecsChanged = 0;
    KitWindow* w = Open();
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(3));
    QCOMPARE(w->SpecName[7]->text(), QString("Wheelbase, in"));
    QCOMPARE(w->SpecData[0]->text(), QString("3400"));
    QCOMPARE(w->SpecData[7]->text(), QString("116"));
    QCOMPARE(w->Pick(2), 2);
    QCOMPARE(w->cmbSpecData[2]->currentText(), QString("Limited Slip (75 % lock)"));
    QCOMPARE(w->cmbSpecData[4]->count(), 4);
    QVERIFY(w->SpecData[0]->hasFocus());
    QVERIFY(w->Label2->text().startsWith("What the vehicle weighs"));
    QCOMPARE(tbl.RowMaximum[7], 200.0f);
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(w->rowStates, 1);
    QCOMPARE(scene->BoxCount(), 0);
    // No pick list item opens an example window yet: it is greyed.
    auto* model = qobject_cast<QStandardItemModel*>(w->cmbSpecData[3]->model());
    QVERIFY(!model->item(1)->isEnabled());
    QVERIFY(!w->Command1[2]->isEnabled() && !w->Command1[3]->isEnabled() && w->ClcBttn[0]->isEnabled());
    QCOMPARE(w->Command1[2]->toolTip(), QString(kNotAvailableYet));
  }

  // The "Tip on Instant Help": at the Beginner Level, once per run.
  void tipOnceAtTheBeginnerLevel() {
    tbl.BeginnerLevel = 1;
    KitWindow* w = Open();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().title, std::string("Tip on Instant Help"));
    QWidget other;
    shell.KeepSpecForm = 1;
    Activate(&other);
    Activate(w);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->rowStates, 2);
  }

  // A missing or short row file: its message once per activation, the rows
  // still filled; rows without limits are not range-tested.
  void missingRowFile() {
    scene->Write("QVZHELP/help3.txt", "Total Weight\r\nWeight help\r\n5000\r\n100\r\nAxle\r\n");
    KitWindow* w = Open();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().prompt,
             std::string("Spec Data for Menu # 3 is not readable.  You may need to reinstall this program."));
    QCOMPARE(w->SpecName[0]->text(), QString("Total Weight"));
    QCOMPARE(w->SpecName[1]->text(), QString("Axle"));
    QCOMPARE(w->SpecName[7]->text(), QString("Wheelbase (design)"));
    QVERIFY(w->Limits(0).has_value());
    QVERIFY(!w->Limits(7).has_value());
    TypeAndLeave(w, 7, "999");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->SpecData[7]->text(), QString("999"));
  }

  // Leaving a value box: normalised, range-tested, refused with the exact
  // warning, the text and the focus put back; limits accepted.
  void leavingAValueBox_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("warning");
    QTest::newRow("wheelbase 250") << 7 << "250" << "116"
                                   << "Wheelbase, in = 250.  Value must be between  80 and  200 .";
    QTest::newRow("wheelbase 200") << 7 << "200" << "200" << "";
    QTest::newRow("abc at min 1") << 1 << "abc" << "4.10"
                                  << "Final Drive Ratio = 0.  Value must be between  1 and  12 .";
    QTest::newRow("n.001: n + .4") << 0 << "9999.4" << "9999" << "";
    QTest::newRow("n.001: n + .6") << 0 << "9999.6" << "3400"
                                   << "Total Weight with Driver, lbs = 10000.  Value must be between  100 and  9999 .";
    QTest::newRow("minimum .1") << 11 << ".1" << ".1" << "";
    QTest::newRow("leading number") << 6 << "20.50in" << "20.5" << "";
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
    if (warning.isEmpty()) {
      QCOMPARE(scene->BoxCount(), 0);
      QVERIFY(!w->SpecData[row]->hasFocus());
    } else {
      QCOMPARE(scene->BoxCount(), 1);
      QCOMPARE(QString::fromStdString(scene->LastBox().prompt), warning);
      QCOMPARE(scene->LastBox().title, std::string("Warning"));
      QCOMPARE(scene->LastBox().style, mb::OKOnly + mb::Exclamation);
      QVERIFY(w->SpecData[row]->hasFocus());
    }
    w->StoreSpecRows();
    QCOMPARE(QString::fromStdString(SpecAt(kVehicle, row)), warning.isEmpty() ? shown : QString::fromStdString(before));
  }

  // After a refusal the box has the focus, its help line and its old text
  // back, and the next try is tested again.
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
    QCOMPARE(scene->LastBox().prompt, std::string("Wheelbase, in = 40.  Value must be between  80 and  200 ."));
    QCOMPARE(w->SpecData[7]->text(), QString("116"));
  }

  // An emptied box is accepted as empty and stored as ""; a refused entry
  // never reaches SpecText.
  void emptiedBoxAndRefusalsStoreNothingUntested() {
    KitWindow* w = Open();
    w->SpecData[10]->setFocus();
    Settle();
    w->SpecData[10]->clear();
    QTest::keyClick(w->SpecData[10], Qt::Key_Tab);
    Settle();
    QCOMPARE(scene->BoxCount(), 0);
    w->StoreSpecRows();
    QCOMPARE(SpecAt(kVehicle, 10), std::string(""));
    TypeAndLeave(w, 7, "300");
    w->StoreSpecRows();
    QCOMPARE(SpecAt(kVehicle, 7), std::string("116"));
  }

  // Up, Down and Enter move between rows before the control acts: a pick
  // never changes on an arrow, and the next edit still recalculates.
  void arrowsMoveAndKeepThePick() {
    tbl.InstantUpdate = 1;
    KitWindow* w = Open();
    w->FocusRow(4);
    Settle();
    QCOMPARE(w->Pick(4), 0);
    QTest::keyClick(w->cmbSpecData[4], Qt::Key_Down);
    QVERIFY(w->SpecData[5]->hasFocus());
    QTest::keyClick(w->SpecData[5], Qt::Key_Up);
    QVERIFY(w->cmbSpecData[4]->hasFocus());
    QTest::keyClick(w->cmbSpecData[4], Qt::Key_Up);
    QVERIFY(w->cmbSpecData[3]->hasFocus());
    QCOMPARE(w->Pick(4), 0);
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(w->RowsFilling, 0);
    QCOMPARE(w->picks, 0);
    QTest::keyClick(w->cmbSpecData[3], Qt::Key_Return);
    QVERIFY(w->cmbSpecData[4]->hasFocus());
    Settle();
    w->setWindowTitle("Body/Axle Specs");
    TypeAndLeave(w, 0, "3500");
    QVERIFY(w->windowTitle().startsWith("Body/Axle Specs  [ "));
  }

  // A pick: user picks come from the list (re-picks count); a stored pick
  // the list cannot show stays as stored unless the racer picks.
  void picksAndTheirStoredForm() {
    SpecAt(kVehicle, 4) = "7";
    SpecAt(kVehicle, 9) = "";
    KitWindow* w = Open();
    QCOMPARE(w->Pick(4), -1);
    QCOMPARE(w->Pick(9), -1);
    w->SpecData[0]->setText("3401");  // some edit, so that the rows are stored
    w->StoreSpecRows();
    QCOMPARE(SpecAt(kVehicle, 4), std::string("7"));
    QCOMPARE(SpecAt(kVehicle, 9), std::string(""));
    w->FocusRow(2);
    w->cmbSpecData[2]->setCurrentIndex(2);
    emit w->cmbSpecData[2]->activated(2);  // a re-pick of the same item
    QCOMPARE(w->picks, 1);
    w->cmbSpecData[4]->setCurrentIndex(1);
    emit w->cmbSpecData[4]->activated(1);
    w->StoreSpecRows();
    QCOMPARE(SpecAt(kVehicle, 4), std::string(" 1"));
    QCOMPARE(SpecAt(kVehicle, 2), std::string(" 2"));
    // Code sets a pick without the handling unless it asks for it.
    w->SetPick(9, 1, false);
    QCOMPARE(w->picks, 2);
    w->SetPick(9, 2, true);
    QCOMPARE(w->picks, 3);
  }

  // FillSpecCombo: items up to "-9999", an end line missing loses the last
  // item, the linked name appended and picked, an unreadable list reported
  // and left empty; never a window created, the Type row stored anyway.
  void fillSpecCombo() {
    KitWindow* w = Open();
    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n-9999\r\n");
    shell.ExampleKind = -1;
    FillSpecCombo(3, 3);
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    FillSpecCombo(3, 3);
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n");
    FillSpecCombo(3, 3);
    QCOMPARE(w->cmbSpecData[3]->count(), 1);
    QCOMPARE(w->cmbSpecData[3]->itemText(0), QString("A"));

    scene->Write("COMBO/CMB3-3", "A\r\nB\r\n-9999\r\n");
    SpecAt(kVehicle, 15) = "N";
    shell.ExampleKind = 15;
    FillSpecCombo(3, 3);
    QCOMPARE(w->cmbSpecData[3]->count(), 3);
    QCOMPARE(w->cmbSpecData[3]->itemText(2), QString("N"));
    QCOMPARE(w->Pick(3), 2);
    QCOMPARE(SpecAt(kVehicle, 3), std::string("2"));
    QCOMPARE(scene->BoxCount(), 0);

    std::filesystem::remove(scene->file("COMBO/CMB3-4"));
    shell.ExampleKind = -1;
    FillSpecCombo(3, 4);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().prompt, std::string("Combo Data for Menu # 3, Spec # 4 is not readable.  You may "
                                                  "need to reinstall this program."));
    QCOMPARE(w->cmbSpecData[4]->count(), 0);

    delete w;
    QVERIFY(!LoadedSpecWindow(kVehicle));
    SpecAt(kVehicle, 3) = "0";
    shell.ExampleKind = 15;
    FillSpecCombo(3, 3);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 3), std::string("2"));
  }

  // An example group: a changed row of a linked group asks, naming the
  // example; No puts the value back, Yes drops the link; rows outside the
  // group ask nothing; Save Example refuses while the Type row shows it.
  void exampleGroups() {
    SpecAt(kVehicle, 3) = "2";
    SpecAt(kVehicle, 15) = "Ex Body: 1970 Chevelle";
    SpecAt(kVehicle, 16) = "1";
    KitWindow* w = Open();
    QCOMPARE(w->cmbSpecData[3]->count(), 3);
    QCOMPARE(w->Pick(3), 2);

    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 7, "110");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QCOMPARE(scene->LastBox().prompt, std::string("Changing this value means these specs no longer match:\r\r    "
                                                  "Ex Body: 1970 Chevelle\r\rChange this spec anyway?"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(w->SpecData[7]->text(), QString("116"));
    QVERIFY(w->SpecData[7]->hasFocus());

    TypeAndLeave(w, 0, "3500");  // weight: no group, no question
    QCOMPARE(scene->BoxCount(), 1);

    w->SaveExample();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->LastBox().prompt, tbl.MsgAlreadyExample + "Ex Body: 1970 Chevelle" + tbl.MsgSaveNewName);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 7, "110");
    QCOMPARE(scene->BoxCount(), 3);
    QCOMPARE(w->SpecData[7]->text(), QString("110"));
    QCOMPARE(SpecAt(kVehicle, 15), std::string(""));
    QCOMPARE(SpecAt(kVehicle, 16), std::string(""));
    QCOMPARE(Trim(SpecAt(kVehicle, 3)), std::string("0"));  // stored again by the quick calculation
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    QCOMPARE(w->Pick(3), 0);
    // An unchanged number asks nothing: 110 -> 110.0.
    TypeAndLeave(w, 7, "110.0");
    QCOMPARE(scene->BoxCount(), 3);
  }

  // The quick calculation: the caption shows the run; refused checks give
  // the bare caption; a call during its own calculation runs once more after.
  void instantCalculation() {
    tbl.InstantUpdate = 1;
    KitWindow* w = Open();
    QVERIFY(w->windowTitle().startsWith("Body/Axle Specs  [ "));
    QVERIFY(w->windowTitle().endsWith(" 60 ft ]"));
    QCOMPARE(tbl.QuietCalc, int16_t(0));

    // Counted at the events let through after each calculation (the run
    // itself lets events through too, while it is running).
    int runs = 0;
    scene->ui.onDoEvents = [&] {
      if (tbl.QuietCalc != 1 || tbl.CalcRunning) return;
      if (++runs == 1) w->InstantCalc();  // an event let through after the first
    };
    w->InstantCalc();
    QCOMPARE(runs, 2);
    scene->ui.onDoEvents = nullptr;

    SpecAt(kEngine, 4) = "";
    w->InstantCalc();
    QCOMPARE(scene->LastBox().title, std::string("Problem with Inputs"));
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));

    tbl.InstantUpdate = 0;
    TypeAndLeave(w, 0, "3500");
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));
  }

  // Companions: with KeepSpecForm the window stores and stays when another
  // window takes the front, and shows on return what was written to
  // SpecText meanwhile; RefillSpecWindow shows it at once. Without it the
  // window leaves its row, stores and unloads.
  void companionsAndLosingTheFront() {
    KitWindow* w = Open();
    TypeAndLeave(w, 0, "3300");
    w->SpecData[6]->setFocus();
    Settle();
    shell.KeepSpecForm = 1;
    QWidget other;
    Activate(&other);
    QVERIFY(LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3300"));
    SpecAt(kVehicle, 6) = "19";
    Activate(w);
    QCOMPARE(w->SpecData[6]->text(), QString("19"));
    QCOMPARE(shell.KeepSpecForm, int16_t(0));

    SpecAt(kVehicle, 5) = "52";
    RefillSpecWindow(kVehicle);
    QCOMPARE(w->SpecData[5]->text(), QString("52"));

    // A typed weight reaches SpecText when another window takes the front.
    w->SpecData[0]->setFocus();
    Settle();
    w->SpecData[0]->selectAll();
    QTest::keyClicks(w->SpecData[0], "3450");
    Activate(&other);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3450"));
  }

  // Before the main window calculates or saves, the open window leaves its
  // row and stores; an entry left untested (Open's press) never reaches
  // SpecText.
  void storedForTheMainWindow() {
    KitWindow* w = Open();
    w->SpecData[1]->setFocus();
    Settle();
    w->SpecData[1]->selectAll();
    QTest::keyClicks(w->SpecData[1], "4.560");
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
