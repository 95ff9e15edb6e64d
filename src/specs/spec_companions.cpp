// Where the spec windows meet the example windows and the calculator window.
// Until those windows are built the entry points report that they are not,
// and the spec windows grey the buttons and list items that would open them.
#include "calcmenus/frm_calc_data.h"
#include "files/calculator_layout.h"
#include "shell/shell_state.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

namespace sw {

bool ExampleWindowsBuilt() { return false; }

void ShowExampleList() {}

void ShowExampleComparison() {}

int ChooseExampleCategory(const std::string& caption, const std::vector<std::string>& lines) {
  (void)caption;
  (void)lines;
  shell.ChooserResult = -1;
  return -1;
}

bool CalculatorBuilt() { return true; }

void ShowCalculator() {
  const int n = shell.CalcMenuNumber;
  OpenCalculator(LoadedSpecWindow(SpecMenuOfCalculator(n)), n);
}

}  // namespace sw
