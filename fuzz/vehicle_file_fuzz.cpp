// Vehicle, dial-in and throttle-stop files of any content, in every open
// mode. The first byte picks the kind (CalcMode) and the open mode; the rest
// is the file. Whatever a file holds, the reader must not crash, and a file
// it accepted must come back the same after being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/file_state.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"

using namespace sw;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Version 2 comments keep their blank lines and may hold a line "-9999";
// the 3.20 files drop blank lines and write such a line with a leading blank.
std::string As320Comment(const std::string& comment) {
  std::string out;
  size_t start = 0;
  while (start < comment.size()) {
    size_t end = comment.find(CRLF, start);
    if (end == std::string::npos) end = comment.size();
    std::string line = comment.substr(start, end - start);
    if (line == "-9999") line = " -9999";
    if (!Trim(line).empty()) out += line + CRLF;
    start = end + 2;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    SetProgramFolder("/nonexistent/stagewell-fuzz");
    return true;
  }();
  (void)once;
  if (size < 1) return 0;
  ResetTables();
  ResetFileState();
  const uint8_t sel = data[0];
  tbl.CalcMode = static_cast<int16_t>(sel % 3);
  const int16_t mode = static_cast<int16_t>(1 + (sel / 3) % 4);
  const std::string path = "/nonexistent/stagewell-fuzz/VEHDAT/F";

  SeqReader f;
  f.OpenBytes(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  ReadVehicleFile(f, FormId::frmMain, mode, path);
  if (fst.FileReadFailed) return 0;
  if (mode == openmode::Preview) return 0;

  // Written and read again, the specs, curve and comments stay as they are.
  const auto specs = tbl.SpecText;
  const auto curve = tbl.PowerCurveText;
  const std::string vc = As320Comment(fst.VehicleComments), dc = fst.DialInComment, tc = fst.ThrottleStopComment;
  const std::string text = VehicleFileText(savemode::ChosenPath);
  for (auto& s : tbl.SpecText) s = "x";
  for (auto& p : tbl.PowerCurveText)
    for (auto& c : p) c = "x";
  SeqReader g;
  g.OpenBytes(Utf8ToCp1252(text));
  ReadVehicleFile(g, FormId::frmMain, openmode::Chosen, path);
  Check(fst.FileReadFailed == 0 && fst.FileVersion == filever::V320);
  const int first = tbl.CalcMode == 0 ? 0 : 127;
  for (int k = first; k <= 210; ++k) Check(tbl.SpecText[k] == specs[k]);
  if (tbl.CalcMode == 0) {
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 3; ++j) Check(tbl.PowerCurveText[i][j] == curve[i][j]);
    Check(fst.VehicleComments == vc && fst.DialInComment == dc && fst.ThrottleStopComment == tc);
  } else {
    Check((tbl.CalcMode == 1 ? fst.DialInComment : fst.ThrottleStopComment) == (tbl.CalcMode == 1 ? dc : tc));
  }
  return 0;
}
