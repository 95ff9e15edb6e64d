// Shared set-up of the window tests: a fresh program folder with clean
// tables, file state and shell values, scripted message boxes, the program's
// real windows behind the core's window interfaces, and small Qt helpers.
#pragma once

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/configuration.h"
#include "files/file_state.h"
#include "files/help_pages.h"
#include "files/library_list.h"
#include "files/text_screens.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/window_host.h"
#include "shell/base_run_file.h"
#include "shell/frm_main.h"
#include "shell/qt_window_host.h"
#include "shell/shell_state.h"
#include "simulation/engine_curve.h"
#include "simulation/input_checks.h"
#include "simulation/tables.h"
#include "shell/cylvane_link.h"
#include "support/fake_programs.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace sw {

inline const std::string kCR(1, '\r');
inline const std::string kFixtureComments = "1970-style 454 big-block muscle car, 4-speed, street tires.\r\n";
inline const std::filesystem::path kShippedData = std::filesystem::path(SW_SOURCE_DIR) / "data";

// Lets posted events and deferred deletes run.
inline void Settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Gives `w` the front, as a click on it would.
inline void Activate(QWidget* w) {
  w->show();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  Settle();
}

// Runs `f` once the next modal dialog is up.
inline void WhenModal(std::function<void(QWidget*)> f) {
  auto* t = new QTimer;
  t->setInterval(5);
  QObject::connect(t, &QTimer::timeout, [t, f] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    t->stop();
    t->deleteLater();
    f(w);
  });
  t->start();
}

// Saves what `w` shows as screenshots/<name> under the build folder.
inline bool SaveShot(QWidget* w, const QString& name) {
  QDir dir(QCoreApplication::applicationDirPath());
  dir.mkpath("screenshots");
  return w->grab().save(dir.filePath("screenshots/" + name));
}

// The captions of a row of controls (buttons, boxes, labels), in order.
template <class Widgets>
QStringList TextsOf(const Widgets& widgets) {
  QStringList out;
  for (const auto* w : widgets) out << w->text();
  return out;
}

// Lines of a CR LF text.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> out;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return out;
}

// Specs written as "E1=454;T10=1.88": the menu's letter (Engine,
// Transmission, Vehicle, Wheels and tires, Driving, Conditions), the number
// within the menu and the text. SetSpecs stores them; SpecsNow gives the
// same list with the texts the table holds now.
struct SpecItem {
  std::string key;  // "E1"
  std::string* spec;
  std::string text;
};
inline std::vector<SpecItem> SpecItems(const std::string& list) {
  std::vector<SpecItem> out;
  for (size_t pos = 0; pos < list.size();) {
    const size_t end = std::min(list.find(';', pos), list.size()), eq = list.find('=', pos);
    const int menu = int(std::string("ETVWDC").find(list[pos])) + kEngine;
    out.push_back({list.substr(pos, eq - pos), &SpecAt(menu, std::stoi(list.substr(pos + 1, eq - pos - 1))),
                   list.substr(eq + 1, end - eq - 1)});
    pos = end + 1;
  }
  return out;
}
inline void SetSpecs(const std::string& list) {
  for (const SpecItem& i : SpecItems(list)) *i.spec = i.text;
}
inline std::string SpecsNow(const std::string& list) {
  std::string out;
  for (const SpecItem& i : SpecItems(list)) out += (out.empty() ? "" : ";") + i.key + "=" + *i.spec;
  return out;
}

// Compares the listed specs with the table: QCOMPARE_SPECS("E1=355;E13=").
#define QCOMPARE_SPECS(list) QCOMPARE(SpecsNow(list), std::string(list))

// A rear-drive clutch car with a four-speed, described by peak figures: a
// 454 cu in, 450 HP big-block muscle car on street radials.
inline void MuscleCarSpecs() {
  SetSpecs("E0=0;E1=454;E4=450;E5=5600;E6=0;T0=1;T7=0;T9=2.52;T10=1.88;T11=1.46;T12=1.00;V0=3850;V1=4.10;V3=0;"
           "V4=0;W0=0;W3=0;W5=28.0;W6=1;W7=10.5;D0=0;D1=4500;D5=1;D6=0;D7=0");
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

class ShellScene {
 public:
  ShellScene() {
    ResetTables();
    ResetFileState();
    ResetShellValues();
    ResetHelpValues();
    ConfigurationDefaults();
    ResetEngineCurveState();
    ResetInputCheckMemory();
    ResetProgramEnding();
    HelpFromCalcMenu = 0;
    TextScreenOpen = 0;
    OldExamplesNoteShown = false;
    SetProgramFolder(folder_.path());
    SetUi(&ui);
    SetPrograms(&programs);
    ResetCylvaneLink();
    InstallQtWindows();
  }
  ~ShellScene() {
    DefaultInstance<frmMain>::Unload();
    Settle();
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    Settle();
    SetUi(nullptr);
    SetPrograms(nullptr);
    SetWindows(nullptr);
    SetFileWindows(nullptr);
    SetProgramFolder({});
  }
  ShellScene(const ShellScene&) = delete;
  ShellScene& operator=(const ShellScene&) = delete;

  const std::filesystem::path& folder() const { return folder_.path(); }
  std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }
  std::string path(const std::string& name) const { return folder_.path().generic_string() + "/" + name; }

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
  void CopyShipped(const std::string& name) const { Write(name, ReadShipped(name)); }
  static std::string ReadShipped(const std::string& name) {
    std::string bytes;
    ReadFileBytes(kShippedData / name, bytes);
    return bytes;
  }

  // The boxes shown so far.
  int BoxCount() const { return static_cast<int>(ui.boxes().size()); }
  const ScriptedUi::Box& Box(int i) const { return ui.boxes().at(static_cast<size_t>(i)); }
  const ScriptedUi::Box& LastBox() const { return ui.boxes().back(); }

  // The preset lists the vehicle summary reads.
  void WritePresetLists() const {
    Write("COMBO/CMB4-6",
          "Bias Ply Street Tire\r\nRadial Street Tire\r\nDOT Drag Tire\r\nDrag Radial\r\nRacing Slick\r\n-9999\r\n");
    Write("COMBO/CMB5-6", "0 - full throttle\r\n1 - half throttle\r\n2 - lift throttle\r\n-9999\r\n");
  }

  static void WriteConfiguration() {
    int16_t write = 0;
    ReadWriteConfiguration(write);
  }

  // The program folder of an experienced racer whose last vehicle was the
  // fixture muscle car from the library: working copy (with its changed
  // flag), configuration, base run and preset lists; the tables are clean.
  void ReturningUser(int16_t changed = 0) {
    if (!test::LoadFixtureVehicle(test::kMuscleCar)) qFatal("the fixture vehicles are missing");
    WriteWorkingCopy(folder().string() + "/VEHDAT/" + test::kMuscleCar, kFixtureComments);
    fst.SpecsChanged = changed;
    tbl.BeginnerLevel = 0;
    WriteConfiguration();
    WriteBaseRunFile();
    ResetTables();
    ResetFileState();
    ConfigurationDefaults();
    WritePresetLists();
  }

  ScriptedUi ui;
  FakePrograms programs;  // nothing outside the test ever starts

 private:
  TempFolder folder_;
};

}  // namespace sw
