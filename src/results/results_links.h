// What the results window uses of the rest of the program: the main window's
// buttons, comments, caption and summary, the help and comments windows, the
// sibling program link, the printout options, and the vehicle files that a
// history retrieval reads and saves. Kept in one place so the results
// windows read like the rest of the program's windows.
#pragma once

#include <string>

class QWidget;

namespace sw::links {

// The window the results windows open over (nullptr when there is none).
QWidget* MainWindow();

// The main window's Calculate, Open and Save buttons: shown and enabled, or
// hidden and disabled while the results window is open.
void ShowMainFileButtons(bool shown);
// The main window's two button panels visible and usable again.
void RestoreMainPanels();
void RefreshVehicleSummary();

// The comments window with the main window's comments in it.
void ShowCommentsWindow();
void ShowHelpTopic(int topic);
// Windows of other parts of the program.
void CheckCylvaneLink();
void ShowPrintOptions();
// The window that saves the run table as a text file.
void ShowAsciiExport();

// The desktop's text viewer on a file, after telling the racer how to come
// back.
void ShowTextDocument(const std::string& path, const std::string& title);

// The current vehicle, for a history retrieval.
bool SpecsChanged();
std::string CurrentFileName();
// Asks the save-as window to save the current vehicle first; that window
// retrieves history entry `slot` once it has saved (not on Cancel).
void SaveThenRetrieveHistory(int slot);
// Reads the stored specs of history entry `slot`. False when the reader
// refused the file (it said why).
bool OpenHistoryCopy(int slot);

}  // namespace sw::links
