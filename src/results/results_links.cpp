#include "results/results_links.h"

#include <QFrame>
#include <QPushButton>

#include "files/file_state.h"
#include "files/vehicle_file.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/kept_in_front.h"
#include "platform/qt/qt_ui.h"
#include "platform/window_host.h"
#include "printing/file_optns.h"
#include "printing/prnt_optns.h"
#include "shell/cylvane_link.h"
#include "shell/frm_main.h"
#include "simulation/tables.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/help_form.h"
#include "shell/outside_viewers.h"

namespace sw::links {

namespace {
frmMain* Main() { return DefaultInstance<frmMain>::IfLoaded(); }

// The results keep the main window waiting: a window they open stays in
// front of it as they do, or a click on the greyed main window would bury it.
template <class W>
void ShowInFrontOfMain() {
  if (!DefaultInstance<W>::Loaded()) KeepInFrontOf(DefaultInstance<W>::Get(), Main());
  W::ShowWindow();
}
}  // namespace

QWidget* MainWindow() { return Main(); }

void ShowMainFileButtons(bool shown) {
  frmMain* m = Main();
  if (!m) return;
  for (QPushButton* b : {m->cmdOpen, m->cmdSave, m->cmdRun}) {
    b->setVisible(shown);
    b->setEnabled(shown);
  }
}

void ShowTextDocument(const std::string& path, const std::string& title) { sw::ShowTextDocument(path, title); }

void RestoreMainPanels() {
  if (frmMain* m = Main()) {
    m->Picture2->setVisible(true);
    m->Picture1->setVisible(true);
  }
  Windows().EnableMainPanels(true);
}

void RefreshVehicleSummary() {
  if (frmMain* m = Main()) m->BuildVehicleSummary();
}

void ShowCommentsWindow() {
  frmDispCmnts::ShowVehicleComments();
}

void ShowHelpTopic(int topic) {
  sw::ShowHelpTopic(topic);
}

void CheckCylvaneLink() {
  int16_t quiet = 0;
  sw::CheckCylvaneLink(quiet);
}

void ShowPrintOptions() { ShowInFrontOfMain<PrntOptns>(); }
void ShowAsciiExport() { ShowInFrontOfMain<FileOptns>(); }

bool SpecsChanged() { return fst.SpecsChanged == 1; }
std::string CurrentFileName() { return fst.CurrentFileName; }

void SaveThenRetrieveHistory(int slot) {
  fst.HistorySlot = static_cast<int16_t>(slot);
  fst.FileOperation = savemode::SaveAsBeforeHistory;
  SaveVehicleFile(FormId::Rtrvfile);
}

bool OpenHistoryCopy(int slot) {
  fst.HistorySlot = static_cast<int16_t>(slot);
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  OpenVehicleFile(FormId::frmMain, openmode::History);
  return fst.FileReadFailed != 1;
}

}  // namespace sw::links
