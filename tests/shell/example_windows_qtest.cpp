// The example windows over the shipped libraries: listing, comparing and
// loading, the notes, saving and deleting, the chooser, the printed list.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "files/example_library.h"
#include "platform/qt/printer.h"
#include "platform/text.h"
#include "shell/frm_chos2.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_example.h"
#include "specs/frm_engine.h"
#include "specs/frm_tires.h"
#include "specs/frm_transmission.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_window_fixture.h"
#include "support/pdf_pages.h"

using namespace sw;

namespace {

const std::string kProtected = "This example was provided by Korvath and can NOT be deleted.";

void Highlight(frmExample* w, int row) {
  w->lstExample->setCurrentRow(row);
  emit w->lstExample->itemClicked(w->lstExample->item(row));
}

// Answers the next category chooser with its entry `entry`.
void ChooseCategory(int entry, const char* title = nullptr) {
  WhenModal([entry, title](QWidget* d) {
    auto* chooser = qobject_cast<frmChos2*>(d);
    QVERIFY(chooser);
    if (title) QCOMPARE(chooser->windowTitle(), QString(title));
    chooser->Chos2->setCurrentRow(entry);
    chooser->Command1[0]->click();
  });
}

}  // namespace

class ExampleWindowsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

  // The returning racer's main window with every shipped library and row file.
  frmMain* ShowMain() {
    for (const char* folder : {"QVZHELP", "QVZEXMP"})
      for (const auto& e : std::filesystem::directory_iterator(kShippedData / folder))
        scene->CopyShipped(std::string(folder) + "/" + e.path().filename().string());
    return scene->ShowMain();
  }
  frmExample* ListWindow() {
    Settle();
    return DefaultInstance<frmExample>::IfLoaded();
  }
  frmCmprExmpl* CompareWindow() {
    Settle();
    return DefaultInstance<frmCmprExmpl>::IfLoaded();
  }
  // The list of one library, as a spec window asks for it.
  frmExample* List(const char* component, const char* prefix, int kind, int typeRow, int subChoice = 0) {
    shell.ExampleComponent = component;
    shell.ExamplePrefix = prefix;
    shell.ExampleKind = static_cast<int16_t>(kind);
    shell.ExampleMenu = static_cast<int16_t>(typeRow);
    shell.ExampleSubChoice = static_cast<int16_t>(subChoice);
    if (subChoice) {
      ShowExampleComparison();
      return nullptr;
    }
    ShowExampleList();
    return ListWindow();
  }
  // Picks `row` of the open list and loads it from the comparison.
  bool Load(int row, const QString& startsWith = {}) {
    frmExample* list = ListWindow();
    if (!list || !list->lstExample->item(row)->text().startsWith(startsWith)) return false;
    Highlight(list, row);
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    if (!cmp) return false;
    cmp->Command1->click();
    return !CompareWindow();
  }

 private slots:
  void init() {
    scene = std::make_unique<SpecScene>();
    ResetExampleValues();
  }
  void cleanup() {
    SetPrintToPdfForTest(QString());
    DefaultInstance<frmExample>::Unload();
    DefaultInstance<frmCmprExmpl>::Unload();
    scene.reset();
  }

  // From the Body & Axle window: Get Example, pick, compare, load. The body
  // window shows the example, the specs carry its tag and count as changed,
  // the notes come once, and the main window's summary keeps the tag.
  void loadABodyIntoTheBodyWindow() {
    frmMain* m = ShowMain();
    auto* body = scene->Open<frmVehicle>(kVehicle);
    QVERIFY(body && body->Command1[2]->isEnabled());
    body->Command1[2]->click();
    frmExample* list = ListWindow();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->windowTitle(), QString("Examples"));
    QCOMPARE(list->lstExample->count(), 46);
    QVERIFY(!list->Command1[1]->isEnabled() && !list->Command1[2]->isEnabled());
    const int row = 3;
    QVERIFY(list->lstExample->item(row)->text().startsWith("Pony car 1967-69, 108 in wb"));
    Highlight(list, row);
    QVERIFY(list->Command1[1]->isEnabled());
    list->Command1[1]->click();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible() && !ListWindow());
    QCOMPARE(cmp->windowTitle(), QString("Compare Current specs with: Pony car 1967-69, 108 in wb"));
    QVERIFY(cmp->Text1->isHidden() && cmp->Label2->isHidden());
    QCOMPARE(cmp->Command3->text(), QString("Back"));
    const QStringList rows = cmp->Label1->text().split('\n');
    QCOMPARE(rows[0], QString("Spec Name                   Current Specs        New Example Specs"));
    QCOMPARE(rows[2], QString("Drive Wheels                Rear Wheel Drive     Rear Wheel Drive"));
    QCOMPARE(rows[5], QString("Wheelbase, in               116                  108"));
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_body.png"));

    cmp->Command1->click();
    QVERIFY(!CompareWindow());
    QCOMPARE_SPECS("V7=108;V9=0;V15=Ex Body: Pony car 1967-69, 108 in wb;V16=1");
    QCOMPARE(Val(SpecAt(kVehicle, 3)), 2.0);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(body->SpecData[7]->text(), QString("108"));
    QCOMPARE(body->cmbSpecData[3]->currentText(), QString("Ex Body: Pony car 1967-69, 108 in wb"));
    // The notes, once for the body examples.
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(scene->LastBox().prompt.find("Body examples") != std::string::npos);
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[2]->text().contains("Body Style:  Ex Body: Pony car 1967-69, 108 in wb"));

    // A second body, by a double click: no notes again.
    Activate(body);
    body->Command1[2]->click();
    QVERIFY(list = ListWindow());
    Highlight(list, 0);
    emit list->lstExample->itemDoubleClicked(list->lstExample->item(0));
    QVERIFY(CompareWindow());
    CompareWindow()->Command1->click();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(SpecAt(kVehicle, 7), std::string("111"));
  }

  // From the Transmission window of the muscle car: Get Example asks the
  // category, the clutch chosen goes in, the Type row shows it.
  void loadAClutchIntoTheTransmissionWindow() {
    frmMain* m = ShowMain();
    auto* w = scene->Open<frmTransmission>(kTransmission);
    QVERIFY(w);
    ChooseCategory(0);
    w->Command1[2]->click();
    QVERIFY(ListWindow());
    QCOMPARE(ListWindow()->lstExample->count(), 56);
    QVERIFY(Load(7, "10.5 in stock single disc, organic"));
    QCOMPARE_SPECS("T0=5;T22=Ex Clutch: 10.5 in stock single disc, organic;T23=1;T1=10.5;T2=2300");
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Clutch: 10.5 in stock single disc, organic"));
    QCOMPARE(w->SpecData[2]->text(), QString("2300"));
    QCOMPARE(scene->LastBox().title, kExampleNotesTitle);
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[1]->text().contains("Ex Clutch: 10.5 in stock single disc, organic"));
  }

  // From the Engine window of a full-curve engine: compared with a
  // full-curve example, peaks from the curves on both sides and the method
  // without "Specified "; loaded, the example fills the rows and the curve.
  void compareAndLoadAFullCurveEngine() {
    frmMain* m = ShowMain();
    QVERIFY(test::LoadFixtureVehicle(test::kBracketCar));
    auto* w = scene->Open<frmEngine>(kEngine);
    QVERIFY(w);
    w->Command1[2]->click();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 36);
    QVERIFY(list->lstExample->item(26)->text().startsWith("V8 406 cid, bracket 13:1"));
    QVERIFY(list->lstExample->item(26)->text().contains("Full Curve (10 RPMs)"));
    Highlight(list, 26);
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp);
    const QStringList rows = cmp->Label1->text().split('\n');
    const QStringList expected = {"Method of Describing Power  Full Curve           Full Curve",
                                  "Displacement, cu in         406                  406",
                                  "Peak Torque, ft lbs         485.0                505",
                                  "Peak Torque RPM             4500                 5000",
                                  "Peak Horsepower             486.0                559",
                                  "Peak Horsepower RPM         6000                 6500"};
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(rows[i + 2].trimmed(), expected[i]);
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_engine.png"));
    cmp->Command1->click();
    QVERIFY(!CompareWindow());
    QCOMPARE_SPECS("E0=4;E13=Ex Curve: V8 406 cid, bracket 13:1;E14=2");
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Curve: V8 406 cid, bracket 13:1"));
    QCOMPARE(w->Text1[0]->text() + " " + w->Text1[9]->text(), QString("2500 7000"));
    QCOMPARE(w->Text3[9]->text(), QString::fromStdString(tbl.PowerCurveText[9][2]));
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[0]->text().startsWith("Ex Curve: V8 406 cid, bracket 13:1 (Full Power Curve"));
  }

  // From the Wheels & Tires window: the chooser's first entry is the
  // non-driven end's library, the second the driven end's; each example goes
  // into its own frame.
  void loadTiresIntoTheirFrames() {
    ShowMain();
    auto* w = scene->Open<frmTires>(kTires);
    QVERIFY(w);
    const struct {
      int entry, count, row;
      const char* name;
      int nameSlot, typeRow;
      const char* linked;
    } cases[] = {{0, 39, 7, "Radial P215/65R15 on 15 x 7 steel wheel", 10, 0, "3"},
                 {1, 85, 61, "Slick 28 x 10.5-15 bias", 12, 3, "2"}};
    for (const auto& c : cases) {
      Activate(w);
      ChooseCategory(c.entry, "Front or Rear");
      w->Command1[2]->click();
      QVERIFY(ListWindow());
      QCOMPARE(ListWindow()->lstExample->count(), c.count);
      QVERIFY(Load(c.row, c.name));
      const std::string tag = "Ex Tire: " + std::string(c.name);
      QCOMPARE(SpecAt(kTires, c.nameSlot) + "|" + SpecAt(kTires, c.nameSlot + 1) + "|" + SpecAt(kTires, c.typeRow),
               tag + "|1|" + c.linked);
      QCOMPARE(w->cmbSpecData[c.typeRow]->currentText(), QString::fromStdString(tag));
    }
    QCOMPARE_SPECS("W2=26.1;W5=28;W6=4;W9=3");

    // The shipped tires are protected up to position 38; a racer's own at 39 is not.
    const std::string shipped = ShellScene::ReadShipped("QVZEXMP/FTIRE");
    const std::string examples = shipped.substr(0, shipped.size() - 5);  // without "-99"
    scene->Write("QVZEXMP/FTIRE", examples + "My front runners\r\n15\r\n26\r\n-99\r\n");
    frmExample* list = List("FTIRE", "FTR", 10, 0);
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 40);
    Highlight(list, 38);
    list->Command1[2]->click();
    QCOMPARE(scene->LastBox().prompt, kProtected);
    Highlight(list, 39);
    scene->ui.Answer(ans::Yes);
    list->Command1[2]->click();
    QCOMPARE(scene->LastBox().title, std::string("Delete Example"));
    QCOMPARE(list->lstExample->count(), 39);
    QCOMPARE(scene->Read("QVZEXMP/FTIRE"), examples);
  }

  // The Engine window's Save Example: its rows and its curve become the
  // last engine example, and the engine carries the new example's tag.
  void saveTheEngine() {
    ShowMain();
    auto* w = scene->Open<frmEngine>(kEngine);
    QVERIFY(w);
    w->Command1[3]->click();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible());
    cmp->Text1->setText("My 454 street engine");
    cmp->Command3->click();
    QVERIFY(!CompareWindow());
    std::string tail = "My 454 street engine\r\n1\r\n454\r\n500\r\n3600\r\n450\r\n5600\r\n0\r\n";
    for (int p = 0; p < 10; ++p)
      for (int c = 0; c < 3; ++c) tail += tbl.PowerCurveText[p][c] + "\r\n";
    tail += "-99\r\n";
    const std::string lib = scene->Read("QVZEXMP/ENG");
    QCOMPARE(lib.substr(lib.size() - tail.size()), tail);
    QCOMPARE_SPECS("E13=Ex Tq/HP: My 454 street engine;E14=1;E0=4");
    // It lists last, with its peaks.
    frmExample* list = List("ENG", "ENG", 13, 0);
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 37);
    QVERIFY(list->lstExample->item(36)->text().startsWith("My 454 street engine"));
    QVERIFY(list->lstExample->item(36)->text().contains("Tq & HP Peaks"));
  }

  // "Back" returns to the list; "Cancel" changes nothing.
  void backAndCancel() {
    ShowMain();
    frmExample* list = List("CLUTCH", "CL", 22, 0);
    QVERIFY(list);
    Highlight(list, 5);
    list->Choose();
    QVERIFY(CompareWindow());
    CompareWindow()->Command3->click();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    list = ListWindow();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->lstExample->count(), 56);
    list->Command1[0]->click();
    QVERIFY(!ListWindow());
    QCOMPARE(SpecAt(kTransmission, 22), std::string());

    // Escape is Cancel in the comparison and in the list.
    list = List("CLUTCH", "CL", 22, 0);
    Highlight(list, 5);
    list->Choose();
    QVERIFY(CompareWindow());
    QTest::keyClick(CompareWindow()->Command1, Qt::Key_Escape);
    QVERIFY(!CompareWindow());
    list = List("CLUTCH", "CL", 22, 0);
    QTest::keyClick(list->lstExample, Qt::Key_Escape);
    QVERIFY(!ListWindow());
    QCOMPARE(SpecAt(kTransmission, 22), std::string());

    // By keyboard the first arrow highlights the first line, Enter picks it.
    list = List("CLUTCH", "CL", 22, 0);
    list->lstExample->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(list->lstExample, Qt::Key_Down);
    QVERIFY(list->Command1[1]->isEnabled());
    QTest::keyClick(list->lstExample, Qt::Key_Return);
    QVERIFY(CompareWindow());
    QCOMPARE(exv.SelectedExample, int16_t(0));
    CompareWindow()->Command2->click();
  }

  // The converter list (the wide layout) as it shows; the chooser.
  void converterListAndChooser() {
    ShowMain();
    shell.ChooserResult = 1;
    WhenModal([](QWidget* w) {
      auto* c = qobject_cast<frmChos2*>(w);
      QVERIFY(c);
      QCOMPARE(c->windowTitle(), QString("Transmission Catagories"));
      QCOMPARE(c->Chos2->count(), 3);
      QVERIFY(c->Label1->text().startsWith("Tip:  Click on the catagory to highlight it, then click on the 'Use "));
      c->Chos2->setCurrentRow(1);
      SaveShot(c, "frmChos2.png");
      c->Command1[0]->click();
    });
    QCOMPARE(ChooseExampleCategory("Transmission Catagories", {"Clutches", "Torque Converters", "Transmissions"}), 1);
    QCOMPARE(shell.ChooserResult, int16_t(1));
    // Nothing highlighted, Cancel and Escape all answer -1.
    const std::function<void(frmChos2*)> refusals[] = {
        [](frmChos2* c) { c->Command1[0]->click(); },
        [](frmChos2* c) { c->Chos2->setCurrentRow(0), c->Command1[1]->click(); },
        [](frmChos2* c) { c->Chos2->setCurrentRow(0), QTest::keyClick(c, Qt::Key_Escape); }};
    for (const auto& refuse : refusals) {
      WhenModal([refuse](QWidget* w) { refuse(qobject_cast<frmChos2*>(w)); });
      shell.ChooserResult = 1;
      QCOMPARE(ChooseExampleCategory("Front or Rear", {"Front", "Rear"}), -1);
    }
    // By keyboard the first arrow highlights the line with the focus.
    WhenModal([](QWidget* w) {
      auto* c = qobject_cast<frmChos2*>(w);
      c->Chos2->setCurrentRow(0, QItemSelectionModel::NoUpdate);
      QTest::keyClick(c->Chos2, Qt::Key_Down);
      c->Command1[0]->click();
    });
    QCOMPARE(ChooseExampleCategory("Front or Rear", {"Front", "Rear"}), 0);

    frmExample* list = List("CONV", "CV", 22, 0);
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 50);
    QCOMPARE(list->Label1->text(), QString("Torque Converter Example") + QString(34, ' ') + "Capacity  Tq Mult");
    QCOMPARE(list->lstExample->item(13)->text(),
             QString("10 in street converter, 2800 stall at 400 ft lbs") + QString(10, ' ') + "140       2.10");
    QCOMPARE(list->Label2[1]->text(), QString("Tip:  Click to highlight example, double click to choose example."));
    QVERIFY(list->lstExample->width() >= list->fontMetrics().horizontalAdvance(list->lstExample->item(13)->text()));
    QVERIFY(SaveShot(list, "frmExample_CONV.png"));
  }

  // Save mode: the name box, its refusals, the new example last in the
  // library with the end line, the specs tagged.
  void saveTheCurrentSpecsAsAnExample() {
    ShowMain();
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    List("CLUTCH", "CL", 22, 0, 1);
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible());
    QCOMPARE(cmp->windowTitle(), QString("Current Specs to be Saved"));
    QCOMPARE(cmp->Command3->text(), QString("Save"));
    QVERIFY(cmp->Command1->isHidden());
    QCOMPARE(cmp->Text1->maxLength(), exv.ExampleNameWidth - 2);
    QCOMPARE(cmp->Label1->text().split('\n')[0], QString("Spec Name                   Current Specs"));
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_save.png"));

    cmp->Command3->click();
    QCOMPARE(scene->LastBox().prompt, std::string("You must enter an Example Name before you can Save these specs."));
    cmp->Text1->setText("-99 Nova");
    cmp->Command3->click();
    QCOMPARE(scene->LastBox().prompt, std::string("An Example Name can not begin with a number below -98."));
    QVERIFY(CompareWindow());

    // Enter in the name saves.
    cmp->Text1->setText("My 10.5 street clutch");
    QTest::keyClick(cmp->Text1, Qt::Key_Return);
    QVERIFY(!CompareWindow());
    const std::string lib = scene->Read("QVZEXMP/CLUTCH");
    std::string tail = "My 10.5 street clutch\r\n";
    for (int k = 1; k <= 4; ++k) tail += SpecAt(kTransmission, k) + "\r\n";
    tail += "-99\r\n";
    QCOMPARE(lib.substr(lib.size() - tail.size()), tail);
    QCOMPARE_SPECS("T22=Ex Clutch: My 10.5 street clutch;T23=1;T0=5");

    // Deleting it again: shipped clutches are protected, the racer's own
    // goes after a question whose default is No.
    frmExample* list = List("CLUTCH", "CL", 22, 0);
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 57);
    Highlight(list, 55);
    list->Command1[2]->click();
    QCOMPARE(scene->LastBox().prompt, kProtected);
    Highlight(list, 56);
    tbl.BeginnerLevel = 1;
    QTest::keyClick(list->lstExample, Qt::Key_Delete);
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    tbl.BeginnerLevel = 0;
    list->Command1[2]->click();  // No, the default
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::Question + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt,
             std::string("Permanently delete the example:\r\r    My 10.5 street clutch\r\rfrom this list of example specs?"));
    QCOMPARE(list->lstExample->count(), 57);
    scene->ui.Answer(ans::Yes);
    list->Command1[2]->click();
    QCOMPARE(list->lstExample->count(), 56);
    QVERIFY(!list->Command1[1]->isEnabled() && !list->Command1[2]->isEnabled());
    const std::string after = scene->Read("QVZEXMP/CLUTCH");
    QCOMPARE(after, ShellScene::ReadShipped("QVZEXMP/CLUTCH").substr(0, after.size()));
  }

  // The rear tire list printed: two pages, each with its header.
  void printTheList() {
    ShowMain();
    frmExample* list = List("RTIRE", "RTR", 12, 3);
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 85);
    const QString pdf = QString::fromStdString(scene->path("examples.pdf"));
    SetPrintToPdfForTest(pdf);
    list->Command1[3]->click();
    Settle();
    const QStringList pages = PdfText(pdf).split('\f');
    QCOMPARE(pages.size(), 3);  // two pages and what follows the last form feed
    for (int p = 0; p < 2; ++p) {
      for (const QString& s : {QString("Stagewell v3.2"), QString("Date: "), QString("Page %1").arg(p + 1),
                               QString("Time: "), QString("Tire Example (driven end)"), QString("Growth")})
        QVERIFY2(pages[p].contains(s), qPrintable(s));  // the last column, "Growth", fits the page
    }
    QVERIFY(pages[0].contains("Bias ply 7.35-14 on 14 x 6 steel"));
    QVERIFY(pages[1].contains("Bike radial 190/50ZR17, street"));
    QVERIFY(ListWindow());
  }
};

QTEST_MAIN(ExampleWindowsTest)
#include "example_windows_qtest.moc"
