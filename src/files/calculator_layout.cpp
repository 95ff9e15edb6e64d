#include "files/calculator_layout.h"

#include <algorithm>

#include "files/file_state.h"
#include "files/help_pages.h"
#include "files/vehicle_weights.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/calculator_formulas.h"
#include "simulation/engine_curve.h"
#include "simulation/tables.h"

namespace sw {

std::string CalculatorStem(int number, std::string& pages) {
  switch (number) {
    case 1: pages = "65-66"; return "finldrve";
    case 2: pages = "66-67"; return "wtdist";
    case 3: pages = "67-68"; return "frntarea";
    case 4:
    case 5:
    case 7: pages = "68-69"; return "tiredia";
    case 6: pages = "62-65"; return "HPCURV";
    case 8: pages = "70"; return "traction";
    case 9: pages = " "; return "growth";
    case 24: pages = " "; return "VehWt";
    case 27: pages = ""; return "DispLL";
    default: break;
  }
  if (number >= 40 && number <= 51) {
    if (number % 2 == 0) {
      pages = "71-72";
      return "DEWPNT";
    }
    pages = "72-73";
    return "RELHUM";
  }
  return "";
}

int SpecMenuOfCalculator(int number) {
  switch (number) {
    case 1:
    case 2:
    case 3:
    case 24: return kVehicle;
    case 4:
    case 5:
    case 7:
    case 8:
    case 9: return kTires;
    case 6:
    case 27: return kEngine;
    case 50:
    case 51: return kConditions;
    default: break;
  }
  if (number >= 40 && number <= 45) return kThrottleStop;
  if (number >= 46 && number <= 49) return kDialIn;
  return 0;
}

namespace {

// One layout file being read; every read says whether the file had it.
class LayoutReader {
 public:
  explicit LayoutReader(const std::string& path) { open_ = in_.Open(path); }
  bool Opened() const { return open_; }
  std::string problem;

  bool Line(std::string& out, const char* what) {
    if (in_.LineInput(out)) return true;
    return Fail(std::string("it ends before ") + what);
  }
  bool Number(double& out, const char* what) {
    std::string item;
    if (!in_.InputItem(item)) return Fail(std::string("it ends before ") + what);
    if (!IsNumeric(item)) return Fail(std::string(what) + " is not a number");
    out = Val(item);
    return true;
  }
  // A count read into a whole number, as the runtime's Integer takes it.
  bool Count(int& out, const char* what, int low, int high) {
    double v = 0;
    if (!Number(v, what)) return false;
    const double whole = RoundHalfEven(v);
    if (whole < low || whole > high) return Fail(std::string(what) + " is out of range");
    out = static_cast<int>(whole);
    return true;
  }
  bool WholeLine(int& out, const char* what, int low, int high) {
    std::string line;
    if (!Line(line, what)) return false;
    if (!IsNumeric(line)) return Fail(std::string(what) + " is not a number");
    const double whole = RoundHalfEven(Val(line));
    if (whole < low || whole > high) return Fail(std::string(what) + " is out of range");
    out = static_cast<int>(whole);
    return true;
  }
  bool Fail(const std::string& why) {
    problem = why;
    return false;
  }

