// A UserInterface for tests: answers boxes from a script and records each
// box's exact text, title and style.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace sw {

class ScriptedUi : public UserInterface {
 public:
  struct Box {
    std::string prompt;
    std::string title;
    int style = 0;
    bool input = false;
    std::string defaultText;  // input boxes
  };

  // Answers taken in order; when the script runs dry a box gets its default
  // button and an input box is cancelled.
  void Answer(int a) { answers_.push_back(a); }
  void Type(const std::string& text) { inputs_.push_back({text, false}); }
  void CancelInput() { inputs_.push_back({"", true}); }
  // Called at every DoEvents (to press Cancel in the middle of a run, say).
  std::function<void()> onDoEvents;
  // Called as each box or input box comes up, before it is answered (what
  // other windows do while it waits).
  std::function<void(const Box&)> onBox;

  const std::vector<Box>& boxes() const { return boxes_; }
  int doEventsCalls() const { return doEvents_; }
  bool busy() const { return busy_; }
  void Clear() {
    boxes_.clear();
    answers_.clear();
    inputs_.clear();
    doEvents_ = 0;
  }

  int MsgBox(const std::string& prompt, int style, const std::string& title) override {
    boxes_.push_back({prompt, title, style, false, {}});
    if (onBox) onBox(Box(boxes_.back()));  // a copy: the hook may raise boxes of its own
    if (answers_.empty()) return DefaultAnswer(style);
    int a = answers_.front();
    answers_.pop_front();
    return a;
  }
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& def) override {
    boxes_.push_back({prompt, title, 0, true, def});
    if (onBox) onBox(Box(boxes_.back()));  // a copy: the hook may raise boxes of its own
    if (inputs_.empty()) return {"", true};
    auto a = inputs_.front();
    inputs_.pop_front();
    return a;
  }
  void DoEvents() override {
    ++doEvents_;
    if (onDoEvents) onDoEvents();
  }
  void SetBusyCursor(bool b) override { busy_ = b; }

 private:
  std::vector<Box> boxes_;
  std::deque<int> answers_;
  std::deque<InputAnswer> inputs_;
  int doEvents_ = 0;
  bool busy_ = false;
};

// Installs a ScriptedUi for the lifetime of the guard.
class ScopedScriptedUi {
 public:
  ScopedScriptedUi() { SetUi(&ui_); }
  ~ScopedScriptedUi() { SetUi(nullptr); }
  ScriptedUi* operator->() { return &ui_; }
  ScriptedUi& operator*() { return ui_; }

 private:
  ScriptedUi ui_;
};

}  // namespace sw
