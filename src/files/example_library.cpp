#include "files/example_library.h"

#include <algorithm>

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/engine_curve.h"
#include "simulation/tables.h"

namespace sw {

ExampleValues exv;

namespace {
size_t g_failAfter = static_cast<size_t>(-1);
}  // namespace

void FailNextExampleWriteAfterBytesForTest(size_t bytes) { g_failAfter = bytes; }

void ResetExampleValues() { exv = ExampleValues{}; }

namespace {

// A line ends the library when its number is below -98.
bool EndsLibrary(const std::string& line) { return Val(line) < -98; }

bool IsEngine(const std::string& component) { return component == "ENG"; }

// A definition item that must be a number: blanks, a sign, digits and at
// most one point, nothing else.
bool IsNumberItem(const std::string& item) {
  const std::string t = Trim(item);
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digit = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') digit = true;
    else if (t[i] == '.' && !point) point = true;
    else return false;
  }
  return digit;
}

// The spec slot just past the end of a menu's slice.
int MenuEnd(int menu) { return menu >= 9 ? kSpecCount : tbl.SpecMenuStart[menu + 1]; }

// A definition number as an int, held far from the int's limits.
int SmallInt(const std::string& item) { return static_cast<int>(std::clamp(Int(Val(item)), -1e6, 1e6)); }

int SlotOf(const ExampleField& f) { return tbl.SpecMenuStart[f.menu] + f.row; }

bool IsPick(const ExampleField& f) { return tbl.SpecKind[SlotOf(f)] == 1; }

// The engine list's peak torque and HP: one decimal below 100.
std::string PeakText(double v) { return v < 100 ? Format(v, "#####0.0") : Format(v, "#####0"); }

// Replaces the text of the column before field j (1-based) of a list line.
void ReplaceColumn(std::string& line, const std::vector<ExampleField>& fields, int j, const std::string& text) {
  if (!fields[j - 2].usable || !fields[j - 1].usable) return;
  const std::string old = line;
  line = Left(line, fields[j - 2].columnStart) + text;
  FillToColumn(line, fields[j - 1].columnStart);
  line += Mid(old, fields[j - 1].columnStart + 1);
}

std::string ListLine(const std::vector<std::string>& example, const std::vector<ExampleField>& fields, bool engine,
                     int& curveKind, PresetCache& presets) {
  const int n = static_cast<int>(fields.size());
  std::string line = example[0];
  for (int j = 1; j <= n; ++j) {
    const ExampleField& f = fields[j - 1];
    if (!f.usable) continue;
    const std::string& raw = example[j];
    std::string v = raw;
    if (IsPick(f)) {
      v = presets.ItemText(f.menu, f.row, raw);
      if (engine && f.row == 0) {
        if (v.size() > 10) v = v.substr(10);
        curveKind = SmallInt(raw);
      }
    }
    if (engine && curveKind == 0 && (f.row == 2 || f.row == 3)) v = "na";
    FillToColumn(line, f.columnStart);
    line += v;
  }
  if (!engine) return line;
  double peakTq = 0, peakTqRpm = 0, peakHp = 0, peakHpRpm = 0;
  int points = 0;
  for (int p = 0; p < 10; ++p) {
    const double rpm = Val(example[n + 1 + 3 * p]), tq = Val(example[n + 2 + 3 * p]),
                 hp = Val(example[n + 3 + 3 * p]);
    if (tq > peakTq && rpm > 0) peakTq = tq, peakTqRpm = rpm;
    if (hp > peakHp && rpm > 0) peakHp = hp, peakHpRpm = rpm;
    if (rpm > 0 && tq > 0) ++points;
  }
  if (curveKind == 2) {
    ReplaceColumn(line, fields, 2, "Full Curve (" + std::to_string(points) + " RPMs)");
    ReplaceColumn(line, fields, 4, PeakText(peakTq));
    ReplaceColumn(line, fields, 5, Format(peakTqRpm, "#####"));
    ReplaceColumn(line, fields, 6, PeakText(peakHp));
    ReplaceColumn(line, fields, 7, Format(peakHpRpm, "#####"));
  }
  return line;
}

// The caption lines of a row file, read once per menu.
class CaptionCache {
 public:
  std::string Caption(int menu, int row) {
    auto it = std::find_if(read_.begin(), read_.end(), [&](const auto& e) { return e.first == menu; });
    if (it == read_.end()) {
      std::vector<std::string> lines;
      SeqReader in;
      if (in.Open(ProgramPath("QVZHELP/help" + std::to_string(menu) + ".txt"))) {
        std::string line;
        while (in.LineInput(line)) lines.push_back(line);
      }
      read_.emplace_back(menu, std::move(lines));
      it = read_.end() - 1;
    }
    const size_t at = static_cast<size_t>(row) * 4;
    return at < it->second.size() ? it->second[at] : "";
  }

