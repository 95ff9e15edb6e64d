#include "files/file_seek.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/text.h"
#include "platform/ui.h"

namespace sw {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Upper(a) == Upper(b);
}

bool EndsNoCase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && SameNoCase(s.substr(s.size() - tail.size()), tail);
}

// Folder lists read alphabetically, whatever the case of the names.
bool ListOrder(const std::string& a, const std::string& b) {
  const std::string ua = Upper(a), ub = Upper(b);
  return ua != ub ? ua < ub : a < b;
}

struct Subfolder {
  std::string name;
  uint64_t inode;
};

}  // namespace

bool IsThirdPartyProgram(const std::string& soughtName) {
  const std::string u = Upper(soughtName);
  return u == "IEXPLORE.EXE" || u == "ACROBAT.EXE" || u == "ACRORD32.EXE";
}

std::string OccurrencesText(int count, const std::string& soughtName) {
  return Str(count) + " Occurances Found of " + soughtName;
}

FileSeek::FileSeek(std::string soughtName)
    : sought_(std::move(soughtName)), thirdParty_(IsThirdPartyProgram(sought_)) {}

int FileSeek::SearchFolderForFile(const fs::path& folder) {
  TooMany = false;
  struct stat st {};
  int result = 0;
  if (lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::vector<uint64_t> ancestors{static_cast<uint64_t>(st.st_ino)};
    result = Walk(folder, static_cast<uint64_t>(st.st_dev), ancestors);
  }
  // Nothing runs any more: a later Cancel closes the window at once.
  Searching = 0;
  return result;
}

int FileSeek::Walk(const fs::path& folder, uint64_t device, std::vector<uint64_t>& ancestors) {
  Searching = -1;
  ++FoldersSearched;
  if (onFolder) onFolder();
  if (Searching == 0) return -1;

  std::vector<Subfolder> subfolders;
  std::vector<std::string> matches;
  bool holdsZkt = false;
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::path& path = it->path();
    std::string name = path.filename().string();
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      // Another volume, or a folder that leads back up the chain (a bind
      // mount), is not walked.
      const auto inode = static_cast<uint64_t>(st.st_ino);
      if (static_cast<uint64_t>(st.st_dev) != device) continue;
      if (std::find(ancestors.begin(), ancestors.end(), inode) != ancestors.end()) continue;
      subfolders.push_back({std::move(name), inode});
      continue;
    }
    if (EndsNoCase(name, ".zkt")) holdsZkt = true;
    if (SameNoCase(name, sought_)) {
      struct stat target {};
      if (stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode)) matches.push_back(std::move(name));
    }
  }

  std::sort(subfolders.begin(), subfolders.end(),
            [](const Subfolder& a, const Subfolder& b) { return ListOrder(a.name, b.name); });
  // The last subfolder of the list first, each walked to its end.
  for (size_t k = subfolders.size(); k > 0 && Searching == -1; --k) {
    ancestors.push_back(subfolders[k - 1].inode);
    const int r = Walk(folder / subfolders[k - 1].name, device, ancestors);
    ancestors.pop_back();
    if (r == -1) return -1;
  }

  if (!holdsZkt && !thirdParty_) return 0;
  std::sort(matches.begin(), matches.end(), ListOrder);
  for (const std::string& name : matches) {
    if (Found.size() >= ListLimit) {
      TooMany = true;
      MsgBox("Too many entries found to display in listbox.", mb::OKOnly, "");
      return -1;
    }
    Found.push_back((folder / name).string());
    CountText = OccurrencesText(static_cast<int>(Val(CountText)) + 1, sought_);
  }
  return 0;
}

}  // namespace sw
