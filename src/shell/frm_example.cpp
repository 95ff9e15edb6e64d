#include "shell/frm_example.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "files/configuration.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/escape_close.h"
#include "platform/qt/fixed_font.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/printer_fonts.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/preset_lists.h"
#include "shell/user_actions.h"

namespace sw {

ExampleRequest ExampleRequestFromShell() {
  return {shell.ExampleComponent, shell.ExamplePrefix, shell.ExampleKind, shell.ExampleMenu, shell.ExampleSubChoice};
}

PresetReader ExamplePresetLists() {
  return [](int menu, int row, std::vector<std::string>& items) {
    int last = -1;
    ReadComboData(ComboLines, menu, row, last);
    items.assign(ComboLines.begin(), ComboLines.begin() + std::max(last + 1, 0));
    return last >= 0;
  };
}

frmExample::frmExample() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmExample");
  setWindowTitle("Examples");
  request_ = ExampleRequestFromShell();
  shell.KeepSpecForm = 1;
  shell.TireWtRecorded = 0;

  const QFont fixed = FixedPitchFont();
  Label3 = new QLabel(this);
  Label3->setObjectName("Label3");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setFont(fixed);
  Label1->setTextFormat(Qt::PlainText);
  lstExample = new QListWidget(this);
  lstExample->setObjectName("lstExample");
  lstExample->setAccessibleName("Examples");
  lstExample->setFont(fixed);
  lstExample->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lstExample->installEventFilter(this);
  Label2[0] = new QLabel("'Ger' is the Gear Ratio         'L' indicates if the converter is locked.", this);
  Label2[1] = new QLabel("Tip:  Click to highlight example, double click to choose example.", this);
  Label2[0]->setObjectName("Label2_0");
  Label2[1]->setObjectName("Label2_1");
  static const char* kButtons[4] = {"Cancel", "Pick", "Delete", "Print"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 4; ++i) {
    Command1[i] = new QPushButton(kButtons[i], this);
    Command1[i]->setObjectName(QString("Command1_%1").arg(i));
    Command1[i]->setAutoDefault(false);
    buttons->addWidget(Command1[i]);
  }
  buttons->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label3);
  v->addWidget(Label1);
  v->addWidget(lstExample, 1);
  v->addWidget(Label2[0]);
  v->addWidget(Label2[1]);
  v->addLayout(buttons);

  OnAction(Command1[0], &QPushButton::clicked, this, "Command1_" + std::to_string(0), [this] { close(); });
  CloseOnEscape(this, [this] { Command1[0]->click(); });
  OnAction(Command1[1], &QPushButton::clicked, this, "Command1_" + std::to_string(1), [this] { Choose(); });
  OnAction(Command1[2], &QPushButton::clicked, this, "Command1_" + std::to_string(2), [this] { DeleteChosen(); });
  OnAction(Command1[3], &QPushButton::clicked, this, "Command1_" + std::to_string(3), [this] { PrintList(); });
  OnAction(lstExample, &QListWidget::itemClicked, this, "lstExample itemClicked", [this] { EnablePickAndDelete(true); });
  OnAction(lstExample, &QListWidget::itemDoubleClicked, this, "lstExample itemDoubleClicked", [this] { Choose(); });
  // Keyboard users highlight with the arrow keys.
  connect(lstExample, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && lstExample->currentItem()->isSelected()) EnablePickAndDelete(true);
  });
  watch_ = new DeactivateWatch(this, [this] { close(); });

  // The heading stands over the columns of the lines below it.
  Label1->setContentsMargins(lstExample->frameWidth() + 3, 0, 0, 0);
  EnablePickAndDelete(false);
  ReadList();
  DoEvents();

  // Wide enough for the lines (the tire and converter lists have long names).
  const QFontMetrics fm(fixed);
  int chars = Label1->text().size();
  for (int i = 0; i < lstExample->count(); ++i) chars = std::max<int>(chars, lstExample->item(i)->text().size());
  const int wide = request_.component == "FTIRE" || request_.component == "CONV" ? 9200 : 8000;
  int width = std::max(fm.horizontalAdvance(QString(chars + 4, 'M')), TwipsToPixels(wide, this));
  if (QScreen* s = QApplication::primaryScreen()) width = std::min(width, s->availableGeometry().width() - 60);
  lstExample->setMinimumWidth(width);
  lstExample->setMinimumHeight(fm.height() * 18);
}

frmExample::~frmExample() = default;

void frmExample::ShowList() {
  DefaultInstance<frmExample>::Unload();
  frmExample* w = DefaultInstance<frmExample>::Get();
  // Save mode goes straight on to the comparison, which asks for the name.
  if (w->request_.subChoice == 1) {
    w->Choose();
    return;
  }
  w->setEnabled(true);
  ShowOverMainWindow(w);
}

void frmExample::ReadList() {
  const ExampleListing listing = ReadExampleCategory(request_, 0, ExamplePresetLists());
  if (request_.subChoice == 1) return;
  Label1->setText(ToQ(listing.heading));
  lstExample->clear();
  for (const std::string& line : listing.lines) lstExample->addItem(ToQ(line));
  Label2[0]->setText("");
  Label2[0]->hide();
}

