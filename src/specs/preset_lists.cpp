#include "specs/preset_lists.h"

#include "shell/shell_state.h"
#include "simulation/tables.h"

namespace sw {

void FillSpecCombo(int menu, int row) {
  // An unreadable file leaves the count at -1: the list stays empty rather
  // than showing whatever an earlier read left in the buffer.
  int count = -1;
  ReadComboData(ComboLines, menu, row, count);
  PickListOwner* owner = PickListOwnerOf(menu);
  if (owner) owner->FillPickList(row, std::vector<std::string>(ComboLines.begin(), ComboLines.begin() + count + 1));

  if (shell.ExampleKind == -1 || menu < 1 || menu > 4) return;
  const int nameSlot = tbl.SpecMenuStart[menu] + shell.ExampleKind;
  const int typeSlot = tbl.SpecMenuStart[menu] + row;
  if (shell.ExampleKind < 0 || nameSlot >= kSpecCount || typeSlot < 0 || typeSlot >= kSpecCount) return;
  const std::string name = tbl.SpecText[nameSlot];
  if (name.empty()) return;
  if (owner) owner->AppendLinkedExample(row, name);
  tbl.SpecText[typeSlot] = std::to_string(count + 1);
}

}  // namespace sw
