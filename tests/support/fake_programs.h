// OutsidePrograms for tests: records every start, open and activation and
// answers from what the test sets, so no real program is ever started.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/outside_programs.h"

namespace sw {

class FakePrograms : public OutsidePrograms {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;
  };

  // What the fake answers.
  bool startWorks = true;              // Start gives a process id ...
  bool needsFile = false;              // ... and, when set, only for a program file that is there
  bool openWorks = true;               // the desktop opener accepts
  Activation activation = Activation::NotRunning;
  bool running = true;                 // a started process still runs

  std::vector<Started> starts;
  std::vector<std::string> opened;     // paths and addresses, in order
  std::vector<std::string> activated;  // titles asked for
  std::function<void(const std::string& title)> onActivate;

  int64_t Start(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder) override {
    starts.push_back({program, arguments, folder});
    std::error_code ec;
    const bool there = !needsFile || std::filesystem::is_regular_file(program, ec);
    return startWorks && there ? 1000 + static_cast<int64_t>(starts.size()) : 0;
  }
  bool StillRunning(int64_t pid) override { return running && pid > 1000; }
  bool Open(const std::string& what) override {
    opened.push_back(what);
    return openWorks;
  }
  Activation Activate(const std::string& title) override {
    activated.push_back(title);
    if (onActivate) onActivate(title);
    return activation;
  }
};

// Installs a FakePrograms for the lifetime of the guard.
class ScopedFakePrograms {
 public:
  ScopedFakePrograms() { SetPrograms(&fake_); }
  ~ScopedFakePrograms() { SetPrograms(nullptr); }
  FakePrograms* operator->() { return &fake_; }
  FakePrograms& operator*() { return fake_; }

 private:
  FakePrograms fake_;
};

}  // namespace sw
