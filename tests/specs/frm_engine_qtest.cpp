// The Engine window as a racer uses it from the main window, with the
// shipped row file and preset lists and the fixture cars: the method row and
// its notices, the peak-RPM check, the power-curve grid with its worked
// figures, the plot and its printed page, "Clear" and "Load from Cylvane".
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QtTest>

#include "calcmenus/frm_calc_data.h"
#include "platform/qt/chart.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "shell/frm_send.h"
#include "shell/help_form.h"
#include "shell/power_curve_import.h"
#include "shell/shell_fixture.h"
#include "specs/frm_engine.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

const char* kHandOverCurve =
    "CV Engine Sim - 454 BBC\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n"
    "2500\r\n470\r\n223.7\r\n3000\r\n490\r\n279.9\r\n3500\r\n505\r\n336.5\r\n4000\r\n512\r\n389.9\r\n"
    "4500\r\n505\r\n432.7\r\n5000\r\n480\r\n457.0\r\n5500\r\n445\r\n466.0\r\n6000\r\n400\r\n457.0\r\n";

QLineEdit* Cell(frmEngine* w, int column, int point) {
  return (column == 1 ? w->Text1 : column == 2 ? w->Text2 : w->Text3)[point];
}

// Types into a grid cell and leaves it for a button, so that no other cell
// or row is left on the way.
void TypeCell(frmEngine* w, int column, int point, const QString& text) {
  QLineEdit* cell = Cell(w, column, point);
  cell->setFocus(Qt::MouseFocusReason);
  Settle();
  cell->selectAll();
  if (text.isEmpty()) QTest::keyClick(cell, Qt::Key_Delete);
  else QTest::keyClicks(cell, text);
  w->Command1[8]->setFocus(Qt::MouseFocusReason);
  Settle();
}

void TypeAndLeave(frmEngine* w, int row, const QString& text) {
  w->SpecData[row]->setFocus(Qt::TabFocusReason);
  Settle();
  w->SpecData[row]->selectAll();
  QTest::keyClicks(w->SpecData[row], text);
  QTest::keyClick(w->SpecData[row], Qt::Key_Tab);
  Settle();
}

// A pick made by the racer.
void PickItem(frmEngine* w, int row, int item) {
  w->cmbSpecData[row]->setFocus(Qt::MouseFocusReason);
  Settle();
  w->cmbSpecData[row]->setCurrentIndex(item);
  emit w->cmbSpecData[row]->activated(item);
  Settle();
}

QStringList Points(frmEngine* w) {
  QStringList out;
  for (int p = 1; p <= 11; ++p)
    out << QString("%1/%2/%3")
               .arg(w->Graph1->XOf(1, p))
               .arg(w->Graph1->YOf(1, p))
               .arg(w->Graph1->YOf(2, p));
  return out;
}

// Texts of the boxes shown since `from` with the given title.
int BoxesTitled(const ShellScene& scene, const std::string& title, int from = 0) {
  int n = 0;
  for (int i = from; i < scene.BoxCount(); ++i) n += scene.Box(i).title == title;
  return n;
}

}  // namespace

class FrmEngineTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* ShowMain() {
    scene->ReturningUser();
    for (const auto& e : std::filesystem::directory_iterator(kShippedData / "COMBO"))
      scene->CopyShipped("COMBO/" + e.path().filename().string());
    for (int m = 1; m <= 6; ++m) scene->CopyShipped("QVZHELP/help" + std::to_string(m) + ".txt");
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Settle();
    return m;
  }
  frmEngine* OpenEngine(frmMain* m) {
    m->Command1[0]->click();
    auto* w = static_cast<frmEngine*>(LoadedSpecWindow(kEngine));
    if (w) Activate(w);
    return w;
  }
  // The bracket car with its full dyno curve, or the muscle car by peaks.
  frmEngine* OpenBracketCar(const std::string& specs = "") {
    frmMain* m = ShowMain();
    test::LoadFixtureVehicle(test::kBracketCar);
    SetSpecs(specs.empty() ? "E0=2" : specs);
    return OpenEngine(m);
  }
  frmEngine* OpenMuscleCar(const std::string& specs = "") {
    frmMain* m = ShowMain();
    if (!specs.empty()) SetSpecs(specs);
    return OpenEngine(m);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() {
    SetPrintToPdfForTest(QString());
    scene.reset();
  }

  // The bracket car's curve over the main window: captions from the row
  // file, the grid, the plot of its points, the commands not built yet
  // greyed; the window's picture saved.
  void theWindowAsTheRacerSeesIt() {
    frmMain* m = ShowMain();
    QVERIFY(m->Command1[0]->isEnabled());
    test::LoadFixtureVehicle(test::kBracketCar);
    frmEngine* w = OpenEngine(m);
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(kEngine));
    QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
    const char* captions[7] = {"Method of Describing Power Curve", "Displacement, cu in", "Peak Torque, ft lbs",
                               "Peak Torque RPM", "Peak Horsepower", "Peak Horsepower RPM", "Corr Factor"};
    for (int r = 0; r < 7; ++r) QCOMPARE(w->SpecName[r]->text(), QString(captions[r]));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Specified Full Curve"));
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QVERIFY(!qobject_cast<QStandardItemModel*>(w->cmbSpecData[0]->model())->item(3)->isEnabled());
    QCOMPARE(w->cmbSpecData[6]->currentText(), QString("Std Dyno - 29.92 \"Hg, 60 deg F"));
    QCOMPARE(w->SpecData[1]->text(), QString("406"));
    for (int r : {2, 3, 4, 5}) QVERIFY(!w->SpecData[r]->isEnabled() && !w->SpecName[r]->isEnabled());
    QCOMPARE(w->Frame3D3->title(), QString(" Base Engine Specs "));
    QCOMPARE(w->Frame3D1->title(), QString("Full Power Curve"));
    const char* headings[6] = {"RPM", "Tq", "HP", "RPM", "Tq", "HP"};
    for (int k = 0; k < 6; ++k) QCOMPARE(w->Label1[k]->text(), QString(headings[k]));
    const char* sheet[9][3] = {{"3000", "440", "251"}, {"3500", "465", "310"}, {"4000", "480", "366"},
                               {"4500", "485", "416"}, {"5000", "475", "452"}, {"5500", "455", "476"},
                               {"6000", "425", "486"}, {"6500", "385", "476"}, {"7000", "340", "453"}};
    for (int i = 0; i < 9; ++i)
      for (int c = 1; c <= 3; ++c) {
        QCOMPARE(Cell(w, c, i)->text(), QString(sheet[i][c - 1]));
        QVERIFY(Cell(w, c, i)->isEnabled());
      }
    for (int c = 1; c <= 3; ++c) {
      QCOMPARE(Cell(w, c, 9)->text(), QString());
      QVERIFY(!Cell(w, c, 10)->isVisible());
    }
    QCOMPARE(Cell(w, 2, 4)->accessibleName(), QString("Tq 5"));

    // Point 1 beyond the top, then 7000 down to 3000, the 3000 row again.
    QVERIFY(w->Graph1->isVisible() && !w->Label8->isVisible());
    QStringList points = Points(w);
    QCOMPARE(points[0], QString("7100/227.8/303.51"));
    for (int k = 1; k <= 9; ++k)
      QCOMPARE(points[k], QString("%1/%2/%3").arg(sheet[9 - k][0], sheet[9 - k][1], sheet[9 - k][2]));
    QCOMPARE(points[10], QString("3000/440/251"));
    QCOMPARE(w->Graph1->Get(chart::kBackground), 7.0);
    QCOMPARE(w->Graph1->LegendOf(1), QString());
    QCOMPARE(w->Graph1->LegendOf(2), QString());
    QCOMPARE(w->Graph1->Get(chart::kThickness), 1.0);
    QCOMPARE(w->Graph1->DrawnPoints(1), 11);

    const char* buttons[9] = {"OK",        "Help",      "Get Example", "Save Example", "Clear",
                              "Calculate", "Load from Cylvane", "Print", "Print Setup"};
    for (int i = 0; i < 9; ++i) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    QCOMPARE(w->Command2->text(), QString("Print"));
    for (int i : {2, 3}) QVERIFY(!w->Command1[i]->isEnabled());
    for (int i : {4, 5, 6}) QVERIFY(w->Command1[i]->isEnabled());
    QVERIFY(w->ClcBttn[1]->isEnabled());
    for (int r = 2; r <= 5; ++r) QVERIFY(!w->ClcBttn[r]->isEnabled());
    QVERIFY(w->cmbSpecData[0]->hasFocus());

    // Point by point: RPM, Tq, HP, the next RPM; then the curve's buttons.
    QCOMPARE(w->Text1[0]->nextInFocusChain(), static_cast<QWidget*>(w->Text2[0]));
    QCOMPARE(w->Text3[0]->nextInFocusChain(), static_cast<QWidget*>(w->Text1[1]));
    QCOMPARE(w->Text3[9]->nextInFocusChain(), static_cast<QWidget*>(w->Command1[4]));
    // Up, Down and Enter move between the cells as between the rows.
    w->Text1[1]->setFocus(Qt::MouseFocusReason);
    Settle();
    QCOMPARE(w->Label2->text(), QString("Enter an RPM for the power curve where you have either torque or HP readings."));
    QTest::keyClick(w->Text1[1], Qt::Key_Down);
    QVERIFY(w->Text2[1]->hasFocus());
    QTest::keyClick(w->Text2[1], Qt::Key_Return);
    QVERIFY(w->Text3[1]->hasFocus());
    QTest::keyClick(w->Text3[1], Qt::Key_Up);
    QTest::keyClick(w->Text2[1], Qt::Key_Up);
    QVERIFY(w->Text1[1]->hasFocus());
    Settle();
    QCOMPARE(w->Text1[1]->text() + "/" + w->Text2[1]->text() + "/" + w->Text3[1]->text(), QString("3500/465/310"));
    QVERIFY(SaveShot(w, "frmEngine.png"));

    // The peak methods hide the plot and grey the grid.
    PickItem(w, 0, 1);
    QVERIFY(!w->Graph1->isVisible() && w->Label8->isVisible());
    QVERIFY(!w->Text1[0]->isEnabled() && !w->Command1[4]->isEnabled() && !w->Command2->isEnabled());
    QVERIFY(w->SpecData[3]->isEnabled());
    QCOMPARE(w->Label8->text(), QString("To activate the Full Power Curve features, select 'Specified Full Curve' "
                                        "from the Method of Describing Power Curve list (upper left corner of this "
                                        "screen"));
  }

  // Part 4.109's worked figures, typed as a racer types them.
  void curveEntryWorkedFigures() {
    frmEngine* w = OpenMuscleCar("E0=2");
    tbl.InstantUpdate = 0;
    const int boxes = scene->BoxCount();
    TypeCell(w, 2, 0, "400");
    TypeCell(w, 1, 0, "4500.4");
    QCOMPARE(Cell(w, 1, 0)->text(), QString("4500"));
    QCOMPARE(Cell(w, 3, 0)->text(), QString("343"));

    TypeCell(w, 1, 1, "1000");
    TypeCell(w, 2, 1, "85.25");
    QCOMPARE(Cell(w, 2, 1)->text(), QString("85.25"));
    QCOMPARE(Cell(w, 3, 1)->text(), QString("16.2"));

    TypeCell(w, 1, 2, "5000");
    TypeCell(w, 2, 2, "250");
    TypeCell(w, 3, 2, "300");
    QCOMPARE(Cell(w, 2, 2)->text(), QString("315"));
    QCOMPARE(Cell(w, 1, 2)->text(), QString("5000"));

    TypeCell(w, 2, 3, "420");
    TypeCell(w, 3, 3, "350");
    QCOMPARE(Cell(w, 1, 3)->text(), QString("4377"));
    TypeCell(w, 3, 4, "350");
    TypeCell(w, 2, 4, "420");
    QCOMPARE(Cell(w, 1, 4)->text(), QString("4377"));

    TypeCell(w, 1, 5, "30000");
    TypeCell(w, 1, 6, "500");
    TypeCell(w, 2, 7, "1");
    TypeCell(w, 3, 8, "6000");
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(Cell(w, 3, 8)->text(), QString("6000"));

    // Tabbing on through the computed HP keeps the torque as typed.
    Cell(w, 1, 9)->setFocus(Qt::MouseFocusReason);
    Settle();
    QTest::keyClicks(Cell(w, 1, 9), "1000");
    QTest::keyClick(Cell(w, 1, 9), Qt::Key_Tab);
    QTest::keyClicks(Cell(w, 2, 9), "85.25");
    QTest::keyClick(Cell(w, 2, 9), Qt::Key_Tab);
    Settle();
    QVERIFY(Cell(w, 3, 9)->hasFocus());
    QCOMPARE(Cell(w, 3, 9)->text(), QString("16.2"));
    QTest::keyClick(Cell(w, 3, 9), Qt::Key_Tab);
    Settle();
    QCOMPARE(Cell(w, 2, 9)->text(), QString("85.25"));

    // Torques and HPs above 100 are whole numbers.
    TypeCell(w, 2, 9, "");
    const std::pair<const char*, const char*> torques[] = {
        {"99.6", "99.6"}, {"100", "100"}, {"100.4", "100"}, {"100.6", "101"}};
    for (auto [typed, shown] : torques) {
      TypeCell(w, 2, 9, typed);
      QCOMPARE(Cell(w, 2, 9)->text(), QString(shown));
    }
    QCOMPARE(scene->BoxCount(), boxes);
  }

  // Figures outside the limits: the exact "Warning", the old text and the
  // focus back, nothing stored, completed or drawn.
  void refusedFigures_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::newRow("rpm 499") << 1 << "499" << "RPM = 499.  This value must be between 500 and 30000 .";
    QTest::newRow("torque 6000.6") << 2 << "6000.6" << "Torque = 6001.  This value must be between 1 and 6000 .";
    QTest::newRow("hp .5") << 3 << ".5" << "HP = .5.  This value must be between 1 and 6000 .";
    QTest::newRow("abc") << 2 << "abc" << "Torque = 0.  This value must be between 1 and 6000 .";
  }
  void refusedFigures() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    frmEngine* w = OpenBracketCar();
    fst.SpecsChanged = 0;
    const QStringList points = Points(w);
    const QString before = Cell(w, column, 4)->text();
    TypeCell(w, column, 4, typed);
    QCOMPARE(QString::fromStdString(scene->LastBox().prompt), warning);
    QCOMPARE(scene->LastBox().title, std::string("Warning"));
    QCOMPARE(scene->LastBox().style, mb::OKOnly + mb::Exclamation);
    QCOMPARE(Cell(w, column, 4)->text(), before);
    QVERIFY(Cell(w, column, 4)->hasFocus());
    QCOMPARE(Cell(w, 1, 4)->text() + Cell(w, 2, 4)->text() + Cell(w, 3, 4)->text(), QString("5000475452"));
    QCOMPARE(Points(w), points);
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    w->Unload();
    Settle();
    QCOMPARE(tbl.PowerCurveText[4][column - 1], FromQ(before));
  }

  // Erasing a torque erases its HP and marks the specs changed, and
  // recalculates; erasing an RPM keeps both; an unchanged leave neither
  // redraws nor marks; a leave of an empty cell does nothing at all.
  void erasingAndLeavingUnchanged() {
    frmEngine* w = OpenBracketCar();
    fst.SpecsChanged = 0;
    // A figure put there without an entry shows only at the next redraw.
    w->Text1[9]->setText("9000");
    w->Text2[9]->setText("100");
    w->Text3[9]->setText("171");
    TypeCell(w, 2, 3, "485");
    QCOMPARE(Points(w)[0], QString("7100/227.8/303.51"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    w->setWindowTitle("x");
    TypeCell(w, 2, 9, "");
    QCOMPARE(w->Text3[9]->text(), QString());
    QCOMPARE(w->Text1[9]->text(), QString("9000"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
    QCOMPARE(Points(w)[0], QString("7100/227.8/303.51"));

    fst.SpecsChanged = 0;
    TypeCell(w, 1, 3, "");
    QCOMPARE(w->Text1[3]->text(), QString());
    QCOMPARE(w->Text2[3]->text() + "/" + w->Text3[3]->text(), QString("485/416"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));

    fst.SpecsChanged = 0;
    const int boxes = scene->BoxCount();
    w->setWindowTitle("x");
    TypeCell(w, 1, 3, "");
    QCOMPARE(w->windowTitle(), QString("x"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(scene->BoxCount(), boxes);

    // Stored when the window goes.
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kEngine));
    QCOMPARE(tbl.PowerCurveText[3][0], std::string());
    QCOMPARE(tbl.PowerCurveText[9][1], std::string());
    QCOMPARE(tbl.PowerCurveText[9][0], std::string("9000"));
  }

  // Each change of the method row with its notice; a notice stops the quick
  // calculations until the window is created anew, activation included.
  void methodNotices_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("notice");
    const QString curveToPeaks =
        " HP specs which will now be activated are not related to the Full Power Curve which will now be "
        "deactivated.  They are simply 'left over' from the last time these specs were set.";
    const QString peaksToCurve =
        "The Full Power Curve specs which will now be activated are not related to the Peak Torque and Peak HP specs "
        "which will now be deactivated.  They are simply 'left over' from the last time these specs were set.";
    QTest::newRow("2 to 1") << "2" << 1 << "The Torque and" + curveToPeaks;
    QTest::newRow("2 to 0") << "2" << 0 << "The" + curveToPeaks;
    QTest::newRow("0 to 2") << "0" << 2 << peaksToCurve;
    QTest::newRow("1 to 2") << "1" << 2 << peaksToCurve;
    QTest::newRow("none to 2") << "" << 2 << peaksToCurve;
    QTest::newRow("0 to 1") << "0" << 1 << "";
    QTest::newRow("1 to 0") << "1" << 0 << "";
  }
  void methodNotices() {
    QFETCH(QString, from);
    QFETCH(int, to);
    QFETCH(QString, notice);
    frmEngine* w = OpenBracketCar("E0=" + FromQ(from));
    const int boxes = scene->BoxCount();
    w->setWindowTitle("x");
    PickItem(w, 0, to);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    if (notice.isEmpty()) {
      QCOMPARE(scene->BoxCount(), boxes);
      QVERIFY(w->windowTitle().startsWith("General Engine Specs  [ "));
      return;
    }
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(QString::fromStdString(scene->LastBox().prompt), notice);
    QCOMPARE(scene->LastBox().style, mb::OKOnly);
    QCOMPARE(w->windowTitle(), QString("x"));
    TypeAndLeave(w, 1, "400");
    QCOMPARE(w->windowTitle(), QString("x"));

    // Help keeps the window; coming back keeps the calculations off.
    w->Command1[1]->click();
    Activate(DefaultInstance<HelpForm>::IfLoaded());
    Activate(w);
    QCOMPARE(w->windowTitle(), QString("x"));
    TypeAndLeave(w, 1, "406");
    QCOMPARE(w->windowTitle(), QString("x"));
  }

  // Started by Cylvane for the unattended run: the switch to the curve shows
  // no notice but still stops the quick calculations.
  void noNoticeInTheUnattendedStart() {
    frmEngine* w = OpenBracketCar("E0=1");
    tbl.StartMode = 2;
    const int boxes = scene->BoxCount();
    w->setWindowTitle("x");
    PickItem(w, 0, 2);
    QCOMPARE(scene->BoxCount(), boxes);
    TypeAndLeave(w, 1, "400");
    QCOMPARE(w->windowTitle(), QString("x"));
  }

  // The peak-RPM check on "OK" and when the window loses the front.
  void peakRpmCheck_data() {
    QTest::addColumn<QString>("specs");
    QTest::addColumn<bool>("refused");
    QTest::newRow("method 1, 5501 > 5500") << "E0=1;E3=5501;E5=5500" << true;
    QTest::newRow("method 1, equal") << "E0=1;E3=5500;E5=5500" << false;
    QTest::newRow("method 0") << "E0=0;E3=5501;E5=5500" << false;
    QTest::newRow("method 2") << "E0=2;E3=5501;E5=5500" << false;
    QTest::newRow("example by peaks") << "E0=4;E13=Ex Eng: 427 BBC;E14=1;E3=5501;E5=5500" << true;
    QTest::newRow("example by curve") << "E0=4;E13=Ex Eng: 427 BBC;E14=2;E3=5501;E5=5500" << false;
  }
  void peakRpmCheck() {
    QFETCH(QString, specs);
    QFETCH(bool, refused);
    frmMain* m = ShowMain();
    SetSpecs(FromQ(specs));
    frmEngine* w = OpenEngine(m);
    const int boxes = scene->BoxCount();
    w->Command1[0]->click();
    Settle();
    QCOMPARE(BoxesTitled(*scene, "Impossible RPM Combination", boxes), refused ? 1 : 0);
    QCOMPARE(LoadedSpecWindow(kEngine) != nullptr, refused);
    if (!refused) return;
    QCOMPARE(scene->LastBox().prompt,
             "You have entered an 'RPM at Peak Torque' of 5501 which is higher than the 'RPM at Peak HP' of 5500.  "
             "This is an impossible combination since Peak HP must occur at a higher RPM than Peak Torque." +
                 kCR + kCR +
                 "You must either lower the 'RPM at Peak Torque' to less than 5500 or raise the 'RPM at Peak HP' "
                 "to an RPM higher than 5501.");
    QCOMPARE(scene->LastBox().style, mb::OKOnly);

    // Losing the front: the message, and the window takes the front back.
    Activate(m);
    Settle();
    QCOMPARE(BoxesTitled(*scene, "Impossible RPM Combination", boxes), 2);
    QVERIFY(LoadedSpecWindow(kEngine));
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));

    if (specs.contains("E13")) scene->ui.Answer(ans::Yes);  // no longer the example
    TypeAndLeave(w, 3, "5000");
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kEngine));
    QCOMPARE(SpecAt(kEngine, 3), std::string("5000"));
  }

  // The linked example: pick 3 keeps the method; the Corr Factor marks
  // the specs changed without calculating and asks by the marker; rows 1-5
  // ask by the name; Yes keeps the example's method without its name.
  void linkedExampleAndCorrFactor() {
    frmEngine* w = OpenBracketCar("E0=4;E13=Ex Eng: 406 SBC;E14=0");
    QCOMPARE(w->cmbSpecData[0]->count(), 5);
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Eng: 406 SBC"));
    QVERIFY(!w->Graph1->isVisible() && w->SpecData[4]->isEnabled() && !w->SpecData[2]->isEnabled());
    const int boxes = scene->BoxCount();

    PickItem(w, 0, 3);
    QCOMPARE(w->Pick(0), 4);
    QCOMPARE(scene->BoxCount(), boxes);

    // Marker 0: the Corr Factor asks nothing, marks, calculates nothing.
    fst.SpecsChanged = 0;
    w->setWindowTitle("x");
    PickItem(w, 6, 1);
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(w->windowTitle(), QString("x"));

    // The name decides for rows 1-5: No puts the figure back.
    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 1, "400");
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QCOMPARE(scene->LastBox().prompt, "Changing this value means these specs no longer match:" + kCR + kCR +
                                          "    Ex Eng: 406 SBC" + kCR + kCR + "Change this spec anyway?");
    QCOMPARE(w->SpecData[1]->text(), QString("406"));

    SpecAt(kEngine, 14) = "1";
    scene->ui.Answer(ans::No);
    PickItem(w, 6, 0);
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QCOMPARE(w->Pick(6), 1);

    scene->ui.Answer(ans::Yes);
    PickItem(w, 6, 0);
    QCOMPARE(w->Pick(6), 0);
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QCOMPARE(w->Pick(0), 1);
    QCOMPARE_SPECS("E0=1;E13=;E14=");
    QVERIFY(w->SpecData[2]->isEnabled());
  }

  // "Clear": on a linked curve it asks naming the example; No changes
  // nothing; Yes leaves the curve method, empty slots and grid, and the
  // next pick's notice compares real methods.
  void clearTheCurve() {
    frmEngine* w = OpenBracketCar("E0=4;E13=Ex Eng: 406 SBC;E14=2");
    QVERIFY(w->Graph1->isVisible() && w->Command1[4]->isEnabled());
    fst.SpecsChanged = 0;
    int boxes = scene->BoxCount();
    scene->ui.Answer(ans::No);
    w->Command1[4]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().title, std::string("Erase Power Curve"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2 + mb::Question);
    QCOMPARE(scene->LastBox().prompt, "Erase all RPM, Torque and HP entries?" + kCR + kCR +
                                          "(Erasing the curve means these specs no longer match:  Ex Eng: 406 SBC)");
    QCOMPARE(w->Text1[0]->text(), QString("3000"));
    QCOMPARE(w->Pick(0), 4);
    QCOMPARE(fst.SpecsChanged, int16_t(0));

    scene->ui.Answer(ans::Yes);
    w->Command1[4]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), boxes + 2);
    QCOMPARE(w->Pick(0), 2);
    QCOMPARE(w->cmbSpecData[0]->count(), 4);
    QCOMPARE_SPECS("E0=2;E13=;E14=");
    for (int i = 0; i < 10; ++i)
      for (int c = 1; c <= 3; ++c) QCOMPARE(Cell(w, c, i)->text(), QString());
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    for (const QString& p : Points(w)) QCOMPARE(p, QString("100/0/0"));
    QVERIFY(w->Graph1->isVisible());

    // The curve was the example's: the peaks now are left over from before.
    PickItem(w, 0, 1);
    QCOMPARE(scene->BoxCount(), boxes + 3);
    QVERIFY(scene->LastBox().prompt.rfind("The Torque and HP specs", 0) == 0);

    // Stored when the window goes.
    w->Unload();
    Settle();
    QCOMPARE(tbl.PowerCurveText[0][0], std::string());
    QCOMPARE(tbl.PowerCurveText[8][2], std::string());
  }

  // "Load from Cylvane": without the hand-over file the question to start
  // Cylvane; with it, the three-button question in a program the racer
  // started, the import at once in one that Cylvane started; the imported
  // curve shows in the open window.
  void loadFromCylvane() {
    frmEngine* w = OpenBracketCar();
    int boxes = scene->BoxCount();
    scene->ui.Answer(ans::No);
    w->Command1[6]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().title, std::string("Power Curve Not Found"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt, "Power Curve from Cylvane was not found." + kCR + kCR +
                                          "Do you want to start up the Cylvane to create a power curve?");
    QVERIFY(!DefaultInstance<frmSend>::Loaded());

    scene->Write(kHandOverFile, kHandOverCurve);
    scene->ui.Answer(ans::Cancel);
    w->Command1[6]->click();
    Settle();
    QCOMPARE(scene->LastBox().title, std::string("Cylvane Not Running"));
    QCOMPARE(scene->LastBox().style, mb::YesNoCancel + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt,
             "An Cylvane program did not start up the Stagewell, but there is a Power Curve available for loading." +
                 kCR + kCR + "Do you want to start up the Cylvane to create a new Power Curve?" + kCR + kCR +
                 "(If you answer No, the available Power Curve will be loaded.  Click on Cancel to abort.)");
    QCOMPARE(w->Text1[0]->text(), QString("3000"));

    // Yes: the engine program's window, which takes the front.
    scene->ui.Answer(ans::Yes);
    w->Command1[6]->click();
    Settle();
    QVERIFY(DefaultInstance<frmSend>::Loaded());
    frmSend::UnloadSendForm();
    Settle();

    // No: the import, its summary, and the curve in the window.
    w = OpenEngine(DefaultInstance<frmMain>::Get());
    boxes = scene->BoxCount();
    scene->ui.Answer(ans::No);
    scene->ui.Answer(ans::Yes);
    fst.SpecsChanged = 0;
    w->Command1[6]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), boxes + 2);
    QVERIFY(scene->LastBox().title.find("Summary of Power Curve") != std::string::npos);
    QCOMPARE(LoadedSpecWindow(kEngine), static_cast<SpecWindow*>(w));
    QCOMPARE(w->SpecData[1]->text(), QString("454"));
    QCOMPARE(w->Pick(0), 2);
    QCOMPARE(w->Text1[0]->text(), QString("2500"));
    QCOMPARE(w->Text2[7]->text(), QString("400"));
    QCOMPARE(w->Text1[8]->text(), QString());
    QCOMPARE(Points(w)[0], QString("6100/268/306.19"));
    QCOMPARE(w->ComboIndexBefore, 2);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    // The method row goes on from the curve method.
    PickItem(w, 0, 1);
    QVERIFY(scene->LastBox().prompt.rfind("The Torque and HP specs", 0) == 0);
  }

  // "Calculate" opens the horsepower calculator, the displacement's "Clc"
  // the displacement calculator; the window stays loaded behind them.
  void calculators() {
    frmEngine* w = OpenBracketCar();
    std::filesystem::copy(kShippedData / "CALC", scene->folder() / "CALC");
    w->Command1[5]->click();
    Settle();
    QCOMPARE(shell.CalcMenuNumber, int16_t(6));
    QVERIFY(DefaultInstance<frmCalcData>::Loaded());
    QCOMPARE(LoadedSpecWindow(kEngine), static_cast<SpecWindow*>(w));
    DefaultInstance<frmCalcData>::Unload();
    Activate(w);
    w->ClcBttn[1]->click();
    Settle();
    QCOMPARE(shell.CalcMenuNumber, int16_t(27));
    QVERIFY(DefaultInstance<frmCalcData>::Loaded());
    QCOMPARE(LoadedSpecWindow(kEngine), static_cast<SpecWindow*>(w));
    DefaultInstance<frmCalcData>::Unload();
    Settle();
  }

  void importAtOnceWhenCylvaneStartedTheProgram() {
    frmEngine* w = OpenBracketCar();
    tbl.StartMode = 1;
    scene->Write(kHandOverFile, kHandOverCurve);
    const int boxes = scene->BoxCount();
    scene->ui.Answer(ans::Yes);
    w->Command1[6]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QVERIFY(scene->LastBox().title.find("Summary of Power Curve") != std::string::npos);
    QCOMPARE(w->Text1[0]->text(), QString("2500"));
    // The file is still there for the exit to delete: nothing holds it.
    QVERIFY(QFile::remove(QString::fromStdString(scene->path(kHandOverFile))));
  }

  // Started by Cylvane: the notice of its waiting curve at the first
  // activation only; none at the Experienced Level with the curve chosen.
  void cylvaneCurveNotice() {
    frmMain* m = ShowMain();
    tbl.StartMode = 1;
    int boxes = scene->BoxCount();
    frmEngine* w = OpenEngine(m);
    QCOMPARE(BoxesTitled(*scene, "Cylvane Power Curve Available", boxes), 1);
    QCOMPARE(scene->LastBox().prompt,
             "A Power Curve is available from the Cylvane." + kCR + kCR +
                 "To load it, you must first select 'Specified Full Power Curve' for Method of Describing Power "
                 "Curve in the upper left section of this menu." +
                 kCR + kCR + "Then click on the 'Load from Cylvane' button in the right section.");
    w->Command1[0]->click();
    Settle();
    OpenEngine(m);
    QCOMPARE(BoxesTitled(*scene, "Cylvane Power Curve Available", boxes), 1);
    DefaultInstance<frmMain>::Unload();
    Settle();

    for (int level : {0, 1}) {
      scene.reset();
      init();
      frmMain* main = ShowMain();
      tbl.StartMode = 1;
      tbl.BeginnerLevel = static_cast<int16_t>(level);
      shell.InstantTipShown = 1;
      tbl.InstantUpdate = 0;
      SetSpecs("E0=2");
      boxes = scene->BoxCount();
      OpenEngine(main);
      QCOMPARE(scene->BoxCount(), boxes + level);
      if (level == 1) {
        QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
        QCOMPARE(scene->LastBox().prompt, "A Power Curve is available from the Cylvane." + kCR + kCR +
                                              "To load it, click on the 'Load from Cylvane' button in the right "
                                              "section.");
      }
      QCOMPARE(shell.CurveNoticeShown, int16_t(1));
    }
  }

  // The printed plot page: the comment asked (and offered again), the
  // printed look while printing, the screen look back afterwards.
  void printThePlotPage() {
    frmEngine* w = OpenBracketCar();
    cfg.ThickEngineLines = 0;
    const QString pdf = QString::fromStdString(scene->path("curve.pdf"));
    SetPrintToPdfForTest(pdf);
    scene->ui.Type("Dyno 3/14, 91 octane");
    w->Command2->click();
    Settle();
    QCOMPARE(scene->LastBox().title, std::string("Graph Comment"));
    QCOMPARE(scene->LastBox().prompt, std::string("Enter any comment you would like to have printed with the graph."));
    QCOMPARE(scene->LastBox().defaultText, std::string());
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(w->Graph1->Get(chart::kBackground), 7.0);
    QCOMPARE(w->Graph1->LegendOf(1), QString());
    QCOMPARE(w->Graph1->Get(chart::kThickness), 0.0);
    QCOMPARE(w->Graph1->Get(78), 0.0);
    QCOMPARE(w->Graph1->Get(44), 6.0);
    QVERIFY(w->Graph1->GetAt(chart::kPrintTarget, 4) > 0);

    // A copy for the record, and its text where the tools are there to read it.
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath("screenshots");
    QFile::remove(dir.filePath("screenshots/frmEngine_plot.pdf"));
    QFile::copy(pdf, dir.filePath("screenshots/frmEngine_plot.pdf"));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (!pdftotext.isEmpty()) {
      QProcess p;
      p.start(pdftotext, {"-layout", pdf, "-"});
      QVERIFY(p.waitForFinished(20000));
      const QString text = QString::fromUtf8(p.readAllStandardOutput());
      for (const char* cell : {"3000", "440", "251", "7000", "340", "453", "6500", "385", "476"})
        QVERIFY2(text.contains(cell), cell);
      QVERIFY(text.contains("Dyno 3/14, 91 octane"));
      QVERIFY(text.contains("Stagewell v3.2"));
      QVERIFY(text.contains("Tq") && text.contains("HP") && text.contains("RPM"));
    }

    // The comment is offered again; Cancel prints an empty one.
    scene->ui.CancelInput();
    w->Command2->click();
    Settle();
    QCOMPARE(scene->LastBox().defaultText, std::string("Dyno 3/14, 91 octane"));
    QCOMPARE(shell.PowerCurveGraphComment, std::string());
  }
};

QTEST_MAIN(FrmEngineTest)
#include "frm_engine_qtest.moc"
