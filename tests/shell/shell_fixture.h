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
#include "files/vehicle_file.h"
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

// A rear-drive clutch car with a four-speed, described by peak figures: a
// 454 cu in, 450 HP big-block muscle car on street radials.
inline void MuscleCarSpecs() {
  auto set = [](int m, int k, const char* v) { SpecAt(m, k) = v; };
  set(kEngine, 0, "0");
  set(kEngine, 1, "454");
  set(kEngine, 4, "450");
  set(kEngine, 5, "5600");
  set(kEngine, 6, "0");
  set(kTransmission, 0, "1");
  set(kTransmission, 7, "0");
  set(kTransmission, 9, "2.52");
  set(kTransmission, 10, "1.88");
  set(kTransmission, 11, "1.46");
  set(kTransmission, 12, "1.00");
  set(kVehicle, 0, "3850");
  set(kVehicle, 1, "4.10");
  set(kVehicle, 3, "0");
  set(kVehicle, 4, "0");
  set(kTires, 0, "0");
  set(kTires, 3, "0");
  set(kTires, 5, "28.0");
  set(kTires, 6, "1");
  set(kTires, 7, "10.5");
  set(kDriving, 0, "0");
  set(kDriving, 1, "4500");
  set(kDriving, 5, "1");
  set(kDriving, 6, "0");
  set(kDriving, 7, "0");
}

// Writes SpecText as the working copy, standing for a library file.
inline void WriteWorkingCopy(const std::string& libraryPath, const std::string& comments = {}) {
  std::string savedPath = fst.CurrentFilePath, savedComments = fst.VehicleComments;
  fst.CurrentFilePath = libraryPath;
  fst.VehicleComments = comments;
  fst.FileOperation = savemode::WorkingCopy;
  SaveVehicleFile(FormId::frmMain);
  fst.CurrentFilePath = savedPath;
  fst.VehicleComments = savedComments;
}

// Preset lists the summary reads.
inline void WritePresetLists(const ShellScene& scene) {
  scene.Write("COMBO/CMB4-6",
              "Bias Ply Street Tire\r\nRadial Street Tire\r\nDOT Drag Tire\r\nDrag Radial\r\nRacing Slick\r\n-9999\r\n");
  scene.Write("COMBO/CMB5-6", "0 - full throttle\r\n1 - half throttle\r\n2 - lift throttle\r\n-9999\r\n");
}

}  // namespace sw
