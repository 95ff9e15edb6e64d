#include "shell/rtrvfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/qt/fixed_font.h"
#include "files/configuration.h"
#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_windows.h"
#include "files/library_list.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/kept_in_front.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_main.h"
#include "shell/frm_save_file.h"
#include "shell/help_form.h"
#include "shell/vehicle_summary.h"
#include "simulation/tables.h"
#include "shell/user_actions.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace fs = std::filesystem;

namespace {

void EnableMainWindow(bool enabled) {
  if (frmMain* m = DefaultInstance<frmMain>::IfLoaded()) m->setEnabled(enabled);
}

QString Q(const std::string& s) { return DisplayText(LabelText(s)); }

const std::string kCR(1, CR);

}  // namespace

Rtrvfile::Rtrvfile() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("Rtrvfile");
  // The main window waits on this one, disabled, until it closes.
  KeepInFrontOf(this, DefaultInstance<frmMain>::IfLoaded());
  setWindowTitle("Open a Vehicle File");

  auto* phraseBox = new QGroupBox("Show Only Files which contain this phrase", this);
  Combo1 = new PickList(phraseBox);
  Combo1->setObjectName("Combo1");
  Combo1->setAccessibleName(phraseBox->title());
  Combo1->setEditable(true);
  Combo1->lineEdit()->setAccessibleName(phraseBox->title());
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  (new QVBoxLayout(phraseBox))->addWidget(Combo1);

  auto* orderBox = new QGroupBox(this);
  Option1.push_back(new QRadioButton("List Alphabetically (typical listing)", orderBox));
  Option1.push_back(new QRadioButton("List by Date Last Changed", orderBox));
  Option1[0]->setObjectName("Option1_0");
  Option1[1]->setObjectName("Option1_1");
  Option1[0]->setChecked(true);
  auto* orderLayout = new QVBoxLayout(orderBox);
  orderLayout->addWidget(Option1[0]);
  orderLayout->addWidget(Option1[1]);

  Panel3D3 = new QLabel(this);
  Panel3D3->setObjectName("Panel3D3");
  Panel3D3->setFrameShape(QFrame::Panel);
  Panel3D3->setFrameShadow(QFrame::Sunken);
  File1 = new QListWidget(this);
  File1->setObjectName("File1");
  List2 = new QListWidget(this);
  List2->setObjectName("List2");
  List2->hide();
  List2->setFont(FixedPitchFont());
  File1->setMinimumSize(TwipsToPixels(3600), TwipsToPixels(3600));
  List2->setMinimumSize(TwipsToPixels(3600), TwipsToPixels(3600));

  Panel3D2 = new QGroupBox(this);
  Panel3D2->setObjectName("Panel3D2");
  Label1 = new QLabel(Panel3D2);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextFormat(Qt::PlainText);
  Label3 = new QLabel(Panel3D2);
  Label3->setObjectName("Label3");
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label3->setTextFormat(Qt::PlainText);
  Text1 = new TextBox(Panel3D2);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setMinimumHeight(TwipsToPixels(1200));
  auto* preview = new QGridLayout(Panel3D2);
  preview->addWidget(Label1, 0, 0);
  preview->addWidget(Label3, 0, 1);
  preview->addWidget(Text1, 1, 0, 1, 2);
  Panel3D2->setMinimumWidth(TwipsToPixels(4200));

  Panel3D1 = new QLabel(this);
  Panel3D1->setObjectName("Panel3D1");
  Panel3D1->setWordWrap(true);
  // As the save-as window's instructions: a border on all four sides, the
  // text clear of it.
  Panel3D1->setFrameShape(QFrame::StyledPanel);
  Panel3D1->setFrameShadow(QFrame::Raised);
  Panel3D1->setMargin(TwipsToPixels(60));

  Command1 = new QPushButton("Open", this);
  Command2 = new QPushButton("Delete", this);
  Command3 = new QPushButton("Help", this);
  Command4 = new QPushButton("Cancel", this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  Command4->setObjectName("Command4");

  auto* left = new QVBoxLayout;
  left->addWidget(phraseBox);
  left->addWidget(orderBox);
  left->addWidget(Panel3D3);
  left->addWidget(File1, 1);
  left->addWidget(List2, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Command1, Command2, Command3, Command4}) buttons->addWidget(b);
  auto* right = new QVBoxLayout;
  right->addWidget(Panel3D2, 1);
  right->addWidget(Panel3D1);
  right->addLayout(buttons);
  auto* all = new QHBoxLayout(this);
  all->addLayout(left);
  all->addLayout(right, 1);

  OnAction(Combo1, &QComboBox::currentTextChanged, this, "Combo1", [this] {
    if (!filling_) FillList();
  });
  OnAction(Option1[0], &QRadioButton::toggled, this, "Option1_0", [this](bool on) {
    if (!on) return;
    byDate_ = false;
    if (!filling_) FillList();
  });
  OnAction(Option1[1], &QRadioButton::toggled, this, "Option1_1", [this](bool on) {
    if (!on) return;
    byDate_ = true;
    if (!filling_) FillList();
  });
  // Choosing a row, by the mouse or by the keys (arrows, Home, End, Page
  // Up and Down, Space), is a single click on it; Enter on a row is a double
  // click. A row is previewed once for each time it is chosen. (The row is
  // looked up when the handler runs: a put-off one may find the list filled
  // again.)
  for (QListWidget* list : {File1, List2}) {
    auto chosen = [list] {
      QListWidgetItem* it = list->currentItem();
      if (it && it->isSelected()) return it;
      const auto rows = list->selectedItems();
      return rows.isEmpty() ? static_cast<QListWidgetItem*>(nullptr) : rows.first();
    };
    auto preview = [this, list, chosen] {
      if (filling_) return;
      if (QListWidgetItem* it = chosen(); it && NameOfRow(list, it) != previewed_) ListRowChosen(list, it);
    };
    OnAction(list, &QListWidget::itemSelectionChanged, this, "preview", preview);
    OnAction(list, &QListWidget::itemClicked, this, "preview", preview);
    OnAction(list, &QListWidget::itemDoubleClicked, this, "open", [this, list, chosen] {
      if (QListWidgetItem* it = chosen()) File1_DblClick(NameOfRow(list, it));
    });
    list->installEventFilter(this);
  }
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { Command1_Click(); });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { Command2_Click(); });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [] { ShowHelpTopic(500); });
  OnAction(Command4, &QPushButton::clicked, this, "Command4", [] { CloseRetrieveForm(); });
  CloseOnEscape(this, [] { CloseRetrieveForm(); });

  watch_ = new DeactivateWatch(this, [] { CloseRetrieveForm(); });
  // The save-as window this one asked for, and its help page, do not count
  // as losing the focus.
  watch_->SetExcept(
      [](QWidget* w) { return qobject_cast<frmSaveFile*>(w) != nullptr || qobject_cast<HelpForm*>(w) != nullptr; });
  Form_Activate();
}

