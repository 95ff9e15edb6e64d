// Advice texts (ANALYS/<key>) of any content, read into the Analysis Report
// of three runs that together call for every paragraph: a slow clutch car
// over the quarter mile, a converter car whose tires spin, and an eighth-mile
// run with a quick shift. The page data stay inside the report, which the
// report viewer can cut into printed pages.
#include "fuzz_folder.h"
#include "results/analysis_report.h"
#include "results/report_pages.h"

namespace sw::links {
// The report is only built here, never shown.
void ShowTextDocument(const std::string&, const std::string&) {}
}  // namespace sw::links

using namespace sw;

namespace {

const char* const kKeys[] = {"AUTOMPH",  "BOG1NOPT", "BOG1OPT",  "BOG2NOPT", "BOG2OPT",    "CLSLPHI",   "CLUTCH",
                             "CONVSTAL", "CSTALLO",  "CSTALVLO", "GOODDRIV", "LMTSLPHI",   "MPHLO",     "MPHLOGS",
                             "OPTCLTCH.1", "OPTCLTCH.2", "QKSHFT", "RPMLO",  "SHIFTRPM",   "TRSLPHI"};

std::vector<AnalysisFigures> Runs() {
  AnalysisFigures slow;
  slow.runLength = 1320;
  slow.weight = 3600;
  slow.peakHp = 400, slow.peakHpRpm = 6000, slow.peakTorqueRpm = 4500, slow.curveTopRpm = 6500;
  slow.computedShift = {0, 6200, 6300, 6400, 100000, 100000, 100000, 100000};
  slow.userShift = {0, 5000, 7000, 7000, 7000, 7000, 0, 0};
  slow.shiftChoice = 1;
  slow.runTotal1 = 22000, slow.runTotal2 = 6, slow.runTotal3 = 6;
  slow.et = "14.20", slow.sixtyFt = "2.10", slow.mph = 80;
  slow.rows = {{" 1", 0, 0, 3000}, {" 1-2", 2.5, 100, 6200}, {" 3", 9, 660, 5000}, {" 4", 14.2, 1320, 5800}};
  AnalysisFigures converter = slow;
  converter.converter = true;
  converter.drivingType = 1;
  converter.launchThrottle = "80";
  converter.runTotal4 = 7;
  converter.rows[1].rpm = 2000;
  AnalysisFigures eighth = converter;
  eighth.runLength = 660;
  eighth.spinShiftTime = 1.234;
  eighth.rows.pop_back();
  return {slow, converter, eighth};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<AnalysisFigures> runs = Runs();
  for (const char* key : kKeys) fuzz::Put(std::string("ANALYS/") + key, fuzz::Bytes(data, size));
  for (const AnalysisFigures& run : runs) {
    const AnalysisReport report = BuildAnalysisReport(run, fuzz::Folder() / "ANALYS");
    fuzz::Check(report.refusal.empty());
    fuzz::Check(report.pageBreaks >= 0 && report.pageBreaks <= kReportMaxBreaks);
    for (int p = 0; p <= report.pageBreaks; ++p)
      fuzz::Check(report.pageStart[static_cast<size_t>(p)] >= 1 &&
                  report.pageStart[static_cast<size_t>(p)] <= static_cast<int>(report.text.size()) + 1);
    // As the report viewer prints it.
    fuzz::Check(!PaginateText(report.text, 80, kReportLinesPerPage).empty());
  }
  return 0;
}
