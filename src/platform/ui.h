// How the numeric core and the files talk to the user: message boxes, input
// boxes, letting pending window events run, and the hourglass pointer.
//
// The program installs a Qt implementation; tests install ScriptedUi, which
// answers from a script and records every box. Nothing here needs Qt.
#pragma once

#include <string>

namespace sw {

// Button sets, icons and default buttons, combined by adding them, with the
// values the design's message boxes are written with.
namespace mb {
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;     // the stop icon
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
}  // namespace mb

// Answers.
namespace ans {
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace ans

struct InputAnswer {
  std::string text;        // "" after Cancel, as the runtime gave it
  bool cancelled = false;  // lets callers tell Cancel from an empty OK
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A CR (character 13) in the prompt is a line break. Returns an ans:: value.
  virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
  virtual InputAnswer InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // Lets pending window events run once (Cancel buttons, repaints).
  virtual void DoEvents() = 0;
  // The hourglass pointer; SetBusyCursor(false) always restores the default.
  virtual void SetBusyCursor(bool busy) = 0;
};

// The interface in use. Until one is installed a silent one answers every box
// with its default button and every input box with Cancel.
UserInterface& Ui();
void SetUi(UserInterface* ui);  // nullptr restores the silent one

// A handler waits while it shows a box or a dialog or lets window events
// run: other handlers run meanwhile, and one of them may unload the waiting
// handler's window. The shortcuts below count their waits; a window's own
// modal dialog counts its wait with a HandlerWait. While any wait is open no
// window is deleted (src/platform/qt/window_lifetime.h): a window unloaded
// then goes once the last wait has ended and its handler has returned.
class HandlerWait {
 public:
  HandlerWait();
  ~HandlerWait();
  HandlerWait(const HandlerWait&) = delete;
  HandlerWait& operator=(const HandlerWait&) = delete;
};
// The number of waits open now.
int OpenHandlerWaits();
// Called each time the last open wait ends (the window layer deletes the
// windows unloaded meanwhile); nullptr for none.
void SetAfterLastWait(void (*afterLastWait)());

// The program's own work: a handler of the racer's action, work put off
// until a run has ended, work the program asked to run later. It counts from
// its start to its end, and a wait (above) begins a count of its own.
class ProgramWork {
 public:
  ProgramWork();
  ~ProgramWork();
  ProgramWork(const ProgramWork&) = delete;
  ProgramWork& operator=(const ProgramWork&) = delete;
};
// True while program work runs since the innermost wait began.
bool ProgramWorkRuns();
// True while program work begun before the innermost wait waits in it (a
// box, a dialog or the event pump) to go on.
bool ProgramWorkWaits();

// A request from outside the program, made where it comes in: a screen
// reader's, which the desktop's accessibility bridge carries out in the
// event loop (src/platform/qt/held_under_boxes.h tells those apart). What
// changes while it is carried out comes from outside, and may be refused;
// program work begun within it (a handler the change sets off) and a wait
// (a box, the event pump) begin counts of their own and are the program's.
class OutsideRequest {
 public:
  OutsideRequest();
  ~OutsideRequest();
  OutsideRequest(const OutsideRequest&) = delete;
  OutsideRequest& operator=(const OutsideRequest&) = delete;
};
// True while an outside request is carried out and no program work or wait
// of the program has begun within it.
bool OutsideRequestRuns();

// Shortcuts that read like the design's calls.
inline int MsgBox(const std::string& prompt, int style = mb::OKOnly, const std::string& title = "") {
  HandlerWait wait;
  return Ui().MsgBox(prompt, style, title);
}
inline InputAnswer InputBox(const std::string& prompt, const std::string& title = "",
                            const std::string& defaultText = "") {
  HandlerWait wait;
  return Ui().InputBox(prompt, title, defaultText);
}
inline void DoEvents() {
  HandlerWait wait;
  Ui().DoEvents();
}

// The answer a box gives when nobody is there to click: its default button.
int DefaultAnswer(int style);

// Sets the hourglass for the lifetime of the guard, restored on every path.
class BusyCursor {
 public:
  BusyCursor() { Ui().SetBusyCursor(true); }
  ~BusyCursor() { Ui().SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace sw
