// The calculator window with the shipped layouts: what each shows, keys and
// refusals, "Use Calc Value" into a spec window, help, closing, the printout.
#include "calcmenus/frm_calc_data.h"
#include "shell/help_form.h"
#include "simulation/calculator_formulas.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

struct CalcScene : SpecScene {
  CalcScene() {
    CopyCalculators();
    for (const char* f : {"TEXT/vehweight.txt", "QVZHELP/help3.txt", "QVZHELP/helpk0.txt", "QVZHELP/helpk1.txt",
                          "COMBO/CMB3-2", "COMBO/CMB3-3", "COMBO/CMB3-4", "COMBO/CMB3-9"})
      CopyShipped(f);
    test::LoadFixtureVehicle(test::kMuscleCar);
    tbl.BeginnerLevel = 0;
  }
};

frmCalcData* Calculator() { return DefaultInstance<frmCalcData>::IfLoaded(); }

frmCalcData* Open(int n) {
  frmCalcData* w = OpenCalculator(nullptr, n);
  if (w) Activate(w);
  return w;
}

// Types into a value box and tabs out of it, as the racer would.
void TypeAndLeave(frmCalcData* w, int row, const QString& text) {
  QLineEdit* box = w->CalcData[static_cast<size_t>(row)];
  TypeInto(box, text);
  QTest::keyClick(box, Qt::Key_Tab);
  Settle();
}

void PickEntry(frmCalcData* w, int row, int index) {
  QComboBox* list = w->Combo1[static_cast<size_t>(row)];
  list->setCurrentIndex(index);
  emit list->activated(index);
  Settle();
}

QString OutputText(frmCalcData* w, int i) { return w->CalcOutData[static_cast<size_t>(i)]->text(); }

// A visible widget outside the window, or a label cutting its text.
QString LayoutFault(frmCalcData* w) {
  const QRect inside = w->rect();
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!c->isVisibleTo(w) || c->parentWidget() != w) continue;
    if (!inside.contains(c->geometry())) return c->objectName() + " sticks out of the window";
    if (auto* label = qobject_cast<QLabel*>(c)) {
      if (!label->wordWrap() && label->sizeHint().width() > label->width() + 1)
        return label->objectName() + " cuts its text \"" + label->text() + "\"";
    }
  }
  return {};
}

}  // namespace

class CalcDataTest : public QObject {
  Q_OBJECT
  std::unique_ptr<CalcScene> scene;

 private slots:
  void init() { scene = std::make_unique<CalcScene>(); }
  void cleanup() {
    frmCalcData::onPrintCaptureForTest = nullptr;
    DefaultInstance<frmCalcData>::Unload();
    Settle();
    scene.reset();
  }