 private:
  std::vector<std::pair<int, std::vector<std::string>>> read_;
};

void PadTo(std::string& s, size_t width) {
  if (s.size() < width) s += std::string(width - s.size(), ' ');
}

// The name line as it may stand in a file: one line.
std::string OneLine(std::string name) {
  for (char& c : name)
    if (c == '\r' || c == '\n') c = ' ';
  return name;
}

}  // namespace

// ---------------------------------------------------------------- preset lists

const std::vector<std::string>& PresetCache::Items(int menu, int row) {
  for (const Entry& e : read_)
    if (e.menu == menu && e.row == row) return e.items;
  Entry e{menu, row, {}};
  if (reader_ && !reader_(menu, row, e.items)) e.items.clear();
  read_.push_back(std::move(e));
  return read_.back().items;
}

std::string PresetCache::ItemText(int menu, int row, const std::string& stored) {
  if (Trim(stored) == "na") return stored;
  const std::vector<std::string>& items = Items(menu, row);
  const double v = Int(Val(stored));
  if (v < 0 || v >= static_cast<double>(items.size())) return stored;
  return items[static_cast<size_t>(v)];
}

// ---------------------------------------------------------------- reading

std::filesystem::path ExampleLibraryPath(const std::string& component) {
  return ProgramPath("QVZEXMP/" + component);
}

ExampleLibraryData ParseExampleLibrary(const std::string& component) {
  ExampleLibraryData d;
  SeqReader in;
  if (!in.Open(ExampleLibraryPath(component))) return d;
  d.opened = true;
  for (std::string& line : d.head)
    if (!in.LineInput(line)) return d;
  const double count = Int(Val(d.head[5]));
  if (count < 1 || count > kExampleFieldsMax || (IsEngine(component) && count < 7)) return d;
  const int n = static_cast<int>(count);
  for (int i = 0; i < 4 * n; ++i) {
    std::string item;
    if (!in.InputItem(item)) return d;
    d.definitionItems.push_back(item);
  }
  // A field whose definition makes no sense is left out of the list; the
  // examples still have a line for it.
  d.soundHead = true;
  int previous = 2;
  for (int i = 0; i < n; ++i) {
    const std::string* it = &d.definitionItems[4 * i];
    ExampleField f{SmallInt(it[0]), it[1], SmallInt(it[2]), SmallInt(it[3])};
    f.usable = IsNumberItem(it[0]) && IsNumberItem(it[2]) && IsNumberItem(it[3]) && f.columnStart > previous &&
               f.columnStart <= 400 && f.menu >= 1 && f.menu <= 9 && f.row >= 0 &&
               tbl.SpecMenuStart[f.menu] + f.row < MenuEnd(f.menu);
    if (f.usable) previous = f.columnStart;
    else f = ExampleField{0, it[1], 0, 0, false};
    d.soundHead = d.soundHead && f.usable;
    d.fields.push_back(f);
  }
  d.recordsReadable = true;

  // Each example is its name and a fixed number of lines; one cut short or
  // holding a line below -98 is left out and the reading goes on with the
  // next. A name below -98 (the "-99" end line) ends the library.
  const int lines = n + (IsEngine(component) ? kEngineCurveLines : 0);
  while (static_cast<int>(d.examples.size()) < kExampleLibraryMax) {
    std::vector<std::string> example(1);
    if (!in.LineInput(example[0]) || EndsLibrary(example[0])) break;
    bool whole = true, valid = true;
    for (int k = 0; k < lines && whole; ++k) {
      std::string v;
      whole = in.LineInput(v);
      valid = valid && whole && !EndsLibrary(v);
      example.push_back(std::move(v));
    }
    if (!whole) break;
    if (valid) d.examples.push_back(std::move(example));
  }
  return d;
}

