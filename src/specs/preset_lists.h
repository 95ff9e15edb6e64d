// Preset lists: the items of the pick lists of the six spec windows and the
// dial-in window, one shipped file per spec menu and row (read by
// files/preset_list_file.h), and how a window's list is filled from them.
#pragma once

#include <string>
#include <vector>

#include "files/preset_list_file.h"

namespace sw {

// A window whose pick lists FillSpecCombo fills: the loaded spec window of
// menus 1-6, the dial-in window for menus 8 and 9.
class PickListOwner {
 public:
  virtual ~PickListOwner() = default;
  // Empties the row's list and adds the items; nothing is picked.
  virtual void FillPickList(int row, const std::vector<std::string>& items) = 0;
  // Adds the linked example's name as the list's last item and picks it,
  // with the window's pick handling.
  virtual void AppendLinkedExample(int row, const std::string& name) = 0;
};

// The loaded window that owns the pick lists of a menu, nullptr when none is
// loaded (src/specs/spec_windows.cpp).
PickListOwner* PickListOwnerOf(int menu);

// Rebuilds the pick list of (menu, row) in the menu's loaded window from its
// preset file. For menus 1 to 4, when shell.ExampleKind is not -1 and the
// group's name slot SpecText(SpecMenuStart(menu) + ExampleKind) holds a name,
// the name is appended, picked, and the row's stored value points at it
// ("2" for a two-item list) - also when no window is loaded. Never creates
// a window. An unreadable preset file gives its message and an empty list.
void FillSpecCombo(int menu, int row);

}  // namespace sw
