// Shared set-up of the shell's window tests: a fresh program folder, clean
// tables, file state and shell values, scripted message boxes, and the
// program's real windows behind the core's window interfaces.
#pragma once

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/window_host.h"
#include "shell/frm_main.h"
#include "shell/qt_window_host.h"
#include "shell/shell_state.h"
#include "simulation/engine_curve.h"
#include "simulation/input_checks.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

namespace sw {

class ShellScene {
 public:
  ShellScene() {
    ResetTables();
    ResetFileState();
    ResetShellValues();
    ConfigurationDefaults();
    ResetEngineCurveState();
    ResetInputCheckMemory();
    ResetProgramEnding();
    SetProgramFolder(folder_.path());
    SetUi(&ui);
    InstallQtWindows();
  }
  ~ShellScene() {
    DefaultInstance<frmMain>::Unload();
    QApplication::processEvents();
    SetUi(nullptr);
    SetWindows(nullptr);
    SetFileWindows(nullptr);
    SetProgramFolder({});
  }
  ShellScene(const ShellScene&) = delete;
  ShellScene& operator=(const ShellScene&) = delete;

  const std::filesystem::path& folder() const { return folder_.path(); }
  std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }

  void Write(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories(file(name).parent_path());
    WriteFileAtomic(file(name), text);
  }
  std::string Read(const std::string& name) const {
    std::string bytes;
    ReadFileBytes(file(name), bytes);
    return bytes;
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(file(name)); }

  // The boxes shown so far, prompt by prompt.
  int BoxCount() const { return static_cast<int>(ui.boxes().size()); }
  const ScriptedUi::Box& Box(int i) const { return ui.boxes().at(static_cast<size_t>(i)); }

  ScriptedUi ui;

 private:
  TempFolder folder_;
};

// Lines of a CR LF text.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      out.push_back(text.substr(pos));
      break;
    }
    out.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return out;
}

inline const std::string kCR(1, '\r');

}  // namespace sw
