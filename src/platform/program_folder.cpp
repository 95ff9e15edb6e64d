#include "platform/program_folder.h"

#include <cstdlib>

#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

namespace {
fs::path g_folder;
fs::path g_seed;
}  // namespace

fs::path ProgramFolder() {
  if (!g_folder.empty()) return g_folder;
  if (const char* home = std::getenv("STAGEWELL_HOME"); home && *home) return fs::path(home);
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "stagewell";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "share" / "stagewell";
}

void SetProgramFolder(const fs::path& folder) { g_folder = folder; }

fs::path SeedFolder() {
  if (!g_seed.empty()) return g_seed;
#ifdef SW_SOURCE_DIR
  return fs::path(SW_SOURCE_DIR) / "data";
#else
  return {};
#endif
}

void SetSeedFolder(const fs::path& folder) { g_seed = folder; }

bool EnsureProgramFolder() {
  std::error_code ec;
  fs::path dest = ProgramFolder();
  fs::create_directories(dest, ec);
  if (!fs::is_directory(dest, ec)) return false;
  fs::path seed = SeedFolder();
  if (seed.empty() || !fs::is_directory(seed, ec)) return true;
  for (auto it = fs::recursive_directory_iterator(seed, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    fs::path rel = fs::relative(it->path(), seed, ec);
    if (ec) break;
    fs::path target = ResolveNoCase(dest, rel.generic_string());
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
      ec.clear();
    } else if (!fs::exists(target, ec)) {
      fs::create_directories(target.parent_path(), ec);
      fs::copy_file(it->path(), target, ec);
      ec.clear();
    }
  }
  return true;
}

fs::path ResolveNoCase(const fs::path& base, std::string_view relative) {
  std::string rel(relative);
  for (auto& c : rel)
    if (c == '\\') c = '/';
  fs::path cur = base;
  bool onDisk = true;
  size_t start = 0;
  while (start <= rel.size()) {
    size_t slash = rel.find('/', start);
    std::string part = rel.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    start = slash == std::string::npos ? rel.size() + 1 : slash + 1;
    if (part.empty() || part == ".") continue;
    fs::path next = cur / part;
    std::error_code ec;
    if (onDisk && !fs::exists(next, ec)) {
      bool found = false;
      if (fs::is_directory(cur, ec)) {
        for (auto& e : fs::directory_iterator(cur, ec)) {
          if (EqualsNoCase(e.path().filename().string(), part)) {
            next = e.path();
            found = true;
            break;
          }
        }
      }
      if (!found) onDisk = false;
    }
    cur = next;
  }
  return cur;
}

fs::path ProgramPath(std::string_view relative) { return ResolveNoCase(ProgramFolder(), relative); }

}  // namespace sw
