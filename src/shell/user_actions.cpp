#include "shell/user_actions.h"

#include "shell/frm_main.h"
#include "simulation/tables.h"

namespace sw {

bool CalculationUnderWay() { return tbl.CalcRunning; }

namespace {

// What the gate needs to know of the program, before any window.
[[maybe_unused]] const bool kGateTold = (SetProgramState(&CalculationUnderWay, &ProgramEnding), true);

}  // namespace

}  // namespace sw
