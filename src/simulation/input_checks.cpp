#include "simulation/input_checks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "files/file_state.h"
#include "simulation/air.h"
#include "simulation/clutch.h"
#include "simulation/engine_curve.h"
#include "simulation/lap_data.h"
#include "simulation/tables.h"

namespace sw {
namespace {

const std::string kCr(1, CR);
const std::string kCrCr = kCr + kCr;

// What was last warned about, so that a warning answered once is not asked
// again while the same values stay. Each finding starts out "never warned":
// even values that happen to equal a fresh memory (an empty barometer) warn.
struct CheckMemory {
  bool torqueWarned = false;
  double torque = 0, torqueRpm = 0, hp = 0;

  bool barometerWarned = false;
  int16_t method = 0;
  double barometer = 0;

  bool efficiencyWarned = false;
  double efficiencyChoice = 0;
  int transmissionKind = 0;  // 1 automatic, 0 manual

  bool converterWarned = false;
  double converterCapacity = 0, converterHpRpm = 0, converterTopRpm = 0;

  bool clutchWarned = false;
  double clutchCapacity = 0, clutchHp = 0, clutchHpRpm = 0;

  int gearCount = 0;
  std::string collected;  // warnings gathered in start mode 2
  std::string finding;
  std::string findingKind;  // "STOP" = fatal, "" = a warning
};
CheckMemory memory;

// A quick calculation (a spec window's instant result as the racer leaves a
// row) asks a warning once for the same specs: the answer given stands
// until a spec or the power curve changes, so leaving one row after another
// does not bring the same box back every time.
struct QuickAnswers {
  std::array<std::string, kSpecCount> specs;
  std::array<std::array<std::string, 4>, kPowerCurvePoints> curve;
  std::vector<std::pair<std::string, int>> given;  // warning text, answer
};
QuickAnswers quick;

int AskWarning(const std::string& text) {
  const bool instant = tbl.QuietCalc == 1;
  if (instant) {
    if (quick.specs != tbl.SpecText || quick.curve != tbl.PowerCurveText) {
      quick.specs = tbl.SpecText;
      quick.curve = tbl.PowerCurveText;
      quick.given.clear();
    }
    for (const auto& [asked, answer] : quick.given)
      if (asked == text) return answer;
  }
  const int answer =
      MsgBox(text + kCrCr + "Do you want to continue with the calculations?", mb::YesNo + mb::Question,
             "Possible Problem with Inputs");
  if (instant) quick.given.emplace_back(text, answer);
  return answer;
}

StallSweep lastSweep = StallSweep::kNeverBelow;

// The converter sweep reads only its arguments and the curve: a sweep asked
// again of the same (the checks and the run's set-up ask it in turn, and a
// search on every pass) gives what the last one gave.
struct SweepMemo {
  bool valid = false;
  double torqueFactor = 0, capacity = 0, factorScale = 0;
  int last = 0;
  double curve[2][kEngineCurveRows] = {};
  double stall = 0;
  StallSweep sweep = StallSweep::kNeverBelow;

