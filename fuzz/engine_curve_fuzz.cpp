// Power curves handed over by the engine program (ENGCURVE.ZKT) of any
// content, imported unattended and with the summary question answered Yes:
// at most ten points reach the curve, and every loaded power is a number.
#include "fuzz_folder.h"
#include "platform/text.h"
#include "shell/power_curve_import.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Put(kHandOverFile, fuzz::Bytes(data, size));
  for (int16_t startMode : {2, 1}) {
    ResetTables();
    ResetShellValues();
    tbl.StartMode = startMode;
    if (!ImportPowerCurve()) continue;
    for (const auto& point : tbl.PowerCurveText)
      for (int j = 1; j < 3; ++j) fuzz::Check(point[j].empty() || IsNumeric(point[j]));
  }
  return 0;
}