Rtrvfile::~Rtrvfile() {
  DefaultInstance<Rtrvfile>::Forget(this);
  // Deleted without a close, it still gives the main window back (unless a
  // new open window has it now).
  if (!DefaultInstance<Rtrvfile>::Loaded()) EnableMainWindow(true);
}

bool Rtrvfile::event(QEvent* e) {
  // Coming back from a message box or the help window is no new activation;
  // coming back from another window of the program is.
  if (e->type() == QEvent::WindowDeactivate) {
    Later(this, [this] {
      QWidget* a = QApplication::activeWindow();
      // Nor is coming back from the save-as window this one asked for: the
      // racer finds the file they chose still chosen.
      auto* save = qobject_cast<frmSaveFile*>(a);
      const bool askedSave = save && save->WaitingStep() == savemode::SaveAsFromOpen;
      if (a && a != this && !DeactivateWatch::IsBox(a) && !qobject_cast<HelpForm*>(a) && !askedSave)
        refillOnActivate_ = true;
    });
  } else if (e->type() == QEvent::WindowActivate && refillOnActivate_) {
    refillOnActivate_ = false;
    Later(this, [this] { Form_Activate(); });
  }
  return QWidget::event(e);
}

std::string Rtrvfile::NameOfRow(const QListWidget* list, const QListWidgetItem* it) const {
  if (!it) return {};
  return list == List2 ? ChosenNameFromRow(FromQ(it->text())) : FromQ(it->text());
}

void Rtrvfile::ListRowChosen(QListWidget* list, QListWidgetItem* it) {
  previewed_ = NameOfRow(list, it);
  if (list == List2)
    List2_Click(List2->row(it));
  else
    File1_Click(FromQ(it->text()));
}

bool Rtrvfile::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress && (o == File1 || o == List2)) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
      auto* list = static_cast<QListWidget*>(o);
      Act(this, "open", [this, list] {
        if (QListWidgetItem* it = list->currentItem()) File1_DblClick(NameOfRow(list, it));
      });
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

