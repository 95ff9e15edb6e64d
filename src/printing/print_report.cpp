#include "printing/print_report.h"

#include <algorithm>
#include <utility>

#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "results/results_tables.h"
#include "specs/preset_lists.h"

namespace sw {

namespace {

const char* const kBlankValue = "_______";
const char* const kBlankCurveCell = "______";
const char* const kSpecPagesTitle = "Vehicle Input Specs";

// A label or a sub-heading that a spec row carries on the printed page.
struct RowMark {
  int row;
  const char* label;       // the row is a pick list: label and the picked item
  const char* subheading;  // printed on a line of its own above the row
};

struct BlockLayout {
  int menu;
  const char* title;
  int leftRows, rightRows;
  std::vector<RowMark> marks;
};

// The six spec blocks. The body block's right column runs to row 11 so that
// the drag coefficient is printed.
const std::vector<BlockLayout>& Blocks() {
  static const std::vector<BlockLayout> k = {
      {1, "Engine", 7, 7, {{0, "Type:", nullptr}, {6, "Cr Fctr:", nullptr}}},
      {2,
       "Transmission",
       7,
       8,
       {{0, "Type:", nullptr}, {4, "Clutch Material:", nullptr}, {7, "Type:", nullptr}, {8, "Efficiency:", nullptr}}},
      {3,
       "Vehicle",
       3,
       9,
       {{1, nullptr, "Axle Specs"},
        {2, "Diff Lock Eff:", nullptr},
        {3, "Type:", nullptr},
        {4, "Layout:", nullptr},
        {9, "Front Roll Stfns:", nullptr}}},
      {4, "Wheels/Tires", 3, 7, {{0, "Type:", nullptr}, {3, "Type:", nullptr}, {6, "Constrcnt:", nullptr}}},
      {5,
       "Driving",
       5,
       8,
       {{0, "Type:", nullptr}, {5, "Shift Time, sec: ", nullptr}, {6, "% Throttle:", nullptr}, {7, "RPMs:", nullptr}}},
      {6,
       "Calculate Performance Conditions",
       5,
       5,
       {{0, "Type:", nullptr}, {6, "Direction:", nullptr}, {7, "Track:", "Track Specs"}, {8, "Rollout:", nullptr}}},
  };
  return k;
}

const RowMark* MarkOf(const BlockLayout& b, int row) {
  for (const RowMark& m : b.marks)
    if (m.row == row) return &m;
  return nullptr;
}

// The slot of the menu that names the library example a Type row is linked
// to; -1 for rows without one.
int ExampleNameSlot(int menu, int row) {
  static const int kSlots[][3] = {{1, 0, 13}, {2, 0, 22}, {2, 7, 24}, {3, 3, 15}, {4, 0, 10}, {4, 3, 12}};
  for (const auto& s : kSlots)
    if (s[0] == menu && s[1] == row) return s[2];
  return -1;
}

bool StartsWithAny(const std::string& s, const char* letters) {
  return !s.empty() && std::string(letters).find(s[0]) != std::string::npos;
}

// Byte length of the first n characters of UTF-8 text.
size_t Utf8Bytes(const std::string& s, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < s.size() && count < n; ++count) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

// The text without its last character.
void DropLastCharacter(std::string& s) {
  if (s.empty()) return;
  size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  s.erase(i);
}

bool OnlyBlanksAndLineEnds(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; });
}

class Composer {
 public:
  Composer(const ReportJob& job, ReportCanvas& canvas)
      : job_(job), c_(canvas), w_(canvas.Width()), h_(canvas.Height()), gap_(0.002 * w_), top_(0.02 * h_) {}

  void Run() {
    if (!job_.fontName.empty()) c_.SetFontName(job_.fontName);
    c_.SetFontSize(10);
    if (job_.kind == ReportKind::Definitions) {
      Definitions();
    } else {
      ResultsPage();
      if (job_.options[kIncludeSpecs] == 1) SpecPages();
    }
    Frame();
  }

 private:
  using Items = std::vector<std::pair<double, std::string>>;

