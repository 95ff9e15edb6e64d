#include "files/file_write.h"

#include <unistd.h>

#include <cstdint>

#include "platform/seqfile.h"

namespace sw {

namespace fs = std::filesystem;

namespace {
std::size_t g_failAfter = SIZE_MAX;
}

bool CanReplaceFile(const fs::path& path) {
  std::error_code ec;
  if (path.empty() || !path.has_filename()) return false;
  // A symbolic link is saved through: what counts is the file it names.
  const fs::path target = SaveTarget(path);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec)) return false;
  if (fs::is_directory(target, ec)) return false;
  if (::access(dir.c_str(), W_OK) != 0) return false;
  if (fs::exists(target, ec) && ::access(target.c_str(), W_OK) != 0) return false;
  return true;
}

bool WriteTextFile(const fs::path& target, std::string_view text) {
  SeqWriter w;
  if (!w.Open(target)) return false;
  if (g_failAfter != SIZE_MAX) w.FailAfterBytesForTest(g_failAfter);
  w.PrintText(text);
  return w.Close();
}

void FailFileWritesAfterForTest(std::size_t bytes) { g_failAfter = bytes; }

}  // namespace sw
