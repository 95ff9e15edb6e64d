#include "files/configuration.h"

#include <cctype>
#include <cstring>
#include <filesystem>

#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

namespace fs = std::filesystem;

Configuration cfg;

namespace {

// The box names what went wrong, reading at start-up or writing at exit.
std::string ErrorMessage(bool reading) {
  return std::string("Possible Error ") + (reading ? "reading" : "writing") + " Configuration File.  ";
}

// One message per call, however many items fail: the rest of the file is
// still read or written item by item.
class ErrorReport {
 public:
  explicit ErrorReport(bool reading) : reading_(reading) {}
  void operator()(const std::string& description) {
    if (shown_) return;
    shown_ = true;
    MsgBox(ErrorMessage(reading_) + description, mb::OKOnly, "");
  }

 private:
  bool reading_;
  bool shown_ = false;
};

// A number as the item input takes it: sign, digits, one decimal point,
// an exponent.
bool IsNumberText(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && std::strchr("eEdD", t[i]) && t[i] != '\0') {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == t.size();
}

class Reader {
 public:
  Reader(SeqReader& f, ErrorReport& report) : f_(f), report_(report) {}

  void Int(int16_t& v) { Whole(v, -32768.0, 32767.0); }
  void Long(int32_t& v) { Whole(v, -2147483648.0, 2147483647.0); }
  void Line(std::string& v) {
    if (!f_.Eof()) f_.LineInput(v);
  }
  void Item(std::string& v) {
    std::string s;
    if (!f_.Eof() && f_.InputItem(s)) v = s;
  }
  void Number(double& v) {
    if (!f_.Eof()) v = Val(f_.LineInput());
  }
  // Row 4: the writer's source differs from the reader's target.
  void IntFrom(int16_t& readInto, int16_t) { Int(readInto); }

 private:
  template <class T>
  void Whole(T& v, double lo, double hi) {
    std::string s;
    if (f_.Eof() || !f_.InputItem(s)) return;
    std::string t = Trim(s);
    if (t.empty()) {
      v = 0;
      return;
    }
    if (!IsNumberText(t)) return report_("Type mismatch");
    double x = RoundHalfEven(Val(t));
    if (x < lo || x > hi) return report_("Overflow");
    v = static_cast<T>(x);
  }

  SeqReader& f_;
  ErrorReport& report_;
};

// A whole line: a line break inside one would shift every following item.
std::string OneLine(std::string_view s) {
  std::string r(s);
  for (auto& ch : r)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return r;
}

class Writer {
 public:
  std::string text;

  void Int(int16_t& v) { Put(Str(v)); }
  void Long(int32_t& v) { Put(Str(v)); }
  void Line(std::string& v) { Put(OneLine(v)); }
  void Number(double& v) { Put(Str(v)); }
  // Read back up to the next comma and without leading blanks: a text
  // holding a comma or starting with a blank is quoted so that it comes back
  // whole (a text with a quote in it cannot be quoted).
  void Item(std::string& v) {
    std::string s = OneLine(v);
    bool needsQuotes = s.find(',') != std::string::npos || (!s.empty() && (s[0] == ' ' || s[0] == '\t'));
    if (needsQuotes && s.find('"') == std::string::npos) s = "\"" + s + "\"";
    Put(s);
  }
  void IntFrom(int16_t&, int16_t writeFrom) { Put(Str(writeFrom)); }

