// Stock weight tables of any content: the make list, then for the first and
// the last make each list in turn filled from the pick above it, and the
// estimate, which is a whole number of pounds or blank.
#include "files/vehicle_weights.h"
#include "fuzz_folder.h"
#include "platform/text.h"

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Put("TEXT/vehweight.txt", fuzz::Bytes(data, size));
  VehicleWeightTableReadable();
  for (bool last : {false, true}) {
    CalculatorForm f;
    f.Row(1).isList = true;
    f.Row(1).entries = {"1969"};
    f.Row(1).listIndex = 0;
    ReadVehWeights(f, 0);
    for (int list = 2; list <= 4; ++list) {
      CalcRow& row = f.Row(list);
      if (row.entries.empty()) break;
      row.listIndex = last ? static_cast<int>(row.entries.size()) - 1 : 0;
      if (list < 4) ReadVehWeights(f, list);
    }
    for (int k : {5, 6}) f.Row(k).listIndex = last ? 1 : 0;
    f.Row(7).text = "150";
    f.Row(8).text = "6";
    ReadVehWeights(f, 10);
    const std::string& estimate = f.out[0].value;
    fuzz::Check(estimate.empty() || IsNumeric(estimate));
  }
  return 0;
}
