#include "files/file_state.h"

#include "platform/program_folder.h"

namespace sw {

FileState fst;

void ResetFileState() { fst = FileState{}; }

std::string FloppyFolderPath() {
  if (!fst.FloppyFolder.empty()) return fst.FloppyFolder;
  return ProgramFolder().generic_string();
}

}  // namespace sw
