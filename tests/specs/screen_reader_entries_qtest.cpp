// A figure a screen reader sets into a box with no focus move (as dictation does) is an entry like a typed one.
#include "calcmenus/frm_calc_data.h"
#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "match/frm_disp.h"
#include "specs/spec_window_fixture.h"
#include "support/qt/screen_reader.h"

using namespace sw;

class ScreenReaderEntriesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  static void Set(QLineEdit* box, const QString& figure) { test::AsScreenReader(box, [=] { box->setText(figure); }); }
  QString Warnings() const {
    QStringList out;
    for (int i = 0; i < scene->BoxCount(); ++i)
      if (scene->Box(i).title == "Warning") out << QString::fromStdString(scene->Box(i).prompt);
    return out.join('|');
  }

 private slots:
  void init() {
    scene = std::make_unique<SpecScene>();
    scene->CopyCalculators(), scene->CopyShipped("QVZHELP/help7.txt"), ResetDialInState();
  }
  void cleanup() { DefaultInstance<frmCalcData>::Unload(), scene.reset(); }

  // A box of a spec window, Match or a worksheet that never had the focus, set; then the window's OK (Match's runs
  // its search, a worksheet's is File > Exit) and the window again, or Exit with the window up. The window, the specs
  // and the saved file hold what the box showed, or, for a figure outside the limits, after its Warning, the stored
  // one (Match's OK stops there).
  void aSetFigureIsStoredAsShown_data() {
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("warning");  // "" for a figure inside the limits
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
      for (const char* way : {"OK", "Exit"}) {
        QTest::addRow("menu %d, %s, accepted", menu, way) << menu << row << fine << "";
        QTest::addRow("menu %d, %s, refused", menu, way) << menu << row << outside << warning;
      }
  }
  void aSetFigureIsStoredAsShown() {
    QFETCH(int, menu);
    QFETCH(int, row);
    QFETCH(QString, figure);
    QFETCH(QString, warning);
    const bool exit = QString(QTest::currentDataTag()).contains("Exit");
    frmMain* m = scene->ShowMain();
    for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = std::array{" 0", "", "1.74", "118.2", "5700", "3"}[size_t(k)];
    auto open = [&] {
      if (menu <= kConditions) m->Command1[menu - 1]->click();
      else m->MainCommand[menu == kMatch ? 0 : menu == kDialIn ? 1 : 2]->click();
      return Activate(LoadedSpecWindow(menu)), LoadedSpecWindow(menu);
    };
    SpecWindow* w = open();
    QVERIFY(w->SpecData[row]->isEnabled() && !w->SpecData[row]->hasFocus());
    const QString kept = warning.isEmpty() ? figure : QString::fromStdString(SpecAt(menu, row));
    Set(w->SpecData[row], figure), Settle();
    if (!exit) {
      if (menu == kMatch) WhenModal([](QWidget* shown) { static_cast<frmDisp*>(shown)->Command1[1]->click(); });  // "Keep"
      menu >= kThrottleStop ? static_cast<frmDialIn*>(w)->mnuExit->trigger() : w->Command1[0]->click();
      Settle();
      QCOMPARE(LoadedSpecWindow(menu) != nullptr, menu == kMatch && !warning.isEmpty());
      QCOMPARE(open()->SpecData[row]->text(), kept);
    }
    if (!warning.isEmpty() && exit) scene->ui.Answer(ans::OK);
    scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::Yes);  // "Quit Stagewell ?", "Save Your Changes ?"
    m->close();
    QTRY_VERIFY(ProgramEnding());
    QCOMPARE(Warnings(), warning);
    QCOMPARE(QString::fromStdString(SpecAt(menu, row)), kept);
    const auto lines = CrLfLines(scene->Read("VEHDAT/" + std::string(test::kMuscleCar)));
    QCOMPARE(QString::fromStdString(lines.at(size_t(1 + tbl.SpecMenuStart[menu] + row))), kept);
  }

  // The Frontal Area calculator tests a set height before another box's leave calculates with it (the area), before
  // Use Calc Value (the spec written), before Print (the comment asked for) and as Cancel closes it (still loaded).
  void aCalculatorTestsASetFigureFirst_data() {
    QTest::addColumn<QString>("result");
    const QString w = "Height, in = 200.  Value must be between  10 and  150 .|";
    const QString results[][2] = {{"|21.67", w + ""}, {"|21.67", w + "22"}, {"|1", w + "0"}, {"|0", w + "0"}};
    for (int a = 0; a < 4; ++a)
      for (int refused : {0, 1})
        QTest::addRow("%s, %s", std::array{"leave", "use", "print", "cancel"}[size_t(a)], refused ? "200" : "52")
            << results[a][refused];
  }
  void aCalculatorTestsASetFigureFirst() {
    QFETCH(QString, result);
    const QString action = QString(QTest::currentDataTag()).section(", ", 0, 0);
    scene->ShowMain(), SpecAt(kVehicle, 8) = "60", scene->ui.Answer(ans::No);  // no track width offer
    frmCalcData* w = OpenCalculator(nullptr, 3);  // track width (row 1, focused), height (row 2)
    Activate(w), Set(w->CalcData[2], QString(QTest::currentDataTag()).section(", ", 1));
    if (action == "leave") QTest::keyClick(w->CalcData[1], Qt::Key_Tab);
    else (action == "use" ? w->Command3 : action == "print" ? w->Command4 : w->Command1)->click();
    Settle();
    const QString shown = action == "leave" ? w->CalcOutData[0]->text()
                          : action == "use" ? QString::fromStdString(SpecAt(kVehicle, 10))
                          : action == "print" ? QString::number(scene->LastBox().input)
                                              : QString::number(DefaultInstance<frmCalcData>::Loaded());
    QCOMPARE(Warnings() + "|" + shown, result);
  }
};

QTEST_MAIN(ScreenReaderEntriesTest)
#include "screen_reader_entries_qtest.moc"
