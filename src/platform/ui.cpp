#include "platform/ui.h"

#include <algorithm>
#include <vector>

namespace sw {

int DefaultAnswer(int style) {
  int buttons = style & 7;
  int def = (style & 768) / 256;  // 0, 1 or 2
  switch (buttons) {
    case mb::OKCancel: return def == 1 ? ans::Cancel : ans::OK;
    case mb::AbortRetryIgnore: return def == 1 ? ans::Retry : def == 2 ? ans::Ignore : ans::Abort;
    case mb::YesNoCancel: return def == 1 ? ans::No : def == 2 ? ans::Cancel : ans::Yes;
    case mb::YesNo: return def == 1 ? ans::No : ans::Yes;
    case mb::RetryCancel: return def == 1 ? ans::Cancel : ans::Retry;
    default: return ans::OK;
  }
}

namespace {

class SilentUi : public UserInterface {
 public:
  int MsgBox(const std::string&, int style, const std::string&) override { return DefaultAnswer(style); }
  InputAnswer InputBox(const std::string&, const std::string&, const std::string&) override {
    return {"", true};
  }
  void DoEvents() override {}
  void SetBusyCursor(bool) override {}
};

SilentUi& Silent() {
  static SilentUi s;
  return s;
}

UserInterface* g_ui = nullptr;

}  // namespace

UserInterface& Ui() { return g_ui ? *g_ui : Silent(); }
void SetUi(UserInterface* ui) { g_ui = ui; }

namespace {
int g_waits = 0;
void (*g_afterLastWait)() = nullptr;
// One level for the outermost work, one for each open wait and one for each
// outside request: the program work running in it, and whether it is the
// request's own.
struct Level {
  int work = 0;
  bool outside = false;
};
std::vector<Level>& Levels() {
  static std::vector<Level> levels{Level{}};
  return levels;
}
}  // namespace

HandlerWait::HandlerWait() {
  ++g_waits;
  Levels().push_back({});
}
HandlerWait::~HandlerWait() {
  Levels().pop_back();
  if (--g_waits == 0 && g_afterLastWait) g_afterLastWait();
}

ProgramWork::ProgramWork() { ++Levels().back().work; }
ProgramWork::~ProgramWork() { --Levels().back().work; }
bool ProgramWorkRuns() { return Levels().back().work > 0; }
bool ProgramWorkWaits() {
  const auto& levels = Levels();
  return std::any_of(levels.begin(), levels.end() - 1, [](const Level& l) { return l.work > 0; });
}

OutsideRequest::OutsideRequest() { Levels().push_back({0, true}); }
OutsideRequest::~OutsideRequest() { Levels().pop_back(); }
bool OutsideRequestRuns() { return Levels().back().outside && Levels().back().work == 0; }
int OpenHandlerWaits() { return g_waits; }
void SetAfterLastWait(void (*afterLastWait)()) { g_afterLastWait = afterLastWait; }

}  // namespace sw
