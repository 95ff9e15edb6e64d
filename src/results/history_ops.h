// What the racer can do with the run history from the results window: clear
// it, rename a test, and check a test's stored specs before they are
// retrieved. No window code here.
#pragma once

#include <string>

namespace sw {

// History entry e is a test that ran (its length is not 0).
bool IsValidTest(int e);

// Asks, then empties the titles, times and figures of entries 1..24 (this
// run, entry 0, stays). True when the history was cleared.
bool ClearHistory();

// Asks for a new title of entry e. True when the title changed. An entry
// that is not a test gets the designed refusal.
bool RenameTest(int e);

// The stored copy of entry e's specs (QVHISTRY/<letter>) belongs to that
// entry: its version line, ET, MPH and 60 ft lines match and its specs and
// power curve are all there. False for a copy that is missing, cut off, of
// another version or of another run.
bool CheckHistoryCopy(int e);

// A kept run as the racer picked it: its history copy's letter and the
// figures that copy holds. A run made later moves every entry one place
// down, so the entry number alone may name another run by then.
struct HistoryRun {
  std::string name, title, et, sixty;
  double mph = 0;
};
HistoryRun HistoryRunAt(int e);
// The entry that holds `run` now; -1 once it has left the history (pushed
// out by later runs or cleared).
int FindHistoryRun(const HistoryRun& run);

// A run picked for retrieval had left the history by the time the save that
// the retrieval waited for was done.
std::string RunNotRetrievedMessage(const std::string& title);

// Messages of the history commands.
extern const char* const kMsgNotValidRename;
extern const char* const kMsgNotValidOpen;
extern const char* const kMsgHistoryCopyLost;

}  // namespace sw
