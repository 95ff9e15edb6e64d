#include "simulation/lap_data.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"

namespace sw {

bool WriteLapDataFile(const std::array<std::string, kLapDataLines>& lines) {
  SeqWriter out;
  if (!out.Open(ProgramPath(kLapDataFileName))) return false;
  for (const auto& line : lines) out.PrintLine(line);
  return out.Close();
}

}  // namespace sw