 private:
  void Put(const std::string& s) {
    text += s;
    text += CRLF;
  }
};

// The file, item by item, in the one order the reader and the writer share;
// the writer writes row 4 from `specsChanged`.
template <class IO>
void Items(IO& io, int16_t specsChanged) {
  io.Int(cfg.ShowBaseRun);
  io.Int(cfg.BaseRunMode);
  io.Int(cfg.GraphPrintColor);
  io.IntFrom(cfg.SavedSpecsChanged, specsChanged);
  io.Int(cfg.StandardGraphLabels);
  io.Int(cfg.ThickPlotLines);
  io.Line(cfg.GraphLabel1);
  io.Line(cfg.GraphLabel2);
  io.Line(cfg.GraphLabel3);
  io.Int(cfg.GraphBackColor);
  for (auto& v : cfg.GraphSpare) io.Int(v);
  for (auto& v : cfg.PrintOptions) io.Int(v);
  for (auto& v : cfg.AsciiOptions) io.Int(v);
  for (auto& v : cfg.ConfigSpare1) io.Int(v);
  for (auto& v : cfg.ConfigSpare2) io.Int(v);
  io.Int(cfg.PlotType);
  for (int k = 0; k < kHistoryKept; ++k) {
    io.Line(tbl.HistoryTitle[k]);
    io.Line(tbl.HistoryEt[k]);
    io.Number(tbl.HistoryMph[k]);
    io.Number(tbl.HistoryLength[k]);
    io.Number(tbl.HistoryDensAlt[k]);
    io.Number(tbl.HistoryDryDensAlt[k]);
    io.Line(tbl.History60ft[k]);
    io.Line(tbl.HistoryName[k]);
  }
  io.Int(tbl.FinerTime);
  io.Int(cfg.CylvaneEdition);
  for (int e = 0; e <= 4; ++e) io.Item(cfg.CylvaneFolder[e]);
  io.Item(cfg.CylvaneExeName[4]);
  io.Item(cfg.CylvaneShortName[4]);
  io.Int(tbl.HistoryDisplay);
  io.Int(cfg.RemindTireWeight);
  io.Int(tbl.BeginnerLevel);
  io.Int(cfg.ThickEngineLines);
  io.Line(fst.FloppyDrive);
  io.Line(cfg.BrowserPath);
  io.Line(cfg.ManualViewerPath);
  io.Long(cfg.TimeSlipLeft);
  io.Long(cfg.TimeSlipTop);
  for (int k = 0; k < kHistoryKept; ++k) {
    io.Line(tbl.History330ft[k]);
    io.Line(tbl.History8thEt[k]);
    io.Line(tbl.History1000ft[k]);
    io.Line(tbl.History8thMph[k]);
  }
  io.Int(cfg.AutoTimeSlip);
  io.Int(cfg.OldExamplesDeleted);
  io.Int(tbl.InstantUpdate);
  io.Long(cfg.TimeSlipLeft);
  io.Long(cfg.TimeSlipTop);
  io.Int(cfg.PrinterOrientation);
}

// Only A and B are floppy drives to the program.
void NormalizeFloppyDrive() {
  std::string d = UCase(fst.FloppyDrive);
  fst.FloppyDrive = d == "B" ? "B" : "A";
}

std::string OpenFailure(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return "File not found";
  if (fs::is_directory(path, ec)) return "Path/File access error";
  return "Permission denied";
}

void ReadItems(SeqReader& f, ErrorReport& report) {
  Reader r(f, report);
  Items(r, fst.SpecsChanged);
}

}  // namespace

void ConfigurationDefaults() {
  cfg = Configuration{};
  tbl.FinerTime = 0;
  tbl.BeginnerLevel = 1;
  tbl.InstantUpdate = 1;
  tbl.HistoryDisplay = 0;
  fst.FloppyDrive = "A";
}

void ReadConfiguration(SeqReader& file) {
  ErrorReport report(true);
  ReadItems(file, report);
  file.Close();
  NormalizeFloppyDrive();
}

std::string ConfigurationText(int16_t specsChanged) {
  Writer w;
  Items(w, specsChanged);
  return w.text;
}

bool ReadWriteConfiguration(int16_t& direction, int* error) {
  if (direction != 1) return WriteConfiguration(fst.SpecsChanged, error);
  if (error) *error = 0;
  const fs::path path = ProgramPath(kConfigurationFile);
  ErrorReport report(true);
  SeqReader f;
  if (f.Open(path)) {
    ReadItems(f, report);
    f.Close();
  } else {
    report(OpenFailure(path));
  }
  NormalizeFloppyDrive();
  return true;
}

bool WriteConfiguration(int16_t specsChanged, int* error) {
  const fs::path path = ProgramPath(kConfigurationFile);
  ErrorReport report(false);
  if (error) *error = 0;
  int why = 0;
  if (CanReplaceFile(path, &why) && WriteTextFile(path, ConfigurationText(specsChanged), &why)) return true;
  // The designed line first; then, as every failed save says it, what the
  // file holds for the racer, where it lies and why.
  report(WriteErrorText(why) + std::string(2, CR) +
         WriteFailureText("The configuration, which holds your preferences and run history,", path, why));
  if (error) *error = why;
  return false;
}

}  // namespace sw