 private:
  SeqReader in_;
  bool open_ = false;
};

constexpr int kMaxListEntries = 200;
constexpr int kMaxNoteLines = 30;

bool ReadRow(LayoutReader& r, CalcRow& row, int frame) {
  std::string line;
  if (!r.Line(line, "a row")) return false;
  row = CalcRow{};
  row.used = true;
  row.frame = frame;
  if (Left(line, 3) == "cmb") {
    row.isList = true;
    row.caption = Mid(line, 4);
    int m = 0;
    if (!r.Count(m, "the number of list entries", 0, kMaxListEntries)) return false;
    row.entries.resize(static_cast<size_t>(m));
    for (std::string& entry : row.entries)
      if (!r.Line(entry, "a list entry")) return false;
    row.yesNo = !row.entries.empty() && row.entries[0] == "Yes";
    return true;
  }
  row.caption = line;
  return r.Number(row.max, "a row maximum") && r.Number(row.min, "a row minimum");
}

}  // namespace

bool ReadCalculatorLayout(const std::string& path, CalculatorForm& f, std::string& problem) {
  LayoutReader r(path);
  if (!r.Opened()) {
    problem = "it cannot be opened";
    return false;
  }
  auto fail = [&] {
    problem = r.problem;
    return false;
  };
  double unused = 0;
  if (!r.Line(f.caption, "the caption") || !r.Line(f.resultName, "the result name") ||
      !r.Number(f.resultMax, "the result maximum") || !r.Number(f.resultMin, "the result minimum") ||
      !r.Number(unused, "the fifth item"))
    return fail();
  std::string noteSwitch;
  if (!r.Line(noteSwitch, "the note switch")) return fail();
  const char first = noteSwitch.empty() ? '\0' : noteSwitch[0];
  f.hasNote = first != 'N' && first != 'n';
  if (f.hasNote) {
    if (!r.Line(f.noteCaption, "the note caption") ||
        !r.WholeLine(f.noteLines, "the number of note lines", 0, kMaxNoteLines) ||
        !r.Line(f.noteText, "the note text"))
      return fail();
    f.note = f.noteText;
  }
  if (!r.Count(f.outputCount, "the number of outputs", 1, kCalcOutputs)) return fail();
  for (int i = 0; i < kCalcOutputs; ++i) {
    CalcOutput& o = f.out[static_cast<size_t>(i)];
    o = CalcOutput{};
    o.shown = i < f.outputCount;
    o.valueEnabled = o.shown;
    if (o.shown && !r.Line(o.name, "an output caption")) return fail();
  }
  if (!r.Count(f.heightRow, "the row that sets the height", 1, kCalcLastRow) ||
      !r.Count(f.frames, "the number of frames", 1, 2) ||
      !r.Count(f.frameRows[0], "the rows of the first frame", 0, kCalcLastRow) ||
      !r.Count(f.frameRows[1], "the rows of the second frame", 0, kCalcLastRow))
    return fail();
  if (f.frames == 1) f.frameRows[1] = 0;
  f.rowCount = f.frameRows[0] + f.frameRows[1];
  if (f.rowCount < 1 || f.rowCount > kCalcLastRow) {
    r.Fail("it needs 1 to 10 rows");
    return fail();
  }
  if (f.heightRow > f.rowCount) {
    r.Fail("the row that sets the height is not one of its rows");
    return fail();
  }

  for (CalcRow& row : f.rows) row = CalcRow{};
  int k = 1;
  for (int frame = 1; frame <= f.frames; ++frame) {
    if (!r.Line(f.frameCaption[frame - 1], "a frame caption")) return fail();
    for (int i = 0; i < f.frameRows[frame - 1]; ++i, ++k)
      if (!ReadRow(r, f.Row(k), frame)) return fail();
  }
  return true;
}

void FillCalculatorFromSpecs(CalculatorForm& f) {
  const int n = f.number;
  // The rows a spec fills: one that a file gave is no figure of the program's.
  std::vector<int> fromFile;
  auto take = [&](int k, int menu, int spec) {
    f.Row(k).text = SpecAt(menu, spec);
    if (FigureFromFile(tbl.SpecMenuStart[menu] + spec)) fromFile.push_back(k);
  };
  switch (n) {
    case 2: take(1, kVehicle, 0); break;
    case 3: take(1, kVehicle, 8); break;
    case 7: {
      // Only the size methods give a tread width.
      std::vector<std::string>& methods = f.Row(1).entries;
      for (size_t drop : {size_t{3}, size_t{2}})
        if (drop < methods.size()) methods.erase(methods.begin() + static_cast<long>(drop));
      break;
    }
    case 6: {
      take(4, kEngine, 1);
      take(2, kVehicle, 0);
      f.Row(6).text = Trim(Str(EnginePeaksAsEntered().hpRpm));
      // The peak torque outputs mean something only where the engine is
      // described by more than its peak horsepower.
      const double method = Spec(kEngine, 0);
      const bool torqueShown = method != 0 && (method != 3 || Spec(kEngine, 14) != 0);
      f.out[1].valueEnabled = torqueShown;
      f.out[2].valueEnabled = torqueShown;
      break;
    }
    case 8:
    case 9:
      // The list takes its caption's place.
      f.Row(1).captionShown = false;
      break;
    case 24: {
      ReadVehWeights(f, 0);
      CalcRow& years = f.Row(1);
      years.entries.clear();
      years.listIndex = -1;
      for (int y = 2001; y >= 1955; --y) years.entries.push_back(std::to_string(y));
      break;
    }
    default: break;
  }
  if (n >= 40 && n <= 51) {
    static const int kTemperatureSpec[6][2] = {{kThrottleStop, 1}, {kThrottleStop, 10}, {kThrottleStop, 21},
                                               {kDialIn, 1},       {kDialIn, 10},       {kConditions, 2}};
    const int* spec = kTemperatureSpec[(n - 40) / 2];
    take(2, spec[0], spec[1]);
    take(4, spec[0], spec[1]);
  }
  for (CalcRow& row : f.rows) row.programText = row.text;
  for (int k : fromFile) f.Row(k).programText.clear();
}

bool LoadCalculator(int number, CalculatorForm& f) {
  const std::string stem = CalculatorStem(number, CalcMenuPages);
  const std::string path = ProgramPath("CALC/" + stem + ".CLC").string();
  f = CalculatorForm{};
  f.number = number;
  f.layoutFile = path;
  std::string problem;
  if (!ReadCalculatorLayout(path, f, problem)) {
    MsgBox("The calculator layout file " + path + " can not be used (" + problem +
               ").  You may need to reinstall this program.",
           mb::Exclamation, "Calculator Not Available");
    return false;
  }
  FillCalculatorFromSpecs(f);
  CalculateMenu(f);
  return true;
}

// ------------------------------------------------------------------ geometry

namespace {

constexpr int kClientWidth = 4020;
constexpr int kFrameLeft = 120, kFrameWidth = 3780;
constexpr int kCaptionLeft = 240, kCaptionHeight = 285;
constexpr int kValueCaptionWidth = 2550, kListCaptionWidth = 1575;
constexpr int kBoxLeft = 2900, kBoxWidth = 800, kBoxHeight = 285;
constexpr int kListLeft = 1900, kListWidth = 1800, kListHeight = 315;
constexpr int kOutTop = 160, kOutHeight = 240;
constexpr int kButtonHeight = 375;

}  // namespace

CalcGeometry LayOutCalculator(const CalculatorForm& f) {
  CalcGeometry g;
  g.width = kClientWidth;
  const int nOut = f.outputCount;
  const int top0 = 400 + 240 * nOut;

  for (int i = 0; i < kCalcOutputs; ++i) {
    const int top = kOutTop + kOutHeight * i;
    g.outName[static_cast<size_t>(i)] = {kCaptionLeft, top, kValueCaptionWidth, kOutHeight};
    g.outData[static_cast<size_t>(i)] = {kBoxLeft, top, kBoxWidth, kOutHeight};
  }
  g.frame[0] = {kFrameLeft, top0, kFrameWidth, 400 + 360 * f.frameRows[0]};
  g.frame[1] = {kFrameLeft, 1000 + 360 * f.frameRows[0] + 200 * nOut, kFrameWidth, 400 + 360 * f.frameRows[1]};

  for (int k = 1; k <= kCalcLastRow; ++k) {
    const CalcRow& row = f.Row(k);
    const int top = top0 + 360 * k + 540 * (row.frame - 1);
    const size_t i = static_cast<size_t>(k);
    g.caption[i] = {kCaptionLeft, top, row.isList && !row.yesNo ? kListCaptionWidth : kValueCaptionWidth,
                    kCaptionHeight};
    g.box[i] = {kBoxLeft, top, kBoxWidth, kBoxHeight};
    g.list[i] = row.yesNo ? CalcRect{kBoxLeft, top, kBoxWidth, kListHeight}
                          : CalcRect{kListLeft, top, kListWidth, kListHeight};
  }
  // Calculators whose lists want more room than a caption leaves them.
  CalcRect& caption1 = g.caption[1];
  CalcRect& list1 = g.list[1];
  switch (f.number) {
    case 1:
      caption1.width = 650;
      list1.left = 950;
      list1.width = 2700;
      break;
    case 4:
    case 5:
    case 7:
      caption1.width = 1250;
      list1.left = 1600;
      list1.width = 2130;
      break;
    case 6:
      g.caption[5].width = 700;
      g.list[5].left = 1050;
      g.list[5].width = 2700;
      break;
    case 8:
    case 9:
      list1.left = 240;
      list1.width = 3500;
      break;
    case 24:
      for (int k = 2; k <= 6; ++k) g.list[static_cast<size_t>(k)].left = list1.left;
      break;
    case 27:
      caption1.width += 1000;
      list1.left += 1000;
      list1.width -= 1000;
      break;
    default: break;
  }

  const int topL = g.box[static_cast<size_t>(f.heightRow)].top;
  int height = topL + 1500 + (f.hasNote ? 1200 : 0);
  int buttonTop = 0;
  if (f.hasNote) {
    g.noteFrame = {kFrameLeft, height - 2200, kFrameWidth, 370 + 240 * f.noteLines};
    g.note = {kCaptionLeft, g.noteFrame.top + 240, kFrameWidth - 240, 70 + 240 * f.noteLines};
    buttonTop = g.noteFrame.Bottom() + 140;
    height += 180 * (f.noteLines - 3);
  } else {
    buttonTop = topL + kBoxHeight + 100 + 140;
  }
  if (nOut > 1) height += 160;
  g.height = height;
  g.clientHeight = std::max(height - kCalcTitleBar, buttonTop + kButtonHeight + 120);
  g.buttons = {CalcRect{120, buttonTop, 780, kButtonHeight}, CalcRect{960, buttonTop, 780, kButtonHeight},
               CalcRect{1800, buttonTop, 1320, kButtonHeight}, CalcRect{3180, buttonTop, 720, kButtonHeight}};
  return g;
}

}  // namespace sw
