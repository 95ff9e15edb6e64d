// The example windows as a racer uses them, over the shipped libraries, row
// files and preset lists: the list, picking and loading an example into the
// Body & Axle window, the notes once, saving the current specs as an
// example, deleting one of the racer's own, the category chooser, the
// comparison of a full-curve engine, and the printed list.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "files/example_library.h"
#include "platform/qt/printer.h"
#include "platform/text.h"
#include "shell/frm_chos2.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_example.h"
#include "shell/shell_fixture.h"
#include "specs/frm_engine.h"
#include "specs/frm_tires.h"
#include "specs/frm_transmission.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

QString PdfText(const QString& path) {
  QProcess p;
  p.start("pdftotext", {"-layout", path, "-"});
  if (!p.waitForFinished(20000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

void AskFor(const char* component, const char* prefix, int kind, int typeRow, int subChoice = 0) {
  shell.ExampleComponent = component;
  shell.ExamplePrefix = prefix;
  shell.ExampleKind = static_cast<int16_t>(kind);
  shell.ExampleMenu = static_cast<int16_t>(typeRow);
  shell.ExampleSubChoice = static_cast<int16_t>(subChoice);
}

void Highlight(frmExample* w, int row) {
  w->lstExample->setCurrentRow(row);
  emit w->lstExample->itemClicked(w->lstExample->item(row));
}

}  // namespace

class ExampleWindowsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  void CopyShippedFolder(const std::string& folder) {
    for (const auto& e : std::filesystem::directory_iterator(kShippedData / folder))
      scene->CopyShipped(folder + "/" + e.path().filename().string());
  }
  frmMain* ShowMain() {
    scene->ReturningUser();
    for (const char* f : {"COMBO", "QVZHELP", "QVZEXMP"}) CopyShippedFolder(f);
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Settle();
    return m;
  }
  frmExample* ListWindow() {
    Settle();
    return DefaultInstance<frmExample>::IfLoaded();
  }
  frmCmprExmpl* CompareWindow() {
    Settle();
    return DefaultInstance<frmCmprExmpl>::IfLoaded();
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
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
    m->Command1[2]->click();
    auto* body = static_cast<frmVehicle*>(LoadedSpecWindow(kVehicle));
    QVERIFY(body);
    Activate(body);
    QVERIFY(body->Command1[2]->isEnabled());
    body->Command1[2]->click();
    frmExample* list = ListWindow();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->windowTitle(), QString("Examples"));
    QCOMPARE(list->lstExample->count(), 46);
    QVERIFY(list->Label1->text().startsWith("Body Example"));
    QVERIFY(!list->Command1[1]->isEnabled() && !list->Command1[2]->isEnabled());
    const int row = 3;  // "Pony car 1967-69, 108 in wb"
    const QString line = list->lstExample->item(row)->text();
    QVERIFY(line.startsWith("Pony car 1967-69, 108 in wb"));
    Highlight(list, row);
    QVERIFY(list->Command1[1]->isEnabled());
    list->Command1[1]->click();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible());
    QVERIFY(!ListWindow());
    QCOMPARE(cmp->windowTitle(), QString("Compare Current specs with: Pony car 1967-69, 108 in wb"));
    QVERIFY(cmp->Text1->isHidden() && cmp->Label2->isHidden());
    QCOMPARE(cmp->Command3->text(), QString("Back"));
    const QStringList rows = cmp->Label1->text().split('\n');
    QCOMPARE(rows[0], QString("Spec Name                   Current Specs        New Example Specs"));
    QCOMPARE(rows[2], QString("Drive Wheels                Rear Wheel Drive     Rear Wheel Drive"));
    QCOMPARE(rows[5], QString("Wheelbase, in               116                  108"));
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_body.png"));

    cmp->Command1->click();
    Settle();
    QVERIFY(!CompareWindow());
    QCOMPARE(SpecAt(kVehicle, 7), std::string("108"));
    QCOMPARE(SpecAt(kVehicle, 9), std::string("0"));
    QCOMPARE(SpecAt(kVehicle, 15), std::string("Ex Body: Pony car 1967-69, 108 in wb"));
    QCOMPARE(SpecAt(kVehicle, 16), std::string("1"));
    QCOMPARE(Val(SpecAt(kVehicle, 3)), 2.0);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(body->SpecData[7]->text(), QString("108"));
    QCOMPARE(body->cmbSpecData[3]->currentText(), QString("Ex Body: Pony car 1967-69, 108 in wb"));
    // The notes, once for the body examples.
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().title, kExampleNotesTitle);
    QVERIFY(scene->LastBox().prompt.find("Body examples") != std::string::npos);
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[2]->text().contains("Body Style:  Ex Body: Pony car 1967-69, 108 in wb"));
    QCOMPARE(SpecAt(kVehicle, 15), std::string("Ex Body: Pony car 1967-69, 108 in wb"));

    // A second body: no notes again.
    Activate(body);
    body->Command1[2]->click();
    list = ListWindow();
    QVERIFY(list);
    Highlight(list, 0);
    emit list->lstExample->itemDoubleClicked(list->lstExample->item(0));
    cmp = CompareWindow();
    QVERIFY(cmp);
    cmp->Command1->click();
    Settle();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(SpecAt(kVehicle, 7), std::string("111"));
  }

  // From the Transmission window of the muscle car: Get Example asks the
  // category, the clutch chosen goes in, the Type row shows it.
  void loadAClutchIntoTheTransmissionWindow() {
    frmMain* m = ShowMain();
    m->Command1[1]->click();
    auto* w = static_cast<frmTransmission*>(LoadedSpecWindow(kTransmission));
    QVERIFY(w);
    Activate(w);
    WhenModal([](QWidget* c) {
      auto* chooser = qobject_cast<frmChos2*>(c);
      QVERIFY(chooser);
      chooser->Chos2->setCurrentRow(0);
      emit chooser->Chos2->itemDoubleClicked(chooser->Chos2->item(0));
    });
    w->Command1[2]->click();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 56);
    const int row = 7;  // "10.5 in stock single disc, organic"
    QVERIFY(list->lstExample->item(row)->text().startsWith("10.5 in stock single disc, organic"));
    Highlight(list, row);
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp);
    cmp->Command1->click();
    Settle();
    QCOMPARE(SpecAt(kTransmission, 0), std::string("5"));
    QCOMPARE(SpecAt(kTransmission, 22), std::string("Ex Clutch: 10.5 in stock single disc, organic"));
    QCOMPARE(SpecAt(kTransmission, 23), std::string("1"));
    QCOMPARE(SpecAt(kTransmission, 1), std::string("10.5"));
    QCOMPARE(SpecAt(kTransmission, 2), std::string("2300"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Clutch: 10.5 in stock single disc, organic"));
    QCOMPARE(w->SpecData[2]->text(), QString("2300"));
    QCOMPARE(scene->LastBox().title, kExampleNotesTitle);
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[1]->text().contains("Ex Clutch: 10.5 in stock single disc, organic"));
  }

  // From the Engine window: a full-curve engine goes into the rows and the
  // curve grid.
  void loadAnEngineIntoTheEngineWindow() {
    frmMain* m = ShowMain();
    m->Command1[0]->click();
    auto* w = static_cast<frmEngine*>(LoadedSpecWindow(kEngine));
    QVERIFY(w);
    Activate(w);
    w->Command1[2]->click();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 36);
    Highlight(list, 26);  // "V8 406 cid, bracket 13:1"
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp);
    cmp->Command1->click();
    Settle();
    QCOMPARE(SpecAt(kEngine, 0), std::string("4"));
    QCOMPARE(SpecAt(kEngine, 13), std::string("Ex Curve: V8 406 cid, bracket 13:1"));
    QCOMPARE(SpecAt(kEngine, 14), std::string("2"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Curve: V8 406 cid, bracket 13:1"));
    QCOMPARE(w->SpecData[1]->text(), QString("406"));
    QCOMPARE(w->Text1[0]->text(), QString("2500"));
    QCOMPARE(w->Text1[9]->text(), QString("7000"));
    QCOMPARE(w->Text3[9]->text(), QString::fromStdString(tbl.PowerCurveText[9][2]));
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[0]->text().startsWith("Ex Curve: V8 406 cid, bracket 13:1 (Full Power Curve"));
  }

  // From the Wheels & Tires window: the chooser's first entry is the
  // non-driven end's library, the second the driven end's; each example goes
  // into its own frame.
  void loadTiresIntoTheirFrames() {
    frmMain* m = ShowMain();
    m->Command1[3]->click();
    auto* w = static_cast<frmTires*>(LoadedSpecWindow(kTires));
    QVERIFY(w);
    struct Case {
      int entry, count, row;
      const char* name;
      int nameSlot, typeRow;
      const char* linked;
    };
    const Case cases[] = {{0, 39, 7, "Radial P215/65R15 on 15 x 7 steel wheel", 10, 0, "3"},
                          {1, 85, 61, "Slick 28 x 10.5-15 bias", 12, 3, "2"}};
    for (const Case& c : cases) {
      Activate(w);
      WhenModal([entry = c.entry](QWidget* d) {
        auto* chooser = qobject_cast<frmChos2*>(d);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QString("Front or Rear"));
        chooser->Chos2->setCurrentRow(entry);
        chooser->Command1[0]->click();
      });
      w->Command1[2]->click();
      frmExample* list = ListWindow();
      QVERIFY(list);
      QCOMPARE(list->lstExample->count(), c.count);
      QVERIFY(list->lstExample->item(c.row)->text().startsWith(c.name));
      Highlight(list, c.row);
      list->Choose();
      frmCmprExmpl* cmp = CompareWindow();
      QVERIFY(cmp);
      cmp->Command1->click();
      Settle();
      QCOMPARE(SpecAt(kTires, c.nameSlot), "Ex Tire: " + std::string(c.name));
      QCOMPARE(SpecAt(kTires, c.nameSlot + 1), std::string("1"));
      QCOMPARE(SpecAt(kTires, c.typeRow), std::string(c.linked));
      QCOMPARE(w->cmbSpecData[c.typeRow]->currentText(), QString::fromStdString("Ex Tire: " + std::string(c.name)));
    }
    QCOMPARE(SpecAt(kTires, 2), std::string("26.1"));
    QCOMPARE(SpecAt(kTires, 5), std::string("28"));
    QCOMPARE(SpecAt(kTires, 6), std::string("4"));
    QCOMPARE(SpecAt(kTires, 9), std::string("3"));
    QCOMPARE(w->SpecData[5]->text(), QString("28"));

    // The shipped tires are protected up to position 38; a racer's own at 39 is not.
    const std::string shipped = ShellScene::ReadShipped("QVZEXMP/FTIRE");
    const std::string examples = shipped.substr(0, shipped.size() - 5);  // without "-99"
    scene->Write("QVZEXMP/FTIRE", examples + "My front runners\r\n15\r\n26\r\n-99\r\n");
    AskFor("FTIRE", "FTR", 10, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 40);
    Highlight(list, 38);
    list->Command1[2]->click();
    QCOMPARE(scene->LastBox().prompt, std::string("This example was provided by Korvath and can NOT be deleted."));
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
    frmMain* m = ShowMain();
    m->Command1[0]->click();
    auto* w = static_cast<frmEngine*>(LoadedSpecWindow(kEngine));
    QVERIFY(w);
    Activate(w);
    w->Command1[3]->click();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible());
    QCOMPARE(cmp->Text1->maxLength(), 32);
    cmp->Text1->setText("My 454 street engine");
    cmp->Command3->click();
    Settle();
    QVERIFY(!CompareWindow());
    std::string tail = "My 454 street engine\r\n1\r\n454\r\n500\r\n3600\r\n450\r\n5600\r\n0\r\n";
    for (int p = 0; p < 10; ++p)
      for (int c = 0; c < 3; ++c) tail += tbl.PowerCurveText[p][c] + "\r\n";
    tail += "-99\r\n";
    const std::string lib = scene->Read("QVZEXMP/ENG");
    QCOMPARE(lib.substr(lib.size() - tail.size()), tail);
    QCOMPARE(SpecAt(kEngine, 13), std::string("Ex Tq/HP: My 454 street engine"));
    QCOMPARE(SpecAt(kEngine, 14), std::string("1"));
    QCOMPARE(SpecAt(kEngine, 0), std::string("4"));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Ex Tq/HP: My 454 street engine"));
    // It lists last, with its peaks.
    AskFor("ENG", "ENG", 13, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 37);
    QVERIFY(list->lstExample->item(36)->text().startsWith("My 454 street engine"));
    QVERIFY(list->lstExample->item(36)->text().contains("Tq & HP Peaks"));
  }

  // "Back" returns to the list; "Cancel" changes nothing.
  void backAndCancel() {
    ShowMain();
    AskFor("CLUTCH", "CL", 22, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    Highlight(list, 5);
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp);
    cmp->Command3->click();
    Settle();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    list = ListWindow();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->lstExample->count(), 56);
    list->Command1[0]->click();
    Settle();
    QVERIFY(!ListWindow());
    QCOMPARE(SpecAt(kTransmission, 22), std::string());
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
      QCOMPARE(c->Label1->text(), QString("Tip:  Click on the catagory to highlight it, then click on the 'Use "
                                          "Catagory' button, or just Double Click on the catagory to pick in one "
                                          "step."));
      c->Chos2->setCurrentRow(1);
      SaveShot(c, "frmChos2.png");
      c->Command1[0]->click();
    });
    QCOMPARE(ChooseExampleCategory("Transmission Catagories", {"Clutches", "Torque Converters", "Transmissions"}), 1);
    QCOMPARE(shell.ChooserResult, int16_t(1));
    // Nothing highlighted, Cancel and Escape all answer -1.
    WhenModal([](QWidget* w) { qobject_cast<frmChos2*>(w)->Command1[0]->click(); });
    QCOMPARE(ChooseExampleCategory("Front or Rear", {"Front Wheel/Tire Specs", "Rear Wheel/Tire Specs"}), -1);
    WhenModal([](QWidget* w) {
      auto* c = qobject_cast<frmChos2*>(w);
      c->Chos2->setCurrentRow(0);
      c->Command1[1]->click();
    });
    QCOMPARE(ChooseExampleCategory("Front or Rear", {"Front", "Rear"}), -1);
    WhenModal([](QWidget* w) {
      qobject_cast<frmChos2*>(w)->Chos2->setCurrentRow(0);
      QTest::keyClick(w, Qt::Key_Escape);
    });
    shell.ChooserResult = 1;
    QCOMPARE(ChooseExampleCategory("Front or Rear", {"Front", "Rear"}), -1);

    AskFor("CONV", "CV", 22, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 50);
    QCOMPARE(list->Label1->text(), QString("Torque Converter Example") + QString(34, ' ') + "Capacity  Tq Mult");
    QCOMPARE(list->lstExample->item(13)->text(),
             QString("10 in street converter, 2800 stall at 400 ft lbs") + QString(10, ' ') + "140       2.10");
    QVERIFY(list->Label2[0]->text().isEmpty());
    QCOMPARE(list->Label2[1]->text(), QString("Tip:  Click to highlight example, double click to choose example."));
    QVERIFY(list->lstExample->width() >= list->fontMetrics().horizontalAdvance(list->lstExample->item(13)->text()));
    QVERIFY(SaveShot(list, "frmExample_CONV.png"));
  }

  // A full-curve engine compared with a full-curve example: peaks from the
  // curves on both sides, the method without "Specified ".
  void compareAFullCurveEngine() {
    ShowMain();
    QVERIFY(test::LoadFixtureVehicle(test::kBracketCar));
    AskFor("ENG", "ENG", 13, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    const int row = 26;  // "V8 406 cid, bracket 13:1"
    QVERIFY(list->lstExample->item(row)->text().startsWith("V8 406 cid, bracket 13:1"));
    QVERIFY(list->lstExample->item(row)->text().contains("Full Curve (10 RPMs)"));
    Highlight(list, row);
    list->Choose();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp);
    const QStringList rows = cmp->Label1->text().split('\n');
    QCOMPARE(rows[2], QString("Method of Describing Power  Full Curve           Full Curve"));
    QCOMPARE(rows[3], QString("Displacement, cu in         406                  406"));
    QCOMPARE(rows[4].trimmed(), QString("Peak Torque, ft lbs         485.0                505"));
    QCOMPARE(rows[5].trimmed(), QString("Peak Torque RPM             4500                 5000"));
    QCOMPARE(rows[6].trimmed(), QString("Peak Horsepower             486.0                559"));
    QCOMPARE(rows[7].trimmed(), QString("Peak Horsepower RPM         6000                 6500"));
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_engine.png"));
    cmp->Command1->click();
    Settle();
    QCOMPARE(SpecAt(kEngine, 13), std::string("Ex Curve: V8 406 cid, bracket 13:1"));
    QCOMPARE(SpecAt(kEngine, 14), std::string("2"));
    QCOMPARE(Val(SpecAt(kEngine, 0)), 4.0);
    QCOMPARE(tbl.PowerCurveText[9][0], std::string("7000"));
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("2500"));
  }

  // Save mode: the name box, its refusals, the new example last in the
  // library with the end line, the specs tagged.
  void saveTheCurrentSpecsAsAnExample() {
    ShowMain();
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    AskFor("CLUTCH", "CL", 22, 0, 1);
    ShowExampleComparison();
    frmCmprExmpl* cmp = CompareWindow();
    QVERIFY(cmp && cmp->isVisible());
    QCOMPARE(cmp->windowTitle(), QString("Current Specs to be Saved"));
    QCOMPARE(cmp->Command3->text(), QString("Save"));
    QVERIFY(cmp->Command1->isHidden());
    QCOMPARE(cmp->Text1->maxLength(), exv.ExampleNameWidth - 2);
    QCOMPARE(cmp->Text1->maxLength(), 38);
    QCOMPARE(cmp->Label1->text().split('\n')[0], QString("Spec Name                   Current Specs"));
    QVERIFY(SaveShot(cmp, "frmCmprExmpl_save.png"));

    cmp->Command3->click();
    QCOMPARE(scene->LastBox().prompt, std::string("You must enter an Example Name before you can Save these specs."));
    cmp->Text1->setText("-99 Nova");
    cmp->Command3->click();
    QCOMPARE(scene->LastBox().prompt, std::string("An Example Name can not begin with a number below -98."));
    QVERIFY(CompareWindow());

    cmp->Text1->setText("My 10.5 street clutch");
    cmp->Command3->click();
    Settle();
    QVERIFY(!CompareWindow());
    const std::string lib = scene->Read("QVZEXMP/CLUTCH");
    const std::string tail = "My 10.5 street clutch\r\n" + SpecAt(kTransmission, 1) + "\r\n" +
                             SpecAt(kTransmission, 2) + "\r\n" + SpecAt(kTransmission, 3) + "\r\n" +
                             SpecAt(kTransmission, 4) + "\r\n-99\r\n";
    QCOMPARE(lib.substr(lib.size() - tail.size()), tail);
    QCOMPARE(SpecAt(kTransmission, 22), std::string("Ex Clutch: My 10.5 street clutch"));
    QCOMPARE(SpecAt(kTransmission, 23), std::string("1"));
    QCOMPARE(SpecAt(kTransmission, 0), std::string("5"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));

    // Deleting it again: shipped clutches are protected, the racer's own
    // goes after a question whose default is No.
    AskFor("CLUTCH", "CL", 22, 0);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 57);
    Highlight(list, 55);
    list->Command1[2]->click();
    QCOMPARE(scene->LastBox().prompt, std::string("This example was provided by Korvath and can NOT be deleted."));
    Highlight(list, 56);
    tbl.BeginnerLevel = 1;
    QTest::keyClick(list->lstExample, Qt::Key_Delete);
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    tbl.BeginnerLevel = 0;
    list->Command1[2]->click();  // No, the default
    QCOMPARE(scene->LastBox().title, std::string("Delete Example"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::Question + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt, std::string("Permanently delete the example:\r\r    My 10.5 street clutch\r\rfrom this list of "
                                                      "example specs?"));
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
    AskFor("RTIRE", "RTR", 12, 3);
    ShowExampleList();
    frmExample* list = ListWindow();
    QVERIFY(list);
    QCOMPARE(list->lstExample->count(), 85);
    const QString pdf = QString::fromStdString(scene->path("examples.pdf"));
    SetPrintToPdfForTest(pdf);
    list->Command1[3]->click();
    Settle();
    const QString text = PdfText(pdf);
    QCOMPARE(text.count('\f'), 2);
    const QStringList pages = text.split('\f');
    for (int p = 0; p < 2; ++p) {
      QVERIFY2(pages[p].contains("Stagewell v3.2") && pages[p].contains("Date: "), qPrintable(pages[p].left(300)));
      QVERIFY(pages[p].contains(QString("Page %1").arg(p + 1)));
      QVERIFY(pages[p].contains("Time: "));
      QVERIFY(pages[p].contains("Tire Example (driven end)"));
      QVERIFY(pages[p].contains("Growth"));  // the last column fits the page
    }
    QVERIFY(pages[0].contains("Bias ply 7.35-14 on 14 x 6 steel"));
    QVERIFY(pages[1].contains("Bike radial 190/50ZR17, street"));
    QVERIFY(ListWindow());
  }
};

QTEST_MAIN(ExampleWindowsTest)
#include "example_windows_qtest.moc"
