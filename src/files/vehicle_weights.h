// The stock vehicle weight table TEXT/vehweight.txt and the vehicle-weight
// calculator's work on it: the make, model and descriptor lists, and the
// estimate from the closest stock cars by model year.
//
// The file: 8 header lines, then records of 7 lines each: the model year in
// two digits (below 40 is 20xx), make, model, a fourth descriptor, the base
// shipping weight, the weight an automatic adds and the weight a convertible
// adds (-1: the car was not offered so).
#pragma once

#include <string>

#include "simulation/calculator_form.h"

namespace sw {

// list < 1: fills list 2 with every make, once each, in file order.
// list 1..9: refills list + 1 from the choice in list `list` (2: the models
// of the chosen make; 3: the descriptors of the chosen model).
// list 10: the estimate into output 0 and the match line into the note.
void ReadVehWeights(CalculatorForm& form, int list);

// False when the table is missing or holds no complete record.
bool VehicleWeightTableReadable();

inline const std::string kVehicleWeightTableMissing =
    "The stock weight table TEXT/vehweight.txt could not be read.  You may need to reinstall this program.";

}  // namespace sw