  bool Matches(const EngineCurveTable& table, double factor, int lastRow, double cap, double scale) const {
    const size_t n = sizeof(double) * static_cast<size_t>(lastRow + 1);
    return valid && last == lastRow && Same(torqueFactor, factor) && Same(capacity, cap) &&
           Same(factorScale, scale) && std::memcmp(curve[0], table[0], n) == 0 &&
           std::memcmp(curve[1], table[1], n) == 0;
  }
  void Keep(const EngineCurveTable& table, double factor, int lastRow, double cap, double scale, double stallRpm) {
    valid = true;
    torqueFactor = factor;
    last = lastRow;
    capacity = cap;
    factorScale = scale;
    const size_t n = sizeof(double) * static_cast<size_t>(lastRow + 1);
    std::memcpy(curve[0], table[0], n);
    std::memcpy(curve[1], table[1], n);
    stall = stallRpm;
    sweep = lastSweep;
  }
  static bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};
SweepMemo sweepMemo;

void SweepConverter(const EngineCurveTable& curve, double torqueFactor, int last, double& stallRpm, double capacity,
                    double factorScale);

enum class Kind { kWarning, kFatal };

// The message step. True when the checks go on.
bool Report(Kind kind, const std::string& text) {
  memory.finding = text;
  memory.findingKind = kind == Kind::kFatal ? "STOP" : "";
  if (tbl.StartMode != 2) {
    if (kind == Kind::kWarning) {
      if (AskWarning(text) == ans::Yes) return true;
    } else {
      MsgBox(text + kCrCr + "Calculations can not continue.", mb::OKOnly, "Problem with Inputs");
    }
    tbl.StopAfterPrep = 1;
    return false;
  }

  // Unattended: nothing may block. Warnings are gathered; a refusal tells the
  // engine program through the lap data file, with no run figures in it.
  if (kind == Kind::kWarning) {
    memory.collected = kCrCr + memory.collected + kCrCr + text;
    return true;
  }
  tbl.CalcMessages = kCrCr + memory.collected + "Stagewell calculations can not be done due to:" + kCrCr + text;
  const std::array<std::string, kLapDataLines> lines = {
      "0",
      "0",
      "0",
      Format(tbl.DensityAltitude, "#####0"),
      Format(tbl.DryDensityAltitude, "#####0"),
      "0",  // no run, so no track length was set up
      tbl.SpecText[45],
      "0",
      "0",
      fst.CurrentFileName,
      tbl.CalcMessages,
  };
  WriteLapDataFile(lines);  // nobody to tell when it fails: the engine program finds no fresh file
  tbl.StopAfterPrep = 1;
  return false;
}

double TorqueOnCurve(const EngineCurveTable& curve, double rpm, int lastRow, double factor) {
  double torque = 0, hp = 0;
  int16_t limiter = 0;
  const int16_t off = 0;
  const double none = 0;
  EngineTorqueAt(curve, torque, rpm, factor, lastRow, none, none, none, off, off, none, limiter, none, hp, off);
  return torque;
}

// Automatic: the efficiency, then the converter against the curve.
bool CheckAutomatic(double efficiencyChoice, double peakHpRpm, double topRpm, int pointCount) {
  const double e = efficiencyChoice;
  if (e != 0 && e < 6 && (!memory.efficiencyWarned || e != memory.efficiencyChoice || memory.transmissionKind != 1)) {
    const std::string very = e < 4 ? " VERY" : "";
    if (!Report(Kind::kWarning, "You have specified a Transmission Efficiency of " + Format(101 - e, "##0") +
                                    "%.  This is" + very +
                                    " high for an automatic transmission (88% - 95% is more typical)."))
      return false;
    memory.efficiencyWarned = true;
    memory.transmissionKind = 1;
    memory.efficiencyChoice = e;
  }

  // The curve is already corrected for the weather: judge the converter on
  // it as it stands, as the run does.
  const double capacity = Val(tbl.SpecText[20]);
  double stall = 0;
  CheckConverterCapacity(1.0, pointCount, stall, capacity, 1.0, tbl.EngineCurve);
  if (stall > (peakHpRpm + topRpm) / 2) {
    if (!memory.converterWarned || capacity != memory.converterCapacity || peakHpRpm != memory.converterHpRpm ||
        topRpm != memory.converterTopRpm) {
      if (!Report(Kind::kWarning,
                  "The Converter Capacity looks Very high (very 'loose' torque converter) for this power curve."))
        return false;
    }
    memory.converterWarned = true;
    memory.converterCapacity = capacity;
    memory.converterHpRpm = peakHpRpm;
    memory.converterTopRpm = topRpm;
  }
  return true;
}

// Manual: the efficiency, then the clutch against the engine.
bool CheckManual(double typeChoice, double efficiencyChoice, double powerCorrection, double peakHp, double peakHpRpm,
                 double peakTorque, int16_t& calcStatus) {
  const double e = efficiencyChoice;
  if (e != 0 && e > 7 && (!memory.efficiencyWarned || e != memory.efficiencyChoice || memory.transmissionKind != 0)) {
    if (!Report(Kind::kWarning, "You have specified a Transmission Efficiency of " + Format(101 - e, "##0") +
                                    "%.  This is VERY low for a manual transmission (96% - 99% is more typical)."))
      return false;
    memory.efficiencyWarned = true;
    memory.transmissionKind = 0;
    memory.efficiencyChoice = e;
  }

  if (typeChoice == 0) return true;  // the run designs the clutch itself
  double capacity = 0, perRpm2 = 0, perLb = 0, diameter = 0, force = 0, disks = 0;
  int16_t status = 0;
  ClutchSpecs(capacity, perRpm2, perLb, status, diameter, force, disks, 1.0, peakTorque, peakHpRpm);
  const double clutchCapacity = capacity + perRpm2 * peakHpRpm * peakHpRpm;
  if (clutchCapacity > 5252 * peakHp * powerCorrection / peakHpRpm) return true;

  if (calcStatus != 0) {
    // A search cannot stop to ask: it goes on with a clutch the program designs.
    if (typeChoice == 5) {
      tbl.SpecText[37] = "";
      tbl.SpecText[38] = "";
    }
    tbl.SpecText[15] = "0";
    calcStatus = -1;
    return true;
  }
  if (!memory.clutchWarned || clutchCapacity != memory.clutchCapacity || peakHp != memory.clutchHp ||
      peakHpRpm != memory.clutchHpRpm) {
    std::string text = " Clutch looks 'small' for this engine.";
    if (tbl.BeginnerLevel == 1) {
      text += kCrCr +
              "  Since the program is in 'Beginner Level' mode, the program will estimate the clutch specs for you "
              "no matter how you have them set now if you continue.";
      tbl.EstimateClutch = 1;
    }
    if (!Report(Kind::kWarning, text)) return false;
    memory.clutchWarned = true;
    memory.clutchCapacity = clutchCapacity;
    memory.clutchHp = peakHp;
    memory.clutchHpRpm = peakHpRpm;
  }
  return true;
}

}  // namespace

void ResetInputCheckMemory() {
  memory = CheckMemory{};
  quick = QuickAnswers{};
  lastSweep = StallSweep::kNeverBelow;
  sweepMemo = SweepMemo{};
}

StallSweep LastStallSweep() { return lastSweep; }

void CheckConverterCapacity(const double& torqueFactor, const int& pointCount, double& stallRpm,
                            const double& converterCapacity, const double& factorScale, const EngineCurveTable& curve) {
  const int last = std::clamp(pointCount, 0, kEngineCurveRows - 1);
  if (sweepMemo.Matches(curve, torqueFactor, last, converterCapacity, factorScale)) {
    lastSweep = sweepMemo.sweep;
    stallRpm = sweepMemo.stall;
    return;
  }
  double stall = stallRpm;
  SweepConverter(curve, torqueFactor, last, stall, converterCapacity, factorScale);
  sweepMemo.Keep(curve, torqueFactor, last, converterCapacity, factorScale, stall);
  stallRpm = stall;
}

namespace {

void SweepConverter(const EngineCurveTable& curve, double torqueFactor, int last, double& stallRpm,
                    double converterCapacity, double factorScale) {
  double factor = torqueFactor;
  bool quiet = false;
  if (factor < -0.1) {
    factor = -factor;
    quiet = true;
  }
  const double scale = factor * factorScale;
  const double capacity = converterCapacity;
  const double from = curve[0][0];
  const double topRow = curve[0][last];
  // A sweep of a million RPM is far beyond any engine: a mistyped curve
  // point must not keep the program busy for hours.
  const double to = std::min(topRow + 100, from + 1e6);
  auto torqueAt = [&](double r) { return TorqueOnCurve(curve, r, last, scale); };

  // The sweeps step the RPM by repeated addition and run while it lies within
  // the range, as a stepped loop of the runtime does (a row 0 RPM with a
  // fraction then meets the same RPMs as it always has). The step count is
  // bounded as well, so that an RPM too large to move by a step cannot hold
  // the loop.
  auto guard = [&](double size) { return to >= from ? static_cast<long>(std::floor((to - from) / size)) + 2 : 0L; };
  const long guard100 = guard(100), guard10 = guard(10);

  double peak = -10000;
  {
    long i = 0;
    for (double r = from; r <= to && i < guard100; r += 100, ++i) peak = std::max(peak, torqueAt(r));
  }

  // The converter only loads the engine once the engine makes real torque:
  // below a third of the peak it is taken as unloaded, up to two thirds it
  // ramps in.
  double r1 = 0, r2 = 0;
  bool r1Found = false;
  {
    long i = 0;
    for (double r = from; r <= to && i < guard10; r += 10, ++i) {
      const double t = torqueAt(r);
      if (!r1Found && t > 0.333 * peak) {
        r1 = r;
        r1Found = true;
      }
      if (t > 0.667 * peak) {
        r2 = r;
        break;
      }
    }
  }

  double stall = 0;
  long i = 0;
  for (double r = from; r <= to && i < guard10; r += 10, ++i) {
    const double t = torqueAt(r);
    double te = t;
    if (r < r1)
      te = 0;
    else if (r < r2)
      te = std::min(t, (r - r1) * t / (r2 - r1));
    if (!(te > 0)) continue;
    const double absorbed = capacity * std::sqrt(te);  // the RPM at which the converter holds te
    if (absorbed > r) {
      stall = -1;  // still below stall
    } else if (stall == -1 && absorbed < r) {
      stall = r - 10;
      if (stall < topRow) {
        lastSweep = StallSweep::kCrossed;
      } else {
        lastSweep = StallSweep::kBeyondCurve;
        stall = quiet ? -(r - 10) : 0;
      }
      stallRpm = stall;
      return;
    }
  }
  lastSweep = stall == -1 ? StallSweep::kBeyondCurve : StallSweep::kNeverBelow;
  if (!quiet)
    stall = 0;
  else if (stall != 0)
    stall = -stall;
  stallRpm = stall;
}

}  // namespace

void CheckInputs(double& powerCorrection, double& peakHp, double& peakHpRpm, int16_t& calcStatus, double& topRpm,
                 int& pointCount, double& peakTorque, double& peakTorqueRpm) {
  memory.collected.clear();
  memory.findingKind.clear();
  tbl.StopAfterPrep = 0;
  tbl.EstimateClutch = 0;

  // No curve: nothing else can be judged.
  if (peakHp == 0 || peakHpRpm == 0) {
    Report(Kind::kFatal,
           "There is no power curve in the Engine Specs menu.  The easiest remedy is to pick 'HP Peak Only' as the "
           "Method of Describing Power Curve in the Engine Specs menu.");
    return;
  }

  // HP against torque: the torque peak alone makes more power than the HP peak.
  const double torqueHp = peakTorque * peakTorqueRpm / 5252;
  if (torqueHp > peakHp) {
    const double method = Val(tbl.SpecText[0]);
    const bool peaksEntered = method == 1 || (method == 4 && Val(tbl.SpecText[14]) == 1);
    if (peaksEntered && (!memory.torqueWarned || peakTorque != memory.torque || peakTorqueRpm != memory.torqueRpm ||
                         peakHp != memory.hp)) {
      if (!Report(Kind::kWarning, "The Peak Torque of" + Str(peakTorque) + " ft lbs at" + Str(peakTorqueRpm) +
                                      " RPM produce " + Format(torqueHp, "#####.0") +
                                      " HP, which is more than the Peak HP of" + Str(peakHp) +
                                      " specified in the Engine Specs menu."))
        return;
    }
    memory.torqueWarned = true;
    memory.torque = peakTorque;
    memory.torqueRpm = peakTorqueRpm;
    memory.hp = peakHp;
  }

  // Barometer: a corrected barometer hardly ever leaves 29 to 31 "Hg.
  const int16_t weatherMethod = CInt(Val(tbl.SpecText[97]));
  const double barometer = Val(tbl.SpecText[98]);
  if (weatherMethod < 2 && (barometer < 29 || barometer > 31)) {
    if (!memory.barometerWarned || weatherMethod != memory.method || barometer != memory.barometer) {
      if (!Report(Kind::kWarning,
                  "The Corr. Barometric Pressure you have set in the Calculation Conditions if outside the normal "
                  "range of 29 to 31 ''Hg.  This IS possible, but would be VERY unlikely." +
                      kCrCr +
                      "Note that Correct Barometer (as reported by most weather reports) does NOT change with "
                      "elevation changes."))
        return;
    }
    memory.barometerWarned = true;
    memory.method = weatherMethod;
    memory.barometer = barometer;
  }

  // Transmission.
  const double type = Val(tbl.SpecText[15]);
  const double efficiency = Val(tbl.SpecText[23]);
  const bool automatic = type == 3 || type == 4 || (type == 5 && Val(tbl.SpecText[38]) == 2);
  if (automatic) {
    if (!CheckAutomatic(efficiency, peakHpRpm, topRpm, pointCount)) return;
  } else {
    if (!CheckManual(type, efficiency, powerCorrection, peakHp, peakHpRpm, peakTorque, calcStatus)) return;
  }

  // Dew point: air cannot be colder than its dew point.
  if (weatherMethod != 0 && weatherMethod != 2 && weatherMethod != 4 &&
      !(Val(tbl.SpecText[100]) < Val(tbl.SpecText[99]))) {
    Report(Kind::kFatal, " Engine Int Air Temp must be higher than Dew Point.");
    return;
  }

  // Gears: ratios fall from gear to gear; the first 0 ends the gearbox.
  memory.gearCount = 6;
  for (int i = 1; i <= 6; ++i) {
    const double ratio = Val(tbl.SpecText[23 + i]);
    if (ratio == 0) {
      memory.gearCount = i - 1;
      break;
    }
    if (i < 6 && Val(tbl.SpecText[24 + i]) > ratio) {
      Report(Kind::kFatal, "Error.  Ratio for Trans Gear #" + Str(i) + " is less than Ratio for Trans Gear #" +
                               Str(i + 1));
      return;
    }
  }

  // Shift RPMs the racer set, against the top of the curve. One left at 0
  // keeps the car in its gear to the end (a Match holds the gears after its
  // finish gear so on purpose).
  if (Val(tbl.SpecText[84]) != 0) {
    const bool matchPass = calcStatus == 1 || calcStatus == -1;
    for (int i = 1; i <= memory.gearCount - 1; ++i) {
      const double shift = Val(tbl.SpecText[84 + i]);
      if (shift == 0 && !matchPass) {
        if (!Report(Kind::kWarning, "The" + Str(i) + " -" + Str(i + 1) +
                                        " Shift RPM is 0, so the car will not shift out of gear" + Str(i) + "."))
          return;
        break;
      }
      if (shift > topRpm - 300) {
        if (!Report(Kind::kWarning, "The" + Str(i) + " -" + Str(i + 1) +
                                        " Shift RPM is higher than this engine's likely valve toss (power loss) RPM "
                                        "of" +
                                        Str(topRpm - 300) + "."))
          return;
      }
    }
  }

  if (calcStatus == 0) tbl.CalcMessages = memory.collected;
}

void CheckTransmissionSpec(double& limitRpm, double& midRpm, double& peakHpRpm) {
  double powerCorrection = 0, airDensity = 0;
  CalcAirConditions(powerCorrection, airDensity);
  CurveOfItsOwn curve;  // figures for the window
  double peakHp = 0, peakTorque = 0, peakTorqueRpm = 0, topRpm = 0;
  int pointCount = 0;
  BuildEngineCurve(curve.Target(), peakHp, peakHpRpm, peakTorque, peakTorqueRpm, pointCount, midRpm, powerCorrection,
                   limitRpm, topRpm);
  WindowHost& win = Windows();
  double stall = 0;
  CheckConverterCapacity(-1.0, pointCount, stall, Val(win.TransmissionRowText(5)), 1.0, curve.Table());
  win.SetTransmissionRowText(15, stall <= 0 ? " too low" : Format(10 * Int(stall / 10 + 0.5), "####0"));
}

}  // namespace sw
