#include "results/analysis_report.h"

#include <algorithm>
#include <cmath>

#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "results/report_pages.h"
#include "results/results_links.h"
#include "results/results_state.h"
#include "simulation/air.h"
#include "simulation/run_fault.h"
#include "simulation/shift_rpms.h"
#include "simulation/tables.h"

namespace sw {

const char* const kAnalysisWrongLength =
    "Analysis is not possible if run was not either an Quarter Mile or Eighth Mile run.";
const char* const kAnalysisNotPossible = "Analysis is not possible for this run.";

namespace {

constexpr double kNoShiftBelow = 99000;  // computed shift RPMs from here on mean "no shift"

double Finite(double v) { return std::isfinite(v) ? v : 0; }

// Rounded to a step (0.1, 0.01) as the report shows it.
double RoundTo(double v, double step) { return Int(v / step + 0.5) * step; }

std::string Cell(double value, const std::string& pattern) {
  std::string s = Format(value, pattern);
  return s.size() < pattern.size() ? std::string(pattern.size() - s.size(), ' ') + s : s;
}

std::string TimeLine(const std::string& label, double own, double typical) {
  const std::string f = "##.00", gap(8, ' ');
  return label + Cell(own, f) + gap + Cell(typical, f) + gap + Cell(typical - own, f) + " sec";
}

// Degree 0, 1, 2 of the last threshold the value passes (value > limit),
// -1 when it passes none.
int DegreeAbove(double value, double d0, double d1, double d2) {
  int d = -1;
  if (value > d0) d = 0;
  if (value > d1) d = 1;
  if (value > d2) d = 2;
  return d;
}

constexpr int kPlain = -5;   // a paragraph without number and degree word
constexpr int kNoWord = -1;  // a blank in place of the degree word

std::string DegreeWord(int degree) {
  switch (degree) {
    case 0: return " somewhat ";
    case 1: return " Very ";
    case 2: return " EXTREMELY ";
    default: return " ";
  }
}

class ReportText {
 public:
  explicit ReportText(std::filesystem::path folder) : folder_(std::move(folder)) {}

  void Line(const std::string& line) { text_ += CRLF + line; }

  // One advice paragraph from ANALYS/<key>: its second line carries the
  // number, its third the degree word; with `extraLine` an extra line holding
  // `extra` comes before the third.
  void Paragraph(const std::string& key, double number, const std::string& extra, bool extraLine, int degree) {
    SeqReader file;
    if (!file.Open(folder_ / key)) return;
    keys_.push_back(key);
    const int start = static_cast<int>(text_.size()) + 1;
    int counted = 0;
    for (int slot = 1; slot <= 30 && !file.Eof(); ++slot) {
      std::string line = file.InputItem();
      if (degree != kPlain) {
        if (slot == 2) {
          line += Str(number) + file.InputItem();
        } else if (slot == 3) {
          if (extraLine) {
            Line(line + extra + file.InputItem());
            line = file.InputItem();
          }
          line += DegreeWord(degree) + file.InputItem();
        }
      }
      Line(line);
      ++counted;
    }
    AddParagraph(paging_, start, counted);
  }

  std::string& Text() { return text_; }
  const ReportPaging& Paging() const { return paging_; }
  std::vector<std::string>& Keys() { return keys_; }

