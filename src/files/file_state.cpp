#include "files/file_state.h"

#include "platform/program_folder.h"

namespace sw {

FileState fst;

void ResetFileState() { fst = FileState{}; }

bool FigureFromFile(int slot) {
  if (slot < 0 || slot >= kSpecCount) return false;
  const std::string& read = fst.SpecTextRead[static_cast<size_t>(slot)];
  return !read.empty() && tbl.SpecText[static_cast<size_t>(slot)] == read;
}

std::string FloppyFolderPath() {
  if (!fst.FloppyFolder.empty()) return fst.FloppyFolder;
  return ProgramFolder().generic_string();
}

}  // namespace sw