  // Each layout: its caption, rows, outputs and placing, and a screenshot.
  void everyLayout_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("shown");  // caption | row captions | output captions
    const std::pair<int, const char*> layouts[] = {
        {1, "Final Drive Ratio Calculator|Method;# Teeth, Pinion Gear;# Teeth, Ring Gear;# Teeth, Front Sprocket;"
            "# Teeth, Rear Sprocket|Final Drive Ratio"},
        {2, "Weight Distribution Calculator|Total Weight with Driver, lbs;Weight on One End, lbs;Weighed End|"
            "% Weight on Rear Tires"},
        {3, "Frontal Area Calculator|Rear Track Width, in;Height, in|Frontal Area, sq ft"},
        {5, "Tire Diameter and Tread Width Calculator|Method;Section Width, mm;Size Letter;Aspect Ratio (Series);"
            "Rim Diameter, in;Loaded Radius, in;Circumference, in|Tire Diameter, in;Tread Width, in"},
        {6, "Horsepower Calculator|Method;Vehicle Weight with Driver, lbs;Quarter Mile MPH;Displacement, cu in;"
            "Level;RPM at Peak Power|Horsepower;Peak Torque, ft lbs;Peak Torque RPM"},
        {8, "Traction Factor Guide|Track Surface|Traction Factor, %"},
        {9, "Tire Growth Guide|Tire|Tire Growth, %"},
        {24, "Vehicle Weight Estimate|Model Year;Make;Model;Body, Engine;Automatic;Convertible;"
             "Driver + Added Weight, lbs;Gallons of Fuel (stock has 5)|Total Weight with Driver, lbs"},
        {27, "Displacement Calculator|Units of Displacement;Displacement|Displacement, cu in"},
        {50, "Dew Point Calculator|Method;Air Temperature, deg F;Relative Humidity, %;Dry Bulb Temperature, deg F;"
             "Wet Bulb Temperature, deg F|Dew Point, deg F"},
        {51, "Relative Humidity Calculator|Method;Air Temperature, deg F;Dew Point, deg F;"
             "Dry Bulb Temperature, deg F;Wet Bulb Temperature, deg F|Relative Humidity, %"},
    };
    for (auto [n, shown] : layouts) QTest::newRow(QByteArray::number(n)) << n << QString(shown);
  }
  void everyLayout() {
    QFETCH(int, n);
    QFETCH(QString, shown);
    const QStringList parts = shown.split('|');
    const QStringList rows = parts[1].split(';'), outputs = parts[2].split(';');
    frmCalcData* w = Open(n);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), parts[0]);
    for (int k = 1; k <= kCalcLastRow; ++k) {
      const size_t i = static_cast<size_t>(k);
      QCOMPARE(w->CalcData[i]->isVisible() || w->Combo1[i]->isVisible(), k <= rows.size());
      if (k > rows.size()) continue;
      QCOMPARE(w->CalcSpec[i]->text(), rows[k - 1]);
      QWidget* control = w->Combo1[i]->isVisible() ? static_cast<QWidget*>(w->Combo1[i]) : w->CalcData[i];
      QCOMPARE(control->accessibleName(), rows[k - 1]);
    }
    for (int o = 0; o < kCalcOutputs; ++o) {
      const size_t i = static_cast<size_t>(o);
      QCOMPARE(w->CalcOutName[i]->isVisible(), o < outputs.size());
      if (o < outputs.size()) QCOMPARE(w->CalcOutName[i]->text(), outputs[o]);
    }
    QCOMPARE(LayoutFault(w), QString());
    for (QPushButton* b : {w->Command1, w->Command2, w->Command3, w->Command4}) QVERIFY(b->isVisible());
    // The traction and growth lists stand in their caption's place.
    QCOMPARE(w->CalcSpec[1]->isVisible(), n != 8 && n != 9);
    QVERIFY(SaveShot(w, QString("calc_data_%1.png").arg(n)));
    QCOMPARE(scene->BoxCount(), 0);
  }

  // A make refills the models; a new make clears the later choices.
  void picksRefillLists() {
    frmCalcData* w = Open(24);
    PickEntry(w, 2, 0);
    QCOMPARE(w->Combo1[2]->currentText(), QString("Chevrolet"));
    QVERIFY(w->Combo1[3]->count() > 5);
    PickEntry(w, 3, 0);
    QVERIFY(w->Combo1[4]->count() > 0);
    PickEntry(w, 2, 1);
    QCOMPARE(w->Combo1[3]->currentIndex(), -1);
    QCOMPARE(w->Label1->text(), QString::fromStdString(kVehicleWeightInstruction));
    QCOMPARE(scene->BoxCount(), 0);
  }

  // Enter and the arrows move between rows, a list keeps its pick; a refused
  // entry gets the message, its old text and the focus back.
  void keysAndRefusals() {
    SpecAt(kVehicle, 8) = "60";
    frmCalcData* w = Open(3);
    QCOMPARE(w->CalcData[1]->text(), QString("60"));
    QVERIFY(w->CalcData[1]->hasFocus());
    QTest::keyClick(w->CalcData[1], Qt::Key_Return);
    Settle();
    QVERIFY(w->CalcData[2]->hasFocus());
    QTest::keyClick(w->CalcData[2], Qt::Key_Up);
    Settle();
    QVERIFY(w->CalcData[1]->hasFocus());
    TypeAndLeave(w, 2, "abc");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastSaid(), QString("Warning: Height, in = 0.  Value must be between  10 and  150 ."));
    QCOMPARE(w->CalcData[2]->text(), QString());
    QVERIFY(w->CalcData[2]->hasFocus());
    QVERIFY(shell.SkipValidation);
    TypeAndLeave(w, 2, "52");
    QCOMPARE(OutputText(w, 0), QString("21.67"));
    // Emptied: no test, and no output left standing.
    TypeAndLeave(w, 1, "");
    QCOMPARE(OutputText(w, 0), QString());
    QCOMPARE(scene->BoxCount(), 1);

    w = Open(2);
    PickEntry(w, 3, 1);
    w->Combo1[3]->setFocus(Qt::TabFocusReason);
    Settle();
    QTest::keyClick(w->Combo1[3], Qt::Key_Down);
    Settle();
    QCOMPARE(w->Combo1[3]->currentIndex(), 1);
    QVERIFY(w->Command3->hasFocus());  // "Use Calc Value" follows the rows
  }

  // Each "Clc" opens its calculator beside the window; Use Calc Value writes
  // the spec, marks it changed and refills the window at once, so the value
  // survives the window losing the front.
  void useCalcValueIntoTheOpener() {
    frmVehicle* body = scene->Open<frmVehicle>(kVehicle);
    QVERIFY(body);
    const std::pair<int, const char*> buttons[] = {{0, "Vehicle Weight Estimate"},
                                                   {1, "Final Drive Ratio Calculator"},
                                                   {5, "Weight Distribution Calculator"},
                                                   {10, "Frontal Area Calculator"}};
    for (auto [row, caption] : buttons) {
      Activate(body);
      QVERIFY(body->ClcBttn[row]->isEnabled());
      Press(body->ClcBttn[row]);
      QVERIFY(Calculator());
      QCOMPARE(Calculator()->windowTitle(), QString(caption));
      QCOMPARE(shell.KeepSpecForm, int16_t(1));
    }
    frmCalcData* w = Calculator();
    Activate(w);
    QVERIFY(LoadedSpecWindow(kVehicle));  // the opener stays loaded behind it
    QCOMPARE(w->CalcData[1]->text(), body->SpecData[8]->text());
    TypeAndLeave(w, 1, "60");
    TypeAndLeave(w, 2, "52");
    scene->ui.Answer(ans::No);  // the track width offer
    Press(w->Command3);
    QVERIFY(!Calculator());
    QCOMPARE(SpecAt(kVehicle, 10), std::string("21.67"));
    QCOMPARE(body->SpecData[10]->text(), QString("21.67"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(scene->LastBox().title, std::string("Use This Track Width Also?"));
    // The opener stores its rows when it loses the front: the value stays.
    Activate(DefaultInstance<frmMain>::Get());
    Settle();
    QCOMPARE(SpecAt(kVehicle, 10), std::string("21.67"));
  }

  // The opener's caption, which shows the run of its specs, shows the run
  // of the value the calculator wrote, as after an entry typed there.
  void useCalcValueRerunsTheOpenersCaption() {
    tbl.InstantUpdate = 1;
    frmVehicle* body = scene->Open<frmVehicle>(kVehicle);
    QVERIFY(body);
    Activate(body);
    body->InstantCalc();
    const QString before = body->windowTitle();
    QVERIFY2(before.contains(" @ "), qPrintable(before));
    Press(body->ClcBttn[1]);  // Final Drive Ratio
    frmCalcData* w = Calculator();
    QVERIFY(w);
    Activate(w);
    PickEntry(w, 1, 0);
    TypeAndLeave(w, 2, "10");
    TypeAndLeave(w, 3, "30");
    QCOMPARE(OutputText(w, 0), QString("3.00"));
    Press(w->Command3);
    QCOMPARE(SpecAt(kVehicle, 1), std::string("3.00"));
    QVERIFY2(body->windowTitle().contains(" @ ") && body->windowTitle() != before, qPrintable(body->windowTitle()));
  }

  // Help keeps the calculator open; then another window in front closes it.
  void helpAndClosing() {
    frmCalcData* w = Open(8);
    Press(w->Command2);
    HelpForm* help = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(help && help->isVisible());
    QCOMPARE(HelpFromCalcMenu, int16_t(1));
    QVERIFY(help->windowTitle().endsWith("(p 70 )"));
    Activate(help);
    QVERIFY(Calculator());
    Press(help->Command2);
    QCOMPARE(HelpFromCalcMenu, int16_t(0));
    QVERIFY(Calculator());
    Activate(w);
    Activate(DefaultInstance<frmMain>::Get());
    Settle();
    QVERIFY(!Calculator());

    // Cancel closes it too; a layout that cannot be read opens nothing.
    w = Open(9);
    Press(w->Command1);
    QVERIFY(!Calculator());
    std::filesystem::remove(scene->file("CALC/growth.CLC"));
    QVERIFY(!OpenCalculator(nullptr, 9));
    QVERIFY(!Calculator());
    QVERIFY(scene->LastBox().prompt.find("growth.CLC") != std::string::npos);
  }

  // Print: the comment, the window dressed for paper at the capture, one
  // page, the window as it was; Cancel prints nothing.
  void printout() {
    TempFolder dir;
    const std::string pdf = (dir.path() / "calc.pdf").string();
    SetPrintToPdfForTest(QString::fromStdString(pdf));
    fst.CurrentFilePath = "/home/racer/VEHDAT/MUSCLE454";
    fst.CurrentFileName = "MUSCLE454";
    frmCalcData* w = Open(27);
    PickEntry(w, 1, 1);
    TypeAndLeave(w, 2, "5.7");
    const QSize before = w->size();
    QString seen;  // at the capture: title|footer|dressed for paper (the title in the frame caption's place)
    frmCalcData::onPrintCaptureForTest = [&](frmCalcData* f) {
      const bool dressed = f->PrintTitle->isVisible() && f->PrintFooter->isVisible() && !f->Command4->isVisible() &&
                           f->height() > before.height() && f->Frame3D1->title().isEmpty();
      seen = f->PrintTitle->text() + "|" + f->PrintFooter->text() + "|" + QString::number(dressed);
    };
    scene->ui.CancelInput();
    w->Command4->click();
    QVERIFY(seen.isEmpty() && !std::filesystem::exists(pdf));

    scene->ui.Type("Track day setup");
    Press(w->Command4);
    QCOMPARE(scene->LastBox().title, std::string("Printed Comment"));
    QCOMPARE(scene->LastBox().defaultText, std::string(" "));
    QVERIFY2(QRegularExpression("^   Convert Metric Displacement   \\|Stagewell\nFile: MUSCLE454 {10}\\d{1,2}/"
                                "\\d{1,2}/\\d\\d \\d{1,2}:\\d\\d [ap]m\nTrack day setup\\|1$")
                 .match(seen)
                 .hasMatch(),
             qPrintable(seen));
    QCOMPARE(w->Frame3D1->title(), QString(" Convert Metric Displacement "));
    QCOMPARE(PdfPages(pdf), 1);
    QVERIFY2(PdfText(pdf).contains("Displacement Calculator"), qPrintable(PdfText(pdf)));
    QCOMPARE(w->size(), before);
    QVERIFY(w->Command4->isVisible() && !w->PrintTitle->isVisible() && !w->PrintFooter->isVisible());
    QCOMPARE(fst.CurrentFileName, std::string("MUSCLE454"));
    QVERIFY(Calculator());
  }
};

QTEST_MAIN(CalcDataTest)
#include "calc_data_qtest.moc"
