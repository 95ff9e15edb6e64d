#include "support/fixture_vehicle.h"

#include "files/file_state.h"
#include "platform/seqfile.h"
#include "simulation/tables.h"

namespace sw::test {

std::string FixturePath(const std::string& name) { return std::string(SW_TEST_DIR) + "/fixtures/" + name; }

bool LoadFixtureVehicle(const std::string& name) {
  SeqReader in;
  if (!in.Open(FixturePath(name))) return false;
  if (in.LineInput().rfind("QVZ-ZKT*3.20", 0) != 0) return false;
  for (int k = 0; k <= 210; ++k) tbl.SpecText[k] = in.LineInput();
  for (int i = 0; i <= 9; ++i)
    for (int j = 0; j <= 2; ++j) tbl.PowerCurveText[i][j] = in.LineInput();
  if (in.Ended()) return false;
  fst.CurrentFileName = name;
  return true;
}

}  // namespace sw::test
