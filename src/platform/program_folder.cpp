#include "platform/program_folder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

namespace {
fs::path g_folder;
fs::path g_seed;

// What the shipped folder holds: its path and the name of every file and
// folder in it, which changes whenever one is added, taken away or renamed.
// Taking it lists the folders but looks at none of their files.
std::string SeedFingerprint(const fs::path& seed) {
  std::error_code ec;
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(seed, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    names.push_back(it->path().lexically_relative(seed).generic_string());
  if (ec) return {};  // a folder that cannot be listed: no fingerprint
  std::sort(names.begin(), names.end());
  std::string out = seed.string() + "\n";
  for (const auto& name : names) out += name + "\n";
  return out;
}

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
  // A folder filled from this very shipped folder before needs no look at
  // each of its files again.
  const std::string fingerprint = SeedFingerprint(seed);
  std::string stamp;
  if (!fingerprint.empty() && ReadFileBytes(dest / kSeedStampFile, stamp) && stamp == fingerprint) return true;
  bool complete = !fingerprint.empty();
  for (auto it = fs::recursive_directory_iterator(seed, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    fs::path rel = fs::relative(it->path(), seed, ec);
    if (ec) break;
    fs::path target = ResolveNoCase(dest, rel.generic_string());
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
      if (ec || !fs::is_directory(target, ec)) complete = false;
      ec.clear();
    } else if (!fs::exists(target, ec)) {
      fs::create_directories(target.parent_path(), ec);
      if (!fs::copy_file(it->path(), target, ec)) complete = false;
      ec.clear();
    }
  }
  if (ec) complete = false;
  if (complete) WriteFileAtomic(dest / kSeedStampFile, fingerprint);
  return true;
}

fs::path ShippedDataBeside(const fs::path& program) {
  std::error_code ec;
  const fs::path folder = fs::absolute(program, ec).parent_path();
  for (const char* rel : {"data", "../share/stagewell/data"}) {
    const fs::path d = (folder / rel).lexically_normal();
    if (fs::is_directory(d, ec)) return d;
  }
  return {};
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
