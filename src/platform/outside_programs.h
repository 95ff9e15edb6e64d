// Other programs: starting one with an argument list (never through a
// shell), opening a document or a web address with the desktop's default
// handler, and bringing a running program's window to the front by title.
//
// The program installs the Qt implementation; tests install a fake, so no
// test ever starts a real browser, viewer or engine program. Until one is
// installed nothing starts, nothing opens and no window can be found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sw {

// What became of a request to bring a window to the front. Not every
// desktop lets one program raise another's window or even list them.
enum class Activation { Activated, NotRunning, CannotTell };

class OutsidePrograms {
 public:
  virtual ~OutsidePrograms() = default;
  // Starts `program` (a path, or a bare name found on the PATH) with these
  // arguments in `workingFolder` ("" = this program's current folder) and
  // does not wait for it. The process id, 0 when it did not start.
  virtual int64_t Start(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& workingFolder) = 0;
  // True while a process this program started is still running.
  virtual bool StillRunning(int64_t pid) = 0;
  // Opens a local file (a path) or a web address ("https://...",
  // "file://...") in the desktop's default handler. False when it refused.
  virtual bool Open(const std::string& pathOrAddress) = 0;
  // Brings the window titled `title` (else the first whose title begins
  // with it) to the front.
  virtual Activation Activate(const std::string& title) = 0;
};

// The implementation in use (the inert one until another is installed).
OutsidePrograms& Programs();
void SetPrograms(OutsidePrograms* programs);  // nullptr restores the inert one

// True when `path` names an executable file on this machine; a path written
// for another system ("C:\Program Files\...") is not.
bool IsExecutableFile(const std::string& path);

// One line of `wmctrl -l` reads "<id> <desktop> <host> <title>". The id of
// the window whose title equals `title`, else of the first one whose title
// begins with it; nothing when none does or `title` is empty.
std::optional<std::string> FindWindowId(const std::string& windowList, const std::string& title);

}  // namespace sw
