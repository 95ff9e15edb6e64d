#include "shell/frm_save_file.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_windows.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_main.h"
#include "shell/help_form.h"
#include "shell/rtrvfile.h"
#include "simulation/tables.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

const std::string kCR(1, CR);

// The save really put the current specs into the file: a failed save has
// reported itself and left the file as it was.
bool SavedAsWanted(const std::string& target) {
  std::string bytes;
  if (!ReadFileBytes(DiskPath(target), bytes)) return false;
  return bytes == Utf8ToCp1252(VehicleFileText(savemode::ChosenPath));
}

}  // namespace

int& frmSaveFile::HistoryWaitMs() {
  static int ms = 1000;
  return ms;
}

frmSaveFile::frmSaveFile() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmSaveFile");
  calcMode_ = tbl.CalcMode;
  switch (tbl.CalcMode) {
    case 1: kind_ = "Dial In"; folderWord_ = "dialin"; break;
    case 2: kind_ = "Throttle Stop"; folderWord_ = "thrtlstp"; break;
    default: kind_ = "Vehicle"; folderWord_ = "vehdat"; break;
  }
  setWindowTitle(ToQ("Save " + kind_ + " File"));

  Panel3D1 = new QLabel(this);
  Panel3D1->setObjectName("Panel3D1");
  Panel3D1->setWordWrap(true);
  // A border that shows on all four sides (a raised panel's light top edge
  // vanishes against the window), with room between it and the text.
  Panel3D1->setFrameShape(QFrame::StyledPanel);
  Panel3D1->setFrameShadow(QFrame::Raised);
  Panel3D1->setMargin(TwipsToPixels(90));
  Panel3D1->setFixedWidth(TwipsToPixels(6000));
  Panel3D1->setText(ToQ("Enter a New " + kind_ + " Name and click on OK.  The current " + kind_ +
                        " name is given should you choose to modify it slightly for the new name.  Use the Delete "
                        "key to erase the name if you want a completely new name."));
  Panel3D2 = new QGroupBox(ToQ("New " + kind_ + " Name:"), this);
  Panel3D2->setObjectName("Panel3D2");
  Text1 = new QLineEdit(Panel3D2);
  Text1->setObjectName("Text1");
  auto* nameLayout = new QVBoxLayout(Panel3D2);
  nameLayout->addWidget(Text1);

  // A save to the floppy drive goes to a folder the user picks.
  FolderLabel = new QLabel(Panel3D2);
  FolderLabel->setObjectName("FolderLabel");
  FolderButton = new QPushButton("Folder...", Panel3D2);
  FolderButton->setObjectName("FolderButton");
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(FolderLabel, 1);
  folderRow->addWidget(FolderButton);
  nameLayout->addLayout(folderRow);
  bool floppy = fst.FloppyMode == 1;
  FolderLabel->setVisible(floppy);
  FolderButton->setVisible(floppy);
  if (floppy) FolderLabel->setText(ToQ(FloppyFolderPath()));
  OnAction(FolderButton, &QPushButton::clicked, this, "FolderButton", [this] {
    watch_->Suspend(true);
    StillLoaded<frmSaveFile> self(this);
    QString dir = ChooseFolder(this, "Folder to Save To", ToQ(FloppyFolderPath()));
    if (!self) return;
    watch_->Suspend(false);
    if (!dir.isEmpty()) {
      fst.FloppyFolder = FromQ(dir);
      FolderLabel->setText(dir);
    }
  });

  Command1 = new QPushButton("OK", this);
  Command2 = new QPushButton("Cancel", this);
  Command3 = new QPushButton("Help", this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Command1, Command2, Command3}) {
    b->setAutoDefault(false);
    b->installEventFilter(this);
    buttons->addWidget(b);
  }
  Text1->installEventFilter(this);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Panel3D1);
  v->addWidget(Panel3D2);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { Command1_Click(); });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { close(); });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [] { ShowHelpTopic(400); });
  watch_ = new DeactivateWatch(this, [this] {
    lostFront_ = true;
    close();
  });
  CloseOnEscape(this, [this] { Command2->click(); });
  // Its own help page does not count as losing the focus.
  watch_->SetExcept([](QWidget* w) { return qobject_cast<HelpForm*>(w) != nullptr; });

  // The current name, to be changed slightly for the new one.
  std::string name;
  if (tbl.CalcMode == 1) {
    name = fst.DialInFileName;
  } else if (tbl.CalcMode == 2) {
    name = fst.ThrottleStopFileName;
  } else {
    MakeRelativeName("vehdat");
    name = fst.CurrentFileName;
  }
  Text1->setText(ToQ(name));
}

