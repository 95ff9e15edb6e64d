#include "files/file_write.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

namespace {
std::size_t g_failAfter = SIZE_MAX;
std::string g_failOnly;
}

bool CanReplaceFile(const fs::path& path, int* error) {
  auto refuse = [error](int why) {
    if (error) *error = why;
    return false;
  };
  std::error_code ec;
  if (path.empty() || !path.has_filename()) return refuse(EISDIR);
  // A symbolic link is saved through: what counts is the file it names.
  const fs::path target = SaveTarget(path);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec)) return refuse(ENOENT);
  if (fs::is_directory(target, ec)) return refuse(EISDIR);
  // A read-only file system is the folder's matter, not the file's.
  if (fs::exists(target, ec) && ::access(target.c_str(), W_OK) != 0 && errno != EROFS) return refuse(errno);
  return true;
}

bool WriteTextFile(const fs::path& target, std::string_view text, int* error) {
  SeqWriter w;
  bool ok = w.Open(target);
  if (ok) {
    if (g_failAfter != SIZE_MAX && (g_failOnly.empty() || target.filename() == g_failOnly))
      w.FailAfterBytesForTest(g_failAfter);
    w.PrintText(text);
    ok = w.Close();
  }
  if (error) *error = w.Error();
  return ok;
}

std::string WriteFailureText(const std::string& what, const fs::path& target, int error) {
  const std::string cr2(2, CR);
  return what + " could not be written:" + cr2 + "      " + SaveTarget(target).string() + cr2 +
         "Reason: " + WriteErrorText(error) + ".";
}

void FailFileWritesAfterForTest(std::size_t bytes, const std::string& onlyTo) {
  g_failAfter = bytes;
  g_failOnly = onlyTo;
}

}  // namespace sw