void FillToColumn(std::string& line, int column) {
  const long gap = column - static_cast<long>(line.size());
  if (gap < 1) line = Left(line, column - 2) + "  ";
  else line += std::string(static_cast<size_t>(gap), ' ');
}

std::string ExampleHeadingLine(const std::string& nameHeading, const std::vector<ExampleField>& fields) {
  std::string h = nameHeading;
  for (const ExampleField& f : fields) {
    if (!f.usable) continue;
    if (f.columnStart - static_cast<long>(h.size()) < 1) h = Left(h, f.columnStart - 1);
    PadTo(h, static_cast<size_t>(f.columnStart));
    h += f.title;
  }
  return h;
}

ExampleListing ReadExampleCategory(const ExampleRequest& request, int keep, const PresetReader& presets) {
  ExampleListing listing;
  bool damaged = false;
  {
    BusyCursor busy;
    const ExampleLibraryData d = ParseExampleLibrary(request.component);
    damaged = !d.soundHead;
    const int n = d.recordsReadable ? static_cast<int>(d.fields.size()) : 0;
    exv.ExampleFieldCount = static_cast<int16_t>(n);
    exv.ExampleNameWidth = 0;
    for (int i = 1; i <= 15; ++i) {
      const bool used = i <= n && d.fields[i - 1].usable;
      exv.ExampleColumnStart[i] = static_cast<int16_t>(used ? d.fields[i - 1].columnStart : 0);
      exv.ExampleColumnTitle[i] = used ? d.fields[i - 1].title : "";
      exv.ExampleFieldMenu[i] = static_cast<int16_t>(used ? d.fields[i - 1].menu : 0);
      exv.ExampleFieldRow[i] = static_cast<int16_t>(used ? d.fields[i - 1].row : 0);
      if (used && exv.ExampleNameWidth == 0) exv.ExampleNameWidth = exv.ExampleColumnStart[i];
    }
    // Without a column to end it, a name is as wide as a name box takes.
    if (exv.ExampleNameWidth == 0 && n > 0) exv.ExampleNameWidth = 80;
    if (keep >= 1) {
      exv.ExampleRecord.fill("");
      if (keep <= static_cast<int>(d.examples.size())) {
        const auto& e = d.examples[keep - 1];
        for (int j = 1; j <= n; ++j) exv.ExampleRecord[j - 1] = e[j];
        if (IsEngine(request.component))
          for (int k = 0; k < kEngineCurveLines; ++k) exv.ExampleRecord[20 + k] = e[n + 1 + k];
      }
    }
    if (request.subChoice != 1 && d.recordsReadable) {
      listing.heading = ExampleHeadingLine(d.head[0], d.fields);
      PresetCache cache(presets);
      int curveKind = 0;
      for (const auto& e : d.examples)
        listing.lines.push_back(ListLine(e, d.fields, IsEngine(request.component), curveKind, cache));
    } else if (request.subChoice != 1 && d.opened) {
      listing.heading = d.head[0];
    }
  }
  if (damaged) MsgBox(kExampleCorruptedMessage, mb::OKOnly, "");
  return listing;
}

