#include "results/report_pages.h"

#include <algorithm>

#include "platform/text.h"

namespace sw {

int ReportPageCount = 0;
std::array<int, kReportMaxBreaks + 1> ReportPageStart{1};

void AddParagraph(ReportPaging& paging, int paragraphStart, int counted) {
  if (paging.pageLines + counted <= kReportLinesPerPage || paging.breaks >= kReportMaxBreaks) {
    paging.pageLines += counted;
    return;
  }
  ++paging.breaks;
  paging.start[paging.breaks] = paragraphStart;
  paging.pageLines = counted;
}

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(line);
      line.clear();
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (ch == '\t') {
      line += std::string(8 - line.size() % 8, ' ');
    } else {
      line += ch;
    }
  }
  lines.push_back(line);
  while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
  return lines;
}

// Characters of one UTF-8 text up to byte `end`.
size_t Chars(const std::string& s, size_t end) {
  size_t n = 0;
  for (size_t i = 0; i < end && i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
  return n;
}

// Byte position after `count` characters.
size_t ByteOf(const std::string& s, size_t count) {
  size_t i = 0, n = 0;
  while (i < s.size() && n < count) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    ++n;
  }
  return i;
}

void Wrap(std::string line, size_t columns, std::vector<std::string>& out) {
  while (Chars(line, line.size()) > columns) {
    size_t limit = ByteOf(line, columns);
    size_t cut = line.rfind(' ', limit);
    size_t next;
    if (cut == std::string::npos || cut == 0 || Trim(line.substr(0, cut)).empty()) {
      cut = limit;
      next = limit;
    } else {
      next = cut + 1;
    }
    out.push_back(RTrim(line.substr(0, cut)));
    line = line.substr(next);
  }
  out.push_back(line);
}

}  // namespace

std::vector<std::vector<std::string>> PaginateText(const std::string& text, int columns, int linesPerPage) {
  if (columns < 10) columns = 10;
  if (linesPerPage < 1) linesPerPage = 1;
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(text)) Wrap(line, columns, lines);
  std::vector<std::vector<std::string>> pages;
  for (size_t i = 0; i < lines.size(); i += linesPerPage)
    pages.emplace_back(lines.begin() + i, lines.begin() + std::min(lines.size(), i + linesPerPage));
  if (pages.empty()) pages.emplace_back();
  return pages;
}

namespace {
std::string PadTo(const std::string& s, size_t width) {
  size_t n = Chars(s, s.size());
  return n >= width ? s : s + std::string(width - n, ' ');
}
}  // namespace

std::array<std::string, 3> ReportPageHeader(const std::string& vehicleName, const std::string& date,
                                            const std::string& time, int page, int pages) {
  std::array<std::string, 3> h;
  h[0] = PadTo("Stagewell v3.2   Korvath", kHeaderWidth) + "Date: " + date;
  std::string veh = "Veh: " + vehicleName;
  h[1] = Chars(veh, veh.size()) > kHeaderWidth ? veh : PadTo(veh, kHeaderWidth) + "Time: " + time;
  h[2] = PadTo("Analysis Report", kHeaderWidth) + "Page" + Str(page) + " of" + Str(pages);
  return h;
}

}  // namespace sw
