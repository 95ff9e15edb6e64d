#include "shell/qt_window_host.h"

#include <QFrame>
#include <QLabel>

#include "dialin/frm_dial_in.h"
#include "match/frm_prgrs.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "results/frm_disp_grid.h"
#include "shell/frm_main.h"
#include "shell/frm_save_file.h"
#include "shell/rtrvfile.h"
#include "simulation/tables.h"
#include "specs/frm_engine.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

namespace sw {

void QtWindowHost::LoadProgress() {
  bool fresh = !DefaultInstance<frmPrgrs>::Loaded();
  frmPrgrs* p = DefaultInstance<frmPrgrs>::Get();
  if (fresh) {
    if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) {
      p->setParent(main, p->windowFlags());
    }
  }
  p->show();
  p->raise();
  p->activateWindow();
}

void QtWindowHost::SpecRowsChanged(int menu) { RefillSpecWindow(menu); }

void QtWindowHost::UnloadProgress() { DefaultInstance<frmPrgrs>::Unload(); }

bool QtWindowHost::ProgressLoaded() const { return DefaultInstance<frmPrgrs>::Loaded(); }

void QtWindowHost::SetProgressBar(float width) {
  if (frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded()) p->SetBarWidth(width);
}

void QtWindowHost::SetProgressDistance(const std::string& caption) {
  if (frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded()) p->Label2[0]->setText(ToQ(caption));
}

void QtWindowHost::SetProgressPass(const std::string& caption) {
  if (frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded()) p->Label2[1]->setText(ToQ(caption));
}

void QtWindowHost::EnableMainPanels(bool enabled) {
  if (frmMain* w = DefaultInstance<frmMain>::IfLoaded()) {
    w->Picture1->setEnabled(enabled);
    w->Picture2->setEnabled(enabled);
  }
}

void QtWindowHost::EngineCurveImported() {
  // Only a loaded window shows the curve: the unattended start has none.
  if (auto* w = static_cast<frmEngine*>(LoadedSpecWindow(kEngine))) w->CurveImported();
}

void QtWindowHost::ShowResultsAndNotes() { sw::ShowResultsAndNotes(); }
void QtWindowHost::UnloadResultsWindow() { frmDispGrid::Unload(); }
void QtWindowHost::ResultsFromHistory() {
  if (frmDispGrid* w = frmDispGrid::IfLoaded()) w->ShowRetrievalUnderWay();
}

// The run reads the weather rows of the live dial-in window.
bool QtWindowHost::DialInLoaded() const { return frmDialIn::IfLoaded() != nullptr; }

std::string QtWindowHost::DialInRowText(int row) const {
  frmDialIn* w = frmDialIn::IfLoaded();
  return w ? w->RowTextForRun(row) : std::string();
}

int QtWindowHost::DialInListIndex(int row) const {
  frmDialIn* w = frmDialIn::IfLoaded();
  return w ? w->PickForRun(row) : 0;
}

bool QtWindowHost::TransmissionLoaded() const { return LoadedSpecWindow(kTransmission) != nullptr; }

std::string QtWindowHost::TransmissionRowText(int row) const {
  SpecWindow* w = LoadedSpecWindow(kTransmission);
  return w && row >= 0 && row < w->RowCount() ? w->RowText(row) : "";
}

void QtWindowHost::SetTransmissionRowText(int row, const std::string& text) {
  SpecWindow* w = LoadedSpecWindow(kTransmission);
  if (w && row >= 0 && row < w->RowCount()) w->SetRowText(row, text);
}

std::string QtFileWindows::ChooseFileToOpen(const std::string& filter, const std::string& title,
                                            const std::string& startFolder) {
  (void)filter;  // "All Files (*.*)"
  QString path = sw::ChooseFileToOpen(DefaultInstance<frmMain>::IfLoaded(), ToQ(title), ToQ(startFolder), "All Files (*)");
  return FromQ(path);
}

void QtFileWindows::ShowRetrieveForm() { Rtrvfile::ShowRetrieveForm(); }

void QtFileWindows::ShowSaveAsForm() { frmSaveFile::ShowSaveAsForm(); }

void QtFileWindows::SetMainComments(const std::string& text) {
  if (frmMain* w = DefaultInstance<frmMain>::IfLoaded()) w->ShowComments(text);
}

void QtFileWindows::SetDialInComments(const std::string& text) {
  if (frmDialIn* w = frmDialIn::IfLoaded()) w->EntriesRead(text);
}

void QtFileWindows::BuildMainCaption() {
  std::string caption;
  sw::BuildMainCaption(caption);
}

void QtFileWindows::CurrentVehicleChanged() {
  // Not left to the main window's next activation: coming back from a box
  // (a save question answered on the way) is none.
  if (frmMain* w = DefaultInstance<frmMain>::IfLoaded()) w->BuildVehicleSummary();
}

void InstallQtWindows() {
  static QtWindowHost host;
  static QtFileWindows files;
  WatchWindows();
  SetWindows(&host);
  SetFileWindows(&files);
}

}  // namespace sw
