#include "specs/row_rules.h"

#include <cctype>
#include <cmath>

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

namespace {

// A limit item the runtime could read into a number: optional sign, digits
// with at most one point, an optional exponent. Anything else was an error
// that left the limit unread.
bool NumericItem(std::string_view item) {
  std::string s = Trim(item);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(s[i]))) digits = true;
    else if (s[i] == '.' && !point) point = true;
    else break;
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool exponent = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, exponent = true;
    if (!exponent) return false;
  }
  return i == s.size();
}

std::string WithoutLeadingBlank(std::string s) {
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

}  // namespace

bool RowLimits::WholeNumber() const { return StrSingle(maximum).find(".001") != std::string::npos; }

RowFileContents ParseRowFile(SeqReader& in, int rowCount) {
  RowFileContents out;
  out.rows.resize(static_cast<size_t>(rowCount > 0 ? rowCount : 0));
  bool ok = in.IsOpen();
  for (RowRecord& row : out.rows) {
    if (!ok) break;
    std::string caption, help, max, min;
    if (!in.LineInput(caption)) break;
    row.caption = caption;
    if (!in.LineInput(help)) break;
    row.help = help;
    if (!in.InputItem(max) || !in.InputItem(min)) break;
    if (!NumericItem(max) || !NumericItem(min)) {
      ok = false;
      break;
    }
    row.limits = RowLimits{static_cast<float>(Val(max)), static_cast<float>(Val(min))};
  }
  out.complete = !out.rows.empty();
  for (const RowRecord& row : out.rows) out.complete = out.complete && row.limits.has_value();
  return out;
}

RowFileContents ReadRowFile(int menu, int rowCount) {
  SeqReader in;
  in.Open(ProgramPath("QVZHELP/help" + std::to_string(menu) + ".txt"));
  return ParseRowFile(in, rowCount);
}

std::string RowFileUnreadableMessage(int menu) {
  return "Spec Data for Menu #" + Str(menu) + " is not readable.  You may need to reinstall this program.";
}

std::string NormaliseEntry(std::string_view text, bool wholeNumber) {
  double v = Val(text);
  if (wholeNumber) v = Int(v + 0.5);
  return WithoutLeadingBlank(Str(v));
}

bool WithinLimits(std::string_view normalised, const RowLimits& limits) {
  float v = static_cast<float>(Val(normalised));
  return !(v > limits.maximum) && !(v < limits.minimum);
}

bool EntryStorable(std::string_view text, const std::optional<RowLimits>& limits) {
  return text.empty() || !limits || WithinLimits(NormaliseEntry(text, limits->WholeNumber()), *limits);
}

std::string RangeWarning(std::string_view caption, std::string_view entry, const RowLimits& limits) {
  std::string max = limits.WholeNumber() ? Str(Fix(limits.maximum)) : StrSingle(limits.maximum);
  return std::string(caption) + " = " + std::string(entry) + ".  Value must be between " +
         StrSingle(limits.minimum) + " and " + max + " .";
}

bool IsProgramText(std::string_view text, std::string_view programText) {
  return !programText.empty() && text == programText;
}

LeaveDecision DecideLeave(std::string_view text, std::string_view textBefore, bool skipValidation,
                          const std::optional<RowLimits>& limits, std::string_view caption,
                          std::string_view programText) {
  LeaveDecision d;
  d.text = std::string(text);
  if (text.empty()) {
    d.step = LeaveStep::Empty;
    return d;
  }
  if (skipValidation) {
    d.step = LeaveStep::Skipped;
    return d;
  }
  d.text = NormaliseEntry(text, limits && limits->WholeNumber());
  if (limits && !WithinLimits(d.text, *limits)) {
    if (IsProgramText(text, programText)) {
      d.step = LeaveStep::Accepted;
      d.text = std::string(text);
      d.changed = Val(d.text) != Val(textBefore);
      return d;
    }
    d.step = LeaveStep::Refused;
    d.warning = RangeWarning(caption, d.text, *limits);
    return d;
  }
  d.step = LeaveStep::Accepted;
  d.changed = Val(d.text) != Val(textBefore);
  return d;
}

std::string PickStoredText(int pick) { return Str(pick); }

int PickFromStored(std::string_view stored, int itemCount) {
  if (stored.empty()) return -1;
  double v = RoundHalfEven(Val(stored));
  if (!(v >= 0) || v >= itemCount) return -1;
  return static_cast<int>(v);
}

std::string InstantCaption(std::string_view caption, std::string_view et, double mph, std::string_view sixtyFoot) {
  return std::string(caption) + "  [ " + std::string(et) + " @ " + Format(mph, "####.00") + "   " +
         std::string(sixtyFoot) + " 60 ft ]";
}

std::string ExampleChangeQuestion(std::string_view exampleName) {
  const std::string cr(1, CR);
  return "Changing this value means these specs no longer match:" + cr + cr + "    " + std::string(exampleName) + cr +
         cr + "Change this spec anyway?";
}

std::string PrintNoteText(std::string_view fileName, const std::tm& when, std::string_view comment) {
  const std::string cr(1, CR);
  return "Vehicle: " + std::string(fileName) + cr + "Date/Time: " + FormatDate(when, "m/d/yy h:mm am/pm") + cr +
         std::string(comment);
}

void DropStoredExampleLink(int menu, int nameSlot, int typeRow, const std::string& typeText) {
  SpecAt(menu, nameSlot).clear();
  SpecAt(menu, nameSlot + 1).clear();
  SpecAt(menu, typeRow) = typeText;
}

}  // namespace sw