void Rtrvfile::Form_Activate() {
  refillOnActivate_ = false;
  LibraryKind k = RetrieveKind(tbl.CalcMode, fst.ExampleLibraryMode);
  kind_ = k.kind;
  folder_ = k.folder;
  filling_ = true;
  Combo1->clear();
  for (const auto& c : LibraryCategories()) Combo1->addItem(ToQ(c));
  Combo1->setCurrentIndex(0);
  filling_ = false;
  FillList();
}

void Rtrvfile::ClearPreview() {
  Label1->clear();
  Label3->clear();
  Text1->clear();
}

void Rtrvfile::FillList() {
  filling_ = true;
  Panel3D2->setTitle(ToQ("Chosen " + kind_ + " File:"));
  fst.ChosenFileName.clear();
  previewed_.clear();
  ClearPreview();
  Panel3D1->setText(ToQ(RetrieveTipCaption(kind_)));

  fs::path folder = ProgramPath(folder_);
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    folder = ProgramPath(folder_);
  }
  bool readable = true;
  std::vector<LibraryFile> files = ListLibraryFolder(folder, &readable);
  File1->clear();
  List2->clear();
  if (!readable) {
    filling_ = false;
    Panel3D3->setText(ToQ(Str(0) + " " + kind_ + "s in Library"));
    MsgBox("The " + kind_ + " library folder" + kCR + kCR + "      " + folder.generic_string() + kCR + kCR +
               "can not be read.  Its files can not be listed.",
           mb::OKOnly + mb::Exclamation, "");
    return;
  }
  for (const auto& f : files) File1->addItem(ToQ(f.name));

  LibraryListing l = FillLibraryList(files, FromQ(Combo1->currentText()), byDate_, kind_);
  Panel3D3->setText(ToQ(l.countCaption));
  // A screen reader names the list by the count over it ("12 Vehicles in Library").
  File1->setAccessibleName(Panel3D3->text());
  List2->setAccessibleName(Panel3D3->text());
  if (l.listShown) {
    for (const auto& r : l.rows) List2->addItem(ToQ(r));
    File1->hide();
    List2->show();
  } else {
    List2->hide();
    File1->show();
  }
  // The keys start from the top row, which is not chosen until they move
  // (or Enter opens it).
  QListWidget* shown = l.listShown ? List2 : File1;
  if (shown->count() > 0) shown->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  // The list is as wide as its longest row (the date listing puts the date
  // before the name), so no name is cut off.
  for (QListWidget* list : {File1, List2}) {
    const int need = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                     list->verticalScrollBar()->sizeHint().width() + 6;
    list->setMinimumWidth(std::max(TwipsToPixels(3600), need));
  }
  if (isVisible() && width() < sizeHint().width()) resize(sizeHint().width(), height());
  filling_ = false;

  if (cfg.OldExamplesDeleted == 0 && tbl.CalcMode == 0 && fst.ExampleLibraryMode == 0 && !OldExamplesNoteShown &&
      HoldsOldExamples(files)) {
    OldExamplesNoteShown = true;
    MsgBox(OldExamplesNote());
  }
}

void Rtrvfile::File1_Click(const std::string& name) {
  fst.ChosenFileName = name;
  fst.FileReadFailed = 0;
  int16_t specsChanged = fst.SpecsChanged;
  fst.FloppyMode = 0;
  StillLoaded<Rtrvfile> self(this);
  OpenVehicleFile(FormId::frmMain, openmode::Preview);
  if (!self) {
    fst.SpecsChanged = specsChanged;
    return;
  }
  if (fst.FileReadFailed == 1) {
    fst.ChosenFileName.clear();
    Panel3D2->setTitle(ToQ(ChosenFileCaption(kind_, "")));
    // Nothing of the previous preview is left under the empty name.
    ClearPreview();
  } else {
    Panel3D2->setTitle(ToQ(ChosenFileCaption(kind_, fst.ChosenFileName)));
    std::string l1, l3;
    BuildPreview(tbl.CalcMode, fst.SpecTextAlt, fst.FileVersion == filever::V2Converted, l1, l3);
    Label1->setText(Q(l1));
    Label3->setText(Q(l3));
    Text1->setPlainText(DisplayText(fst.SavedComment).trimmed());
  }
  fst.SpecsChanged = specsChanged;
}

