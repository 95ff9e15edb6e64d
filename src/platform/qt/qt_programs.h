// Other programs on Qt: QProcess for starting, QDesktopServices for the
// desktop's default handlers, wmctrl for raising a window on X11.
#pragma once

#include "platform/outside_programs.h"

namespace sw {

class QtPrograms : public OutsidePrograms {
 public:
  int64_t Start(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& workingFolder) override;
  bool StillRunning(int64_t pid) override;
  bool Open(const std::string& pathOrAddress) override;
  Activation Activate(const std::string& title) override;
};

}  // namespace sw
