#include "shell/frm_seek.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QStorageInfo>
#include <QVBoxLayout>
#include <exception>

#include "files/file_seek.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_place.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

const std::string kCR(1, CR);

std::string Instruction() {
  return "Select Drive to Search for " + shell.SeekExeName + kCR + "Then click on the Search Button";
}

}  // namespace

std::vector<std::string> frmSeek::SeekDrives() {
  std::vector<std::string> drives{FromQ(QDir::homePath()), "/"};
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    // Disks only: no memory, process or loop-mounted package file systems.
    const QByteArray device = v.device();
    if (!v.isValid() || !v.isReady() || !device.startsWith("/dev/") || device.startsWith("/dev/loop")) continue;
    const std::string root = FromQ(v.rootPath());
    if (std::find(drives.begin(), drives.end(), root) == drives.end()) drives.push_back(root);
  }
  return drives;
}

frmSeek::frmSeek() : QDialog(DefaultInstance<frmMain>::IfLoaded()) {
  setObjectName("frmSeek");
  setWindowTitle("File Seek");
  setModal(true);

  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Drive1 = new PickList(this);
  Drive1->setObjectName("Drive1");
  Drive1->setAccessibleName("Drive to search");
  // The instruction above the list names it for a screen reader.
  Label2->setBuddy(Drive1);
  Drive1->setMinimumWidth(TwipsToPixels(7200));
  for (const std::string& d : SeekDrives()) Drive1->addItem(ToQ(d));

  static const char* kButtons[3] = {"Search", "Cancel/Halt", "Use"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(kButtons[i], this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setAutoDefault(i == 0);
    OnAction(b, &QPushButton::clicked, this, "Command1_" + std::to_string(i), [this, i] { Command1_Click(i); });
    buttons->addWidget(b);
    Command1.push_back(b);
  }
  Command1[0]->setDefault(true);
  Command1[2]->hide();

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label4 = new QLabel("Folders Searched:", this);
  Label4->setObjectName("Label4");
  Label5 = new QLabel(this);
  Label5->setObjectName("Label5");
  Label5->setAccessibleName("Folders Searched");
  Label5->setMinimumWidth(TwipsToPixels(1200));
  auto* counts = new QHBoxLayout;
  counts->addWidget(Label1, 1);
  counts->addWidget(Label4);
  counts->addWidget(Label5);

  Frame3D1 = new QGroupBox("Options for File(s) Found", this);
  Frame3D1->setObjectName("Frame3D1");
  Label3 = new QLabel(Frame3D1);
  Label3->setObjectName("Label3");
  Label3->setWordWrap(true);
  // Two lines, whatever width the window settles on once the frame shows.
  Label3->setMinimumHeight(Label3->fontMetrics().lineSpacing() * 2 + 4);
  List1 = new QListWidget(Frame3D1);
  List1->setObjectName("List1");
  List1->setAccessibleName("Occurrences found");
  List1->setMinimumSize(TwipsToPixels(7200), TwipsToPixels(1500));
  OnAction(List1, &QListWidget::itemDoubleClicked, this, "List1 itemDoubleClicked", [this] { Use(); });
  auto* f = new QVBoxLayout(Frame3D1);
  f->addWidget(Label3);
  f->addWidget(List1);
  Frame3D1->hide();

  auto* v = new QVBoxLayout(this);
  v->addWidget(Label2);
  v->addWidget(Drive1);
  v->addLayout(counts);
  v->addWidget(Frame3D1);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  // Load: nothing found yet, the home folder chosen.
  Label1->clear();
  List1->clear();
  Label2->setText(DisplayText(Instruction()));
  Drive1->setCurrentIndex(0);
}

frmSeek::~frmSeek() = default;

void frmSeek::SeekModal() {
  frmSeek* w = DefaultInstance<frmSeek>::Get();
  PlaceOver(w, DefaultInstance<frmMain>::IfLoaded());
  // Asked for again while it is open: the open one comes to the front.
  if (ExecModal(w) == kDialogAlreadyOpen) return;
  DefaultInstance<frmSeek>::Unload();
}

int16_t frmSeek::Searching() const { return seek_ ? seek_->Searching : 0; }

void frmSeek::Command1_Click(int index) {
  switch (index) {
    case 0: Search(); break;
    case 1: CancelHalt(); break;
    case 2: Use(); break;
    default: break;
  }
}

void frmSeek::Search() {
  if (walking_) return;
  const std::string drive = FromQ(Drive1->currentText());
  Label1->clear();
  List1->clear();
  Frame3D1->hide();
  Label2->setText(DisplayText(Instruction()));
  seek_ = std::make_unique<FileSeek>(shell.SeekExeName);
  // The count is repainted a few times a second: repainting it for every
  // folder would make the walk many times slower.
  QElapsedTimer shown;
  shown.start();
  seek_->onFolder = [this, &shown] {
    if (shown.elapsed() >= 40) {
      Label5->setText(ToQ(Str(seek_->FoldersSearched)));
      shown.restart();
    }
    DoEvents();
  };

  walking_ = true;
  Command1[0]->setEnabled(false);
  Drive1->setEnabled(false);
  Ui().SetBusyCursor(true);
  std::string failure;
  // The walk lets events run: the window may be unloaded under it.
  StillLoaded<frmSeek> self(this);
  try {
    seek_->SearchFolderForFile(drive);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  Ui().SetBusyCursor(false);
  if (!self) return;
  walking_ = false;
  seek_->Searching = 0;
  seek_->onFolder = nullptr;
  Label5->setText(ToQ(Str(seek_->FoldersSearched)));
  Command1[0]->setEnabled(true);
  Drive1->setEnabled(true);

  if (!failure.empty()) {
    // The seek gives up; the program goes on.
    MsgBox(failure + ". Unexpected error, exiting Seek Function.", mb::OKOnly, "");
    if (!self) return;
    closeAsked_ = true;
  }
  if (closeAsked_) {
    reject();
    return;
  }

  for (const std::string& p : seek_->Found) List1->addItem(ToQ(p));
  Label1->setText(ToQ(seek_->CountText));
  const int n = static_cast<int>(Val(seek_->CountText));
  if (n == 0) {
    MsgBox("This file was not found on the " + drive + " Drive.  Possible reasons include:" + kCR + kCR +
               "    -  You do not own the correct version of this" + kCR + "       Vehicle Program." + kCR + kCR +
               "    -  This program is on a different disk drive.",
           mb::OKOnly, "");
    // The keyboard goes back to the drives, for a search on another one.
    if (self) Drive1->setFocus();
  } else if (n == 1) {
    shell.SeekExeName = FromQ(List1->item(0)->text());
    accept();
  } else {
    Frame3D1->show();
    ShowUseButton();
    List1->setCurrentRow(0);
    Label3->setText(DisplayText("Double click (or single click and click on 'Use') on the occurance of " +
                                shell.SeekExeName + " you want to use."));
  }
}

void frmSeek::CancelHalt() {
  if (Searching() == 0) {
    shell.SeekExeName.clear();
    done(QDialog::Rejected);
    return;
  }
  StillLoaded<frmSeek> self(this);
  if (MsgBox("Halt searching for file ?", mb::YesNo, Space(19) + "Halt ?" + Space(20)) == ans::Yes && self) {
    if (seek_) seek_->Searching = 0;
    ShowUseButton();
    Ui().SetBusyCursor(false);
  }
}

void frmSeek::ShowUseButton() { Command1[2]->show(); }

void frmSeek::Use() {
  QListWidgetItem* item = List1->currentItem();
  if (!item) return;
  shell.SeekExeName = FromQ(item->text());
  accept();
}

// The close box and Escape: during a walk they halt it and the window
// closes once the walk has unwound.
void frmSeek::reject() {
  if (walking_) {
    closeAsked_ = true;
    if (seek_) seek_->Searching = 0;
    return;
  }
  shell.SeekExeName.clear();
  QDialog::reject();
}

}  // namespace sw
