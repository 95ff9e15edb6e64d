#include "platform/program_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

namespace {
fs::path g_folder;
fs::path g_seed;

// The list of every version ever shipped; it stays in the shipped folder.
constexpr const char* kVersionList = ".shipped-versions";

// What the program itself writes into its folder (the configuration, the
// working copy, the example and vehicle libraries, the history ...): a copy
// of these may have been rewritten by the racer through the program, so a
// newer shipped version never replaces it.
constexpr const char* kProgramWritten[] = {
    "qvzCNFG.ZKT", "QVCURVEH.ZKT", "baseplot.ZKT", "ENGCURVE.ZKT", "LapDtOut.txt", "Analysis Report.txt",
    "QVZEXMP",     "VEHDAT",       "XVehicleData", "DIALIN",       "THRTLSTP",     "QVHISTRY"};

bool ProgramWrites(const std::string& relative) {
  const std::string top = relative.substr(0, relative.find('/'));
  return std::any_of(std::begin(kProgramWritten), std::end(kProgramWritten),
                     [&](const char* own) { return EqualsNoCase(top, own); });
}

// What the shipped folder holds: its path and the name, length and time of
// every file and folder in it, which changes whenever one is added, taken
// away, renamed or rewritten. Taking it reads none of the files.
std::string SeedFingerprint(const fs::path& seed) {
  std::error_code ec;
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(seed, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    std::string name = it->path().lexically_relative(seed).generic_string();
    std::error_code fileEc;
    if (it->is_regular_file(fileEc)) {
      const auto size = it->file_size(fileEc);
      const auto time = it->last_write_time(fileEc).time_since_epoch().count();
      if (!fileEc) name += "\t" + std::to_string(size) + "\t" + std::to_string(time);
    }
    names.push_back(std::move(name));
  }
  if (ec) return {};  // a folder that cannot be listed: no fingerprint
  std::sort(names.begin(), names.end());
  std::string out = seed.string() + "\n";
  for (const auto& name : names) out += name + "\n";
  return out;
}

// A file the racer never changed is one equal to a version shipped earlier:
// it is replaced, as a whole, by the version shipped now. A file the racer
// changed, and one the program writes itself, stay as they are. False when
// the replacement failed.
bool BringUpToDate(const fs::path& shipped, const fs::path& target, const std::string& relative,
                   const ShippedVersions& versions) {
  std::error_code ec;
  if (ProgramWrites(relative) || !fs::is_regular_file(target, ec)) return true;
  std::string now, have;
  if (!ReadFileBytes(target, have)) return true;  // unreadable: not ours to judge
  if (!ReadFileBytes(shipped, now)) return false;
  if (ShippedVersions::Print(have) == ShippedVersions::Print(now) || !versions.Has(relative, have)) return true;
  return WriteFileAtomic(target, now);
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
  // The program works from inside its folder: a folder named relative to
  // where it was started would otherwise be looked for inside itself.
  if (dest.is_relative()) SetProgramFolder(dest = fs::absolute(dest, ec));
  fs::path seed = SeedFolder();
  if (seed.empty() || !fs::is_directory(seed, ec)) return true;
  // A folder filled from this very shipped folder before needs no look at
  // each of its files again.
  const std::string fingerprint = SeedFingerprint(seed);
  std::string stamp;
  if (!fingerprint.empty() && ReadFileBytes(dest / kSeedStampFile, stamp) && stamp == fingerprint) return true;
  const ShippedVersions versions(seed);
  bool complete = !fingerprint.empty();
  for (auto it = fs::recursive_directory_iterator(seed, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    fs::path rel = fs::relative(it->path(), seed, ec);
    if (ec) break;
    const std::string relative = rel.generic_string();
    if (relative == kVersionList) continue;
    fs::path target = ResolveNoCase(dest, relative);
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
      if (ec || !fs::is_directory(target, ec)) complete = false;
      ec.clear();
    } else if (!fs::exists(target, ec)) {
      fs::create_directories(target.parent_path(), ec);
      if (!fs::copy_file(it->path(), target, ec)) complete = false;
      ec.clear();
    } else if (!BringUpToDate(it->path(), target, relative, versions)) {
      complete = false;
    }
  }
  if (ec) complete = false;
  if (complete) WriteFileAtomic(dest / kSeedStampFile, fingerprint);
  return true;
}

std::string ShippedVersions::Print(std::string_view bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
  size_t length = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 0x100000001b3ull;
    ++length;
  }
  char out[40];
  std::snprintf(out, sizeof out, "%016llx %zu", static_cast<unsigned long long>(hash), length);
  return out;
}

ShippedVersions::ShippedVersions(const fs::path& seed) {
  std::string list;
  if (seed.empty() || !ReadFileBytes(seed / kVersionList, list)) return;
  for (size_t pos = 0; pos < list.size();) {
    size_t end = list.find('\n', pos);
    if (end == std::string::npos) end = list.size();
    std::string line = list.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "<hash> <length> <path>": the path may hold blanks.
    const size_t second = line.find(' ', line.find(' ') + 1);
    if (line.empty() || line[0] == '#' || second == std::string::npos) continue;
    prints_.insert(LCase(line.substr(second + 1)) + "\n" + line.substr(0, second));
  }
}

bool ShippedVersions::Has(std::string_view relative, std::string_view bytes) const {
  return prints_.count(LCase(relative) + "\n" + Print(bytes)) > 0;
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
