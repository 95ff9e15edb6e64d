// The open window, the save-as window and the new-vehicle command, driven as
// the user drives them, with scripted answers to every box.
#include <QAccessible>
#include <QClipboard>
#include <QMessageBox>
#include <QScrollBar>
#include <QtTest>
#include <chrono>

#include "files/file_names.h"
#include "files/file_write.h"
#include "platform/qt/grid.h"
#include "platform/qt/page_view.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "results/anls_rprt.h"
#include "results/frm_disp_grid.h"
#include "results/results_fixture.h"
#include "shell/frm_save_file.h"
#include "shell/help_form.h"
#include "shell/rtrvfile.h"
#include "shell_fixture.h"
#include "simulation/run_history.h"
#include "support/file_date.h"
#include "support/qt/screen_reader.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

void SetDate(const fs::path& p, int y, int m, int d) { test::SetFileDate(p, y, m, d); }

QStringList Rows(QListWidget* l) {
  QStringList r;
  for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
  return r;
}

Rtrvfile* OpenWindow() {
  Rtrvfile::ShowRetrieveForm();
  return DefaultInstance<Rtrvfile>::IfLoaded();
}

// A click on a row of the Open window.
void ClickRow(Rtrvfile* w, const std::string& name) { w->File1_Click(name); }

frmSaveFile* SaveWindow() { return DefaultInstance<frmSaveFile>::IfLoaded(); }

// The current vehicle: its name, its weight (spec 45) and its changed flag.
std::string Current() {
  return fst.CurrentFileName + ", " + tbl.SpecText[45] + ", " + std::to_string(fst.SpecsChanged);
}

// The save-as window as the Save As command opens it.
frmSaveFile* SaveAsWindow(FormId from = FormId::frmMain) {
  fst.FileOperation = savemode::SaveAs;
  SaveVehicleFile(from);
  return SaveWindow();
}

}  // namespace

class OpenSaveTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> s;

  // A vehicle file in the library, its specs marked with the given weight.
  void PutVehicle(const std::string& rel, const std::string& weight, const std::string& comment = "") {
    auto specs = tbl.SpecText;
    auto comments = fst.VehicleComments;
    tbl.SpecText[45] = weight;
    tbl.SpecText[1] = "350";
    tbl.SpecText[4] = "300";
    tbl.SpecText[5] = "5000";
    fst.VehicleComments = comment;
    s->Write(rel, Utf8ToCp1252(VehicleFileText(savemode::ChosenPath)));
    tbl.SpecText = specs;
    fst.VehicleComments = comments;
  }

  // "Mine" (weight 3100, unsaved changes) is current; the racer chooses
  // "Other Car" (2950) in the open window and answers Yes to saving first.
  frmSaveFile* SaveFirstThenOpen() {
    PutVehicle("VEHDAT/Other Car", "2950");
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    tbl.SpecText[45] = "3100";
    Rtrvfile* w = OpenWindow();
    ClickRow(w, "Other Car");
    s->ui.Answer(ans::Yes);
    w->Command1_Click();
    return SaveWindow();
  }

 private slots:
  void init() { s = std::make_unique<ShellScene>(); }
  void cleanup() {
    s.reset();
    FailFileWritesAfterForTest(SIZE_MAX);
  }

  // --- the open window

  void listsFilterAndDateOrder() {
    PutVehicle("VEHDAT/Stock 69 Ford Mustang", "3500");
    PutVehicle("VEHDAT/my ford ranger", "3900");
    PutVehicle("VEHDAT/Chev Nova", "3200");
    PutVehicle("VEHDAT/Race Pro Stock Chev 500 5-Spd Mountain Motor", "2350");
    SetDate(s->file("VEHDAT/Stock 69 Ford Mustang"), 2005, 9, 1);
    SetDate(s->file("VEHDAT/my ford ranger"), 2005, 8, 31);
    SetDate(s->file("VEHDAT/Chev Nova"), 2012, 12, 25);
    SetDate(s->file("VEHDAT/Race Pro Stock Chev 500 5-Spd Mountain Motor"), 2001, 1, 1);
    Rtrvfile* w = OpenWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Open a Vehicle File"));
    QCOMPARE(w->Combo1->count(), 10);
    QCOMPARE(w->Combo1->currentText(), QString("Show All Files"));
    QVERIFY(!w->List2->isVisibleTo(w));
    QCOMPARE(Rows(w->File1), QStringList({"Chev Nova", "my ford ranger", "Race Pro Stock Chev 500 5-Spd Mountain Motor",
                                          "Stock 69 Ford Mustang"}));
    QCOMPARE(w->Panel3D3->text(), QString(" 4 Vehicles in Library"));
    QCOMPARE(w->Panel3D2->title(), QString("Chosen Vehicle File:"));
    QVERIFY(DefaultInstance<frmMain>::IfLoaded() == nullptr || !DefaultInstance<frmMain>::IfLoaded()->isEnabled());

    w->Combo1->setCurrentIndex(4);  // "Ford", in any case
    QVERIFY(w->List2->isVisibleTo(w));
    QCOMPARE(Rows(w->List2), QStringList({"my ford ranger", "Stock 69 Ford Mustang"}));
    w->Option1[1]->setChecked(true);  // by date, newest first
    QCOMPARE(Rows(w->List2), QStringList({"9/1/2005   Stock 69 Ford Mustang", "8/31/2005   my ford ranger"}));
    w->Combo1->setCurrentIndex(0);
    QCOMPARE(Rows(w->List2).first(), QString("12/25/2012   Chev Nova"));

    // The date listing of long names needs no sideways scrolling.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    Settle();
    QVERIFY(w->List2->isVisible());
    QCOMPARE(w->List2->horizontalScrollBar()->maximum(), 0);
    QVERIFY(w->List2->viewport()->width() >= w->List2->sizeHintForColumn(0));
  }

  // A single click previews and changes nothing; a double click opens.
  void singleClickPreviewsDoubleClickOpens() {
    PutVehicle("VEHDAT/Other Car", "2950", "Other comment\r\nline two\r\n");
    tbl.SpecText[45] = "3333";
    tbl.PowerCurveText[0][0] = "2500";
    fst.VehicleComments = "Mine\r\n";
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    Rtrvfile* w = OpenWindow();
    ClickRow(w, "Other Car");
    QCOMPARE(w->Panel3D2->title(), QString("Chosen Vehicle File: Other Car"));
    QVERIFY(w->Label3->text().startsWith("Wt: 2950\nAxle Ratio: "));
    QVERIFY(w->Label1->text().contains("CID: 350\n300 HP @ 5000\n    Pk HP"));
    QCOMPARE(w->Text1->toPlainText(), QString("Other comment\nline two"));
    QCOMPARE(Current(), std::string("Mine, 3333, 1"));
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("2500"));
    QCOMPARE(fst.VehicleComments, std::string("Mine\r\n"));
    QCOMPARE(s->BoxCount(), 0);

    // A file of another program: the message, an empty choice, no preview.
    s->Write("VEHDAT/notes.txt", "hello\r\n");
    ClickRow(w, "notes.txt");
    QCOMPARE(s->Box(0).prompt, std::string("This is not a Stagewell file, and can not be used by the program"));
    QCOMPARE(fst.ChosenFileName, std::string(""));
    QCOMPARE(w->Panel3D2->title(), QString("Chosen Vehicle File: "));
    QVERIFY(w->Label1->text().isEmpty() && w->Text1->toPlainText().isEmpty());
    QCOMPARE(fst.SpecsChanged, int16_t(1));

    fst.SpecsChanged = 0;
    w->File1_DblClick("Other Car");
    Settle();
    QCOMPARE(s->BoxCount(), 1);
    QCOMPARE(Current(), std::string("Other Car, 2950, 0"));
    QVERIFY(!DefaultInstance<Rtrvfile>::IfLoaded());
  }

  // From the keyboard alone: the list has the keys at once, Down chooses
  // the second vehicle and previews it, Enter opens it. A row of a file
  // that can not be read is reported once, not again for the click that
  // chose it.
  void keyboardChoosesPreviewsAndOpens() {
    PutVehicle("VEHDAT/Alpha", "3100");
    PutVehicle("VEHDAT/Bravo", "2950");
    PutVehicle("VEHDAT/Charlie", "2800");
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 0;
    Rtrvfile* w = OpenWindow();
    Activate(w);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->File1));
    QTest::keyClick(w->File1, Qt::Key_Down);
    QCOMPARE(fst.ChosenFileName, std::string("Bravo"));
    QCOMPARE(w->Panel3D2->title(), QString("Chosen Vehicle File: Bravo"));
    QVERIFY(w->Label3->text().startsWith("Wt: 2950\nAxle Ratio: "));
    QTest::keyClick(w->File1, Qt::Key_End);
    QVERIFY(w->Label3->text().startsWith("Wt: 2800\n"));
    QTest::keyClick(w->File1, Qt::Key_Up);
    QCOMPARE(fst.ChosenFileName, std::string("Bravo"));
    // The click that follows a choice by the mouse adds no second preview.
    s->Write("VEHDAT/Delta notes", "hello\r\n");
    w->FillList();
    QListWidgetItem* bad = w->File1->findItems("Delta notes", Qt::MatchExactly).first();
    QTest::mouseClick(w->File1->viewport(), Qt::LeftButton, {}, w->File1->visualItemRect(bad).center());
    QCOMPARE(s->BoxCount(), 1);
    QCOMPARE(fst.ChosenFileName, std::string(""));
    QTest::keyClick(w->File1, Qt::Key_Home);
    QCOMPARE(fst.ChosenFileName, std::string("Alpha"));
    QTest::keyClick(w->File1, Qt::Key_Down);
    QTest::keyClick(w->File1, Qt::Key_Return);
    Settle();
    QCOMPARE(Current(), std::string("Bravo, 2950, 0"));
    QVERIFY(!DefaultInstance<Rtrvfile>::IfLoaded());
  }

  // Escape is Cancel: the window closes and the main window comes back.
  void escapeClosesTheOpenAndSaveWindows() {
    frmMain* m = DefaultInstance<frmMain>::Get();
    Rtrvfile* w = OpenWindow();
    QVERIFY(!m->isEnabled());
    Activate(w);
    QTest::keyClick(w->File1, Qt::Key_Escape);
    Settle();
    QVERIFY(!DefaultInstance<Rtrvfile>::IfLoaded());
    QVERIFY(m->isEnabled());

    frmSaveFile* f = SaveAsWindow();
    Activate(f);
    f->Text1->setText("Never Saved");
    QTest::keyClick(f->Text1, Qt::Key_Escape);
    Settle();
    QVERIFY(!SaveWindow());
    QVERIFY(!s->Exists("VEHDAT/Never Saved"));
  }

  // The instruction box of the save-as window has room for its text inside
  // its border.
  void saveAsInstructionsFitTheirBox() {
    frmSaveFile* f = SaveAsWindow();
    Activate(f);
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QLabel* box = f->Panel3D1;
    QVERIFY(box->y() > 0);
    QVERIFY(box->height() >= box->heightForWidth(box->width()));
    // The text keeps clear of the border ...
    const QRect text = box->contentsRect().adjusted(box->margin(), box->margin(), -box->margin(), -box->margin());
    QVERIFY(text.top() >= 3);
    QVERIFY(text.height() >= box->fontMetrics().boundingRect(text, Qt::TextWordWrap, box->text()).height());
    // ... and the border shows on all four sides against the window.
    const QImage shot = f->grab().toImage();
    const QRect r = box->geometry();
    const QRgb window = shot.pixel(r.center().x(), r.top() - 3);
    for (QPoint edge : {QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom()),
                        QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y())})
      QVERIFY(std::abs(qGray(shot.pixel(edge)) - qGray(window)) >= 24);
    QVERIFY(SaveShot(f, "save_as.png"));
  }

  void openAsksToSaveChangesFirst() {
    PutVehicle("VEHDAT/Other Car", "2950");
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    tbl.SpecText[45] = "3333";
    Rtrvfile* w = OpenWindow();
    w->Command1_Click();
    QCOMPARE(s->Box(0).prompt, std::string("No Vehicle selected to open"));
    ClickRow(w, "Other Car");
    s->ui.Answer(ans::Cancel);
    w->Command1_Click();
    QCOMPARE(s->Box(1).title, std::string("Update Current File before Retrieving New Vehicle"));
    QCOMPARE(s->Box(1).prompt, "Save your changes to Mine ?" + kCR + kCR +
                                   "Changes you have made to Mine since you retrieved it will be lost unless you "
                                   "save them now by clicking on Yes.");
    QCOMPARE(s->Box(1).style, mb::YesNoCancel);
    QCOMPARE(tbl.SpecText[45], std::string("3333"));  // Cancel: nothing
    QVERIFY(DefaultInstance<Rtrvfile>::IfLoaded());

    s->ui.Answer(ans::No);
    w->Command1_Click();
    Settle();
    QCOMPARE(tbl.SpecText[45], std::string("2950"));
    QVERIFY(!DefaultInstance<Rtrvfile>::IfLoaded());
  }

  // Opened after "No" to saving the changes: the main window's summary
  // shows the car just opened, not the one given up.
  void openShowsTheNewCarInTheSummary() {
    for (const auto& e : fs::directory_iterator(kShippedData / "COMBO"))
      s->CopyShipped("COMBO/" + e.path().filename().string());
    PutVehicle("VEHDAT/Other Car", "2950");
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    tbl.SpecText[45] = "3333";
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->BuildVehicleSummary();
    QVERIFY(m->Label5[2]->text().startsWith("Weight: 3333"));
    Rtrvfile* w = OpenWindow();
    ClickRow(w, "Other Car");
    s->ui.Answer(ans::No);
    w->Command1_Click();
    Settle();
    QVERIFY2(m->Label5[2]->text().startsWith("Weight: 2950"), qPrintable(m->Label5[2]->text()));
  }

  void openInTheDialInKindAlwaysAsks() {
    tbl.CalcMode = 1;
    tbl.SpecText[160] = "29.50";
    s->Write("DIALIN/Run 3", Utf8ToCp1252(VehicleFileText(savemode::ChosenPath)));
    fst.SpecsChanged = 0;
    fst.DialInFileName = "Run 2";
    Rtrvfile* w = OpenWindow();
    QCOMPARE(w->Panel3D2->title(), QString("Chosen Dial In File:"));
    ClickRow(w, "Run 3");
    QVERIFY(w->Label1->text().startsWith("Preview: \nPrevious Run: \n   Baro: 29.50"));
    s->ui.Answer(ans::Cancel);
    w->Command1_Click();
    QCOMPARE(s->BoxCount(), 1);
    QCOMPARE(s->Box(0).title, std::string("Update Current File before Retrieving New Dial In"));
    QVERIFY(s->Box(0).prompt.rfind("Save your changes to Run 2 ?", 0) == 0);
  }

  void deleteAsksWithNoAsDefault() {
    PutVehicle("VEHDAT/Old Car", "2950");
    Rtrvfile* w = OpenWindow();
    w->Command2_Click();
    QCOMPARE(s->Box(0).prompt, std::string("No Vehicle selected to delete"));
    ClickRow(w, "Old Car");
    w->Command2_Click();  // no answer scripted: the default, No
    QCOMPARE(s->Box(1).title, std::string("Delete a Vehicle"));
    QCOMPARE(s->Box(1).prompt, "Permanently delete Old Car !" + kCR + kCR + "If you are not sure, choose No.");
    QCOMPARE(s->Box(1).style, mb::YesNo + mb::Exclamation + mb::DefaultButton2);
    QVERIFY(s->Exists("VEHDAT/Old Car"));
    s->ui.Answer(ans::Yes);
    w->Command2_Click();
    QVERIFY(!s->Exists("VEHDAT/Old Car"));
    QCOMPARE(w->File1->count(), 0);
    QCOMPARE(w->Panel3D3->text(), QString(" 0 Vehicles in Library"));
  }

  void oldExamplesNoteOncePerRun() {
    PutVehicle("VEHDAT/89-IROC", "3400");
    Rtrvfile* w = OpenWindow();
    QCOMPARE(s->BoxCount(), 1);
    QVERIFY(s->Box(0).prompt.rfind("It appears you have updated an older Stagewell to Version 3.2.", 0) == 0);
    w->FillList();
    w->Combo1->setCurrentIndex(2);
    QCOMPARE(s->BoxCount(), 1);
  }

  // A library "folder" that is a file: reported on opening, refused as a
  // place to save, and left as it was.
  void aLibraryFolderThatIsAFile() {
    s->Write("VEHDAT", "keep me");
    Rtrvfile* w = OpenWindow();
    QCOMPARE(s->BoxCount(), 1);
    QVERIFY(s->Box(0).prompt.rfind("The Vehicle library folder", 0) == 0);
    QCOMPARE(w->File1->count(), 0);
    frmSaveFile* f = SaveAsWindow();
    f->Text1->setText("New Car");
    f->Command1_Click();
    QCOMPARE(s->LastBox().title, std::string("Invalid File Name"));
    QVERIFY(SaveWindow());
    QCOMPARE(s->Read("VEHDAT"), std::string("keep me"));
  }

  void exampleLibraryByCategory() {
    SetSeedFolder(kShippedData);
    QVERIFY(EnsureProgramFolder());
    SetSeedFolder({});
    fst.ExampleLibraryMode = 1;
    Rtrvfile* w = OpenWindow();
    QCOMPARE(w->windowTitle(), QString("Open a Vehicle File"));
    QCOMPARE(w->Panel3D3->text(), QString(" 12 Ex. Vehicles in Library"));
    QCOMPARE(s->BoxCount(), 0);  // the old-examples note is for the user's own library
    w->Combo1->setCurrentText("Race");
    QCOMPARE(w->List2->count(), 4);
    w->Combo1->setCurrentText("Cycle");
    QCOMPARE(Rows(w->List2), QStringList({"Cycle Suzuki Hayabusa 1340"}));
    w->List2_Click(0);
    QVERIFY(w->Label1->text().contains("184.5 HP @ 9500\n    full curve\n6 Speed\nManl Trans"));
    QVERIFY(w->Label3->text().contains("Motorcycle"));
    QVERIFY(w->Text1->toPlainText().startsWith("Motorcycle: 2008 Suzuki Hayabusa"));
    w->Command1_Click();
    Settle();
    QCOMPARE(Current(), std::string("Cycle Suzuki Hayabusa 1340, 760, 0"));
  }

  void helpFromTheOpenWindowKeepsItOpen() {
    SetProgramFolder(kShippedData);
    Rtrvfile* w = OpenWindow();
    QApplication::setActiveWindow(w);
    Settle();
    w->Command3->click();
    HelpForm* h = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(h);
    QCOMPARE(h->windowTitle(), QString("Opening a Vehicle File"));
    QApplication::setActiveWindow(h);
    Settle();
    QVERIFY(DefaultInstance<Rtrvfile>::IfLoaded());
  }

  // Every read-only text of the program (the Open window's preview, the report, a help page), box or no box, takes
  // no screen reader's set-text, insert, delete or replace, no paste, no typing; the report prints as the program
  // wrote it and stays where it was read.
  void readOnlyTextsTakeNothingFromOutside() {
    PutVehicle("VEHDAT/Other Car", "2950", "Other comment\r\nline two\r\n");
    s->CopyShipped("QVZHELP/helpr0.txt");
    std::string lines;
    for (int i = 1; i <= 200; ++i) lines += "Line " + std::to_string(i) + "\r\n";
    AnlsRprt::ShowText(lines);
    AnlsRprt* report = AnlsRprt::IfLoaded();
    report->Text1->verticalScrollBar()->setValue(50);
    Rtrvfile* open = OpenWindow();
    ClickRow(open, "Other Car");
    open->Command3->click();  // its help page
    const QList<QWidget*> texts = {open->Text1, report->Text1, DefaultInstance<HelpForm>::IfLoaded()->Label1};
    auto shown = [&] {
      QStringList out;
      for (QWidget* w : texts) out << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Value);
      PrintToPdf(ToQ(s->path("report.pdf")), [&](PrintPage& page) {
        for (const auto& printed : report->PrintPages(page, "8:05")) out << ToQ(printed.back());
      });
      return out << QString::number(report->Text1->verticalScrollBar()->value());
    };
    const QStringList before = shown();
    QVERIFY(before[0] == "Other comment\nline two" && before.contains("Line 200") && before.endsWith("50"));
    auto edit = [](auto write) {  // through the text's editable-text interface, where it has one
      return [write](QWidget* w) {
        if (auto* e = QAccessible::queryAccessibleInterface(w)->editableTextInterface()) write(e);
      };
    };
    const std::pair<const char*, std::function<void(QWidget*)>> writes[] = {
        {"set-text", [](QWidget* w) { QAccessible::queryAccessibleInterface(w)->setText(QAccessible::Value, "W"); }},
        {"insert", edit([](auto* e) { e->insertText(1, "W"); })},
        {"delete", edit([](auto* e) { e->deleteText(0, 4); })},
        {"replace", edit([](auto* e) { e->replaceText(0, 4, "W"); })},
        {"paste", [](QWidget* w) { QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); }},
        {"typing", [](QWidget* w) { QTest::keyClicks(w, "W"); }}};
    QGuiApplication::clipboard()->setText("W");
    for (bool boxed : {false, true}) {
      QMessageBox box;
      if (boxed) box.setModal(true), box.show(), Settle();
      for (QWidget* w : texts)
        for (const auto& [how, write] : writes)
          QVERIFY2((test::AsScreenReader(w, [&] { write(w); }), shown() == before),
                   qPrintable(QString(how) + " into " + w->window()->objectName() + "/" + w->objectName() +
                              (boxed ? " under a box" : "")));
    }
  }

  // --- new vehicle

  void newVehicleCancelChangesNothingNoStartsAfresh() {
    fst.CurrentFileName = "Mine";
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.VehicleComments = "keep\r\n";
    fst.SpecsChanged = 1;
    tbl.SpecText[45] = "3100";
    s->ui.Answer(ans::Cancel);
    NewVehicle();
    QCOMPARE(s->Box(0).title, std::string("Update Current File before Creating New Vehicle"));
    QCOMPARE(Current(), std::string("Mine, 3100, 1"));
    QCOMPARE(fst.VehicleComments, std::string("keep\r\n"));
    QVERIFY(!SaveWindow());

    s->ui.Answer(ans::No);
    NewVehicle();
    QCOMPARE(fst.CurrentFileName, std::string(""));
    QCOMPARE(fst.CurrentFilePath, s->path("VEHDAT/"));
    QCOMPARE(fst.VehicleComments, std::string(""));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
  }

  void newVehicleAfterASave() {
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    tbl.SpecText[45] = "3100";
    s->ui.Answer(ans::Yes);
    NewVehicle();
    frmSaveFile* f = SaveWindow();
    QVERIFY(f);
    QCOMPARE(fst.FileOperation, savemode::SaveAsBeforeNew);
    f->Text1->setText("Saved First");
    f->Command1_Click();
    Settle();
    QCOMPARE(CrLfLines(s->Read("VEHDAT/Saved First"))[46], std::string("3100"));
    QCOMPARE(fst.CurrentFileName, std::string(""));  // then the new vehicle
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(fst.FileOperation, savemode::SaveAs);
  }

  // --- the save-as window

  void saveAsRefusesBadNames() {
    tbl.SpecText[45] = "3100";
    frmSaveFile* f = SaveAsWindow();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QString("Save Vehicle File"));
    QCOMPARE(f->Panel3D2->title(), QString("New Vehicle Name:"));
    const std::pair<std::string, std::string> bad[] = {
        {"My*Car", "The name you entered:\r\r      My*Car\r\rCan not be used because it contains this character:\r\r      *"},
        {"a/b", "The name you entered:\r\r      a/b\r\rCan not be used because it contains this character:\r\r      /"},
        {"tab\there", "The name you entered:"},
        {".hidden", "The name you entered:\r\r      .hidden\r\rCan not be used because it begins with a period (.)."},
        {"", "You have entered an invalid file name."},
        {"..", "The name you entered:"},
        {"CAR.0123456789ab.tmp",
         "The name you entered:\r\r      CAR.0123456789ab.tmp\r\ris kept for the program's own temporary files."},
    };
    for (const auto& [name, expectStart] : bad) {
      int before = s->BoxCount();
      f->Text1->setText(ToQ(name));
      f->Command1_Click();
      QVERIFY2(s->BoxCount() == before + 1, name.c_str());
      QVERIFY2(s->Box(before).prompt.rfind(expectStart, 0) == 0, s->Box(before).prompt.c_str());
      QVERIFY(SaveWindow());
      QCOMPARE(f->Text1->text(), ToQ(name));
    }
    QVERIFY(!fs::exists(s->file("VEHDAT")) || fs::is_empty(s->file("VEHDAT")));

    // 300 characters: the shortened name is offered; No keeps the window.
    f->Text1->setText(QString(300, QChar('x')));
    s->ui.Answer(ans::No);
    f->Command1_Click();
    QCOMPARE(s->LastBox().title, std::string("Vehicle Name Had To Be Changed"));
    QVERIFY(SaveWindow());
    s->ui.Answer(ans::Yes);
    f->Command1_Click();
    Settle();
    QVERIFY(s->Exists("VEHDAT/xxxxxxxxxxxx"));
    QCOMPARE(fst.CurrentFileName, std::string("xxxxxxxxxxxx"));
  }

  // Enter in the name presses OK: the vehicle is saved under it.
  void enterInTheNameSaves() {
    frmSaveFile* f = SaveAsWindow();
    QVERIFY(f);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    f->Text1->setText("Enter Car");
    f->Text1->setFocus();
    QTest::keyClick(f->Text1, Qt::Key_Return);
    Settle();
    QVERIFY(s->Exists("VEHDAT/Enter Car"));
    QCOMPARE(fst.CurrentFileName, std::string("Enter Car"));
  }

  void replacingTheOwnFileMarksTheSpecsSaved() {
    PutVehicle("VEHDAT/Mine", "2900");
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.CurrentFileName = "Mine";
    tbl.SpecText[45] = "3100";
    fst.SpecsChanged = 1;
    frmSaveFile* f = SaveAsWindow();
    QCOMPARE(f->Text1->text(), QString("Mine"));
    s->ui.Answer(ans::No);
    f->Command1_Click();
    QCOMPARE(s->Box(0).title, std::string("Vehicle Name Already Exists"));
    QCOMPARE(s->Box(0).prompt,
             std::string("This Vehicle file already exists.  Do you want to replace it with the current specs"));
    QCOMPARE(s->Box(0).style, mb::YesNoCancel + mb::Exclamation);
    QVERIFY(SaveWindow());
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    s->ui.Answer(ans::Yes);
    f->Command1_Click();
    Settle();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QVERIFY(!SaveWindow());
    QCOMPARE(CrLfLines(s->Read("VEHDAT/Mine"))[46], std::string("3100"));
  }

  // Each step that waits for a save, with each way the save window closes:
  // only OK with a name saves, then goes on. Any other close keeps the specs,
  // the changed flag, the file names, the open window with its choice (in
  // front) and the results window as they were. Dial-in and throttle-stop
  // entries have no name yet. OK replaces a file (a box had the front), also after a run.
  void aWaitingStepGoesOnOnlyAfterASave_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("close");
    for (const char* step : {"open vehicle", "open dial-in", "open throttle stop", "new vehicle", "history"})
      for (const char* close :
           {"Cancel", "Escape", "close", "Cancel to replacing", "elsewhere", "OK", "OK, a run", "OK, run cleared"})
        QTest::newRow(qPrintable(QString("%1, %2").arg(step, close))) << QString(step) << QString(close);
  }
  void aWaitingStepGoesOnOnlyAfterASave() {
    QFETCH(QString, step);
    QFETCH(QString, close);
    const int16_t mode = step.contains("dial") ? 1 : step.contains("throttle") ? 2 : 0;
    const int slot = mode == 1 ? 160 : mode == 2 ? 127 : 45;  // a spec the kind's files hold
    const std::string folder = KindFolder(mode, 0) + std::string("/");
    frmMain* m = DefaultInstance<frmMain>::Get();
    tbl.CalcMode = mode;
    testing::SetEngine();
    testing::SetLastRun();  // history entry 0 is the copy "C"
    tbl.SpecText[slot] = "2950";
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    s->Write(folder + "Other", Utf8ToCp1252(VehicleFileText(savemode::ChosenPath)));
    s->Write("QVHISTRY/C", Utf8ToCp1252(VehicleFileText(savemode::History)));
    s->Write(folder + "Kept", "old");
    tbl.SpecText[slot] = "3100";
    fst.CurrentFileName = "Mine";
    fst.SpecsChanged = 1;
    tbl.HistoryDisplay = 1;
    frmSaveFile::HistoryWaitMs() = 0;
    m->BuildVehicleSummary();
    Rtrvfile* open = step.startsWith("open") ? OpenWindow() : nullptr;
    frmDispGrid* results = step == "history" ? (ShowResultsAndNotes(), frmDispGrid::IfLoaded()) : nullptr;
    if (open) open->File1_Click("Other");
    if (results) results->Grid1->SetRow(1);
    auto state = [&] {
      std::string r = tbl.SpecText[slot] + "|" + Str(fst.SpecsChanged) + "|" + fst.CurrentFileName + "|" +
                      fst.CurrentFilePath + "|" + fst.DialInFileName + "|" + fst.ThrottleStopFileName + "|" +
                      fst.ChosenFileName + "|" + Str(tbl.FromHistory) + "|" + s->Read(folder + "Other") +
                      s->Read(folder + "Kept");
      if (Rtrvfile* w = DefaultInstance<Rtrvfile>::IfLoaded()) r += "|" + FromQ(w->Panel3D2->title());
      if (frmDispGrid* g = frmDispGrid::IfLoaded()) r += "|" + FromQ(g->Panel3D1[0]->text() + g->Label1[2]->text());
      return r;
    };
    const std::string before = state();
    s->ui.Answer(ans::Yes);
    open ? open->Command1_Click() : results ? results->mnuGridOpen_Click() : NewVehicle();
    const char* about = mode == 1 ? "the dial-in entries" : mode == 2 ? "the throttle-stop entries" : "Mine";
    QVERIFY(s->LastBox().prompt.rfind("Save your changes to " + std::string(about) + " ?\r\r", 0) == 0);
    frmSaveFile* f = SaveWindow();
    Activate(f);
    QWidget elsewhere;
    if (close == "Cancel") f->Command2->click();
    if (close == "Escape") QTest::keyClick(f->Text1, Qt::Key_Escape);
    if (close == "close") f->close();
    if (close == "elsewhere") Activate(&elsewhere);
    if (close == "Cancel to replacing" || close.startsWith("OK")) {
      if (close.startsWith("OK,")) tbl.CalcMode = 0, RecordHistory(tbl.ResultsText, tbl.FinishRow, 120.5, 1320, "1.7");
      if (close.contains("cleared")) s->ui.Answer(ans::Yes), ClearHistory();  // both: F2 on the help page
      f->Text1->setText("Kept");
      s->ui.Answer(close.startsWith("OK") ? ans::Yes : ans::Cancel);  // to replacing the file
      f->Command1_Click();
    }
    Settle();
    QVERIFY(!SaveWindow());
    QCOMPARE(fst.FileOperation, savemode::SaveAs);
    if (!close.startsWith("OK")) {
      QCOMPARE(state(), before);
      if (open && close != "elsewhere") QTRY_VERIFY(QApplication::activeWindow() == open);
      return;
    }
    QVERIFY(s->Read(folder + "Kept").find("\r\n3100\r\n") != std::string::npos);
    if (results && close.contains("cleared")) {  // the run picked is gone: said so, the saved specs stay
      const std::string title = "MUSCLE69: Mon Dec 7 26  8:05 pm";
      QCOMPARE(s->LastBox().prompt + tbl.SpecText[slot], RunNotRetrievedMessage(title) + "3100");
      return;
    }
    const std::string& name =
        mode == 1 ? fst.DialInFileName : mode == 2 ? fst.ThrottleStopFileName : fst.CurrentFileName;
    QCOMPARE(tbl.SpecText[slot] + "|" + name,
             std::string(step == "new vehicle" ? "3100|" : open ? "2950|Other" : "2950|Mine"));
    QVERIFY(!DefaultInstance<Rtrvfile>::IfLoaded() && !frmDispGrid::IfLoaded());
    QVERIFY(m->Label5[2]->text().startsWith(ToQ("Weight: " + tbl.SpecText[45])));
    QVERIFY(m->windowTitle().contains(ToQ("[ " + fst.CurrentFileName + " ]")));
  }

  void aFailedSaveChangesNothingAndDropsThePendingOpen() {
    frmSaveFile* f = SaveFirstThenOpen();
    f->Text1->setText("New Name");
    FailFileWritesAfterForTest(0);  // as on a full disk
    f->Command1_Click();
    Settle();
    QVERIFY(s->LastBox().prompt.rfind("The file could not be written:", 0) == 0);
    QVERIFY(s->LastBox().prompt.find("Reason: No space left on device.") != std::string::npos);
    QVERIFY(!s->Exists("VEHDAT/New Name"));
    QVERIFY(SaveWindow());  // the window stays for another try
    QVERIFY(DefaultInstance<Rtrvfile>::IfLoaded());
    QCOMPARE(Current(), std::string("Mine, 3100, 1"));
    FailFileWritesAfterForTest(SIZE_MAX);
    f->Command2->click();  // closing now opens nothing: the unsaved specs stay
    Settle();
    QCOMPARE(Current(), std::string("Mine, 3100, 1"));
    QCOMPARE(fst.ChosenFileName, std::string("Other Car"));
  }

  void floppySaveGoesToThePickedFolder() {
    fs::create_directories(s->file("stick"));
    fst.FloppyFolder = s->path("stick");
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.CurrentFileName = "Mine";
    fst.FloppyMode = 1;
    frmSaveFile* f = SaveAsWindow();
    QVERIFY(f->FolderLabel->isVisibleTo(f));
    QCOMPARE(f->FolderLabel->text(), ToQ(fst.FloppyFolder));
    f->Text1->setText("Copy");
    f->Command1_Click();
    Settle();
    QVERIFY(s->Exists("stick/Copy"));
    QVERIFY(!s->Exists("VEHDAT/Copy"));
    QCOMPARE(fst.CurrentFilePath, s->path("VEHDAT/Mine"));
    QCOMPARE(fst.CurrentFileName, std::string("Mine"));
  }

  void dialInSaveKeepsTheNameAsItsLink() {
    tbl.CalcMode = 1;
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    fst.CurrentFileName = "Mine";
    fst.DialInFileName = "Run 1";
    frmSaveFile* f = SaveAsWindow(FormId::frmDialIn);
    QCOMPARE(f->windowTitle(), QString("Save Dial In File"));
    QCOMPARE(f->Text1->text(), QString("Run 1"));
    f->Text1->setText("Run 2");
    f->Command1_Click();
    Settle();
    QVERIFY(s->Read("DIALIN/Run 2").rfind("QVZ-ZKT-DI*3.20\r\n", 0) == 0);
    QCOMPARE(fst.DialInFileName, std::string("Run 2"));
    QCOMPARE(fst.CurrentFilePath, s->path("VEHDAT/Mine"));
    QCOMPARE(fst.CurrentFileName, std::string("Mine"));
  }

  void historyRetrievalAfterTheSave() {
    frmSaveFile::HistoryWaitMs() = 10;
    tbl.HistoryName[2] = "C";
    tbl.HistoryTitle[2] = "Mine: 12/7/26 8:05";
    tbl.HistoryEt[0] = tbl.HistoryEt[2] = "12.345";  // the copy's figures are the run's
    tbl.SpecText[45] = "2800";
    fst.CurrentFilePath = s->path("VEHDAT/Mine");
    s->Write("QVHISTRY/C", Utf8ToCp1252(VehicleFileText(savemode::History)));
    tbl.SpecText[45] = "3100";
    fst.HistorySlot = 2;
    fst.SpecsChanged = 1;
    fst.FileOperation = savemode::SaveAsBeforeHistory;
    SaveVehicleFile(FormId::frmDispGrid);
    SaveWindow()->Text1->setText("Mine");
    SaveWindow()->Command1_Click();
    Settle();
    QCOMPARE(CrLfLines(s->Read("VEHDAT/Mine"))[46], std::string("3100"));
    QCOMPARE(tbl.SpecText[45], std::string("2800"));
    QCOMPARE(s->LastBox().prompt,
             "File for:" + kCR + kCR + "    Mine: 12/7/26 8:05" + kCR + kCR + "successfully retrieved.");
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  // It closes when another window comes to the front, not for its own boxes.
  void saveWindowClosesWhenAnotherWindowComesToTheFront() {
    frmSaveFile* f = SaveAsWindow();
    Activate(f);
    f->Text1->setText("a*b");
    f->Command1_Click();
    Settle();
    QVERIFY(SaveWindow());
    QWidget other;
    Activate(&other);
    QVERIFY(!SaveWindow());
  }
};

QTEST_MAIN(OpenSaveTest)
#include "open_save_qtest.moc"
