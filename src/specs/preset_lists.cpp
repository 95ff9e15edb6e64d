#include "specs/preset_lists.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"

namespace sw {

ComboLineTable ComboLines;

void ReadComboData(ComboLineTable& lines, int menu, int spec, int& count) {
  int fileRow = spec;
  if (menu == 5 && spec == 5 && tbl.ConverterDrive == 1) fileRow = 4;
  std::string name = "COMBO/CMB" + std::to_string(menu) + "-" + std::to_string(fileRow);

  SeqReader in;
  bool ok = in.Open(ProgramPath(name));
  ComboLineTable read = lines;
  int i = 0;
  while (ok && i < kComboLinesMax) {
    // Reading past the end is the runtime's "Input past end of file".
    if (!in.LineInput(read[i])) {
      ok = false;
      break;
    }
    if (read[i] == "-9999" || in.Eof()) break;
    ++i;
  }
  if (!ok) {
    MsgBox("Combo Data for Menu #" + Str(menu) + ", Spec #" + Str(spec) +
               " is not readable.  You may need to reinstall this program.",
           mb::OKOnly, "");
    return;
  }
  lines = read;
  count = i - 1;
}

}  // namespace sw

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
