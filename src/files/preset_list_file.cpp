#include "files/preset_list_file.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
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
