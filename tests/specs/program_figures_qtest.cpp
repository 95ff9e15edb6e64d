// Every box that tests its range on leave passes the figure the program put
// there, as it is, until the racer changes it; what the racer types is tested,
// and so is a figure a file gave (a file may have been edited by hand).
#include <QAction>

#include "calcmenus/frm_calc_data.h"
#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "match/frm_match.h"
#include "shell/frm_save_file.h"
#include "shell/rtrvfile.h"
#include "specs/frm_engine.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

// Clicks into the box (and types over its text) and tabs out.
void Leave(QLineEdit* box, const QString& typed = {}) {
  if (!typed.isEmpty()) TypeInto(box, typed, Qt::MouseFocusReason);
  box->setFocus(Qt::MouseFocusReason);
  Settle();
  QTest::keyClick(box, Qt::Key_Tab);
  Settle();
}

// The Adjust Factor that two runs with throttle stops 20 and 35 gave, put in by Use One Previous Throttle Stop Run.
QLineEdit* AdjustFactor(SpecScene& scene) {
  scene.ShowMain()->MainCommand[2]->click();
  frmDialIn* w = frmDialIn::IfLoaded();
  Activate(w);
  for (int row : {18, 15, 5, 14, 25}) PickItem(w, row, row == 18);
  const QStringList rows{"0=29.92", "1=70", "2=50", "3=0", "9=29.92", "10=70", "11=50", "12=0", "20=29.92", "21=70",
                         "22=50", "23=0", "6=20", "7=1.98", "8=12.40", "26=35", "27=2.03", "28=12.980493", "19=12.80",
                         "29=4", "30=.02"};
  for (const QString& r : rows) TypeAndLeave(w, r.section('=', 0, 0).toInt(), r.section('=', 1));
  w->mnuUpdate->trigger();
  Settle();
  w->mnuUseOneRun->trigger();
  return w->SpecData[31];
}

// A vehicle file whose `slot` holds `text` (as a hand edit leaves it), opened as the racer opens a file.
void OpenEditedFile(SpecScene& scene, int slot, const std::string& text) {
  tbl.SpecText[size_t(slot)] = text, fst.ChosenFileName = scene.path("VEHDAT/edited"), tbl.CalcMode = 0;
  fst.FileOperation = savemode::ChosenPath, SaveVehicleFile(FormId::frmMain);
  fst.ChosenFileName = "edited", OpenVehicleFile(FormId::frmMain, openmode::Chosen);
}

}  // namespace

class ProgramFiguresTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

  QLineEdit* BoxWithTheProgramsFigure(const QString& kind) {
    if (kind == "worksheet") return AdjustFactor(*scene);
    if (kind == "spec row") return scene->Open(kVehicle, "V0=12000")->SpecData[0];  // stored by the program
    if (kind == "curve grid") {  // the RPM computed from a point's torque and HP
      QLineEdit* torque = (scene->Open<frmEngine>(kEngine, "E0=2", test::kBracketCar)->Text2)[9];
      Leave(torque, "600");
      Leave(DefaultInstance<frmEngine>::IfLoaded()->Text3[9], "50");
      return DefaultInstance<frmEngine>::IfLoaded()->Text1[9];
    }
    scene->ShowMain();
    SpecAt(kVehicle, 0) = "12000";
    SpecAt(kMatch, 4) = "16000.5";
    QWidget* w = kind == "match row" ? (ShowMatchWindow(), DefaultInstance<frmMatch>::IfLoaded())
                                     : static_cast<QWidget*>(OpenCalculator(nullptr, 2));
    Activate(w);
    return kind == "match row" ? static_cast<frmMatch*>(w)->SpecData[4] : static_cast<frmCalcData*>(w)->CalcData[1];
  }

 private slots:
  void init() {
    scene = std::make_unique<SpecScene>();
    scene->CopyCalculators();
    scene->CopyShipped("QVZHELP/help7.txt");
    ResetDialInState();
  }
  void cleanup() { scene.reset(); }

  // Left as often as the racer likes (and Update pressed), the program's figure stays unwarned; a typed figure
  // outside the range warns as it always did. The figure typed, after a refused entry or an accepted one, is the
  // racer's and is tested: nothing on the screen tells it from any other typed figure.
  void theProgramsFigurePassesTypedOnesAreTested_data() {
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("fine");
    const QString weight = "Total Weight with Driver, lbs = 12500.  Value must be between  100 and  9999 .";
    QTest::newRow("worksheet") << "317.833" << "317" << "Adjust Factor = 317.  Value must be between  .1 and  100 ."
                               << "6.5";
    QTest::newRow("spec row") << "12000" << "12500" << weight << "3400";
    QTest::newRow("match row") << "16000.5" << "16000"
                               << "Finish Engine RPM = 16000.  Value must be between  1000 and  15000 ." << "5554";
    QTest::newRow("calculator box") << "12000" << "12500" << weight << "3400";
    QTest::newRow("curve grid") << "438" << "499" << "RPM = 499.  This value must be between 500 and 30000 ."
                                << "7500";
  }
  void theProgramsFigurePassesTypedOnesAreTested() {
    QFETCH(QString, figure);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    QFETCH(QString, fine);
    QLineEdit* box = BoxWithTheProgramsFigure(QTest::currentDataTag());
    auto shows = [&] { return box->text() + QString::number(scene->BoxesTitled("Warning")); };
    for (int i = 0; i < 3; ++i) Leave(box);
    if (frmDialIn* w = frmDialIn::IfLoaded()) {  // the prediction uses it
      w->Label9->clear(), w->mnuUpdate->trigger(), Settle();
      QCOMPARE(w->Label9->text(), figure);
    }
    QCOMPARE(shows(), figure + "0");
    Leave(box, typed);
    QCOMPARE(scene->LastSaid(), "Warning: " + warning);
    Leave(box);  // the figure put back is the program's still
    QCOMPARE(shows(), figure + "1");
    Leave(box, figure), Leave(box);
    QCOMPARE(shows(), figure + "2");
    Leave(box, fine), Leave(box, figure);
    QCOMPARE(shows(), fine + "3");
  }

  // Figures outside their limits that a hand-edited vehicle file gave warn when their box is left, and stay as the
  // file has them; the Adjust Factor the program computed keeps its pass after its worksheet was saved and opened.
  void figuresFromAFileAreTested_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("warning");
    const QString weight = "Total Weight with Driver, lbs = 99999.  Value must be between  100 and  9999 .";
    QTest::newRow("weight") << 45 << weight;
    QTest::newRow("displacement") << 1 << "Displacement, cu in = 5000.  Value must be between  10 and  1500 .";
    QTest::newRow("Gear #1") << 24 << "Gear #1 = 50.  Value must be between  0 and  10 .";
    QTest::newRow("calculator") << 45 << weight;
    QTest::newRow("Adjust Factor") << 0 << "";
  }
  void figuresFromAFileAreTested() {
    QFETCH(int, slot);
    QFETCH(QString, warning);
    QLineEdit* box = slot ? nullptr : AdjustFactor(*scene);
    if (frmDialIn* w = frmDialIn::IfLoaded()) {
      w->mnuSaveAs->trigger(), Settle();
      DefaultInstance<frmSaveFile>::IfLoaded()->Text1->setText("Saturday");
      DefaultInstance<frmSaveFile>::IfLoaded()->Command1_Click(), Settle();
      scene->ui.Answer(ans::No), w->mnuOpen->trigger(), Settle();  // no saving first
      DefaultInstance<Rtrvfile>::IfLoaded()->File1_DblClick("Saturday"), Settle(), Activate(w);
    } else {
      scene->ShowMain();
      OpenEditedFile(*scene, slot, FromQ(warning.section(" = ", 1).section('.', 0, 0)));
      const int menu = slot < 15 ? kEngine : slot < 45 ? kTransmission : kVehicle;
      frmCalcData* calculator = QTest::currentDataTag() == QString("calculator") ? OpenCalculator(nullptr, 2) : nullptr;
      if (calculator) Activate(calculator);
      box = calculator ? calculator->CalcData[1] : scene->Open(menu)->SpecData[slot - tbl.SpecMenuStart[menu]];
    }
    const QString figure = box->text();
    QVERIFY(!figure.isEmpty() && box->isVisible() && box->isEnabled());
    Leave(box);
    QCOMPARE(box->text() + "|" + (scene->BoxesTitled("Warning") ? scene->LastPrompt() : ""), figure + "|" + warning);
  }
};

QTEST_MAIN(ProgramFiguresTest)
#include "program_figures_qtest.moc"