// ---------------------------------------------------------------- writing

std::vector<std::string> CurrentExampleRecord(const ExampleRequest& request, const std::vector<ExampleField>& fields) {
  std::vector<std::string> out;
  const bool tires = request.component.find("TIRE") != std::string::npos;
  for (const ExampleField& f : fields) {
    std::string v = tbl.SpecText[SlotOf(f)];
    if (tires && f.row == 9 && Spec(kTires, 6) != 4) v = "na";
    // An engine whose Type shows its example stores that example's own method.
    if (IsEngine(request.component) && f.menu == kEngine && f.row == 0 && Int(Val(v)) == 4)
      v = Trim(tbl.SpecText[tbl.SpecMenuStart[kEngine] + request.kind + 1]);
    out.push_back(OneLine(v));
  }
  if (IsEngine(request.component))
    for (int p = 0; p < 10; ++p)
      for (int c = 0; c < 3; ++c) out.push_back(OneLine(tbl.PowerCurveText[p][c]));
  return out;
}

std::string LowValueRefusal(const std::vector<ExampleField>& fields, const std::vector<std::string>& record) {
  CaptionCache captions;
  static const char* const kCurveColumn[] = {"RPM", "Torque", "HP"};
  for (size_t i = 0; i < record.size(); ++i) {
    if (!EndsLibrary(record[i])) continue;
    std::string field;
    if (i < fields.size()) {
      field = fields[i].usable ? Trim(captions.Caption(fields[i].menu, fields[i].row)) : "";
      if (field.empty()) field = Trim(fields[i].title);
    } else {
      const size_t k = i - fields.size();
      field = "Power Curve point " + std::to_string(k / 3 + 1) + " " + kCurveColumn[k % 3];
    }
    return field + " = " + Trim(record[i]) + ".  An example holding a value below -98 can not be saved.";
  }
  return "";
}

bool AddExampleToLibrary(const ExampleRequest& request, int number, const std::string& newName) {
  const ExampleLibraryData d = ParseExampleLibrary(request.component);
  if (!d.soundHead) {
    MsgBox(kExampleUpdateFailedMessage, mb::OKOnly, "");
    return false;
  }
  const bool adding = number == 0;
  const std::vector<std::string> record = adding ? CurrentExampleRecord(request, d.fields) : std::vector<std::string>{};
  if (const std::string refusal = LowValueRefusal(d.fields, record); !refusal.empty()) {
    MsgBox(refusal, mb::OKOnly + mb::Exclamation, "Warning");
    return false;
  }
  if (adding && static_cast<int>(d.examples.size()) >= kExampleLibraryMax) {
    const std::string cr(1, CR);
    if (MsgBox("The example file is full (300 examples).  If you save this example, the last example will be "
               "replaced by this new example" + cr + cr + "Replace last example with new example?",
               mb::YesNo + mb::Question, "Example File Full") != ans::Yes)
      return false;
  }
  const int limit = adding ? kExampleLibraryMax - 1 : kExampleLibraryMax;
  SeqWriter out;
  bool ok = out.Open(ExampleLibraryPath(request.component));
  out.FailAfterBytesForTest(g_failAfter);
  g_failAfter = static_cast<size_t>(-1);
  if (ok) {
    for (const std::string& line : d.head) out.PrintLine(line);
    for (size_t i = 0; i < d.definitionItems.size(); ++i) {
      const std::string& item = d.definitionItems[i];
      // A title holding a comma would come back as two items.
      if (i % 4 == 1 && item.find(',') != std::string::npos) out.PrintLine("\"" + item + "\"");
      else out.PrintLine(item);
    }
    for (int e = 0; e < static_cast<int>(d.examples.size()) && e < limit; ++e) {
      if (e + 1 == number) continue;
      for (const std::string& line : d.examples[e]) out.PrintLine(line);
    }
    if (adding) {
      out.PrintLine(OneLine(newName));
      for (const std::string& line : record) out.PrintLine(line);
      out.PrintLine("-99");
    }
    ok = out.Close();
  }
  if (!ok) MsgBox(kExampleUpdateFailedMessage, mb::OKOnly, "");
  return ok;
}

