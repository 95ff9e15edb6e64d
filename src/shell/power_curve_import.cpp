#include "shell/power_curve_import.h"

#include <array>
#include <cmath>
#include <string>

#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "shell/shell_state.h"
#include "simulation/air.h"
#include "simulation/tables.h"

namespace sw {

namespace {

constexpr int kFilePoints = 20;
constexpr int kLoadedPoints = 10;

// Faults inside the import are reported (at most four boxes per call) and the
// import goes on with the next step, as the runtime's error handler did.
class ImportFaults {
 public:
  void Report(const char* description, int step) {
    if (count_ < 4) MsgBox(std::string(description) + "   " + Str(step), mb::OKOnly, "");
    if (count_ < 10) ++count_;
  }

 private:
  int count_ = 0;
};

// The hand-over file read item by item; reads of a file that could not be
// opened, or past its end, are faults.
class HandOverReader {
 public:
  HandOverReader(ImportFaults& faults, int openStep) : faults_(faults) {
    open_ = in_.Open(ProgramPath(kHandOverFile));
    if (!open_) faults_.Report("File not found", openStep);
  }
  bool Ended(int step) {
    if (!open_) {
      faults_.Report("Bad file name or number", step);
      return true;
    }
    return in_.Eof();
  }
  std::string Item(int step) {
    if (!open_) {
      faults_.Report("Bad file name or number", step);
      return "";
    }
    if (in_.Eof()) {
      faults_.Report("Input past end of file", step);
      return "";
    }
    return in_.InputItem();
  }

