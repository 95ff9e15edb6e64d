#include "results/notes_summary.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/ui.h"
#include "results/results_state.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const std::string kVery = " Very";
const std::string kExtremely = " EXTREMELY";
const std::string kTireAdvice =
    "Performance will improve by increasing Traction Factor, increasing Tread Width or going to a Drag Slick "
    "Construction in the Wheel/Tire specs menu.";

// Per cent of the run, rounded as the notes compare it.
double PercentOfRun(double seconds, double et) { return Int(100.0 * seconds / et + 0.5); }

}  // namespace

NotesSummary BuildNotesSummary(double tqPk) {
  const std::string cr2 = std::string(1, CR) + CR;
  NotesSummary out;
  NotesText.clear();
  // Only this run's 1-2 shift may reach the analysis report.
  SpinShiftTime = 0;
  std::string summary = "Notes Summary:  ";

  const bool powerLimitedNotes = Spec(kDriving, 0) == 0 || tbl.BeginnerLevel == 1;
  const double et = Val(tbl.HistoryEt[0]);
  // A run without an ET has no per cent figures: those notes are skipped.
  const bool haveEt = et > 0;

  if (tbl.ConverterDrive == 1) {
    double stall = Val(tbl.ResultsText[6][1]);
    if (stall < 0.8 * tqPk) {
      std::string degree = stall < 0.65 * tqPk ? kVery : "";
      summary += "Conv Stall RPM" + degree + " Low,  ";
      NotesText += "Torque Converter Stall RPM is" + Str(stall) + " RPM which is quite low for an engine with a Tq Pk at" +
                   Str(tqPk) +
                   " RPM.  Performance would likely improve with a 'looser' (higher Converter Capacity) converter." +
                   cr2;
    }
  }

  if (tbl.ConverterDrive == 0 && haveEt) {
    double slip = PercentOfRun(tbl.RunTotal2, et);
    if (slip > 10) {
      std::string degree;
      if (slip > 40) {
        degree = kExtremely;
        out.emphasis = true;
      } else if (slip > 25) {
        degree = kVery;
      }
      summary += degree + " High Clutch Slip,  ";
      NotesText += "The clutch was slipping for approximately" + Str(slip) + "% of the run, which is" + degree +
                   " high.  You may need higher clutch specs (more torque holding capability) or better tire traction." +
                   cr2;
    }
  }

  {
    double gear = Int(tbl.RunTotal1 / 10000) - 1;
    double low = Int(tbl.RunTotal1 - 10000 * (gear + 1) + 0.5);
    if (low < 0.8 * tqPk) {
      std::string degree = low < 0.65 * tqPk ? kVery : "";
      summary += "Engine RPM" + degree + " Low,  ";
      NotesText += "Engine RPM fell to" + Str(low) + " RPM in Gear #" + Str(gear) + ", which is" + degree +
                   " low and potentially hurting performance." + cr2;
    }
  }

  const int lastRow = std::min<int>(tbl.FinishRow, kResultsRows - 1);

  if (!powerLimitedNotes && haveEt) {
    double spin = std::min(PercentOfRun(tbl.RunTotal4, et), 100.0);
    bool early = false;
    if (spin > 0) {
      double start = Val(tbl.ResultsText[1][0]);
      for (int r = 0; r <= lastRow; ++r) {
        if (Val(tbl.ResultsText[0][r]) > 1) {
          SpinShiftTime = Val(tbl.ResultsText[1][r]) - start - tbl.ShiftTime;
          early = SpinShiftTime < 0.4;
          break;
        }
      }
    }
    if (spin > 10 || early) {
      if (early) {
        summary += "Tire Traction Very Low,  ";
        out.emphasis = true;
        NotesText += "The tires were spinning so much the 1-2 shift occured " + Format(SpinShiftTime, "##.00") +
                     " seconds into the run, which is hurting performance.  " + kTireAdvice + cr2;
      } else {
        std::string degree;
        if (spin > 25) {
          degree = kVery;
          out.emphasis = true;
        }
        summary += "Tire Spin" + degree + " High,  ";
        NotesText += "The tires were spinning for" + Str(spin) + "% of the run, which is" + degree +
                     " high and hurting performance.  " + kTireAdvice + cr2;
      }
    }
  }

  if (powerLimitedNotes && haveEt) {
    double limit = std::min(PercentOfRun(tbl.RunTotal3, et), 100.0);
    if (limit > 10) {
      std::string degree;
      if (limit > 25) {
        degree = kVery;
        out.emphasis = true;
        if (tbl.BeginnerLevel == 1 && tbl.BeginnerNoteState != 2) {
          tbl.BeginnerNoteState = 1;
          out.beginnerMessage =
              "Important:  Engine Power is being limited for" + Str(limit) +
              "% of the run (see % Thrt column at right) because tire traction is" + degree + " Low, producing" +
              degree + " Bad (high) ETs." + cr2 +
              "Increase Tire Traction Factor, specify Drag Slicks, etc in the Wheel/Tire Specs menu to correct this "
              "problem.  Also notice the Notes Summary at the top of this screen, click on Notes or Analyze for more "
              "information.";
        }
      }
      summary += "Tire Traction" + degree + " Low,  ";
      NotesText += "Engine Power had to be limited to the tires (to prevent tire spin) for" + Str(limit) +
                   "% of the run, which is" + degree + " high and hurting performance.  " + kTireAdvice + cr2;
    }
  }

  if (summary.size() >= 3 && summary.compare(summary.size() - 3, 3, ",  ") == 0) summary.resize(summary.size() - 3);
  out.caption = summary + ".  Click on Notes for more Details.";
  return out;
}

void ShowBeginnerNote(const NotesSummary& notes) {
  if (tbl.BeginnerNoteState != 1) return;
  MsgBox(notes.beginnerMessage, mb::OKOnly, "Beginner Level Help");
  tbl.BeginnerNoteState = 2;
}

void ShowNotes() {
  if (tbl.FromHistory == 1) {
    MsgBox("Notes not available after retrieving a file from History until you recalculate performance.");
    return;
  }
  if (NotesText.empty()) {
    MsgBox("No Notes of interest for this Vehicle Combo.");
    return;
  }
  MsgBox(NotesText + "Click on Analyze for more details.", mb::OKOnly,
         Space(30) + "Notes on Calculations" + Space(61));
}

}  // namespace sw