  const ReportJob& job_;
  ReportCanvas& c_;
  const double w_, h_, gap_, top_;
  double y_ = 0;
  double charHeight_ = 0;
  double bodyTop_ = 0;  // where the page's body starts, below its header
  int page_ = 0;
  std::string pageTitle_;

  bool Worksheet() const { return job_.kind == ReportKind::Worksheet; }
  double X(double fraction) const { return fraction * w_; }

  // --- page furniture

  void Header() {
    const double bodySize = c_.FontSize();
    y_ = top_;
    charHeight_ = c_.TextHeight();
    c_.SetFontSize(12);
    ++page_;
    Draw({{0.06, "Stagewell v3.2"}, {0.35, "Korvath"}, {0.72, "Date: " + job_.date}});
    std::string vehicle = "Veh: " + job_.vehicleName;
    vehicle.resize(Utf8Bytes(vehicle, 23));
    Draw({{0.06, Worksheet() ? "Blank Worksheet" : vehicle}, {0.72, "Time: " + job_.time}});
    Draw({{0.06, pageTitle_}, {0.72, "Page:" + Str(page_)}});
    c_.SetFontSize(bodySize);
    if (job_.options[kRequestComment] == 1 && !job_.reportComment.empty()) {
      Rule(2, true);
      for (const std::string& line : Wrap("Report Comment:  " + job_.reportComment, X(0.86))) Draw({{0.06, line}});
    }
    bodyTop_ = y_;
  }

  // The page's double frame, closing just below the last thing printed.
  void Frame() {
    const double bottom = y_ + 0.25 * charHeight_;
    c_.Box(X(0.05), top_ - 3 * gap_, X(0.93), bottom);
    c_.Box(X(0.05) - gap_, top_ - 4 * gap_, X(0.93) + gap_, bottom + gap_);
  }

  void NextPage() {
    Frame();
    c_.NewPage();
    Header();
  }

  // Paper never ejects by itself: a page that has no room left for `height`
  // more (and its frame) goes on to the next.
  void Room(double height) {
    if (y_ <= bodyTop_) return;
    if (y_ + height + 0.25 * charHeight_ + gap_ > h_) NextPage();
  }

  // One line of text: each item at its fraction of the width.
  void Draw(const Items& items) {
    for (const auto& [x, text] : items)
      if (!text.empty()) c_.Text(X(x), y_, text);
    y_ += c_.TextHeight();
  }

  void PrintLine(const Items& items) {
    Room(c_.TextHeight());
    Draw(items);
  }

  // Lines that belong together stay on one page when they fit on one.
  void PrintLines(const std::vector<Items>& lines) {
    Room(c_.TextHeight() * static_cast<double>(lines.size()));
    for (const Items& l : lines) PrintLine(l);
  }

  // mode 1 a single rule, 2 a double rule; with spacing the rule adds a
  // quarter of a character's height. The next line starts at the rule: pulled
  // up by that spacing its letters would lie across the rule.
  void Rule(int mode, bool spacing) {
    if (mode == 0) return;
    const double d = spacing ? 0.25 * charHeight_ : 0;
    Room(d);
    c_.Line(X(0.05), y_ + d, X(0.93), y_ + d);
    if (mode == 2) c_.Line(X(0.05), y_ + gap_, X(0.93), y_ + gap_);
    y_ += d;
  }

  void SectionTitle(const std::string& title) {
    Rule(2, true);
    PrintLine({{0.06, StartsWithAny(title, "SV") ? title : "Projected Performance" + title}});
    if (!StartsWithAny(title, "V")) Rule(1, true);
  }

