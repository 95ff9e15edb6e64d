#include "results/time_slip.h"

#include "platform/text.h"
#include "files/configuration.h"
#include "results/results_state.h"
#include "simulation/tables.h"

namespace sw {

namespace {

std::string Padded(const std::string& label, int width) {
  return label + Space(static_cast<long>(width) - static_cast<long>(label.size()));
}

}  // namespace

std::string TimeSlipText(int e) {
  const std::string nl = CRLF;
  if (e < 0 || e >= kHistorySlots) return "Time Slip For:" + nl;
  std::string text = "Time Slip For:" + nl;
  const double length = tbl.HistoryLength[e];
  if (length < 660 || length > 1320) return text + "Not Available for" + nl + Str(length) + " ft run";

  const std::string& title = tbl.HistoryTitle[e];
  long p = InStr(title, ": ");
  std::string header;
  if (p < 1) {
    header = title + nl;
  } else {
    header = Trim(Mid(title, p + 2)) + nl + "Time Slip For:" + nl + "   " + Left(title, p - 1) + nl;
    text.clear();
  }
  text += header + nl;

  text += Padded("RT", 22) + ".500" + nl;
  text += Padded("60 ft", 23) + tbl.History60ft[e] + nl;
  text += Padded("330 ft", 22) + tbl.History330ft[e] + nl;
  text += Padded("1/8 ET", 20) + tbl.History8thEt[e] + nl;
  text += Padded("1/8 MPH", 17) + tbl.History8thMph[e] + nl;
  if (length > 660) {
    text += Padded("1000 ft", 20) + tbl.History1000ft[e] + nl;
    text += Padded("1/4 ET", 19) + tbl.HistoryEt[e] + nl;
    text += Padded("1/4 MPH", 16) + Format(tbl.HistoryMph[e], "####.00") + nl;
  }
  return text;
}

void PlaceTimeSlipFirstTime(double screenWidthTwips) {
  if (cfg.TimeSlipTop == 0 && cfg.TimeSlipLeft == 0 && screenWidthTwips > 11000) {
    cfg.TimeSlipTop = 1575;
    cfg.TimeSlipLeft = 9435;
  }
}

}  // namespace sw
