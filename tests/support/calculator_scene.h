// Shared set-up of the calculator tests: a program folder holding the
// shipped calculator layouts, humidity table and stock weight table (so a
// test may damage them), clean tables, scripted message boxes and a window
// host that records which spec windows were asked to refill.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/calculator_layout.h"
#include "files/file_state.h"
#include "files/help_pages.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/window_host.h"
#include "simulation/calculator_form.h"
#include "simulation/calculator_formulas.h"
#include "simulation/engine_curve.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

namespace sw::test {

class RefillWatch : public WindowHost {
 public:
  std::vector<int> refilled;
  int curvesShown = 0;
  void SpecRowsChanged(int menu) override { refilled.push_back(menu); }
  void EngineCurveImported() override { ++curvesShown; }
};

class CalculatorScene {
 public:
  CalculatorScene() {
    ResetTables();
    ResetFileState();
    ResetEngineCurveState();
    CalcMenuPages.clear();
    const std::filesystem::path shipped = std::filesystem::path(SW_SOURCE_DIR) / "data";
    std::filesystem::copy(shipped / "CALC", folder_.path() / "CALC");
    std::filesystem::create_directories(folder_.path() / "TEXT");
    std::filesystem::copy(shipped / "TEXT" / "vehweight.txt", folder_.path() / "TEXT" / "vehweight.txt");
    SetProgramFolder(folder_.path());
    SetUi(&ui);
    SetWindows(&host);
  }
  ~CalculatorScene() {
    SetWindows(nullptr);
    SetUi(nullptr);
    SetProgramFolder({});
  }
  CalculatorScene(const CalculatorScene&) = delete;
  CalculatorScene& operator=(const CalculatorScene&) = delete;

  std::filesystem::path File(const std::string& relative) const { return folder_.path() / relative; }
  void Write(const std::string& relative, const std::string& bytes) const { WriteFileAtomic(File(relative), bytes); }
  void Remove(const std::string& relative) const { std::filesystem::remove(File(relative)); }

  // Loads calculator n as its window's load does (its boxes are answered by
  // the script).
  CalculatorForm Open(int n) {
    CalculatorForm f;
    loaded = LoadCalculator(n, f);
    return f;
  }

  ScriptedUi ui;
  RefillWatch host;
  bool loaded = false;

 private:
  TempFolder folder_;
};

// The racer's moves on a form: a typed value (checked as the value box
// does), and a pick (by position or by the entry's text).
inline bool Type(CalculatorForm& f, int row, const std::string& text) {
  const std::string before = f.Row(row).text;
  f.Row(row).text = text;
  return LeaveValueBox(f, row, before);
}
inline void Pick(CalculatorForm& f, int row, int index) {
  f.Row(row).listIndex = index;
  f.changedWeightList = f.number == 24 ? row : 0;
  CalculateMenu(f);
}
inline bool PickText(CalculatorForm& f, int row, const std::string& entry) {
  const auto& e = f.Row(row).entries;
  for (size_t i = 0; i < e.size(); ++i) {
    if (e[i] == entry) {
      Pick(f, row, static_cast<int>(i));
      return true;
    }
  }
  return false;
}
// Specs as {menu, spec, text}.
struct SpecSetting {
  int menu, spec;
  const char* text;
};
inline void SetSpecText(std::initializer_list<SpecSetting> specs) {
  for (const SpecSetting& s : specs) SpecAt(s.menu, s.spec) = s.text;
}

inline const std::string& Out(const CalculatorForm& f, int i) { return f.out[static_cast<size_t>(i)].value; }

}  // namespace sw::test