int TagCurrentSpecs(const ExampleRequest& request, const std::string& typed) {
  const std::string name = RTrim(Left(typed, exv.ExampleNameWidth));
  const int m1 = exv.ExampleFieldCount > 0 ? exv.ExampleFieldMenu[1] : 0;
  std::string label, code;
  if (m1 == kTransmission) {
    if (request.menu == 7) label = "Trans", code = "1";
    else if (request.component == "CLUTCH") label = "Clutch", code = "1";
    else label = "Converter", code = "2";
  } else if (m1 == kVehicle) {
    label = "Body", code = "1";
  } else if (m1 == kTires) {
    label = "Tire", code = "1";
  } else if (m1 == kEngine) {
    int k = SmallInt(SpecAt(kEngine, 0));
    if (k == 4) k = SmallInt(tbl.SpecText[tbl.SpecMenuStart[kEngine] + request.kind + 1]);
    label = k == 0 ? "Pk HP" : (k == 1 ? "Tq/HP" : "Curve");
    code = std::to_string(k);
  }
  if (m1 < 1 || m1 > 9) return -1;
  const int slot = tbl.SpecMenuStart[m1] + request.kind;
  if (request.kind < 0 || slot + 1 >= kSpecCount) return -1;
  tbl.SpecText[slot] = "Ex " + label + ": " + name;
  tbl.SpecText[slot + 1] = code;
  return m1;
}

std::string ExampleNameRefusal(const std::string& typed) {
  if (Trim(typed).empty()) return kExampleNameMissingMessage;
  if (EndsLibrary(typed)) return kExampleLowNumberMessage;
  return "";
}

int LoadInExampleSpecs(const ExampleRequest& request, const std::string& listLine) {
  const int n = exv.ExampleFieldCount;
  for (int j = 1; j <= n; ++j) {
    const std::string& v = exv.ExampleRecord[j - 1];
    if (v.find("na") != std::string::npos || exv.ExampleFieldMenu[j] < 1) continue;
    tbl.SpecText[tbl.SpecMenuStart[exv.ExampleFieldMenu[j]] + exv.ExampleFieldRow[j]] = v;
  }
  if (IsEngine(request.component))
    for (int p = 0; p < 10; ++p)
      for (int c = 0; c < 3; ++c) tbl.PowerCurveText[p][c] = exv.ExampleRecord[3 * p + 20 + c];
  return TagCurrentSpecs(request, listLine);
}

bool TakeExampleNotes(const std::string& prefix, std::string& text) {
  text.clear();
  if (InStr(exv.ExampleNotesShown, " " + prefix) > 0) return false;
  exv.ExampleNotesShown += " " + prefix;
  SeqReader in;
  if (!in.Open(ProgramPath("QVZEXMP/NOTE" + prefix))) return false;
  std::string line;
  for (int i = 0; i < 100 && in.LineInput(line); ++i) text += std::string(1, CR) + line;
  return true;
}

// ---------------------------------------------------------------- comparing

