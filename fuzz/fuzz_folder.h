// The program folder a harness reads its files from: $SW_FUZZ_HOME when set
// (the fuzz script gives each harness one in its build folder), else a
// folder of its own in the temporary folder, removed when the harness ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/program_folder.h"
#include "platform/seqfile.h"

namespace sw::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

inline const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    namespace fs = std::filesystem;
    fs::path f;
    if (const char* home = std::getenv("SW_FUZZ_HOME"); home && *home) {
      f = home;
      fs::create_directories(f);
    } else {
      std::string pattern = (fs::temp_directory_path() / "stagewell-fuzz-XXXXXX").string();
      Check(::mkdtemp(pattern.data()) != nullptr);
      f = pattern;
      static const fs::path removed = f;
      std::atexit([] {
        std::error_code ec;
        fs::remove_all(removed, ec);
      });
    }
    SetProgramFolder(f);
    return f;
  }();
  return folder;
}

// Writes a file of the program folder (its folder made when missing).
inline void Put(const std::string& relative, std::string_view bytes) {
  const std::filesystem::path p = Folder() / relative;
  std::filesystem::create_directories(p.parent_path());
  Check(WriteFileAtomic(p, bytes));
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A shipped file of the source tree's data folder, copied in once.
inline void CopyShipped(const std::string& relative) {
  std::string bytes;
  Check(ReadFileBytes(std::filesystem::path(SW_SOURCE_DIR) / "data" / relative, bytes));
  Put(relative, bytes);
}

}  // namespace sw::fuzz
