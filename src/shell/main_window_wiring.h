// What the main window's menus and buttons open of the preference and file
// windows: the Preferences menu with its check marks, the old example
// removal, the open and save-as windows and the new-vehicle command.
#pragma once

namespace sw {

class frmMain;

// Connects the items of the main window's menus to these windows.
void WireHelpAndFileWindows(frmMain* main);

}  // namespace sw
