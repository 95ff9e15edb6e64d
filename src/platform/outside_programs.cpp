#include "platform/outside_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace sw {

namespace {

class InertPrograms : public OutsidePrograms {
 public:
  int64_t Start(const std::string&, const std::vector<std::string>&, const std::string&) override { return 0; }
  bool StillRunning(int64_t) override { return false; }
  bool Open(const std::string&) override { return false; }
  Activation Activate(const std::string&) override { return Activation::CannotTell; }
};

InertPrograms& Inert() {
  static InertPrograms p;
  return p;
}

OutsidePrograms* g_programs = nullptr;

// Skips one blank-separated field and the blanks after it.
size_t SkipField(std::string_view line, size_t pos) {
  while (pos < line.size() && line[pos] != ' ') ++pos;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  return pos;
}

}  // namespace

OutsidePrograms& Programs() { return g_programs ? *g_programs : Inert(); }
void SetPrograms(OutsidePrograms* programs) { g_programs = programs; }

bool IsExecutableFile(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindWindowId(const std::string& windowList, const std::string& title) {
  if (title.empty()) return std::nullopt;
  std::optional<std::string> first;
  std::string_view rest(windowList);
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view id = line.substr(0, line.find(' '));
    if (id.empty()) continue;
    // The id and the desktop are padded with blanks; the host name is
    // followed by exactly one, so a title keeps any blanks of its own.
    size_t pos = SkipField(line, SkipField(line, 0));
    while (pos < line.size() && line[pos] != ' ') ++pos;
    if (pos >= line.size()) continue;
    const std::string_view windowTitle = line.substr(pos + 1);
    if (windowTitle == title) return std::string(id);
    if (!first && windowTitle.substr(0, title.size()) == title) first = std::string(id);
  }
  return first;
}

}  // namespace sw
