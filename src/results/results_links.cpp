#include "results/results_links.h"

#include "platform/window_host.h"

namespace sw::links {

QWidget* MainWindow() { return nullptr; }

void ShowMainFileButtons(bool shown) {}
void RestoreMainPanels() { Windows().EnableMainPanels(true); }
std::string MainComments() { return ""; }
void RefreshMainCaption() {}
void RefreshVehicleSummary() {}

bool CommentsWindowAvailable() { return false; }
void ShowCommentsWindow(const std::string& comments) {}
bool HelpAvailable() { return false; }
void ShowHelpTopic(int topic) {}
bool CylvaneLinkAvailable() { return false; }
void CheckCylvaneLink() {}
bool PrintOptionsAvailable() { return false; }
void ShowPrintOptions() {}

bool HistoryRetrievalAvailable() { return false; }
bool SpecsChanged() { return false; }
std::string CurrentFileName() { return ""; }
void SaveThenRetrieveHistory(int slot) {}
bool OpenHistoryCopy(int slot) { return false; }

}  // namespace sw::links
