// Preset list files (COMBO/CMB<menu>-<row>) of any content: read into the
// shared line buffer, and a spec window's list filled with a linked
// example's name after it. No window is loaded here.
#include "fuzz_folder.h"
#include "platform/text.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/preset_lists.h"

namespace sw {
// The windows that own the pick lists: none.
PickListOwner* PickListOwnerOf(int) { return nullptr; }
}  // namespace sw

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Put("COMBO/CMB1-0", fuzz::Bytes(data, size));
  fuzz::Put("COMBO/CMB5-4", fuzz::Bytes(data, size));
  ResetTables();
  ResetShellValues();
  ComboLineTable lines;
  int count = -7;
  ReadComboData(lines, 1, 0, count);
  fuzz::Check(count == -7 || (count >= -1 && count < kComboLinesMax));
  tbl.ConverterDrive = 1;  // the converter's row 5 list is read from row 4
  ReadComboData(lines, 5, 5, count);
  shell.ExampleKind = 13;
  SpecAt(kEngine, 13) = "Linked";
  FillSpecCombo(1, 0);
  fuzz::Check(SpecAt(kEngine, 0).empty() || IsNumeric(SpecAt(kEngine, 0)));
  return 0;
}
