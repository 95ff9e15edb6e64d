#include "results/history_ops.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

const char* const kMsgNotValidRename = "Distance = 0, there for this is not a valid test and can not be Renamed.";
const char* const kMsgNotValidOpen = "Distance = 0, there for this is not a valid test and can not be Opened.";
const char* const kMsgHistoryCopyLost =
    "These specs can not be restored because the file containing them has been lost or corrupted.";

std::string RunNotRetrievedMessage(const std::string& title) {
  const std::string cr2 = std::string(1, CR) + CR;
  return "The specs of:" + cr2 + "    " + title + cr2 +
         "were not retrieved: that test is no longer in the History Log.";
}

bool IsValidTest(int e) { return e >= 0 && e < kHistorySlots && tbl.HistoryLength[e] != 0; }

bool ClearHistory() {
  const std::string cr2 = std::string(1, CR) + CR;
  int a = MsgBox("Clear out the History Log of the last 25 tests?" + cr2 +
                     "If you think you might want to review the results or recall any of the specs which produced "
                     "these last 25 runs, answer No.",
                 mb::YesNo + mb::Question + mb::DefaultButton2, "Clear Out the History Log");
  if (a != ans::Yes) return false;
  for (int i = 1; i <= 24; ++i) {
    tbl.HistoryTitle[i].clear();
    tbl.HistoryEt[i].clear();
    tbl.History60ft[i].clear();
    tbl.HistoryMph[i] = 0;
    tbl.HistoryLength[i] = 0;
    tbl.HistoryDensAlt[i] = 0;
    tbl.HistoryDryDensAlt[i] = 0;
  }
  return true;
}

bool RenameTest(int e) {
  if (e < 0 || e >= kHistorySlots) return false;
  if (!IsValidTest(e)) {
    MsgBox(kMsgNotValidRename);
    return false;
  }
  InputAnswer a = InputBox("Enter a Test Title", "Edit Test Title", tbl.HistoryTitle[e]);
  if (a.cancelled || a.text.empty()) return false;
  tbl.HistoryTitle[e] = a.text;
  return true;
}

HistoryRun HistoryRunAt(int e) {
  if (e < 0 || e >= kHistorySlots) return {};
  return {tbl.HistoryName[e], tbl.HistoryTitle[e], tbl.HistoryEt[e], tbl.History60ft[e], tbl.HistoryMph[e]};
}

int FindHistoryRun(const HistoryRun& run) {
  if (run.name.empty()) return -1;
  // Each kept run has a letter of its own; the figures tell a letter that
  // came round again after 25 runs, or an entry that was cleared.
  for (int e = 0; e < kHistoryKept; ++e)
    if (tbl.HistoryName[e] == run.name && tbl.HistoryEt[e] == run.et && tbl.HistoryMph[e] == run.mph &&
        tbl.History60ft[e] == run.sixty)
      return e;
  return -1;
}

bool CheckHistoryCopy(int e) {
  if (e < 0 || e >= kHistorySlots || tbl.HistoryName[e].empty()) return false;
  SeqReader in;
  if (!in.Open(ProgramPath("QVHISTRY/" + tbl.HistoryName[e]))) return false;
  std::string version, et, mph, sixty;
  if (!in.LineInput(version) || !in.LineInput(et) || !in.LineInput(mph) || !in.LineInput(sixty)) return false;
  std::string magic = Left(version, 12);
  if (magic != "QVZ-ZKT*3.20" && magic != "QVZ-ZKT*3.00") return false;
  if (et != tbl.HistoryEt[e]) return false;
  if (Trim(mph) != Trim(Str(tbl.HistoryMph[e]))) return false;
  if (sixty != tbl.History60ft[e]) return false;
  // A copy cut off before the end of its power curve would leave the specs
  // half replaced: refuse it before the reader starts.
  const int needed = (magic == "QVZ-ZKT*3.20" ? 211 : 191) + 30;
  std::string line;
  for (int k = 0; k < needed; ++k)
    if (!in.LineInput(line)) return false;
  return true;
}

}  // namespace sw
