// The calculators' formulas: from the rows of the open calculator to its
// outputs, run after the layout is built and after every accepted entry and
// pick. No message box is ever shown here; a missing input leaves its output
// blank.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "simulation/calculator_form.h"

namespace sw {

// Reads the rows of `form` (calculator form.number) and writes its outputs,
// the row states of the chosen method, calcValue, the limits of row 2
// (final drive) and, for the vehicle weight, the dependent lists and the
// note.
void CalculateMenu(CalculatorForm& form);

// The racer left value box k: its text becomes the number it starts with
// and is checked against the row's limits. Refused: the "Warning" message,
// the text back to `textBefore`, and false (nothing recalculated). Accepted,
// or emptied: the formulas run again, and true. The text the program put
// there (CalcRow::programText) is accepted as it is, unless the racer typed
// it (CalcRow::typed).
bool LeaveValueBox(CalculatorForm& form, int k, const std::string& textBefore);

// Relative humidity (%) by the table of CALC/RHDATA.CLC: rows the dry bulb
// 0..40 C by 5, columns the wet-bulb depression 0, 1, 2, 3, 4, 6 .. 20 C.
inline constexpr int kHumidityRows = 9;
inline constexpr int kHumidityCols = 13;
using HumidityTable = std::array<std::array<double, kHumidityCols>, kHumidityRows>;

// Reads the table; nothing when the file is missing, short or holds a
// non-number or a humidity outside 0..100.
std::optional<HumidityTable> ReadHumidityTable();

// The whole-percent humidity of a dry-bulb and a wet-bulb reading (deg F),
// interpolated in the table. A wet bulb above the dry bulb reads as no
// depression (100 %); dry bulbs above 104 F hold the 40 C row.
int WetBulbHumidity(const HumidityTable& table, double dryBulb, double wetBulb);

// Shown in the note of a humidity calculator whose table cannot be read.
inline const std::string kHumidityTableMissing =
    "The wet bulb table CALC/RHDATA.CLC could not be read.  You may need to reinstall this program.";

// The instruction the vehicle-weight calculator shows until all six lists
// have a choice.
inline const std::string kVehicleWeightInstruction =
    "This screen ESTIMATES a vehicle weight based on stock shipping weights of popular drag racing cars.  "
    "You are more accurate to weigh your particular car.";

}  // namespace sw
