// "Use Calc Value": the open calculator's result written into the spec it
// belongs to, after the checks that keep an odd result out (gear order,
// no result, normal limits) and the question that breaks an example set,
// followed by the offers to copy related entries into their own specs.
#pragma once

#include <vector>

#include "simulation/calculator_form.h"

namespace sw {

struct CalcValueResult {
  // Unload the calculator (the value was written, or the racer chose to
  // leave without it); false keeps the window open.
  bool close = false;
  // An example set was broken: the example state the spec windows keep
  // (ExampleListIndex, ExampleMenu) takes these values.
  bool exampleBroken = false;
  int exampleListIndex = 0;
  int exampleMenu = 0;      // the Type row reset to exampleListIndex
  int exampleSpecMenu = 0;  // the spec menu it belongs to
  // Spec menus whose SpecText was written, in the order first written.
  std::vector<int> menusWritten;
};

// Works through the checks, questions and writes for the calculator
// form.number. Written specs mark the vehicle changed, and each loaded
// window of a written menu is asked to refill its rows (WindowHost).
CalcValueResult UseCalcValue(const CalculatorForm& form);

}  // namespace sw
