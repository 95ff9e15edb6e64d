// Where the spec windows meet the example windows and the calculator window.
#include "calcmenus/frm_calc_data.h"
#include "files/calculator_layout.h"
#include "files/example_library.h"
#include "platform/ui.h"
#include "shell/frm_chos2.h"
#include "shell/frm_cmpr_exmpl.h"
#include "shell/frm_example.h"
#include "shell/shell_state.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

namespace sw {

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

void ShowCalculator() {
  const int n = shell.CalcMenuNumber;
  OpenCalculator(LoadedSpecWindow(SpecMenuOfCalculator(n)), n);
}

}  // namespace sw