std::string ExampleComparisonText(const ExampleRequest& request, const PresetReader& presets) {
  const bool choose = request.subChoice != 1;
  const bool engine = IsEngine(request.component);
  const bool tires = request.component.find("TIRE") != std::string::npos;
  std::string text = "Spec Name                   Current Specs";
  if (choose) text += "        New Example Specs";
  text += "\n\n";
  PresetCache cache(presets);
  CaptionCache captions;
  int curveKind = 0;
  double peakHp = 0, peakHpRpm = 0, peakTq = 0, peakTqRpm = 0;
  const int n = exv.ExampleFieldCount;
  for (int j = 1; j <= n; ++j) {
    const int m = exv.ExampleFieldMenu[j], r = exv.ExampleFieldRow[j];
    if (m < 1) continue;  // a field the library could not define
    const int slot = tbl.SpecMenuStart[m] + r;
    std::string row = Left(captions.Caption(m, r), 27);
    PadTo(row, 28);

    std::string c = Trim(tbl.SpecText[slot]);
    int k = 0;
    if (tbl.SpecKind[slot] == 1) {
      const auto& items = cache.Items(m, r);
      const double v = Val(c), count = static_cast<double>(items.size());
      if (!items.empty() && v == count) {
        const int nameSlot = tbl.SpecMenuStart[m] + request.kind;
        if (nameSlot >= 0 && nameSlot + 1 < kSpecCount) {
          c = tbl.SpecText[nameSlot];
          k = SmallInt(tbl.SpecText[nameSlot + 1]);
        }
      } else if (v > -1 && v < count) {
        k = static_cast<int>(Int(v));
        c = items[k];
      }
    }
    if (request.component == "CLUTCH" && Spec(kTransmission, 0) == 0) c = "estimate";
    if (tires) {
      if (r == 9 && Spec(kTires, 6) != 4) c = "na";
      if (Spec(kTires, 0) == 0 && (r == 1 || r == 2)) c = "estimate";
    }
    if (engine) {
      if (r == 0) {
        if (c.size() > 10) c = c.substr(10);
        curveKind = k;
        if (curveKind == 2) {
          const EnginePeaks e = EnginePeaksAsEntered();
          peakHp = e.hp, peakHpRpm = e.hpRpm, peakTq = e.torque, peakTqRpm = e.torqueRpm;
        }
      }
      if (r == 2 || r == 3) {
        if (curveKind == 0) c = "na";
        else if (curveKind == 2) c = r == 2 ? Format(peakTq, "#####0.0") : Format(peakTqRpm, "#####0");
      }
      if ((r == 4 || r == 5) && curveKind == 2)
        c = r == 4 ? Format(peakHp, "#####0.0") : Format(peakHpRpm, "#####0");
    }
    row = Left(row + c, 48);
    PadTo(row, 49);

    if (choose) {
      std::string e = exv.ExampleRecord[j - 1];
      if (tbl.SpecKind[slot] == 1) {
        e = cache.ItemText(m, r, e);
        if (engine && r == 0 && e.size() > 10) e = e.substr(10);
      }
      const double method = Val(exv.ExampleRecord[0]);
      if (engine && (method == 0 || method == 2) && j >= 3 && j <= 6 && j < n)
        e = Mid(exv.NewExampleName, exv.ExampleColumnStart[j] + 1,
                exv.ExampleColumnStart[j + 1] - exv.ExampleColumnStart[j]);
      row = Left(row + e, 69);
    }
    text += row + "\n";
  }
  return text;
}

// ---------------------------------------------------------------- the list window

int ProtectedExampleCount(const std::string& component) {
  static const std::pair<const char*, int> kShipped[] = {{"FTIRE", 39}, {"CONV", 50},  {"ENG", 36},  {"CLUTCH", 56},
                                                         {"TRANS", 51}, {"BODY", 46}, {"RTIRE", 85}};
  for (const auto& [code, count] : kShipped)
    if (component == code) return count;
  return 0;
}

std::vector<std::string> ExampleListPageHeader(int page, const std::string& date, const std::string& time,
                                               const std::string& label3, const std::string& heading) {
  std::string second = "   Page" + Str(page);
  PadTo(second, 65);
  return {"", "   Stagewell v3.2" + std::string(9, ' ') + "Date: " + date, second + "Time: " + time, "", "",
          "   " + label3, "   " + heading, ""};
}

}  // namespace sw