frmSaveFile::~frmSaveFile() { DefaultInstance<frmSaveFile>::Forget(this); }

bool frmSaveFile::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      Act(this, "Enter", [this] { EnterKey(); });
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

void frmSaveFile::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    Act(this, "Enter", [this] { EnterKey(); });
    return;
  }
  QWidget::keyPressEvent(e);
}

void frmSaveFile::EnterKey() {
  // Enter in the name presses OK, as Enter does in the program's other
  // windows; on a button it presses that button.
  if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
    b->click();
    return;
  }
  if (focusWidget() == Text1) {
    Command1->click();
    return;
  }
  focusNextChild();
}

void frmSaveFile::Command1_Click() {
  // The checks and the save show boxes: the window may be unloaded under
  // them, so what the save needs of it is copied first.
  StillLoaded<frmSaveFile> self(this);
  const std::string kind = kind_, folderWord = folderWord_;
  const std::string typed = FromQ(Text1->text());
  fst.NewFileName = typed;
  ValidateEntryName(kind);
  if (fst.NewFileName == kRefusedName) return;
  // The user did not want the shortened name: the window waits for another.
  if (fst.NewFileName.empty() && !typed.empty()) return;

  const int16_t pending = waiting_;
  const std::string pendingChosen = waitingChosen_;
  // Whatever happens below, a step that waits for this save finds its
  // chosen file again.
  auto restore = [&] {
    if (pending < 0) fst.ChosenFileName = pendingChosen;
  };

  if (!self) return;
  if (fst.FloppyMode == 1)
    fst.ChosenFileName = FloppyFolderPath() + "/" + fst.NewFileName;
  else
    fst.ChosenFileName = ProgramFolderText() + "/" + folderWord + "/" + fst.NewFileName;

  ValidateFileName83();
  if (fst.FileExists == fexist::Invalid || !self) {
    restore();
    return;
  }
  if (fst.FileExists == fexist::Exists) {
    watch_->Suspend(true);
    int a = MsgBox("This " + kind + " file already exists.  Do you want to replace it with the current specs",
                   mb::YesNoCancel + mb::Exclamation, kind + " Name Already Exists");
    if (!self) {  // gone while asked: nothing is saved
      restore();
      return;
    }
    watch_->Suspend(false);
    if (a == ans::No) {
      restore();
      return;
    }
    if (a == ans::Cancel) {
      restore();
      close();
      return;
    }
  }

  const std::string target = fst.ChosenFileName;
  // The specs of the kind this window was asked for, whatever a run made
  // meanwhile left.
  tbl.CalcMode = calcMode_;
  fst.FileOperation = savemode::ChosenPath;
  SaveVehicleFile(FormId::frmMain);
  if (!SavedAsWanted(target)) {
    // The save failed and said so: nothing current changes, and the window
    // stays for another name, with the step that waits for the save.
    restore();
    fst.FileOperation = pending < 0 ? pending : savemode::SaveAs;
    return;
  }

  if (fst.FloppyMode != 1) {
    if (tbl.CalcMode == 0) {
      fst.CurrentFilePath = target;
      MakeRelativeName(folderWord);
    } else {
      std::string vehiclePath = fst.CurrentFilePath;
      fst.CurrentFilePath = target;
      MakeRelativeName(folderWord);
      (tbl.CalcMode == 1 ? fst.DialInFileName : fst.ThrottleStopFileName) = fst.CurrentFileName;
      fst.CurrentFilePath = vehiclePath;
      MakeRelativeName("vehdat");
    }
    FileWin().BuildMainCaption();
  }
  restore();
  if (!self) {
    // Unloaded under the save: the waiting step was dropped with it.
    if (pending < 0) fst.FileOperation = savemode::SaveAs;
    return;
  }
  // Only this close carries the waiting step on.
  if (pending < 0) fst.FileOperation = pending;
  saved_ = true;
  close();
}