  // Text broken at blanks into lines no wider than `width`; a word wider
  // than that is broken where it must be.
  std::vector<std::string> Wrap(const std::string& text, double width) const {
    std::vector<std::string> lines;
    std::string line;
    size_t pos = 0;
    auto fits = [&](const std::string& s) { return c_.TextWidth(s) <= width; };
    while (pos < text.size()) {
      size_t end = text.find(' ', pos);
      if (end == std::string::npos) end = text.size();
      std::string word = text.substr(pos, end - pos);
      pos = end + 1;
      if (word.empty()) continue;
      std::string joined = line.empty() ? word : line + " " + word;
      if (fits(joined)) {
        line = joined;
        continue;
      }
      if (!line.empty()) lines.push_back(line);
      line.clear();
      while (!fits(word)) {
        size_t n = 1;
        while (Utf8Bytes(word, n + 1) < word.size() && fits(word.substr(0, Utf8Bytes(word, n + 1)))) ++n;
        lines.push_back(word.substr(0, Utf8Bytes(word, n)));
        word.erase(0, Utf8Bytes(word, n));
      }
      line = word;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
  }

  // Shortens text until it is narrower than `limit`.
  std::string Narrower(std::string text, double limit) const {
    while (!text.empty() && c_.TextWidth(text) >= limit) DropLastCharacter(text);
    return text;
  }

  // --- report and worksheet, results page

  void Comment(std::string& rest) {
    for (const std::string& line : TakeCommentLines(rest, 20))
      for (const std::string& part : Wrap(line, X(0.85))) PrintLine({{0.07, part}});
  }

  void GridRow(const std::vector<std::string>& cells, bool history) {
    Items items;
    for (size_t c = 0; c < cells.size(); ++c) {
      std::string text = RTrim(cells[c]);
      if (history && c == 0) text = Narrower(text, X(0.15));
      double x = 0.06;
      if (c > 0) {
        x = 0.06 + static_cast<double>(c - 1) * 0.08 + (history ? 0.16 : 0.06);
        if (history && (c == 2 || c == 3 || c == 5 || c == 7 || c == 9)) x -= 0.02;
      }
      items.push_back({x, text});
    }
    PrintLine(items);
  }

  static bool EveryThirdRow(int r) { return Int((r + 1) / 3.0 + 0.5) * 3 == r; }

  void ResultsPage() {
    pageTitle_ = "Calculated Test Results";
    Header();
    std::string rest;
    if (job_.includeComments) {
      Rule(2, true);
      PrintLine({{0.06, "Vehicle Comments:"}});
      rest = job_.vehicleComments;
      Rule(2, true);
      Comment(rest);
    }
    SectionTitle("");
    const int last = static_cast<int>(job_.resultRows.size()) - 1;
    for (int r = 0; r <= last; ++r) {
      const auto& row = job_.resultRows[static_cast<size_t>(r)];
      GridRow(std::vector<std::string>(row.begin(), row.end()), false);
      if (EveryThirdRow(r) && r != last) Rule(1, false);
    }
    Rule(2, true);
    Comment(rest);
    const std::string tf = job_.finerTime == 1 ? "####.000" : "####.00";
    PrintLine({{0.08, "Current:  "},
               {0.25, "ET"},
               {0.30, job_.etCurrent},
               {0.45, "MPH"},
               {0.50, Format(job_.mphCurrent, "###.00")}});
    // Against no run, or a run of another length, the paper leaves Last and
    // Improvement empty, as the results window does.
    if (job_.hasLast) {
      PrintLine({{0.08, "Last:  "}, {0.30, job_.etLast}, {0.50, Format(job_.mphLast, "###.00")}});
      PrintLine({{0.08, "Improvement:  "},
                 {0.30, Format(Val(job_.etLast) - Val(job_.etCurrent), tf)},
                 {0.50, Format(job_.mphCurrent - job_.mphLast, "###.00")}});
    } else {
      PrintLine({{0.08, "Last:  "}});
      PrintLine({{0.08, "Improvement:  "}});
    }
    Rule(2, true);
    Comment(rest);
    if (job_.includeHistory) {
      const int lastHistory = static_cast<int>(job_.historyRows.size()) - 1;
      for (int r = 0; r <= lastHistory; ++r) {
        const auto& row = job_.historyRows[static_cast<size_t>(r)];
        GridRow(std::vector<std::string>(row.begin(), row.end()), true);
        if (EveryThirdRow(r) && r != lastHistory) Rule(1, false);
      }
    }
  }

  // --- report and worksheet, spec pages

  const std::string& SpecOf(int menu, int k) const {
    static const std::string kNone;
    size_t i = static_cast<size_t>(tbl.SpecMenuStart[static_cast<size_t>(menu)] + k);
    return i < job_.specs.size() ? job_.specs[i] : kNone;
  }
  int WholeSpec(int menu, int k) const { return static_cast<int>(Int(Val(SpecOf(menu, k)))); }

  int EngineType() const {
    int type = WholeSpec(1, 0);
    return type == 4 ? WholeSpec(1, 14) : type;
  }
  int ClutchKind() const {
    int kind = WholeSpec(2, 0);
    if (kind == 5) kind = WholeSpec(2, 23) == 1 ? 1 : 3;
    return kind;
  }

  // Left-column rows that do not apply to the chosen types.
  bool NotApplicable(int menu, int row, const RowMark* mark) const {
    const int weather = WholeSpec(6, 0);
    switch (menu) {
      case 1:
        return ((row == 2 || row == 3) && (EngineType() == 0 || EngineType() == 2)) ||
               ((row == 4 || row == 5) && EngineType() == 2);
      case 2:
        return (row >= 1 && row <= 4 && (ClutchKind() == 0 || ClutchKind() == 3)) ||
               ((row == 5 || row == 6) && (ClutchKind() == 0 || ClutchKind() == 1));
      case 4:
        return !(mark && mark->label) && WholeSpec(4, 0) == 0;
      case 5:
        return (row == 1 && ClutchKind() == 3) || (row >= 2 && WholeSpec(5, 0) == 0);
      case 6:
        return (row == 4 && (weather == 2 || weather == 3)) || (row == 1 && (weather == 4 || weather == 5));
      default:
        return false;
    }
  }

  std::string PickedText(int menu, int row) const {
    const auto& items = job_.presets[static_cast<size_t>(menu)][static_cast<size_t>(row)];
    const int pick = WholeSpec(menu, row);
    if (pick >= 0 && pick < static_cast<int>(items.size())) return items[static_cast<size_t>(pick)];
    const int slot = ExampleNameSlot(menu, row);
    return slot >= 0 ? Trim(SpecOf(menu, slot)) : std::string();
  }

  // A row's caption (or label and pick) and its value, at the column's two
  // positions.
  void Cell(const BlockLayout& b, int row, double captionX, double valueX, bool left, Items& items) const {
    const RowMark* mark = MarkOf(b, row);
    if (mark && mark->label) {
      const std::string label = mark->label;
      if (Worksheet()) {
        items.push_back({captionX, label});
        items.push_back({valueX, kBlankValue});
      } else if (left && NotApplicable(b.menu, row, mark)) {
        items.push_back({captionX, label});
        items.push_back({valueX, "na"});
      } else {
        items.push_back({captionX, Narrower(label + "   " + PickedText(b.menu, row), X(0.36))});
      }
      return;
    }
    const std::string& caption = job_.captions[static_cast<size_t>(b.menu)][static_cast<size_t>(row)];
    if (Trim(caption).empty()) return;
    items.push_back({captionX, Narrower(caption, X(0.28))});
    if (Worksheet()) items.push_back({valueX, kBlankValue});
    else if (left && NotApplicable(b.menu, row, mark)) items.push_back({valueX, "na"});
    else items.push_back({valueX, Trim(SpecOf(b.menu, row))});
  }

  // The engine's right column: the power curve, two columns of five points.
  void CurveCells(int line, Items& items) const {
    if (line == 1) {
      for (int t = 0; t < 2; ++t) {
        items.push_back({0.06 + 0.44 + 0.22 * t, "RPM"});
        items.push_back({0.06 + 0.51 + 0.22 * t, "Tq"});
        items.push_back({0.06 + 0.58 + 0.22 * t, "HP"});
      }
      return;
    }
    if (line < 2 || line > 6) return;
    for (int t = 0; t < 2; ++t) {
      const int p = (line - 2) + 5 * t;
      for (int q = 0; q < 3; ++q)
        items.push_back({0.06 + 0.44 + 0.07 * q + 0.22 * t,
                         Worksheet() ? kBlankCurveCell
                                     : job_.powerCurve[static_cast<size_t>(p)][static_cast<size_t>(q)]});
    }
  }

  void Block(const BlockLayout& b) {
    Rule(2, true);
    PrintLine({{0.06, b.title}});
    Rule(1, true);
    std::string leftHeading, rightHeading;
    switch (b.menu) {
      case 1:
        leftHeading = "Engine Specs";
        rightHeading = EngineType() == 2 ? "Full Power Curve" : "";
        break;
      case 2:
        leftHeading = "Clutch/Converter";
        rightHeading = "Transmission";
        break;
      case 3:
        leftHeading = "Vehicle Weight";
        rightHeading = "Body Details";
        break;
      case 4: {
        const bool rearFirst = WholeSpec(3, 4) == 1;
        leftHeading = std::string(rearFirst ? "Rear " : "Front") + " Wheels/Tires";
        rightHeading = std::string(rearFirst ? "Front" : "Rear ") + " Wheels/Tires";
        break;
      }
      case 5:
        leftHeading = "Launch Specs";
        rightHeading = "Shift Specs";
        break;
      default:
        leftHeading = "Weather Conditions";
        rightHeading = "Wind Specs";
        break;
    }
    if (!(Worksheet() && b.menu == 6)) PrintLine({{0.06, leftHeading}, {0.48, rightHeading}});

    for (int n = 0; n < b.rightRows; ++n) {
      // The worksheet leaves out the Type rows the racer picks from a list.
      if (Worksheet() && (b.menu == 2 || b.menu == 4) && n == 0) continue;
      const int leftRow = n < b.leftRows ? n : -1;
      const int rightRow = b.leftRows + n;
      const RowMark* leftMark = leftRow >= 0 ? MarkOf(b, leftRow) : nullptr;
      const RowMark* rightMark = b.menu == 1 ? nullptr : MarkOf(b, rightRow);
      if ((leftMark && leftMark->subheading) || (rightMark && rightMark->subheading))
        PrintLine({{0.06, leftMark && leftMark->subheading ? leftMark->subheading : ""},
                   {0.48, rightMark && rightMark->subheading ? rightMark->subheading : ""}});
      Items items;
      if (leftRow >= 0) Cell(b, leftRow, 0.08, 0.38, true, items);
      if (b.menu == 1) {
        if (EngineType() == 2) CurveCells(n, items);
      } else {
        Cell(b, rightRow, 0.50, 0.80, false, items);
      }
      PrintLine(items);
    }
  }

  void SpecPages() {
    Frame();
    c_.NewPage();
    pageTitle_ = kSpecPagesTitle;
    Header();
    if (!Worksheet()) SectionTitle(kSpecPagesTitle);
    c_.SetFontSize(10);
    if (Worksheet()) {
      if (!job_.worksheetComment.empty()) {
        Rule(2, true);
        for (const std::string& line : Wrap("Work Sheet Comment: " + job_.worksheetComment, X(0.86)))
          PrintLine({{0.06, line}});
      }
      Rule(2, true);
      PrintLine({{0.06, "Vehicle Comments:"}});
      Rule(1, true);
      PrintLine({});
    }
    for (const BlockLayout& b : Blocks()) {
      if (job_.options[kDotMatrix] == 1 && b.menu >= 4) {
        const double breakFraction = b.menu == 4 ? 0.85 : b.menu == 5 ? 0.75 : 0.8;
        if (y_ > breakFraction * h_) {
          NextPage();
          SectionTitle(kSpecPagesTitle);
        }
      }
      Block(b);
    }
  }

  // --- definitions

  void Definition(const std::string& name, double nameX, double textX, const std::string& text, bool nameAbove) {
    std::vector<Items> lines;
    const std::vector<std::string> wrapped = Wrap(text, X(0.92 - textX));
    if (nameAbove) lines.push_back({{nameX, LTrim(name)}});
    for (size_t i = 0; i < wrapped.size(); ++i) {
      Items line;
      if (!nameAbove && i == 0) line.push_back({nameX, name});
      line.push_back({textX, wrapped[i]});
      lines.push_back(line);
    }
    PrintLines(lines);
  }

  void Definitions() {
    const auto& items = job_.definitionItems;
    const auto& titles = job_.specialTitles;
    size_t item = 0, title = 0;
    auto nextItem = [&]() -> std::string { return item < items.size() ? items[item++] : std::string(); };

    pageTitle_ = "Definitions";
    Header();
    Rule(2, true);
    std::string name40;
    for (int i = 0; i < kDefinitionEntries; ++i) {
      const std::string text = nextItem();
      const std::string name = i < kOutputNames ? job_.outputNames[static_cast<size_t>(i)] : std::string();
      if (i == 40) {
        name40 = name;
        if (name40.find("Jet") == std::string::npos) {
          nextItem();
          nextItem();
        }
      }
      if (i == 42 && name40.find("Jet") != std::string::npos) {
        nextItem();
        nextItem();
      }
      if (Trim(name).empty() && Trim(text).empty()) continue;
      Definition(name, 0.06, 0.21, Trim(text), false);
    }

    NextPageTitled("Definitions, cont");
    auto dropTitles = [&](int n) { title = std::min(titles.size(), title + static_cast<size_t>(n)); };
    for (int k = 28; k <= 94; ++k) {
      const std::string text = nextItem();
      if (!Trim(text).empty()) {
        std::string heading;
        while (title < titles.size()) {
          heading = titles[title++];
          if (!Trim(heading).empty() && heading.size() <= 40) break;
          heading.clear();
        }
        Definition(heading, 0.06, 0.08, Trim(text), true);
      }
      if (k == 66) {
        NextPage();
        Rule(2, true);
        dropTitles(5);
      } else if (k == 76) {
        dropTitles(3);
      } else if (k == 82) {
        dropTitles(2);
      }
    }
  }

  void NextPageTitled(const std::string& title) {
    Frame();
    c_.NewPage();
    pageTitle_ = title;
    Header();
    Rule(2, true);
  }
};

}  // namespace