void frmExample::EnablePickAndDelete(bool on) {
  Command1[1]->setEnabled(on);
  Command1[2]->setEnabled(on);
}

namespace {

int Highlighted(QListWidget* list) {
  QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->currentRow() : -1;
}

}  // namespace

void frmExample::Choose() {
  const int row = Highlighted(lstExample);
  if (row < 0 && request_.subChoice != 1) return;
  exv.SelectedExample = static_cast<int16_t>(row);
  exv.NewExampleName = row >= 0 ? FromQ(lstExample->item(row)->text()) : "";
  watch_->Suspend(true);
  // The comparison lets events run as it opens.
  StillLoaded<frmExample> self(this);
  frmCmprExmpl::Open(request_);
  if (self) close();
}

void frmExample::DeleteChosen() {
  if (tbl.BeginnerLevel == 1) {
    MsgBox("Deleting Examples not available in Beginner Level.", mb::OKOnly, "Beginner Level Help");
    return;
  }
  const int row = Highlighted(lstExample);
  if (row < 0) return;
  exv.SelectedExample = static_cast<int16_t>(row);
  if (row < ProtectedExampleCount(request_.component)) {
    MsgBox("This example was provided by Korvath and can NOT be deleted.", mb::OKOnly, "");
    return;
  }
  exv.NewExampleName = Left(FromQ(lstExample->item(row)->text()), exv.ExampleNameWidth);
  const std::string cr(1, CR);
  // Asked while the window may go: the library to delete from is copied.
  const ExampleRequest request = request_;
  StillLoaded<frmExample> self(this);
  if (MsgBox("Permanently delete the example:" + cr + cr + "    " + RTrim(exv.NewExampleName) + cr + cr +
                 "from this list of example specs?",
             mb::YesNo + mb::Question + mb::DefaultButton2, "Delete Example") != ans::Yes)
    return;
  AddExampleToLibrary(request, row + 1, "");
  if (!self) return;
  ReadList();
  lstExample->repaint();
  EnablePickAndDelete(false);
}

void frmExample::PrintList() {
  if (cfg.PrinterOrientation == 1 || cfg.PrinterOrientation == 2)
    SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  std::vector<std::string> lines;
  for (int i = 0; i < lstExample->count(); ++i) lines.push_back(FromQ(lstExample->item(i)->text()));
  const std::string heading = FromQ(Label1->text()), label3 = FromQ(Label3->text());
  const std::tm now = LocalNow();
  const std::string date = FormatDate(now, "mm-dd-yyyy"), time = FormatDate(now, "h:mm:ss am/pm");
  watch_->Suspend(true);
  StillLoaded<frmExample> self(this);
  {
    BusyCursor busy;
    PrintDocument(this, "Examples", [&](PrintPage& page) {
      SelectFixedPrinterFont(page);
      // The list's size unless its widest line would run off the page.
      size_t widest = heading.size();
      for (const std::string& l : lines) widest = std::max(widest, l.size());
      double size = 10;
      page.SetFontSize(size);
      while (size > 6 && page.TextWidth("   " + std::string(widest, 'M')) > page.ScaleWidth()) {
        size -= 0.5;
        page.SetFontSize(size);
      }
      auto header = [&](int number) {
        const auto h = ExampleListPageHeader(number, date, time, label3, heading);
        page.SetFontSize(11);
        for (size_t i = 0; i < h.size(); ++i) {
          // The column heading at the size of the lines under it.
          if (i >= 5) page.SetFontSize(size);
          page.Print(h[i]);
        }
      };
      int number = 1;
      header(number);
      for (size_t i = 0; i < lines.size(); ++i) {
        page.SetFontSize(size);
        page.Print("   " + lines[i]);
        if (page.CurrentY > 0.93 * page.ScaleHeight() && i + 1 < lines.size()) {
          page.NewPage();
          header(++number);
        }
      }
    });
  }
  DoEvents();
  if (self) watch_->Suspend(false);
}

bool frmExample::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) shell.KeepSpecForm = 1;
  return QWidget::event(e);
}

bool frmExample::eventFilter(QObject* o, QEvent* e) {
  if (o == lstExample && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Delete) {
      Act(this, "Command1_2", [this] {
        if (Highlighted(lstExample) >= 0) DeleteChosen();
      });
      return true;
    }
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      Act(this, "Command1_1", [this] { Choose(); });
      return true;
    }
    // The first arrow highlights the line that shows the focus instead of
    // passing over it, so the first example can be picked by keyboard.
    if ((k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) && k->modifiers() == Qt::NoModifier &&
        Highlighted(lstExample) < 0 && lstExample->currentItem()) {
      lstExample->currentItem()->setSelected(true);
      EnablePickAndDelete(true);
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

void frmExample::closeEvent(QCloseEvent* e) {
  e->accept();
  watch_->Suspend(true);
  DefaultInstance<frmExample>::Forget(this);
}

}  // namespace sw
