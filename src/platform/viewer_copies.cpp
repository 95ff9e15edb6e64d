#include "platform/viewer_copies.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "Stagewell-";
// A running program holds a lock on this file; a folder without it is
// either being made or not one of these, and stays.
constexpr const char* kLockName = ".lock";

class CopyFolder {
 public:
  CopyFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / (std::string(kPrefix) + "XXXXXX")).string();
    if (ec || ::mkdtemp(pattern.data()) == nullptr) return;
    const fs::path folder = pattern;
    // Locked under another name first: a starting program that finds the
    // lock file can never take it for a dead program's.
    const fs::path fresh = folder / ".lock-new";
    lock_ = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool held = lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) == 0;
    if (!held || ::rename(fresh.c_str(), (folder / kLockName).c_str()) != 0) {
      if (lock_ >= 0) ::close(lock_);
      lock_ = -1;
      fs::remove_all(folder, ec);
      return;
    }
    path_ = folder;
  }
  ~CopyFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
    if (lock_ >= 0) ::close(lock_);
  }
  CopyFolder(const CopyFolder&) = delete;
  CopyFolder& operator=(const CopyFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
  int lock_ = -1;
};

// True when `folder` is a viewer-copy folder of this user whose program no
// longer holds its lock. The lock is then taken, so that no one else removes
// it at the same time; `lock` is the open lock file.
bool IsDeadCopyFolder(const fs::path& folder, int& lock) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  lock = ::open((folder / kLockName).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (lock < 0) return false;
  if (::flock(lock, LOCK_EX | LOCK_NB) == 0) return true;
  ::close(lock);
  lock = -1;
  return false;
}

// Made on first use, removed with the program's static objects at its end.
std::optional<CopyFolder> g_folder;

}  // namespace

fs::path ViewerCopyFolder() {
  if (!g_folder) g_folder.emplace();
  return g_folder->path();
}

void RemoveViewerCopyFolder() { g_folder.reset(); }

int RemoveDeadViewerCopies(const fs::path& tempFolder) {
  int removed = 0;
  std::error_code ec;
  for (auto it = fs::directory_iterator(tempFolder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(kPrefix, 0) != 0) continue;
    int lock = -1;
    if (!IsDeadCopyFolder(it->path(), lock)) continue;
    std::error_code e2;
    if (fs::remove_all(it->path(), e2) > 0 && !e2) ++removed;
    ::close(lock);
  }
  return removed;
}

}  // namespace sw