 private:
  std::filesystem::path folder_;
  std::string text_;
  ReportPaging paging_;
  std::vector<std::string> keys_;
};

}  // namespace

TypicalVehicle TypicalFor(double weight, double correctedHp) {
  TypicalVehicle t;
  if (weight <= 0 || correctedHp <= 0) return t;
  t.mph = 232 * std::pow(correctedHp / weight, 0.318);
  t.et = 0.779 + 1226 / t.mph;
  t.eighth = 0.402 + 793 / t.mph;
  t.sixtyFt = 0.237 + 151.2 / t.mph;
  return t;
}

int FinishGear(const AnalysisFigures& f) {
  if (f.rows.empty()) return 0;
  return static_cast<int>(Int(Val(f.rows.back().gear)));
}

ShiftRange ShiftRangeFor(const AnalysisFigures& f, int finishGear) {
  double high = 0, low = 30000;
  bool any = false;
  for (int i = 1; i <= std::min(finishGear - 1, 6); ++i) {
    double rpm = f.computedShift[i];
    if (!std::isfinite(rpm) || rpm >= kNoShiftBelow) continue;
    high = std::max(high, rpm);
    low = std::min(low, rpm);
    any = true;
  }
  // Finishing in first gear, or no shift the program would make: the top of
  // the curve is the range.
  if (!any) high = low = f.curveTopRpm - 400;
  ShiftRange r{100 * Int(high / 100), 100 * Int(low / 100)};
  if (r.low + 200 >= r.high) r.low = r.high - 200;
  return r;
}

AnalysisReport BuildAnalysisReport(const AnalysisFigures& f, const std::filesystem::path& adviceFolder) {
  AnalysisReport out;
  const double length = f.runLength;
  if (length != 660 && length != 1320) {
    out.refusal = kAnalysisWrongLength;
    return out;
  }
  const double correctedHp = Finite(f.peakHp * f.correction);
  const double et = Val(f.et);
  if (f.rows.size() < 2 || et <= 0 || f.weight <= 0 || correctedHp <= 0) {
    out.refusal = kAnalysisNotPossible;
    return out;
  }

  const TypicalVehicle typ = TypicalFor(f.weight, correctedHp);
  const bool quarter = length == 1320;
  const double quarterEt = quarter ? et : 0;
  const double quarterMph = quarter ? f.mph : 0;
  const double sixty = Val(f.sixtyFt);
  double eighth = 0, rpm660 = 0, rpm1320 = 0;
  for (const auto& row : f.rows) {
    if (row.feet == 660) {
      eighth = row.time;
      rpm660 = row.rpm;
    }
    if (row.feet == 1320) rpm1320 = row.rpm;
  }
  const int finishGear = FinishGear(f);
  const ShiftRange range = ShiftRangeFor(f, finishGear);

  ReportText r(adviceFolder);
  for (const char* line :
       {"------  !!!  IMPORTANT   !!!  --------------------------------------", " ",
        "The Stagewell makes NO determination of the SAFETY of",
        "this vehicle combination or performance.  You must rely on your",
        "experience and expert advice of qualified race car and chassis builders.", " ",
        "The Stagewell will NOT point out every modification",
        "for improving performance, only some of the more obvious.", " ", " ",
        "------  Analysis Report  -------------------------------------------", " "})
    r.Line(line);
  r.Line("  Wt/HP Ratio = " + Format(f.weight / correctedHp, "##0.00") + " (corrected for weather at track)");
  r.Line(" ");
  r.Line("  Comparison of this vehicle's performance to a typical race vehicle:");
  r.Line(" ");
  r.Line("                           This Veh      Typ Veh        Advantage *");
  r.Line(" ");
  r.Line(TimeLine("    60   foot (sec)           ", sixty, typ.sixtyFt));
  if (eighth != 0) r.Line(TimeLine("    660  foot (1/8 mile)      ", eighth, typ.eighth));
  if (quarterEt != 0) r.Line(TimeLine("    1320 foot (1/4 mile)      ", quarterEt, typ.et));
  if (quarterMph != 0) {
    const std::string f6 = "###.00", gap(7, ' ');
    r.Line("    1320 foot MPH            " + Cell(quarterMph, f6) + gap + Cell(typ.mph, f6) + gap +
           Cell(quarterMph - typ.mph, f6) + " MPH");
  }
  r.Line(" ");
  r.Line("    * Advantage of This Vehicle over the Typical Vehicle");
  r.Line(" ");

  const bool clutch = !f.converter;
  const double tqRpm = f.peakTorqueRpm;

  // 1, 2: trap speed.
  if (quarter) {
    int d = -1;
    if (f.mph < 0.99 * typ.mph - 1) d = 0;
    if (f.mph < 0.97 * typ.mph - 1) d = 1;
    if (f.mph < 0.95 * typ.mph - 1) d = 2;
    if (d >= 0) {
      const bool pastShiftRange = rpm1320 > range.high && rpm1320 > range.low;
      r.Paragraph(pastShiftRange ? "MPHLOGS" : "MPHLO", RoundTo(f.mph, 0.1), Str(RoundTo(typ.mph, 0.1)), true, d);
      if (f.converter) r.Paragraph("AUTOMPH", 0, "", false, kPlain);
    }
  }
  // 3, 4: converter stall.
  if (f.converter) {
    const double stall = f.rows.size() > 1 ? f.rows[1].rpm : 0;
    const std::string throttle = f.drivingType == 0 ? std::string("100") : Trim(f.launchThrottle);
    r.Paragraph("CONVSTAL", stall, throttle, true, kNoWord);
    if (stall <= 0.8 * tqRpm) r.Paragraph(stall > 0.65 * tqRpm ? "CSTALLO" : "CSTALVLO", 0, "", false, kPlain);
  }
  // 5, 6: clutch slip.
  if (clutch) {
    const double slip = Int(100 * f.runTotal2 / et + 0.5);
    const int d = DegreeAbove(slip, 10, 25, 40);
    if (d >= 0) {
      r.Paragraph("CLSLPHI", slip, "", false, d);
      if (f.drivingType == 0) r.Paragraph(f.tractionFactor == 4 ? "OPTCLTCH.1" : "OPTCLTCH.2", 0, "", false, kPlain);
      else r.Paragraph("CLUTCH", 0, "", false, kPlain);
    }
  }
  // 7: engine RPM falling too low.
  if (clutch) {
    const double g = Int(f.runTotal1 / 10000);
    const double rpm = Int(f.runTotal1 - 10000 * g + 0.5);
    int d = -1;
    if (rpm < 0.9 * tqRpm) d = 0;
    if (rpm < 0.75 * tqRpm) d = 1;
    if (rpm < 0.6 * tqRpm) d = 2;
    if (d >= 0) {
      const std::string key =
          std::string("BOG") + (g - 1 == 1 ? "1" : "2") + (f.drivingType == 0 ? "OPT" : "NOPT");
      r.Paragraph(key, rpm, Str(g - 1), true, d);
    }
  }
  // 8-10: tire spin and power held back by the tires.
  if (f.drivingType != 0) {
    if (f.spinShiftTime > 0) {
      r.Paragraph("QKSHFT", RoundTo(f.spinShiftTime, 0.01), " ", false, kNoWord);
    } else {
      const double spin = std::min(100.0, Int(100 * f.runTotal4 / et + 0.5));
      const int d = DegreeAbove(spin, 10, 25, 40);
      if (d >= 0) r.Paragraph("TRSLPHI", spin, "", false, d);
    }
  } else {
    const double limited = std::min(100.0, Int(100 * f.runTotal3 / et + 0.5));
    const int d = DegreeAbove(limited, 10, 25, 40);
    if (d >= 0) r.Paragraph("LMTSLPHI", limited, "", false, d);
  }
  // 11, 12: engine RPM at the finish below the power peak.
  if (!quarter && rpm660 > 0 && rpm660 <= f.peakHpRpm) r.Paragraph("RPMLO", rpm660, "", false, kNoWord);
  if (quarter && rpm1320 > 0 && rpm1320 <= f.peakHpRpm) r.Paragraph("RPMLO", rpm1320, "", false, kNoWord);
  // 13: the racer's own shift RPMs outside the range the program would use.
  if (f.shiftChoice != 0 && !f.beginnerLevel && finishGear > 1) {
    for (int i = 1; i <= std::min(finishGear - 1, 5); ++i) {
      const double own = f.userShift[i];
      if (own < range.low || own > range.high) {
        r.Paragraph("SHIFTRPM", range.high, Str(range.low), true, kNoWord);
        break;
      }
    }
  }
  // 14: driving a clutch car.
  if (clutch) r.Paragraph("GOODDRIV", 0, "", false, kPlain);

  r.Line(" ");
  r.Line("End of Analysis Report");
  out.text = std::move(r.Text());
  out.keys = std::move(r.Keys());
  out.pageBreaks = r.Paging().breaks;
  out.pageStart = r.Paging().start;
  return out;
}

AnalysisFigures AnalysisFiguresOfLastRun() {
  AnalysisFigures f;
  const double track = Spec(kConditions, 7);
  f.runLength = track == 0 ? 1320 : track == 1 ? 660 : 0;
  f.weight = Spec(kVehicle, 0);
  f.tractionFactor = Spec(kTires, 8);
  f.drivingType = static_cast<int>(Spec(kDriving, 0));
  f.shiftChoice = static_cast<int>(Spec(kDriving, 7));
  f.launchThrottle = SpecAt(kDriving, 3);
  for (int i = 1; i <= 5; ++i) f.userShift[i] = Spec(kDriving, 7 + i);
  f.beginnerLevel = tbl.BeginnerLevel == 1;
  f.converter = tbl.ConverterDrive == 1;
  f.runTotal1 = tbl.RunTotal1;
  f.runTotal2 = tbl.RunTotal2;
  f.runTotal3 = tbl.RunTotal3;
  f.runTotal4 = tbl.RunTotal4;
  f.spinShiftTime = SpinShiftTime;
  f.et = tbl.HistoryEt[0];
  f.mph = tbl.HistoryMph[0];
  f.sixtyFt = tbl.History60ft[0];
  const int last = std::min(tbl.FinishRow, kResultsRows - 1);
  for (int r = 0; r <= last; ++r)
    f.rows.push_back({tbl.ResultsText[0][r], Val(tbl.ResultsText[1][r]), Val(tbl.ResultsText[4][r]),
                      Val(tbl.ResultsText[6][r])});

  // The curve as entered and the program's shift RPMs on it; the run's own
  // curve, air figures and fault state stay as the run left them.
  const bool faultBefore = RunFaultPending();
  const EnteredCurveShifts curve = ShiftRpmsOnEnteredCurve();
  for (int i = 1; i <= 6; ++i) f.computedShift[i] = curve.shift[i];
  f.peakHp = Finite(curve.peakHp);
  f.peakHpRpm = Finite(curve.peakHpRpm);
  f.peakTorqueRpm = Finite(curve.peakTorqueRpm);
  f.curveTopRpm = Finite(curve.topRpm);

  const double pressureAlt = tbl.PressureAltitude, densityAlt = tbl.DensityAltitude,
               dryDensityAlt = tbl.DryDensityAltitude;
  double correction = 1, density = 0;
  CalcAirConditions(correction, density);
  tbl.PressureAltitude = pressureAlt;
  tbl.DensityAltitude = densityAlt;
  tbl.DryDensityAltitude = dryDensityAlt;
  f.correction = Finite(correction);
  if (!faultBefore) ClearRunFault();
  return f;
}

void MakeAnalysisReport() {
  AnalysisFigures figures;
  // A wrong run length is refused before anything is computed.
  const double track = Spec(kConditions, 7);
  if (track != 0 && track != 1) {
    MsgBox(kAnalysisWrongLength);
    return;
  }
  figures = AnalysisFiguresOfLastRun();
  AnalysisReport report = BuildAnalysisReport(figures, ProgramPath("ANALYS"));
  if (!report.refusal.empty()) {
    MsgBox(report.refusal);
    return;
  }
  ReportPageCount = report.pageBreaks;
  ReportPageStart = report.pageStart;

  const std::filesystem::path target = ProgramPath("Analysis Report.txt");
  int error = 0;
  if (!WriteTextFile(target, report.text + CRLF, &error)) {
    MsgBox(WriteFailureText("The Analysis Report", target, error), mb::Exclamation);
    return;
  }
  links::ShowTextDocument(target.string(), "Analysis Report");
}

}  // namespace sw