void frmSaveFile::closeEvent(QCloseEvent* e) {
  e->accept();
  DefaultInstance<frmSaveFile>::Forget(this);
  watch_->Suspend(true);
  Form_Unload();
}

void frmSaveFile::Form_Unload() {
  const int16_t op = waiting_;
  if (op >= 0) return;
  // The waiting step runs once; a later save-as window starts afresh.
  waiting_ = savemode::SaveAs;
  fst.FileOperation = savemode::SaveAs;
  if (!saved_) {
    // Cancel, Escape, the close button, Cancel to replacing a file, or
    // another window to the front: the racer did not save, so nothing may
    // replace the specs. The open window is still up with its chosen file;
    // unless the racer went to another window, it has the front again.
    if (op == savemode::SaveAsFromOpen && !lostFront_)
      if (Rtrvfile* r = DefaultInstance<Rtrvfile>::IfLoaded()) r->ComeBackAfterTheSaveWindow();
    return;
  }
  switch (op) {
    case savemode::SaveAsFromOpen:
      fst.FileReadFailed = 0;
      fst.FloppyMode = 0;
      OpenVehicleFile(FormId::frmMain, openmode::Chosen);
      if (fst.FileReadFailed != 1) {
        FileWin().BuildMainCaption();
        Rtrvfile::CloseRetrieveForm();
      } else if (Rtrvfile* r = DefaultInstance<Rtrvfile>::IfLoaded()) {
        // The list shows the file just saved.
        r->Form_Activate();
      }
      break;
    case savemode::SaveAsBeforeHistory:
      RetrievePickedRun();
      break;
    case savemode::SaveAsBeforeNew:
      ResetNewVehicle();
      Rtrvfile::CloseRetrieveForm();
      break;
    case savemode::SaveAsBeforeExit:
      if (frmMain* m = DefaultInstance<frmMain>::IfLoaded()) m->ExitAfterSave();
      break;
    default: break;
  }
}

void frmSaveFile::RetrievePickedRun() {
  // Runs made while the window was up moved the picked run down the
  // history, or out of it.
  const int slot = FindHistoryRun(pickedRun_);
  if (slot < 0) {
    MsgBox(RunNotRetrievedMessage(pickedRun_.title));
    return;
  }
  if (!CheckHistoryCopy(slot)) {
    MsgBox(kMsgHistoryCopyLost);
    return;
  }
  fst.HistorySlot = static_cast<int16_t>(slot);
  const std::string title = tbl.HistoryTitle[slot];
  // The results on screen no longer stand for the specs.
  tbl.FromHistory = 1;
  Windows().ResultsFromHistory();
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  OpenVehicleFile(FormId::frmMain, openmode::History);
  if (fst.FileReadFailed == 1) return;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < HistoryWaitMs()) DoEvents();
  Windows().UnloadResultsWindow();
  MsgBox("File for:" + kCR + kCR + "    " + title + kCR + kCR + "successfully retrieved.");
  if (frmMain* m = DefaultInstance<frmMain>::IfLoaded()) m->BuildVehicleSummary();
}

void frmSaveFile::TakeWaitingStep() {
  waiting_ = fst.FileOperation < 0 ? fst.FileOperation : savemode::SaveAs;
  waitingChosen_ = fst.ChosenFileName;
  pickedRun_ = waiting_ == savemode::SaveAsBeforeHistory ? HistoryRunAt(fst.HistorySlot) : HistoryRun{};
}

void frmSaveFile::ShowSaveAsForm() {
  frmSaveFile* w = DefaultInstance<frmSaveFile>::Get();
  w->TakeWaitingStep();
  ShowOverMainWindow(w);
}

}  // namespace sw