std::array<std::string, kSpecRowsMax> ReadRowCaptions(int menu) {
  std::array<std::string, kSpecRowsMax> captions;
  SeqReader in;
  if (!in.Open(ProgramPath("QVZHELP/help" + std::to_string(menu) + ".txt"))) return captions;
  const int rows = std::min(kSpecRowsMax, tbl.SpecMenuStart[static_cast<size_t>(menu) + 1] -
                                              tbl.SpecMenuStart[static_cast<size_t>(menu)]);
  for (int r = 0; r < rows; ++r) {
    std::string caption, rest;
    if (!in.LineInput(caption)) break;
    captions[static_cast<size_t>(r)] = caption;
    if (!in.LineInput(rest) || !in.LineInput(rest) || !in.LineInput(rest)) break;
  }
  return captions;
}

std::vector<std::string> TakeCommentLines(std::string& rest, int maxLines) {
  std::vector<std::string> lines;
  while (static_cast<int>(lines.size()) < maxLines) {
    if (OnlyBlanksAndLineEnds(rest)) {
      rest.clear();
      break;
    }
    // A control character other than a line end starts no line.
    if (static_cast<unsigned char>(rest[0]) < 28 && rest[0] != '\r' && rest[0] != '\n') {
      rest.erase(0, 1);
      continue;
    }
    const size_t limit = Utf8Bytes(rest, 75);
    const size_t lineEnd = rest.find_first_of("\r\n");
    std::string line;
    if (lineEnd != std::string::npos && lineEnd < limit) {
      line = rest.substr(0, lineEnd);
      size_t skip = rest.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1;
      rest.erase(0, lineEnd + skip);
    } else if (limit >= rest.size()) {
      line = rest;
      rest.clear();
    } else {
      size_t blank = rest.rfind(' ', limit - 1);
      size_t cut = blank == std::string::npos || blank == 0 ? limit : blank;
      line = rest.substr(0, cut);
      rest.erase(0, cut);
    }
    lines.push_back(Trim(line));
  }
  return lines;
}

