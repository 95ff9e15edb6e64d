// What the main window's menus and buttons open of the help, preference and
// file windows: help on the main screen, the Windows-commands tutorial, the
// Preferences menu with its check marks, the old example removal, the open
// and save-as windows and the new-vehicle command.
#pragma once

namespace sw {

class frmMain;

// Connects the items of the main window's menus to these windows.
void WireHelpAndFileWindows(frmMain* main);

// The start-up text screen (shell.TextScreenId) and the tip shell.TipNumber.
void ShowStartupTextScreen();
void ShowStartupTip();

}  // namespace sw
