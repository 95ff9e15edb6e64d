#include "match/search_support.h"

#include "platform/text.h"
#include "platform/window_host.h"
#include "simulation/tables.h"

namespace sw::search {

std::string TrimmedNumber(double value) { return Trim(Str(value)); }

void EndOfSearchDisplay() {
  Ui().SetBusyCursor(false);
  Windows().UnloadProgress();
}

HoldCalculation::HoldCalculation() : before_(tbl.CalcRunning) { tbl.CalcRunning = true; }
HoldCalculation::~HoldCalculation() { tbl.CalcRunning = before_; }

int OncePerSearchUi::MsgBox(const std::string& prompt, int style, const std::string& title) {
  const std::string key = std::to_string(style) + '\x1f' + (title.empty() ? prompt : title);
  auto it = answers_.find(key);
  if (it != answers_.end()) return it->second;
  const int a = inner_.MsgBox(prompt, style, title);
  answers_[key] = a;
  return a;
}

void CalculationsOfOneSearch::operator()(double& speed, int& finishRow, double& sixtyFoot) {
  SetUi(&ui_);
  struct Back {
    UserInterface& inner;
    ~Back() { SetUi(&inner); }
  } back{ui_.inner()};
  calculate_(speed, finishRow, sixtyFoot);
}

}  // namespace sw::search
