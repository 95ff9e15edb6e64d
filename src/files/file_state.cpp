#include "files/file_state.h"

#include <cstdlib>

namespace sw {

FileState fst;

void ResetFileState() { fst = FileState{}; }

std::string FloppyFolderPath() {
  if (!fst.FloppyFolder.empty()) return fst.FloppyFolder;
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) : std::string("/");
}

}  // namespace sw
