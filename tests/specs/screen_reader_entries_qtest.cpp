// A figure a screen reader sets into a box, with no focus move (as dictation does), is an entry like a typed one:
// tested as its window goes or before anything reads it, kept when it passes, warned about and put back when not.
#include "calcmenus/frm_calc_data.h"
#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "match/frm_disp.h"
#include "specs/spec_window_fixture.h"
#include "support/qt/screen_reader.h"

using namespace sw;

namespace {

void SetAsScreenReader(QLineEdit* box, const QString& figure) {
  test::AsScreenReader(box, [box, figure] { box->setText(figure); });
}

}  // namespace

class ScreenReaderEntriesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

 private slots:
  void init() {
    scene = std::make_unique<SpecScene>();
    scene->CopyCalculators();
    scene->CopyShipped("QVZHELP/help7.txt");
    ResetDialInState();
  }
  void cleanup() {
    DefaultInstance<frmCalcData>::Unload();
    scene.reset();
  }

  // Every spec window, Match and both worksheets: a box that never had the focus, set, then the window's OK (Match's
  // runs its search, the worksheets' is File > Exit) and the window opened again, or Exit with the window up. The
  // window, the specs and the saved file hold what the box showed; a figure outside the limits gets its Warning and
  // the stored one stays. Match's OK stops at the Warning.
  void aSetFigureIsStoredAsShown_data() {
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("warning");  // "" for a figure inside the limits
    QTest::addColumn<bool>("exit");
    const std::tuple<int, int, const char*, const char*, const char*> cases[] = {
        {kEngine, 1, "457", "1600", "Displacement, cu in = 1600.  Value must be between  10 and  1500 ."},
        {kTransmission, 9, "2.43", "12", "Gear #1 = 12.  Value must be between  0 and  10 ."},
        {kVehicle, 7, "109", "250", "Wheelbase, in = 250.  Value must be between  80 and  200 ."},
        {kTires, 8, "105", "250", "Traction Factor, % = 250.  Value must be between  10 and  200 ."},
        {kDriving, 1, "4600", "25000", "Launch RPM = 25000.  Value must be between  500 and  20000 ."},
        {kConditions, 2, "77", "140", "Air Temperature, deg F = 140.  Value must be between -20 and  130 ."},
        {kMatch, 2, "1.81", "6", "60 Foot Time, sec = 6.  Value must be between  .8 and  5 ."},
        {kThrottleStop, 10, "66", "140", "Air Temp, deg F = 140.  Value must be between -20 and  130 ."},
        {kDialIn, 10, "66", "140", "Air Temp, deg F = 140.  Value must be between -20 and  130 ."}};
    for (const auto& [menu, row, fine, outside, warning] : cases)
      for (bool exit : {false, true}) {
        const char* way = exit ? "Exit" : "OK";
        QTest::addRow("menu %d, %s, accepted", menu, way) << menu << row << fine << "" << exit;
        QTest::addRow("menu %d, %s, refused", menu, way) << menu << row << outside << warning << exit;
      }
  }
  void aSetFigureIsStoredAsShown() {
    QFETCH(int, menu);
    QFETCH(int, row);
    QFETCH(QString, figure);
    QFETCH(QString, warning);
    QFETCH(bool, exit);
    frmMain* m = scene->ShowMain();
    const char* slip[] = {" 0", "", "1.74", "118.2", "5700", "3"};
    for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = slip[k];
    auto open = [&] {
      if (menu <= kConditions) m->Command1[menu - 1]->click();
      else m->MainCommand[menu == kMatch ? 0 : menu == kDialIn ? 1 : 2]->click();
      SpecWindow* w = LoadedSpecWindow(menu);
      if (w) Activate(w);
      return w;
    };
    SpecWindow* w = open();
    QVERIFY(w);
    QLineEdit* box = w->SpecData[row];
    QVERIFY(box->isEnabled() && !box->hasFocus());
    const QString stored = QString::fromStdString(SpecAt(menu, row));
    const QString kept = warning.isEmpty() ? figure : stored;
    SetAsScreenReader(box, figure);
    Settle();
    const int boxes = scene->BoxCount();
    if (!exit) {
      if (menu == kMatch) WhenModal([](QWidget* result) { static_cast<frmDisp*>(result)->Command1[1]->click(); });
      if (menu >= kThrottleStop) static_cast<frmDialIn*>(w)->mnuExit->trigger();
      else w->Command1[0]->click();
      Settle();
      QCOMPARE(LoadedSpecWindow(menu) != nullptr, menu == kMatch && !warning.isEmpty());
      QCOMPARE(open()->SpecData[row]->text(), kept);
    }
    if (!warning.isEmpty() && exit) scene->ui.Answer(ans::OK);
    scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::Yes);  // "Quit Stagewell ?", "Save Your Changes ?"
    m->close();
    QTRY_VERIFY(ProgramEnding());
    QCOMPARE(scene->BoxesTitled("Warning", boxes), warning.isEmpty() ? 0 : 1);
    for (int i = boxes; i < scene->BoxCount(); ++i)
      if (scene->Box(i).title == "Warning") QCOMPARE(QString::fromStdString(scene->Box(i).prompt), warning);
    QCOMPARE(QString::fromStdString(SpecAt(menu, row)), kept);
    const auto lines = CrLfLines(scene->Read("VEHDAT/" + std::string(test::kMuscleCar)));
    QCOMPARE(QString::fromStdString(lines.at(1 + tbl.SpecMenuStart[menu] + row)), kept);
  }

  // A calculator tests a set figure before it calculates with it (another box left), uses it, prints or goes.
  void aCalculatorTestsASetFigureFirst_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("result");
    const QString warning = "Warning: Height, in = 200.  Value must be between  10 and  150 .";
    QTest::newRow("leave, accepted") << "leave" << "52" << "21.67";
    QTest::newRow("leave, refused") << "leave" << "200" << warning + "|";
    QTest::newRow("use, accepted") << "use" << "52" << "21.67";
    QTest::newRow("use, refused") << "use" << "200" << warning + "|22";
    QTest::newRow("print, refused") << "print" << "200" << warning + "|1";
    QTest::newRow("cancel, refused") << "cancel" << "200" << warning + "|0";
  }
  void aCalculatorTestsASetFigureFirst() {
    QFETCH(QString, action);
    QFETCH(QString, figure);
    QFETCH(QString, result);
    scene->ShowMain();
    SpecAt(kVehicle, 8) = "60";
    frmCalcData* w = OpenCalculator(nullptr, 3);  // Frontal Area: track width (row 1), height (row 2)
    Activate(w);
    QVERIFY(w->CalcData[1]->hasFocus());
    SetAsScreenReader(w->CalcData[2], figure);
    scene->ui.Answer(ans::No);  // the track width offer
    if (action == "leave") QTest::keyClick(w->CalcData[1], Qt::Key_Tab);
    if (action == "use") w->Command3->click();
    if (action == "print") w->Command4->click();
    if (action == "cancel") w->Command1->click();
    Settle();
    QString shown = scene->BoxesTitled("Warning") ? scene->LastSaid() + "|" : QString();
    if (action == "leave") shown += w->CalcOutData[0]->text();
    if (action == "use") shown += QString::fromStdString(SpecAt(kVehicle, 10));
    if (action == "print") shown += QString::number(scene->BoxCount()) + (w->CalcData[2]->hasFocus() ? "" : "!");
    if (action == "cancel") shown += QString::number(DefaultInstance<frmCalcData>::Loaded());
    QCOMPARE(shown, result);
  }
};

QTEST_MAIN(ScreenReaderEntriesTest)
#include "screen_reader_entries_qtest.moc"