ReportJob TakeReportJob(ReportKind kind, const std::array<int16_t, 5>& options) {
  ReportJob job;
  job.kind = kind;
  job.options = options;
  job.includeHistory = options[kIncludeHistory] == 1 && tbl.HistoryDisplay != 0;
  job.includeComments = options[kIncludeComments] == 1 && kind != ReportKind::Worksheet;
  job.vehicleName = fst.CurrentFileName;
  job.vehicleComments = fst.VehicleComments;
  const std::tm now = LocalNow();
  job.date = FormatDate(now, "mm-dd-yyyy");
  job.time = FormatDate(now, "h:mm:ss am/pm");
  job.finerTime = tbl.FinerTime;

  if (Trim(tbl.ResultsText[0][0]).empty()) WriteResultsHeadings();
  const int lastRow = std::min(tbl.FinishRow, kResultsRows - 1);
  for (int r = 0; r <= lastRow; ++r) {
    std::array<std::string, 11> row;
    for (int c = 0; c < 11; ++c) row[static_cast<size_t>(c)] = tbl.ResultsText[c][r];
    job.resultRows.push_back(row);
  }
  const auto history = HistoryGridCells();
  job.historyRows.assign(history.begin(), history.end());
  job.etCurrent = tbl.HistoryEt[0];
  job.etLast = tbl.HistoryEt[1];
  job.mphCurrent = tbl.HistoryMph[0];
  job.mphLast = tbl.HistoryMph[1];
  job.hasLast = LastRunComparable();

  for (int c = 0; c < 11; ++c) job.outputNames[static_cast<size_t>(c)] = tbl.ResultsText[c][0];
  for (int c = 0; c < 10; ++c) job.outputNames[static_cast<size_t>(11 + c)] = history[0][static_cast<size_t>(c)];

  job.specs = tbl.SpecText;
  for (size_t p = 0; p < job.powerCurve.size(); ++p)
    for (size_t q = 0; q < 3; ++q) job.powerCurve[p][q] = tbl.PowerCurveText[p][q];

  if (kind == ReportKind::Definitions || options[kIncludeSpecs] != 1) return job;
  for (int m = 1; m <= 6; ++m) job.captions[static_cast<size_t>(m)] = ReadRowCaptions(m);
  // The weather rows are captioned by the way the weather is read.
  auto& weather = job.captions[6];
  const int choice = static_cast<int>(Int(Val(tbl.SpecText[static_cast<size_t>(tbl.SpecMenuStart[6])])));
  if (choice == 0 || choice == 2 || choice == 4) weather[3] = "Relative Humidity, %";
  if (choice == 0 || choice == 1) weather[1] = "Corr. Barometer, \"Hg";
  else if (choice == 2 || choice == 3) weather[1] = "Obs. Barometer, \"Hg";
  else weather[4] = "Altimeter, ft";
  for (const BlockLayout& b : Blocks()) {
    for (const RowMark& mark : b.marks) {
      if (!mark.label) continue;
      ComboLineTable lines;
      int count = -1;
      ReadComboData(lines, b.menu, mark.row, count);
      auto& items = job.presets[static_cast<size_t>(b.menu)][static_cast<size_t>(mark.row)];
      for (int i = 0; i <= count; ++i) items.push_back(lines[static_cast<size_t>(i)]);
    }
  }
  return job;
}

bool ReadDefinitionTexts(ReportJob& job) {
  auto read = [](const char* name, std::vector<std::string>& items) {
    SeqReader in;
    if (!in.Open(ProgramPath(std::string("TEXT/") + name))) {
      MsgBox(std::string("The definitions of outputs can not be printed: the file TEXT/") + name +
                 " is not readable.  You may need to reinstall this program.",
             mb::OKOnly, "");
      return false;
    }
    items.clear();
    std::string item;
    while (!in.Eof() && in.InputItem(item)) items.push_back(item);
    return true;
  };
  return read("OUTHELP.TXT", job.definitionItems) && read("SPCLCTTL.TXT", job.specialTitles);
}

void DrawReport(const ReportJob& job, ReportCanvas& canvas) { Composer(job, canvas).Run(); }

}  // namespace sw
