// Pages of printed reports: where the analysis report's paragraphs start new
// pages, and how the report viewer cuts any text into printed pages with the
// three header lines on each. No window code here.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace sw {

// --- the analysis report's page data
inline constexpr int kReportLinesPerPage = 54;
inline constexpr int kReportMaxBreaks = 10;

// Page breaks of the last analysis report: ReportPageCount breaks, page p
// (1-based) starting at character ReportPageStart[p - 1] (1-based) of the
// report text. 0 breaks until a report was made.
extern int ReportPageCount;
extern std::array<int, kReportMaxBreaks + 1> ReportPageStart;

struct ReportPaging {
  int breaks = 0;
  std::array<int, kReportMaxBreaks + 1> start{1};
  int pageLines = 16;  // the header and the comparison table
};

// One paragraph of `counted` lines added; it begins at character
// `paragraphStart` (1-based) of the report. A paragraph that does not fit on
// the page starts the next one, at its own first character.
void AddParagraph(ReportPaging& paging, int paragraphStart, int counted);

// --- the report viewer's printout
inline constexpr int kHeaderWidth = 62;

// The text's lines (CR LF, LF or CR ends a line), each longer line wrapped
// at its last blank within `columns` characters (cut when it has none), then
// cut into pages of `linesPerPage` lines. Trailing empty lines are dropped,
// so no page is blank; an empty text is one empty page.
std::vector<std::vector<std::string>> PaginateText(const std::string& text, int columns, int linesPerPage);

// The three header lines of printed page `page` of `pages`. `date` is
// mm-dd-yyyy, `time` h:mm:ss am/pm; a vehicle name too long for its line
// leaves the time out.
std::array<std::string, 3> ReportPageHeader(const std::string& vehicleName, const std::string& date,
                                            const std::string& time, int page, int pages);

}  // namespace sw
