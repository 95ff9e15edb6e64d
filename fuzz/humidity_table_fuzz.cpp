// Wet-bulb tables of any content: a table that is read gives humidities of
// 0..100 % only, for any dry- and wet-bulb reading.
#include "fuzz_folder.h"
#include "simulation/calculator_formulas.h"

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Put("CALC/RHDATA.CLC", fuzz::Bytes(data, size));
  const std::optional<HumidityTable> table = ReadHumidityTable();
  if (!table) return 0;
  for (double dry : {-40.0, 0.0, 32.0, 59.0, 77.5, 104.0, 140.0, 1e300})
    for (double wet : {-1e300, -40.0, 10.0, 50.0, 68.0, 77.0, 200.0}) {
      const int rh = WetBulbHumidity(*table, dry, wet);
      fuzz::Check(rh >= 0 && rh <= 100);
    }
  return 0;
}