void Rtrvfile::List2_Click(int row) {
  if (row < 0 || row >= List2->count()) return;
  File1_Click(ChosenNameFromRow(FromQ(List2->item(row)->text())));
}

void Rtrvfile::File1_DblClick(const std::string& name) {
  fst.ChosenFileName = name;
  Command1_Click();
}

void Rtrvfile::Command1_Click() {
  if (fst.ChosenFileName.empty()) {
    MsgBox("No " + kind_ + " selected to open");
    return;
  }
  if (fst.SpecsChanged == 1 || tbl.CalcMode != 0) {
    const std::string& name =
        tbl.CalcMode == 1 ? fst.DialInFileName : tbl.CalcMode == 2 ? fst.ThrottleStopFileName : fst.CurrentFileName;
    int a = MsgBox(SaveChangesQuestion(tbl.CalcMode, name), mb::YesNoCancel,
                   "Update Current File before Retrieving New " + kind_);
    if (a == ans::Cancel) return;
    if (a == ans::Yes) {
      // The save-as window saves, then opens the chosen file; Cancel there
      // brings the racer back here.
      fst.FileOperation = savemode::SaveAsFromOpen;
      SaveVehicleFile(FormId::Rtrvfile);
      return;
    }
  }
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  OpenVehicleFile(FormId::frmMain, openmode::Chosen);
  if (fst.FileReadFailed != 1) {
    FileWin().BuildMainCaption();
    CloseRetrieveForm();
  }
}

void Rtrvfile::Command2_Click() {
  if (File1->isVisible() && File1->currentItem() && File1->currentItem()->isSelected())
    fst.ChosenFileName = FromQ(File1->currentItem()->text());
  if (fst.ChosenFileName.empty()) {
    MsgBox("No " + kind_ + " selected to delete");
    return;
  }
  // Asked while the window may go: the library is copied first.
  const std::string kind = kind_, folder = folder_;
  StillLoaded<Rtrvfile> self(this);
  int a = MsgBox("Permanently delete " + fst.ChosenFileName + " !" + kCR + kCR + "If you are not sure, choose No.",
                 mb::YesNo + mb::Exclamation + mb::DefaultButton2, "Delete a " + kind);
  if (a != ans::Yes) return;
  fs::path target = ProgramPath(folder + "/" + fst.ChosenFileName);
  std::error_code ec;
  if (!fs::is_regular_file(target, ec) || !fs::remove(target, ec) || ec) {
    MsgBox("The " + kind + " file " + fst.ChosenFileName + " could not be deleted.", mb::OKOnly + mb::Exclamation,
           "");
    return;
  }
  if (self) FillList();
}

void Rtrvfile::closeEvent(QCloseEvent* e) {
  e->accept();
  DefaultInstance<Rtrvfile>::Forget(this);
  EnableMainWindow(true);
}

void Rtrvfile::ComeBackAfterTheSaveWindow() {
  raise();
  activateWindow();
}

void Rtrvfile::ShowRetrieveForm() {
  bool fresh = !DefaultInstance<Rtrvfile>::Loaded();
  Rtrvfile* w = DefaultInstance<Rtrvfile>::Get();
  if (!fresh) w->Form_Activate();
  EnableMainWindow(false);
  ShowOverMainWindow(w);
  // The arrow keys go to the list at once.
  (w->List2->isVisibleTo(w) ? w->List2 : w->File1)->setFocus();
}

void Rtrvfile::CloseRetrieveForm() {
  if (Rtrvfile* w = DefaultInstance<Rtrvfile>::IfLoaded()) w->close();
  EnableMainWindow(true);
}

void ResetNewVehicle() {
  fst.VehicleComments.clear();
  fst.CurrentFileName.clear();
  fst.CurrentFilePath = ProgramFolderText() + "/" + kVehicleFolder + "/";
  fst.SpecsChanged = 0;
  // The main window shows the new vehicle: its caption, its (empty) comments.
  FileWin().CurrentVehicleChanged();
}

void NewVehicle() {
  if (fst.SpecsChanged == 1) {
    int a = MsgBox(SaveChangesQuestion(0, fst.CurrentFileName), mb::YesNoCancel,
                   "Update Current File before Creating New Vehicle");
    if (a == ans::Cancel) return;
    if (a == ans::Yes) {
      fst.FileOperation = savemode::SaveAsBeforeNew;
      SaveVehicleFile(FormId::Rtrvfile);
      return;
    }
  }
  ResetNewVehicle();
  Rtrvfile::CloseRetrieveForm();
}

}  // namespace sw
