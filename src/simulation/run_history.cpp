#include "simulation/run_history.h"

#include "files/file_state.h"
#include "files/vehicle_file.h"
#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

std::string NextHistoryLetter(const std::string& previous) {
  if (previous.empty()) return "A";
  const char next = static_cast<char>(previous[0] + 1);
  if (next == 'Z' || static_cast<unsigned char>(next) < 'A') return "A";
  return std::string(1, next);
}

void RecordHistory(const ResultsTable& rt, int finishRow, double finishMph, double trackLength,
                   const std::string& sixtyText) {
  auto& h = tbl;
  for (int k = kHistoryKept - 2; k >= 0; --k) {
    h.HistoryTitle[k + 1] = h.HistoryTitle[k];
    h.HistoryEt[k + 1] = h.HistoryEt[k];
    h.HistoryMph[k + 1] = h.HistoryMph[k];
    h.HistoryLength[k + 1] = h.HistoryLength[k];
    h.HistoryDensAlt[k + 1] = h.HistoryDensAlt[k];
    h.HistoryDryDensAlt[k + 1] = h.HistoryDryDensAlt[k];
    h.History60ft[k + 1] = h.History60ft[k];
    h.HistoryName[k + 1] = h.HistoryName[k];
    h.History330ft[k + 1] = h.History330ft[k];
    h.History8thEt[k + 1] = h.History8thEt[k];
    h.History1000ft[k + 1] = h.History1000ft[k];
    h.History8thMph[k + 1] = h.History8thMph[k];
  }

  h.HistoryTitle[0] = fst.CurrentFileName + ": " + FormatDate(LocalNow(), "ddd mmm d yy  h:mm am/pm");
  h.HistoryEt[0] = rt[1][finishRow];
  h.HistoryDensAlt[0] = h.DensityAltitude;
  h.HistoryDryDensAlt[0] = h.DryDensityAltitude;
  h.HistoryMph[0] = finishMph;
  h.HistoryLength[0] = trackLength;
  h.History60ft[0] = sixtyText;
  h.History330ft[0].clear();
  h.History8thEt[0].clear();
  h.History8thMph[0].clear();
  h.History1000ft[0].clear();

  for (int r = 0; r <= finishRow; ++r) {
    const std::string& feet = rt[4][r];
    if (feet == "330") {
      h.History330ft[0] = rt[1][r];
    } else if (feet == "660") {
      h.History8thEt[0] = rt[1][r];
      h.History8thMph[0] = rt[2][r];
    } else if (feet == "1000") {
      h.History1000ft[0] = rt[1][r];
    }
  }
  if (h.HistoryLength[0] == 660) {
    h.History8thEt[0] = h.HistoryEt[0];
    h.History8thMph[0] = Format(h.HistoryMph[0], "####.00");
  }

  h.HistoryName[0] = NextHistoryLetter(h.HistoryName[1]);
  fst.FileOperation = savemode::History;
  SaveVehicleFile(FormId::frmMain);
}

}  // namespace sw

