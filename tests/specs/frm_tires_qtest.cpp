// The Wheels & Tires window with the fixture cars: the frames' ends, the rows
// the Types grey, tire examples giving way, the vehicle weight offer.
#include "calcmenus/frm_calc_data.h"
#include "shell/help_form.h"
#include "specs/frm_tires.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {
const std::string kRearSlick = "Ex Tire: M/T 31x13.5 Slick", kFrontRunner = "Ex Tire: 26x4.5 Front Runner";
const std::string kRearExample = "W3=2;W12=" + kRearSlick + ";W13=1";
}  // namespace

class FrmTiresTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  frmTires* Open(const std::string& specs = {}, const char* car = nullptr) {
    return scene->Open<frmTires>(kTires, specs, car);
  }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() {
    DefaultInstance<frmCalcData>::Unload();
    scene.reset();
  }

  // A front-drive car: the Frame3D1 rows are its front tires, the captions
  // and the note say so; values, lists and buttons.
  void frontDriveCarAsTheRacerSeesIt() {
    frmTires* w = Open({}, test::kFrontDrive);
    QVERIFY(w);
    QCOMPARE(w->Frame3D3->title() + "|" + w->Frame3D1->title(),
             QString("Rear Wheel/Tire Specs|Front Wheel/Tire Specs"));
    QVERIFY(w->Label1->text().contains("without the program changing the Front Tire Type.  Other Front Tire specs"));
    QVERIFY(w->Label1->isHidden());
    QVERIFY(w->windowTitle().startsWith("Wheel & Tire Specs  [ ") && w->windowTitle().endsWith(" 60 ft ]"));
    QCOMPARE(Captions(w), (QStringList{"Type", "Wheel && Tire Wt, lbs", "Tire Diameter, in", "Type",
                                       "Wheel && Tire Wt, lbs", "Tire Diameter, in", "Tire Type", "Tread Width, in",
                                       "Traction Factor, %", "Tire Growth, %"}));  // "&&" shows as one "&"
    const QStringList values{"Use Specs Below", "38", "25", "Use Specs Below", "42", "25", "Radial Street Tire",
                             "9.6", "100", "0"};
    for (int r = 0; r < 10; ++r) QCOMPARE(Shown(w, r), values[r]);
    QCOMPARE(RowStates(w), QString("1111111110"));
    QVERIFY(w->Label2->text().startsWith("The tires at this end"));
    QCOMPARE(ButtonTexts(w), (QStringList{"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"}));
    QVERIFY(w->Command1[2]->isEnabled());
    for (int r : {2, 5, 7, 8}) QVERIFY(w->ClcBttn[r]->isEnabled());
    QVERIFY(!w->ClcBttn[9]->isEnabled());
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(SaveShot(w, "frmTires.png"));
    TypeAndLeave(w, 4, "250");
    QCOMPARE(scene->LastPrompt(), QString("Wheel & Tire Wt, lbs = 250.  Value must be between  1 and  200 ."));
    QCOMPARE(w->SpecData[4]->text(), QString("42"));
  }

  // Tire Type 4 alone uses Tire Growth, and never recalculates; estimated
  // front tires grey weight and diameter; picks are stored without a blank.
  void rowStates() {
    frmTires* w = Open();
    QCOMPARE(w->Pick(0), 0);
    QVERIFY(!RowOn(w, 1) && !RowOn(w, 2));
    QVERIFY(w->ClcBttn[2]->isEnabled());
    w->setWindowTitle("Wheel & Tire Specs");
    for (int type : {4, 0, 1, 2, 3, 4}) {
      PickItem(w, 6, type);
      QCOMPARE(RowOn(w, 9), type == 4);
      QCOMPARE(w->ClcBttn[9]->isEnabled(), type == 4);
    }
    QCOMPARE(w->windowTitle(), QString("Wheel & Tire Specs"));
    PickItem(w, 0, 1);
    QVERIFY(RowOn(w, 1) && RowOn(w, 2));
    QVERIFY(w->windowTitle().startsWith("Wheel & Tire Specs  [ "));
    SpecScene::Close(w);
    QCOMPARE_SPECS("W6=4;W0=1");
  }

  // A rear example: the note, a taller window; Traction Factor and an unchanged
  // value ask nothing; Tread Width asks, No keeps it, Yes unlinks.
  void rearExampleGivesWay() {
    frmTires* w = Open(kRearExample);
    QCOMPARE(fst.SpecsChanged, int16_t(0));  // showing the example's name is no edit
    QCOMPARE(Items(w->cmbSpecData[3]).size(), 3);
    QCOMPARE(Shown(w, 3), QString::fromStdString(kRearSlick));
    QVERIFY(!w->Label1->isHidden());
    const int tall = w->height();
    QVERIFY(SaveShot(w, "frmTires_rear_example.png"));
    TypeAndLeave(w, 8, "90");
    TypeAndLeave(w, 7, "10.0");
    QCOMPARE(scene->BoxCount(), 0);

    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 7, "11");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastSaid(), QString::fromStdString("Change these Example Specs?: Changing this value means these "
                                                       "specs no longer match:\r\r    " + kRearSlick +
                                                       "\r\rChange this spec anyway?"));
    QCOMPARE(w->SpecData[7]->text(), QString("10"));
    QCOMPARE(w->Pick(3), 2);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 7, "11");
    QCOMPARE(w->SpecData[7]->text(), QString("11"));
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(Items(w->cmbSpecData[3]).size(), 2);
    QCOMPARE_SPECS("W3=0;W12=;W13=");
    QVERIFY(w->Label1->isHidden());
    Settle();
    QVERIFY(w->height() < tall);
  }

  // A front example gives way to "Use Specs Below"; a Tire Type asks about a
  // rear example; a plain Type drops its example without asking.
  void otherWaysAnExampleGoes() {
    frmTires* w = Open("W0=3;W10=" + kFrontRunner + ";W11=1;" + kRearExample);
    QCOMPARE(Shown(w, 0), QString::fromStdString(kFrontRunner));
    QVERIFY(RowOn(w, 1));
    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 2, "26");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->Pick(0), 1);
    QCOMPARE_SPECS("W0=1;W10=;W12=" + kRearSlick);

    scene->ui.Answer(ans::No);
    PickItem(w, 6, 4);
    QCOMPARE(scene->BoxCount(), 2);
    QVERIFY(scene->LastBox().prompt.find(kRearSlick) != std::string::npos);
    QCOMPARE(w->Pick(6), 2);
    QVERIFY(!RowOn(w, 9));
    scene->ui.Answer(ans::Yes);
    PickItem(w, 6, 4);
    QCOMPARE(w->Pick(6), 4);
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(SpecAt(kTires, 3), std::string("0"));
    QVERIFY(RowOn(w, 9) && w->Label1->isHidden());

    SpecScene::Close(w);
    w = Open(kRearExample);
    QCOMPARE(w->Pick(3), 2);
    const int boxes = scene->BoxCount();
    PickItem(w, 3, 0);
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(Items(w->cmbSpecData[3]).size(), 2);
    QCOMPARE_SPECS("W12=;W13=");
  }

  // +2 front and +.5 rear since opening is offered; "Yes" changes the weight
  // once; "No" is not asked again for the same weights; the reminder off asks nothing.
  void weightChangeOffered() {
    frmTires* w = Open("W0=1;W1=40;W4=55;V0=3000");
    TypeAndLeave(w, 1, "42");
    TypeAndLeave(w, 4, "55.5");
    QCOMPARE(scene->BoxCount(), 0);  // the quick calculation never asks
    scene->ui.Answer(ans::Yes);
    w->Command1[1]->click();  // Help: the rows are stored as it takes the front
    Activate(DefaultInstance<HelpForm>::IfLoaded());
    QVERIFY(LoadedSpecWindow(kTires));
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(0).title + ": " + scene->Box(0).prompt,
             std::string("Change Vehicle Weight Also?: The combined weights of the 2 front and 2 rear Wheels/Tires has "
                         "increased 5 lbs.\r\rDo you want the current Vehicle Weight of 3000 changed by this amount "
                         "also?"));
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::Question);
    QCOMPARE(scene->Box(1).prompt, std::string("Vehicle Weight increased to 3005 lbs."));
    Activate(w);
    SpecScene::Close(w);
    QCOMPARE(scene->BoxCount(), 2);
    QVERIFY(DefaultInstance<frmMain>::Get()->Label5[2]->text().startsWith("Weight: 3005 "));

    w = Open();
    TypeAndLeave(w, 1, "36");
    scene->ui.Answer(ans::No);
    w->StoreSpecRows();
    QCOMPARE(scene->BoxCount(), 3);
    QVERIFY(scene->LastBox().prompt.find("has dropped 12 lbs.") != std::string::npos);
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3005"));
    w->StoreSpecRows();  // declined, the same weights ask no more; a new change does, with the whole difference
    QCOMPARE(scene->BoxCount(), 3);
    TypeAndLeave(w, 1, "35");
    scene->ui.Answer(ans::Yes);
    SpecScene::Close(w);
    QCOMPARE(scene->BoxCount(), 5);
    QVERIFY(scene->Box(3).prompt.find("has dropped 14 lbs.") != std::string::npos);
    QVERIFY(DefaultInstance<frmMain>::Get()->Label5[2]->text().startsWith("Weight: 2991 "));

    cfg.RemindTireWeight = 0;
    w = Open();
    TypeAndLeave(w, 1, "50");
    SpecScene::Close(w);
    QCOMPARE(scene->BoxCount(), 5);
    QCOMPARE_SPECS("W1=50;V0=2991");
  }

  // A calculator button opens its calculator without offering the weights;
  // Save Example at the Beginner Level says why not.
  void calculatorButtonsAndBeginnerSave() {
    scene->CopyCalculators();
    frmTires* w = Open("W0=1;W1=40;W6=4");
    TypeAndLeave(w, 1, "50");
    for (auto [row, calculator] : {std::pair{2, 4}, {5, 5}, {7, 7}, {8, 8}, {9, 9}}) {
      QVERIFY(w->ClcBttn[row]->isEnabled());
      Press(w->ClcBttn[row]);
      QCOMPARE(shell.CalcMenuNumber, int16_t(calculator));
      QVERIFY(DefaultInstance<frmCalcData>::IfLoaded());
      QCOMPARE(shell.TireWtRecorded, int16_t(0));
      QCOMPARE(SpecAt(kTires, 1), std::string("50"));
      Activate(w);
    }
    QCOMPARE(scene->BoxCount(), 0);
    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastSaid(), QString::fromStdString("Beginner Level Help: " + tbl.MsgBeginnerNoSave));
  }
};

QTEST_MAIN(FrmTiresTest)
#include "frm_tires_qtest.moc"
