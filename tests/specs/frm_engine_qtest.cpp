// The Engine window with the fixture cars: method notices, peak-RPM check, the
// curve grid (its figures' rules are in the engine rules' test), plot and page.
#include "calcmenus/frm_calc_data.h"
#include "platform/qt/chart.h"
#include "shell/frm_example.h"
#include "shell/frm_send.h"
#include "shell/help_form.h"
#include "shell/power_curve_import.h"
#include "specs/frm_engine.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

const char* kHandOverCurve =
    "CV Engine Sim - 454 BBC\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n"
    "2500\r\n470\r\n223.7\r\n3000\r\n490\r\n279.9\r\n3500\r\n505\r\n336.5\r\n4000\r\n512\r\n389.9\r\n"
    "4500\r\n505\r\n432.7\r\n5000\r\n480\r\n457.0\r\n5500\r\n445\r\n466.0\r\n6000\r\n400\r\n457.0\r\n";
// The bracket car's dyno sheet, points 0-8.
const QStringList kBracketSheet{"3000/440/251", "3500/465/310", "4000/480/366", "4500/485/416", "5000/475/452",
                                "5500/455/476", "6000/425/486", "6500/385/476", "7000/340/453"};

QLineEdit* Cell(frmEngine* w, int column, int point) {
  return (column == 1 ? w->Text1 : column == 2 ? w->Text2 : w->Text3)[point];
}
QString Point(frmEngine* w, int point) {
  return Cell(w, 1, point)->text() + "/" + Cell(w, 2, point)->text() + "/" + Cell(w, 3, point)->text();
}

// Types into a grid cell and leaves it for a button, so that no other cell
// or row is left on the way.
void TypeCell(frmEngine* w, int column, int point, const QString& text) {
  TypeInto(Cell(w, column, point), text, Qt::MouseFocusReason);
  w->Command1[8]->setFocus(Qt::MouseFocusReason);
  Settle();
}

// The plot's points 1-11 as "rpm/torque/hp".
QStringList Points(frmEngine* w) {
  QStringList out;
  for (int p = 1; p <= 11; ++p)
    out << QString("%1/%2/%3").arg(w->Graph1->XOf(1, p)).arg(w->Graph1->YOf(1, p)).arg(w->Graph1->YOf(2, p));
  return out;
}

}  // namespace

class FrmEngineTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  // The bracket car with its full dyno curve, or the muscle car by peaks.
  frmEngine* OpenBracketCar(const std::string& specs = "E0=2") {
    return scene->Open<frmEngine>(kEngine, specs, test::kBracketCar);
  }
  frmEngine* OpenMuscleCar(const std::string& specs = {}) { return scene->Open<frmEngine>(kEngine, specs); }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() { scene.reset(); }

  // The bracket car's curve: captions, grid and its keys, plot, buttons, the
  // picture; the peak methods hide the plot.
  void theWindowAsTheRacerSeesIt() {
    frmEngine* w = OpenBracketCar({});
    QVERIFY(w);
    QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
    QCOMPARE(Captions(w), (QStringList{"Method of Describing Power Curve", "Displacement, cu in",
                                       "Peak Torque, ft lbs", "Peak Torque RPM", "Peak Horsepower",
                                       "Peak Horsepower RPM", "Corr Factor"}));
    QCOMPARE(RowTexts(w, {0, 1, 6}), QString("Specified Full Curve|406|Std Dyno - 29.92 \"Hg, 60 deg F"));
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QCOMPARE(RowStates(w), QString("1100001"));
    QCOMPARE(w->Frame3D3->title() + "|" + w->Frame3D1->title(), QString(" Base Engine Specs |Full Power Curve"));
    for (int k = 0; k < 6; ++k) QCOMPARE(w->Label1[k]->text(), QStringList({"RPM", "Tq", "HP"})[k % 3]);
    for (int i = 0; i < 9; ++i) QCOMPARE(Point(w, i), kBracketSheet[i]);
    QCOMPARE(Point(w, 9), QString("//"));
    QVERIFY(Cell(w, 1, 9)->isEnabled() && !Cell(w, 1, 10)->isVisible());
    QCOMPARE(Cell(w, 2, 4)->accessibleName(), QString("Tq 5"));

    QVERIFY(w->Graph1->isVisible() && !w->Label8->isVisible());
    QStringList expected{"7100/227.8/303.51"};
    for (int k = 8; k >= 0; --k) expected << kBracketSheet[k];
    QCOMPARE(Points(w), expected << kBracketSheet[0]);
    QCOMPARE(w->Graph1->Get(chart::kBackground), 7.0);
    QCOMPARE(w->Graph1->LegendOf(1) + w->Graph1->LegendOf(2), QString());
    QCOMPARE(w->Graph1->Get(chart::kThickness), 1.0);
    QCOMPARE(w->Graph1->DrawnPoints(1), 11);

    QCOMPARE(ButtonTexts(w), (QStringList{"OK", "Help", "Get Example", "Save Example", "Clear", "Calculate",
                                          "Load from Cylvane", "Print", "Print Setup"}));
    QCOMPARE(w->Command2->text(), QString("Print"));
    for (int i : {2, 3, 4, 5, 6}) QVERIFY(w->Command1[i]->isEnabled());
    QVERIFY(w->ClcBttn[1]->isEnabled());
    for (int r = 2; r <= 5; ++r) QVERIFY(!w->ClcBttn[r]->isEnabled());
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QCOMPARE(w->cmbSpecData[0]->accessibleDescription(), w->Label2->text());

    // Point by point: RPM, Tq, HP, the next RPM; then the curve's buttons.
    // Up, Down and Enter move between the cells as between the rows.
    QCOMPARE(w->Text1[0]->nextInFocusChain(), static_cast<QWidget*>(w->Text2[0]));
    QCOMPARE(w->Text3[0]->nextInFocusChain(), static_cast<QWidget*>(w->Text1[1]));
    QCOMPARE(w->Text3[9]->nextInFocusChain(), static_cast<QWidget*>(w->Command1[4]));
    w->Text1[1]->setFocus(Qt::MouseFocusReason);
    Settle();
    QCOMPARE(w->Label2->text(),
             QString("Enter an RPM for the power curve where you have either torque or HP readings."));
    QTest::keyClick(w->Text1[1], Qt::Key_Down);
    QVERIFY(w->Text2[1]->hasFocus());
    QTest::keyClick(w->Text2[1], Qt::Key_Return);
    QVERIFY(w->Text3[1]->hasFocus());
    QTest::keyClick(w->Text3[1], Qt::Key_Up);
    QTest::keyClick(w->Text2[1], Qt::Key_Up);
    QVERIFY(w->Text1[1]->hasFocus());
    Settle();
    QCOMPARE(Point(w, 1), QString("3500/465/310"));
    QVERIFY(SaveShot(w, "frmEngine.png"));

    PickItem(w, 0, 1);
    QVERIFY(!w->Graph1->isVisible() && w->Label8->isVisible());
    QVERIFY(!w->Text1[0]->isEnabled() && !w->Command1[4]->isEnabled() && !w->Command2->isEnabled() &&
            w->SpecData[3]->isEnabled());
    QCOMPARE(w->Label8->text(), QString("To activate the Full Power Curve features, select 'Specified Full Curve' "
                                        "from the Method of Describing Power Curve list (upper left corner of this "
                                        "screen"));
  }

  // The grid completes a point as the racer types (each figure's rule is in
  // the rules' test); tabbing on through a computed HP keeps the typed torque.
  void curveEntryCompletesPoints() {
    frmEngine* w = OpenMuscleCar("E0=2");
    tbl.InstantUpdate = 0;
    const int boxes = scene->BoxCount();
    TypeCell(w, 2, 0, "400");
    TypeCell(w, 1, 0, "4500.4");
    QCOMPARE(Point(w, 0), QString("4500/400/343"));
    TypeCell(w, 3, 4, "350");
    TypeCell(w, 2, 4, "420");
    QCOMPARE(Point(w, 4), QString("4377/420/350"));

    Cell(w, 1, 9)->setFocus(Qt::MouseFocusReason);
    Settle();
    QTest::keyClicks(Cell(w, 1, 9), "1000");
    QTest::keyClick(Cell(w, 1, 9), Qt::Key_Tab);
    QTest::keyClicks(Cell(w, 2, 9), "85.25");
    QTest::keyClick(Cell(w, 2, 9), Qt::Key_Tab);
    Settle();
    QVERIFY(Cell(w, 3, 9)->hasFocus());
    QTest::keyClick(Cell(w, 3, 9), Qt::Key_Tab);
    Settle();
    QCOMPARE(Point(w, 9), QString("1000/85.25/16.2"));

    // Tabbing on into the HP just completed: what the racer types replaces it.
    TypeInto(Cell(w, 1, 3), "5000");
    QTest::keyClick(Cell(w, 1, 3), Qt::Key_Tab);
    QTest::keyClicks(Cell(w, 2, 3), "250");
    QTest::keyClick(Cell(w, 2, 3), Qt::Key_Tab);
    Settle();
    QVERIFY(Cell(w, 3, 3)->hasFocus());
    QCOMPARE(Cell(w, 3, 3)->selectedText(), QString("238"));
    QTest::keyClicks(Cell(w, 3, 3), "300");
    QTest::keyClick(Cell(w, 3, 3), Qt::Key_Tab);
    Settle();
    QCOMPARE(Point(w, 3), QString("5000/315/300"));
    QCOMPARE(Cell(w, 2, 3)->accessibleDescription(), QString("Enter torque in ft lbs for the power curve."));
    QCOMPARE(scene->BoxCount(), boxes);
  }

  // Refused figures: the "Warning", old text and focus back, nothing stored or drawn.
  void refusedFigures_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::newRow("rpm 499") << 1 << "499" << "Warning: RPM = 499.  This value must be between 500 and 30000 .";
    QTest::newRow("torque 6000.6") << 2 << "6000.6"
                                   << "Warning: Torque = 6001.  This value must be between 1 and 6000 .";
  }
  void refusedFigures() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    frmEngine* w = OpenBracketCar();
    const QStringList points = Points(w);
    const QString before = Cell(w, column, 4)->text();
    TypeCell(w, column, 4, typed);
    QCOMPARE(scene->LastSaid(), warning);
    QCOMPARE(scene->LastBox().style, mb::OKOnly + mb::Exclamation);
    QVERIFY(Cell(w, column, 4)->hasFocus());
    QCOMPARE(Point(w, 4), QString("5000/475/452"));
    QCOMPARE(Points(w), points);
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    w->Unload();
    Settle();
    QCOMPARE(tbl.PowerCurveText[4][column - 1], FromQ(before));
  }

  // A figure outside its limits never reaches the stored specs or curve, nor a figure computed from it, whatever
  // stores it untested: a store while it is in its box, after a leave that skipped its test (then an RPM completes
  // its point) or under its "Warning". One inside its limits stands as typed.
  void untestedFiguresOutsideTheirLimits_data() {
    QTest::addColumn<int>("column");  // 0 the displacement row, else the column of point 10
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("path");  // 0 in its box, 1 left skipped, 2 under its warning
    QTest::addColumn<QString>("stored");  // displacement|point 10
    QTest::newRow("torque, skipped") << 2 << "99999112" << 1 << "406|7500//";
    QTest::newRow("torque inside, skipped") << 2 << "500" << 1 << "406|7500/500/714";
    QTest::newRow("displacement, skipped") << 0 << "99999" << 1 << "406|7500//";
    QTest::newRow("HP, in its box") << 3 << "1E+40" << 0 << "406|//";
    QTest::newRow("torque, under its warning") << 2 << "1e308" << 2 << "406|//";
  }
  void untestedFiguresOutsideTheirLimits() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, path);
    frmEngine* w = OpenBracketCar();
    QString stored;
    auto store = [&] {
      w->StoreSpecRows();
      const auto& p = tbl.PowerCurveText[9];
      stored = QString::fromStdString(SpecAt(kEngine, 1) + "|" + p[0] + "/" + p[1] + "/" + p[2]);
    };
    TypeInto(column ? Cell(w, column, 9) : w->SpecData[1], typed, Qt::MouseFocusReason);
    scene->ui.onBox = [&](const ScriptedUi::Box&) { store(); };
    if (path == 1) shell.SkipValidation = true;  // as a refusal elsewhere leaves it
    if (path > 0) w->Command1[8]->setFocus(Qt::MouseFocusReason), Settle();
    if (path == 1) TypeCell(w, 1, 9, "7500");
    if (path < 2) store();
    scene->ui.onBox = nullptr;
    QTEST(stored, "stored");
  }

  // Erasing a torque erases its HP and marks the specs; erasing an RPM keeps
  // both; an unchanged leave neither redraws nor marks.
  void erasingAndLeavingUnchanged() {
    frmEngine* w = OpenBracketCar();
    // A figure put there without an entry shows only at the next redraw.
    w->Text1[9]->setText("9000");
    w->Text2[9]->setText("100");
    w->Text3[9]->setText("171");
    TypeCell(w, 2, 3, "485");
    QCOMPARE(Points(w)[0], QString("7100/227.8/303.51"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    w->setWindowTitle("x");
    TypeCell(w, 2, 9, "");
    QCOMPARE(Point(w, 9), QString("9000//"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
    QCOMPARE(Points(w)[0], QString("7100/227.8/303.51"));

    fst.SpecsChanged = 0;
    TypeCell(w, 1, 3, "");
    QCOMPARE(Point(w, 3), QString("/485/416"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    fst.SpecsChanged = 0;
    const int boxes = scene->BoxCount();
    w->setWindowTitle("x");
    TypeCell(w, 1, 3, "");
    QCOMPARE(w->windowTitle(), QString("x"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(scene->BoxCount(), boxes);
    SpecScene::Close(w);  // stored when the window goes
    QVERIFY(!LoadedSpecWindow(kEngine));
    QCOMPARE(tbl.PowerCurveText[3][0] + "|" + tbl.PowerCurveText[9][1] + "|" + tbl.PowerCurveText[9][0],
             std::string("||9000"));
  }

  // A method change with its notice (texts in the rules' test) stops the quick
  // calculations until the window is created anew, Help and back included.
  void methodNotices_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("notice");  // its first words
    QTest::newRow("2 to 1") << "2" << 1 << "The Torque and HP specs which will now be activated";
    QTest::newRow("0 to 2") << "0" << 2 << "The Full Power Curve specs which will now be activated";
    QTest::newRow("0 to 1") << "0" << 1 << "";
  }
  void methodNotices() {
    QFETCH(QString, from);
    QFETCH(int, to);
    QFETCH(QString, notice);
    frmEngine* w = OpenBracketCar("E0=" + FromQ(from));
    w->setWindowTitle("x");
    PickItem(w, 0, to);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    if (notice.isEmpty()) {
      QCOMPARE(scene->BoxCount(), 0);
      QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
      return;
    }
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(scene->LastPrompt().startsWith(notice));
    QCOMPARE(scene->LastBox().style, mb::OKOnly);
    QCOMPARE(w->windowTitle(), QString("General Engine Specs"));  // no run shown, not the old one
    w->setWindowTitle("x");
    TypeAndLeave(w, 1, "400");
    QCOMPARE(w->windowTitle(), QString("x"));
    w->Command1[1]->click();
    Activate(DefaultInstance<HelpForm>::IfLoaded());
    Activate(w);
    TypeAndLeave(w, 1, "406");
    QCOMPARE(w->windowTitle(), QString("x"));
    if (to != 2) return;
    TypeCell(w, 2, 0, "441");  // a point of a curve that runs: its run shows, as in the window afresh
    const QString caption = w->windowTitle();
    w->Unload();
    Settle();
    QVERIFY(caption.contains(" @ ") && scene->Open<frmEngine>(kEngine)->windowTitle() == caption);
  }

  // The unattended run: no notice, but the quick calculations still stop.
  void noNoticeInTheUnattendedStart() {
    frmEngine* w = OpenBracketCar("E0=1");
    tbl.StartMode = 2;
    PickItem(w, 0, 2);
    w->setWindowTitle("x");
    TypeAndLeave(w, 1, "400");
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(w->windowTitle(), QString("x"));
  }

  // The peak-RPM check on "OK" and on losing the front, peak methods only.
  void peakRpmCheck_data() {
    QTest::addColumn<QString>("specs");
    QTest::addColumn<bool>("refused");
    QTest::newRow("method 1, 5501 > 5500") << "E0=1;E3=5501;E5=5500" << true;
    QTest::newRow("method 1, equal") << "E0=1;E3=5500;E5=5500" << false;
    QTest::newRow("example by peaks") << "E0=4;E13=Ex Eng: 427 BBC;E14=1;E3=5501;E5=5500" << true;
    QTest::newRow("example by curve") << "E0=4;E13=Ex Eng: 427 BBC;E14=2;E3=5501;E5=5500" << false;
  }
  void peakRpmCheck() {
    QFETCH(QString, specs);
    QFETCH(bool, refused);
    frmEngine* w = OpenMuscleCar(FromQ(specs));
    SpecScene::Close(w);
    QCOMPARE(scene->BoxesTitled("Impossible RPM Combination"), refused ? 1 : 0);
    QCOMPARE(LoadedSpecWindow(kEngine) != nullptr, refused);
    if (!refused) return;
    QCOMPARE(scene->LastBox().prompt,
             "You have entered an 'RPM at Peak Torque' of 5501 which is higher than the 'RPM at Peak HP' of 5500.  "
             "This is an impossible combination since Peak HP must occur at a higher RPM than Peak Torque.\r\r"
             "You must either lower the 'RPM at Peak Torque' to less than 5500 or raise the 'RPM at Peak HP' to an "
             "RPM higher than 5501.");
    QCOMPARE(scene->LastBox().style, mb::OKOnly);
    Activate(DefaultInstance<frmMain>::IfLoaded());
    Settle();
    QCOMPARE(scene->BoxesTitled("Impossible RPM Combination"), 2);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    if (specs.contains("E13")) scene->ui.Answer(ans::Yes);  // no longer the example
    TypeAndLeave(w, 3, "5000");
    SpecScene::Close(w);
    QVERIFY(!LoadedSpecWindow(kEngine));
    QCOMPARE(SpecAt(kEngine, 3), std::string("5000"));
  }

  // The linked example: pick 3 keeps the method; the Corr Factor marks without
  // calculating and asks by the marker; Yes keeps the method without the name.
  void linkedExampleAndCorrFactor() {
    frmEngine* w = OpenBracketCar("E0=4;E13=Ex Eng: 406 SBC;E14=0");
    QCOMPARE(Items(w->cmbSpecData[0]).size(), 5);
    QCOMPARE(Shown(w, 0), QString("Ex Eng: 406 SBC"));
    QVERIFY(!w->Graph1->isVisible() && w->SpecData[4]->isEnabled() && !w->SpecData[2]->isEnabled());
    PickItem(w, 0, 3);
    QCOMPARE(w->Pick(0), 4);
    Settle();
    QVERIFY(DefaultInstance<frmExample>::IfLoaded());
    QCOMPARE(shell.ExampleComponent, std::string("ENG"));
    DefaultInstance<frmExample>::Unload();
    Activate(w);

    w->setWindowTitle("x");
    PickItem(w, 6, 1);  // marker 0: no question
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(w->windowTitle(), QString("x"));
    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 1, "400");
    QCOMPARE(scene->LastSaid(), QString("Change these Example Specs?: Changing this value means these specs no longer "
                                        "match:\r\r    Ex Eng: 406 SBC\r\rChange this spec anyway?"));
    QCOMPARE(w->SpecData[1]->text(), QString("406"));

    SpecAt(kEngine, 14) = "1";
    scene->ui.Answer(ans::No);
    PickItem(w, 6, 0);
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(w->Pick(6), 1);
    scene->ui.Answer(ans::Yes);
    PickItem(w, 6, 0);
    QCOMPARE(w->Pick(6), 0);
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QCOMPARE(w->Pick(0), 1);
    QCOMPARE_SPECS("E0=1;E13=;E14=");
    QVERIFY(w->SpecData[2]->isEnabled());
  }

  // "Clear" on a linked curve asks naming it; No changes nothing; Yes leaves
  // the curve method, empty grid, and the next notice compares real methods.
  void clearTheCurve() {
    frmEngine* w = OpenBracketCar("E0=4;E13=Ex Eng: 406 SBC;E14=2");
    QVERIFY(w->Graph1->isVisible() && w->Command1[4]->isEnabled());
    scene->ui.Answer(ans::No);
    Press(w->Command1[4]);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2 + mb::Question);
    QCOMPARE(scene->LastSaid(), QString("Erase Power Curve: Erase all RPM, Torque and HP entries?\r\r(Erasing the "
                                        "curve means these specs no longer match:  Ex Eng: 406 SBC)"));
    QCOMPARE(w->Text1[0]->text(), QString("3000"));
    QCOMPARE(w->Pick(0), 4);
    QCOMPARE(fst.SpecsChanged, int16_t(0));

    scene->ui.Answer(ans::Yes);
    Press(w->Command1[4]);
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(w->Pick(0), 2);
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QCOMPARE_SPECS("E0=2;E13=;E14=");
    for (int i = 0; i < 10; ++i) QCOMPARE(Point(w, i), QString("//"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(Points(w), QStringList(11, "100/0/0"));
    QVERIFY(w->Graph1->isVisible());
    PickItem(w, 0, 1);  // the curve was the example's: the peaks are left over
    QCOMPARE(scene->BoxCount(), 3);
    QVERIFY(scene->LastPrompt().startsWith("The Torque and HP specs"));
    w->Unload();
    Settle();
    QCOMPARE(tbl.PowerCurveText[0][0] + tbl.PowerCurveText[8][2], std::string());
  }

  // "Load from Cylvane": no file asks to start it; with one, Yes starts it and
  // No imports into the open window; started by Cylvane, it imports at once.
  void loadFromCylvane() {
    frmEngine* w = OpenBracketCar();
    scene->ui.Answer(ans::No);
    Press(w->Command1[6]);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(scene->LastSaid(), QString("Power Curve Not Found: Power Curve from Cylvane was not found.\r\rDo you "
                                        "want to start up the Cylvane to create a power curve?"));
    QVERIFY(!DefaultInstance<frmSend>::Loaded());

    scene->Write(kHandOverFile, kHandOverCurve);
    scene->ui.Answer(ans::Cancel);
    Press(w->Command1[6]);
    QCOMPARE(scene->LastBox().style, mb::YesNoCancel + mb::DefaultButton2);
    QCOMPARE(scene->LastSaid(),
             QString("Cylvane Not Running: An Cylvane program did not start up the Stagewell, but there is a Power "
                     "Curve available for loading.\r\rDo you want to start up the Cylvane to create a new Power "
                     "Curve?\r\r(If you answer No, the available Power Curve will be loaded.  Click on Cancel to "
                     "abort.)"));
    QCOMPARE(w->Text1[0]->text(), QString("3000"));
    scene->ui.Answer(ans::Yes);
    Press(w->Command1[6]);
    QVERIFY(DefaultInstance<frmSend>::Loaded());
    frmSend::UnloadSendForm();
    Settle();

    w = OpenBracketCar();
    const int boxes = scene->BoxCount();
    scene->ui.Answer(ans::No);
    scene->ui.Answer(ans::Yes);
    Press(w->Command1[6]);
    QCOMPARE(scene->BoxCount(), boxes + 2);
    QVERIFY(scene->LastBox().title.find("Summary of Power Curve") != std::string::npos);
    QCOMPARE(LoadedSpecWindow(kEngine), static_cast<SpecWindow*>(w));
    QCOMPARE(w->SpecData[1]->text() + " " + QString::number(w->Pick(0)), QString("454 2"));
    QCOMPARE(Point(w, 0) + " " + Point(w, 7) + " " + Point(w, 8), QString("2500/470/224 6000/400/457 //"));
    QCOMPARE(Points(w)[0], QString("6100/268/306.19"));
    QCOMPARE(w->ComboIndexBefore, 2);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    PickItem(w, 0, 1);  // the method row goes on from the curve method
    QVERIFY(scene->LastPrompt().startsWith("The Torque and HP specs"));
    SpecScene::Close(w);

    tbl.StartMode = 1;
    w = OpenBracketCar();
    scene->Write(kHandOverFile, kHandOverCurve);
    const int before = scene->BoxCount();
    scene->ui.Answer(ans::Yes);
    Press(w->Command1[6]);
    QCOMPARE(scene->BoxCount(), before + 1);
    QVERIFY(scene->LastBox().title.find("Summary of Power Curve") != std::string::npos);
    QCOMPARE(w->Text1[0]->text(), QString("2500"));
    // The file is still there for the exit to delete: nothing holds it.
    QVERIFY(QFile::remove(QString::fromStdString(scene->path(kHandOverFile))));
  }

  // Started by Cylvane: its waiting curve's notice at the first activation
  // only; short at the Beginner Level, none at the Experienced with the curve.
  void cylvaneCurveNotice_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("specs");
    QTest::addColumn<QString>("notice");
    QTest::newRow("peaks") << 0 << "" << "A Power Curve is available from the Cylvane.\r\rTo load it, you must first "
                                         "select 'Specified Full Power Curve' for Method of Describing Power Curve in "
                                         "the upper left section of this menu.\r\rThen click on the 'Load from "
                                         "Cylvane' button in the right section.";
    QTest::newRow("curve, Experienced") << 0 << "E0=2" << "";
    QTest::newRow("curve, Beginner") << 1 << "E0=2" << "A Power Curve is available from the Cylvane.\r\rTo load it, "
                                                       "click on the 'Load from Cylvane' button in the right section.";
  }
  void cylvaneCurveNotice() {
    QFETCH(int, level);
    QFETCH(QString, specs);
    QFETCH(QString, notice);
    scene->ShowMain();
    tbl.StartMode = 1;
    tbl.BeginnerLevel = static_cast<int16_t>(level);
    shell.InstantTipShown = 1;
    tbl.InstantUpdate = 0;
    frmEngine* w = OpenMuscleCar(FromQ(specs));
    QCOMPARE(scene->BoxCount(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty()) {
      QCOMPARE(scene->LastBox().title, std::string(level ? "Beginner Level Help" : "Cylvane Power Curve Available"));
      QCOMPARE(scene->LastPrompt(), notice);
    }
    QCOMPARE(shell.CurveNoticeShown, int16_t(1));
    SpecScene::Close(w);
    OpenMuscleCar();
    QCOMPARE(scene->BoxCount(), notice.isEmpty() ? 0 : 1);
  }

  // "Calculate" and the displacement's "Clc" open their calculators beside it.
  void calculators() {
    scene->CopyCalculators();
    frmEngine* w = OpenBracketCar();
    for (auto [button, calculator] : {std::pair{w->Command1[5], 6}, {w->ClcBttn[1], 27}}) {
      Activate(w);
      Press(button);
      QCOMPARE(shell.CalcMenuNumber, int16_t(calculator));
      QVERIFY(DefaultInstance<frmCalcData>::Loaded());
      QCOMPARE(LoadedSpecWindow(kEngine), static_cast<SpecWindow*>(w));
      DefaultInstance<frmCalcData>::Unload();
    }
    Settle();
  }

  // The printed plot page: the comment asked and offered again, the printed
  // look only while printing; the PDF holds grid, comment and program name.
  void printThePlotPage() {
    frmEngine* w = OpenBracketCar();
    cfg.ThickEngineLines = 0;
    const QString pdf = QString::fromStdString(scene->path("curve.pdf"));
    SetPrintToPdfForTest(pdf);
    scene->ui.Type("Dyno 3/14, 91 octane");
    Press(w->Command2);
    QCOMPARE(scene->LastSaid(),
             QString("Graph Comment: Enter any comment you would like to have printed with the graph."));
    QCOMPARE(scene->LastBox().defaultText, std::string());
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(w->Graph1->Get(chart::kBackground), 7.0);
    QCOMPARE(w->Graph1->LegendOf(1), QString());
    QCOMPARE(w->Graph1->Get(chart::kThickness), 0.0);
    QCOMPARE(w->Graph1->Get(78), 0.0);
    QCOMPARE(w->Graph1->Get(44), 6.0);
    QVERIFY(w->Graph1->GetAt(chart::kPrintTarget, 4) > 0);

    QDir dir(QCoreApplication::applicationDirPath());  // a copy for the record
    dir.mkpath("screenshots");
    QFile::remove(dir.filePath("screenshots/frmEngine_plot.pdf"));
    QFile::copy(pdf, dir.filePath("screenshots/frmEngine_plot.pdf"));
    const QString text = PdfText(pdf);
    for (const char* s : {"3000", "440", "251", "7000", "340", "453", "6500", "385", "476", "Dyno 3/14, 91 octane",
                          "Stagewell v3.2", "Tq", "HP", "RPM"})
      QVERIFY2(text.contains(s), s);
    scene->ui.CancelInput();  // offered again; Cancel prints an empty one
    Press(w->Command2);
    QCOMPARE(scene->LastBox().defaultText, std::string("Dyno 3/14, 91 octane"));
    QCOMPARE(shell.PowerCurveGraphComment, std::string());
  }
};

QTEST_MAIN(FrmEngineTest)
#include "frm_engine_qtest.moc"
