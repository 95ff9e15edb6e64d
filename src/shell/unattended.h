// The unattended calculation that Cylvane asks for with "/E /M": no box may
// ever block, so every message goes into the answer Cylvane reads, line 11
// of LapDtOut.txt. Also: keeping aside files the start-up could not read.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace sw {

// A message-box interface for start mode 2: no box is shown; each text is
// collected (followed by CR) and the box answers with its default button.
class UnattendedUi : public UserInterface {
 public:
  explicit UnattendedUi(std::function<void()> pump = {}) : pump_(std::move(pump)) {}
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  void DoEvents() override {
    if (pump_) pump_();
  }
  void SetBusyCursor(bool) override {}

  const std::string& Collected() const { return collected_; }
  void Clear() { collected_.clear(); }

 private:
  std::function<void()> pump_;
  std::string collected_;
};

// The interface installed for start mode 2, or nullptr in the other modes.
UnattendedUi* ActiveUnattendedUi();
void SetActiveUnattendedUi(UnattendedUi* ui);

// Before the calculation of start mode 2: the answer of an earlier run must
// never read as this run's. It is removed, or emptied where it may be
// written but not removed; at the end of a symbolic link it is emptied and
// the link kept. False when it can be neither (the earlier answer still
// stands and no run can replace it), and for a link to anything but a file.
bool RemoveLapDataFile();

// The exit status of a start mode 2 run that leaves Cylvane no answer of its
// own: the calculation ended by a fault of the program, or LapDtOut.txt could
// not be written.
inline constexpr int kUnattendedFailedStatus = 1;

// After the calculation of start mode 2: Cylvane always finds eleven lines.
// The messages the boxes collected (configuration, working copy, import)
// join the calculation's own in line 11; when the calculation wrote no file
// at all, one is written that refuses the run ("0" on line 1). False when
// no complete file could be written: the program then ends with a non-zero
// status.
bool CompleteLapDataFile();

// Start mode 2 as a whole, from the start of the program to its exit status,
// with the core alone: no window is made, no box shown and no event runs.
// `program` is the program file as started (the shipped data lies beside
// it), `started` the moment the program started (temporary files older than
// that are left-overs of saves that never finished).
int UnattendedStart(const std::filesystem::path& program, std::filesystem::file_time_type started);

// The unattended calculation once the program folder is ready: the files the
// main window reads on its first activation, the curve of ENGCURVE.ZKT, the
// run and LapDtOut.txt. Returns the exit status; an error that reaches it
// still leaves Cylvane a refusal, and the status says it failed.
int UnattendedCalculation();

// Copies a file that the start-up could not read to "<name>.bad" before the
// program writes over it at exit: the whole copy or none, and never over a
// copy kept earlier.
void KeepUnreadableFile(const std::filesystem::path& file);

// For its lifetime counts the message boxes shown; when any was shown and
// the file exists, the file is kept aside (the reader found it unreadable).
class UnreadableFileKeeper : public UserInterface {
 public:
  explicit UnreadableFileKeeper(std::filesystem::path file);
  ~UnreadableFileKeeper() override;
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  void DoEvents() override { outer_->DoEvents(); }
  void SetBusyCursor(bool busy) override { outer_->SetBusyCursor(busy); }

 private:
  std::filesystem::path file_;
  UserInterface* outer_;
  int boxes_ = 0;
};

}  // namespace sw