 private:
  ImportFaults& faults_;
  SeqReader in_;
  bool open_ = false;
};

// Torque and HP are loaded with a pattern chosen on the number as read.
std::string ConvertPower(const std::string& text, double factor) {
  double v = Val(text);
  const char* pattern = v < 10 ? "#####.00" : (v < 100 ? "#####.0" : "#####0");
  return Format(v / factor, pattern);
}

void Mark(std::array<int, kFilePoints + 1>& use, int pos, int& marked) {
  // Curves of fewer than two points ask for positions below the table.
  if (pos < 0 || pos > kFilePoints) return;
  if (use[pos] == 0) {
    use[pos] = 1;
    ++marked;
  }
}

}  // namespace

bool ImportPowerCurve() {
  ImportFaults faults;
  const std::string cr(1, CR);

  // --- first pass: the summary
  std::string displacement;
  HandOverReader first(faults, 1);
  {
    HandOverReader& file = first;
    shell.CylvaneTitle = file.Item(1);
    displacement = file.Item(1);
    tbl.ExchangeCond1 = file.Item(1);
    tbl.ExchangeCond2 = file.Item(1);
    tbl.ExchangeCond3 = file.Item(1);
    tbl.ExchangeCond4 = file.Item(1);
  }
  double b = Val(tbl.ExchangeCond1), t = Val(tbl.ExchangeCond2), d = Val(tbl.ExchangeCond3),
         e = Val(tbl.ExchangeCond4);
  // The limits are decimal: a barometer 0.03 off counts as different even
  // where binary arithmetic makes the difference a hair smaller.
  auto off = [](double x, double ref, double limit) { return std::fabs(x - ref) >= limit - 1e-9; };
  bool notStd = off(b, 29.92, 0.03) || off(t, 60, 1.5) || d >= 33 - 1e-9 || off(e, 0, 5);
  bool notSae = off(b, 29.6, 0.01) || off(t, 77, 1.5) || off(d, 49, 1.5) || off(e, 0, 5);
  int correction = 0;
  std::string correctionText;
  if (!notStd) {
    correction = 1;
    correctionText = "Power is corrected to 'Std Dyno: 29.92 & 60 deg F'.";
  } else if (!notSae) {
    correction = 2;
    correctionText = "Power is corrected to 'SAE: 29.6 & 77 deg F'.";
  } else {
    correctionText =
        "Power is not corrected to standard conditions, but will be corrected to 'Std Dyno: 29.92 & 60 deg F'.";
  }

  double factor = 1, unusedDensity = 0;
  tbl.CalcMode = -1;
  CalcAirConditions(factor, unusedDensity);
  tbl.CalcMode = 0;

  int count = -1;
  std::array<double, kFilePoints + 1> torqueValue{};
  std::string peakTorque, peakTorqueRpm, peakHp, peakHpRpm;
  int peakTorquePos = 0, peakHpPos = 0;
  {
    HandOverReader& file = first;
    std::string rpm, torque, hp;
    for (int i = 0; i < kFilePoints; ++i) {
      if (!file.Ended(4)) rpm = file.Item(4);
      if (!file.Ended(4)) {
        torque = file.Item(4);
        torqueValue[i] = Val(torque);
      }
      if (!file.Ended(4)) {
        hp = file.Item(4);
        if (Val(rpm) > 0) ++count;
      }
      if (Val(hp) > Val(peakHp)) {
        peakHp = hp;
        peakHpRpm = rpm;
        peakHpPos = count;
      }
      if (Val(torque) > Val(peakTorque)) {
        peakTorque = torque;
        peakTorqueRpm = rpm;
        peakTorquePos = count;
      }
    }
  }

  // --- check and question
  if (tbl.StartMode != 2) {
    double hpV = Val(peakHp), tqV = Val(peakTorque);
    if (Val(displacement) <= 0 || hpV <= 0 || tqV <= 0 || Val(peakHpRpm) < 500 || Val(peakTorqueRpm) < 500 ||
        hpV < 0.1 * tqV || tqV < 0.1 * hpV) {
      MsgBox("Power Curve not in correct format or too unusual to be used by program.", mb::OKOnly, "");
      return false;
    }
    std::string text = "Power Curve found of" + Str(count + 1) + " RPMs for a " + displacement +
                       " cubic inch engine with:" + cr + cr + "    " + peakTorque + "  Peak Tq (ft lbs) @  " +
                       peakTorqueRpm + " RPM" + cr + cr + "    " + peakHp + " Peak HP" + Space(14) + "@  " +
                       peakHpRpm + " RPM" + cr + cr + correctionText + cr + cr +
                       "Do you want to use this power curve?";
    std::string title = Space(33) + "Summary of Power Curve" + Space(30);
    if (MsgBox(text, mb::YesNo + mb::Question, title) == ans::No) return false;
  }

  // --- choice of the points
  for (int k = 0; k < kLoadedPoints; ++k)
    for (int j = 0; j < 3; ++j) tbl.PowerCurveText[k][j].clear();
  std::array<int, kFilePoints + 1> use{};
  int marked = 0;
  if (count < 10) {
    for (int i = 0; i <= count; ++i)
      if (torqueValue[i] > 0) Mark(use, i, marked);
  } else {
    int step = static_cast<int>(RoundHalfEven(count / 10.0));
    for (int i = 0; i <= count - 1; i += step)
      if (torqueValue[i] > 0) Mark(use, i, marked);
  }
  Mark(use, peakHpPos, marked);
  Mark(use, peakTorquePos, marked);
  Mark(use, count - 1, marked);
  if (marked > kLoadedPoints) {
    for (int i = 1; i <= count - 2 && marked > kLoadedPoints; ++i) {
      if (i == peakTorquePos || i == peakHpPos) continue;
      if (use[i] == 1) {
        use[i] = 0;
        --marked;
      }
    }
  } else if (marked < kLoadedPoints && count >= 10) {
    for (int i = count; i >= 0 && marked < kLoadedPoints; --i)
      if (use[i] == 0) {
        use[i] = 1;
        ++marked;
      }
  }

  // --- second pass: load the chosen points
  {
    HandOverReader file(faults, 12);
    shell.CylvaneTitle = file.Item(12);
    SpecAt(kEngine, 1) = file.Item(12);
    tbl.ExchangeCond1 = file.Item(12);
    tbl.ExchangeCond2 = file.Item(12);
    tbl.ExchangeCond3 = file.Item(12);
    tbl.ExchangeCond4 = file.Item(12);
    if (correction != 0) factor = 1;
    SpecAt(kEngine, 6) = correction == 2 ? "1" : "0";
    int n = 0;
    for (int i = 0; i < kFilePoints; ++i) {
      std::string rpm, torque, hp;
      if (!file.Ended(14)) rpm = file.Item(14);
      if (!file.Ended(14)) torque = file.Item(14);
      if (!file.Ended(14)) hp = file.Item(14);
      if (use[i] != 1 || n >= kLoadedPoints) continue;
      tbl.PowerCurveText[n][0] = rpm;
      tbl.PowerCurveText[n][1] = torque.empty() ? "" : ConvertPower(torque, factor);
      tbl.PowerCurveText[n][2] = hp.empty() ? "" : ConvertPower(hp, factor);
      ++n;
    }
  }

  // --- the Engine specs that go with a full curve
  if (tbl.StartMode != 2) tbl.StartMode = 1;
  // The engine's example-name slot; whatever a spec window left here.
  shell.ExampleKind = 13;
  shell.ExampleListIndex = 2;
  shell.ExampleMenu = 0;
  SpecAt(kEngine, shell.ExampleKind).clear();
  SpecAt(kEngine, shell.ExampleKind + 1).clear();
  SpecAt(kEngine, 0) = Format(shell.ExampleListIndex, "#");
  fst.SpecsChanged = 1;  // a new curve the library copy does not have yet
  Windows().EngineCurveImported();
  return true;
}

}  // namespace sw
