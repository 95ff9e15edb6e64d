// Where the spec windows meet the example windows and the calculator window.
// Until the calculator window is built its entry points report that it is
// not, and the spec windows grey the buttons that would open it.
#include "files/example_library.h"
#include "platform/ui.h"
#include "shell/frm_chos2.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_example.h"
#include "shell/shell_state.h"
#include "specs/spec_windows.h"

namespace sw {

bool ExampleWindowsBuilt() { return true; }

void ShowExampleList() { frmExample::ShowList(); }

void ShowExampleComparison() {
  // Save mode: the comparison needs only the library's fields.
  const ExampleRequest request = ExampleRequestFromShell();
  ReadExampleCategory(request, 0, ExamplePresetLists());
  DoEvents();
  frmCmprExmpl::Open(request);
}

int ChooseExampleCategory(const std::string& caption, const std::vector<std::string>& lines) {
  return frmChos2::Choose(caption, lines);
}

bool CalculatorBuilt() { return false; }

void ShowCalculator() {}

}  // namespace sw
