#include "platform/ui.h"

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
// Program work running, one count for the outermost level and one for each
// open wait.
std::vector<int>& WorkCounts() {
  static std::vector<int> counts{0};
  return counts;
}
}  // namespace

HandlerWait::HandlerWait() {
  ++g_waits;
  WorkCounts().push_back(0);
}
HandlerWait::~HandlerWait() {
  WorkCounts().pop_back();
  if (--g_waits == 0 && g_afterLastWait) g_afterLastWait();
}

ProgramWork::ProgramWork() { ++WorkCounts().back(); }
ProgramWork::~ProgramWork() { --WorkCounts().back(); }
bool ProgramWorkRuns() { return WorkCounts().back() > 0; }
int OpenHandlerWaits() { return g_waits; }
void SetAfterLastWait(void (*afterLastWait)()) { g_afterLastWait = afterLastWait; }

}  // namespace sw
