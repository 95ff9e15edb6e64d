#include "dialin/dialin_prediction.h"

#include <cmath>
#include <optional>

#include "dialin/dialin_state.h"
#include "dialin/weather_methods.h"
#include "files/file_state.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const std::string kCr(1, CR);

constexpr const char* kInputsQuestionTitle = "Throttle Stop Inputs Could Be Better";
constexpr const char* kEtDifferenceTitle = "ET Calculated Very Different Than ET Entered";

bool Finite(double v) { return std::isfinite(v); }

// The prediction's sequence, one object per Update.
class Prediction {
 public:
  Prediction(const DialInEntries& e, DialInAsked& asked, const DialInPass& pass)
      : e_(e), asked_(asked), pass_(pass), ts_(e.mode == 2), oneRun_(ts_ && e.oneRun),
        mode_(DialInModeName(e.mode)) {}

  PredictionOutcome Run();

 private:
  double N(int row) const { return Val(e_.text[row]); }
  std::string GroupName(int row) const;
  bool CheckRequiredEntries();
  bool CheckThrottleStopEntries();
  bool Refuse(int row);
  // A pass; false when it gave no run (the outcome is then set).
  bool RunPass(int calcPass, double& et, double& sixtyFoot);
  bool RunFirstPass();
  void FinishDialIn();
  void FinishThrottleStop();
  void NoUsableTime();
  std::string Shown(double v) const { return Format(v, tbl.FinerTime == 1 ? "####.000" : "####.00"); }

  const DialInEntries& e_;
  DialInAsked& asked_;
  const DialInPass& pass_;
  const bool ts_, oneRun_;
  const std::string mode_;
  PredictionOutcome out_;
  double etc1_ = 0, t1_ = 0, etcP_ = 0, tP_ = 0;
};

std::string Prediction::GroupName(int row) const {
  if (row < 9) return e_.previousRunFrame + (ts_ ? ", Run 1" : "");
  if (row <= 16) return e_.predictedRunFrame;
  if (row >= 20 && row <= 28) return e_.previousRunFrame + ", Run 2";
  return e_.generalFrame;
}

bool Prediction::Refuse(int row) {
  MsgBox(e_.caption[row] + " for '" + GroupName(row) + "' must be specified before a " + mode_ +
             " Prediction can be run.",
         mb::OKOnly, "");
  return false;
}

bool Prediction::CheckRequiredEntries() {
  const int first = oneRun_ ? 9 : 0, last = ts_ ? 29 : 18;
  const int method = e_.pick[18];
  for (int r = first; r <= last; ++r) {
    if (r == 17 || (!ts_ && r == 6) || !e_.inUse[r]) continue;
    if (IsDialInPickRow(r)) {
      if (e_.pick[r] == -1) return Refuse(r);
    } else {
      // Dew points and elevations may be 0; in Throttle Stop one run may
      // have been made without a throttle stop.
      const bool zeroAllowed = r == 2 || r == 3 || r == 11 || r == 12 || r == 22 || r == 23 ||
                               (ts_ && (r == 6 || r == 26));
      if (!zeroAllowed && N(r) == 0) return Refuse(r);
    }
    if (!MethodTakesHumidity(method) && (r == 2 || r == 11 || r == 22) && N(r - 1) < N(r)) {
      const std::string group = GroupName(r);
      MsgBox(e_.caption[r] + " for " + group + " must be less than " + e_.caption[r - 1] + " for " + group + kCr +
                 kCr + mode_ + " Prediction is not possible.",
             mb::OKOnly, "");
      return false;
    }
  }
  // Run 1's wind direction, wherever Run 1 is used.
  if (!oneRun_ && e_.pick[5] == -1) return Refuse(5);
  return true;
}

bool Prediction::CheckThrottleStopEntries() {
  if (!ts_) return true;
  if (oneRun_) {
    if (N(31) == 0) {
      MsgBox("You must enter an Adjustment Factor from a previous set of Throttle Stop runs.", mb::OKOnly, "");
      return false;
    }
    if (N(28) == 0) {
      MsgBox("You must enter an ET for Previous Run #2.", mb::OKOnly, "");
      return false;
    }
    return true;
  }
  const double ts1 = N(6), ts2 = N(26), et1 = N(8), et2 = N(28);
  if (ts1 == 0 && ts2 == 0) {
    MsgBox("You must enter Throttle Stop values for both Previous Run #1 and Run #2.", mb::OKOnly, "");
    return false;
  }
  const double spread = ts2 != 0 ? std::fabs(1 - ts1 / ts2) : std::fabs(1 - ts2 / ts1);
  if (spread < 0.2 &&
      MsgBox("The Throttle Stop accuracy would be better if there was a greater difference between Throttle Stop "
             "settings for Previous Run #1 and Run #2." +
                 kCr + kCr + "Continue with throttle stop prediction anyway?",
             mb::YesNo, kInputsQuestionTitle) == ans::No)
    return false;
  if (et1 == 0 || et2 == 0) {
    MsgBox("You must enter an ET for both Previous Run #1 and Run #2.", mb::OKOnly, "");
    return false;
  }
  const double apart = std::fabs(et2 - et1);
  if (apart < 0.15) {
    MsgBox("The ETs in Previous Run #1 and Previous Run #2 must be at least .15 seconds different for a Throttle "
           "Stop prediction to be calculated.",
           mb::OKOnly, "");
    return false;
  }
  if (apart < 0.3 &&
      MsgBox("The Throttle Stop accuracy would be better if there was a greater difference between ETs for Previous "
             "Run #1 and Run #2." +
                 kCr + kCr + "Continue with throttle stop prediction anyway?",
             mb::YesNo, kInputsQuestionTitle) == ans::No)
    return false;
  return true;
}

bool Prediction::RunPass(int calcPass, double& et, double& sixtyFoot) {
  tbl.CalcPass = static_cast<int16_t>(calcPass);
  CalculatedRun r = pass_(calcPass);
  // Refused specs, Cancel or a run error: no figure, and the results row
  // of a run that never finished is not read.
  if (!r.ok || tbl.StopAfterPrep == 1) {
    out_.labels = PredictionOutcome::Labels::Empty;
    return false;
  }
  et = r.et;
  sixtyFoot = r.sixtyFoot;
  return true;
}

// Run 1's pass, with the track-length and ET-difference questions when the
// calculated run is far from the real one. False when the prediction ends.
bool Prediction::RunFirstPass() {
  const double et1 = N(8);
  for (;;) {
    if (!RunPass(1, etc1_, t1_)) return false;
    tbl.CalcPass = 2;
    const double dev = 1 - etc1_ / et1;
    if (!Finite(dev)) {
      NoUsableTime();
      return false;
    }
    if (std::fabs(dev) <= 0.15) return true;
    if (!asked_.trackLength) {
      asked_.trackLength = true;
      std::string& track = tbl.SpecText[tbl.SpecMenuStart[kConditions] + 7];
      const double choice = Int(Val(track));
      std::string word;
      if (dev < -0.1 && choice == 0) word = "Eighth";
      else if (dev > 0.1 && choice == 1) word = "Quarter";
      if (!word.empty() &&
          MsgBox("Are these ETs for " + word + " Mile runs?", mb::YesNo + mb::Question, word + " Mile ETs ?") ==
              ans::Yes) {
        track = word == "Eighth" ? "1" : "0";
        fst.SpecsChanged = 1;
        continue;  // the runs again, on the other track length
      }
    }
    if (!asked_.etDifference) {
      asked_.etDifference = true;
      std::string question;
      if (!ts_) {
        question =
            "The ET for the current vehicle specs are over 15% different than what you have entered.  This is too "
            "different for the most accurate Dial In Prediction.  Do you want to continue the Dial In Prediction "
            "anyway?";
      } else {
        // The calculated run quicker than the real one by over 15 %, or
        // slower by over 30 %.
        std::string word = dev > 0.15 ? "15% QUICKER" : dev < -0.3 ? "30% SLOWER" : "";
        if (!word.empty())
          question = "The ET for the current vehicle specs are over " + word +
                     " than the ET you have entered.  This is too different for an accurate Throttle Stop "
                     "Prediction.  Do you want to continue the Throttle Stop Prediction anyway?";
      }
      if (!question.empty() && MsgBox(question, mb::YesNo + mb::Question, kEtDifferenceTitle) == ans::No)
        return false;
    }
    return true;
  }
}

void Prediction::NoUsableTime() {
  MsgBox(kNoUsableTime, mb::OKOnly, "");
  out_.labels = PredictionOutcome::Labels::Empty;
}

void Prediction::FinishDialIn() {
  const double e60 = N(7), et1 = N(8), margin = N(30);
  const double p60 = e_.pick[15] == 0 ? e60 + (tP_ - t1_) : N(16);
  // The real run from 60 ft to the finish, scaled by the calculated change
  // between the two weathers.
  const double rest = (et1 - e60) * (etcP_ - tP_) / (etc1_ - t1_);
  const double dialIn = p60 + rest - margin;
  if (!Finite(rest) || !Finite(dialIn) || etc1_ - t1_ == 0) return NoUsableTime();
  out_.labels = PredictionOutcome::Labels::Set;
  out_.label2 = Shown(dialIn);
  out_.label9.clear();
}

void Prediction::FinishThrottleStop() {
  double etc2 = 0, t2 = 0;
  if (!RunPass(3, etc2, t2)) return;
  tbl.CalcPass = 3;
  const double ts1 = N(6), e60_1 = N(7), et1 = N(8);
  const double ts2 = N(26), e60_2 = N(27), et2 = N(28);
  const double index = N(19), start = N(29), margin = N(30);

  // The 60 ft times are left out where they would mislead; the reason kept
  // is the last that holds.
  std::string reason;
  if (!oneRun_ && std::fabs(e60_1 - e60_2) > 0.03)
    reason = "more than .03 second difference between Run 1 and Run 2 60 ft times.";
  if (e60_2 / et2 > 1.1 * t2 / etc2 || (!oneRun_ && e60_1 / et1 > 1.1 * t1_ / etc1_))
    reason = "your 60 ft/ET pattern are too different than the program's 60 ft/ET pattern.";
  if ((!oneRun_ && start < e60_1 + 0.5) || start < e60_2 + 0.5)
    reason = "T/S Start Time too close to occuring before 60 ft time elapsed.";

  // K: the real time over the calculated time from 60 ft (or the start) to
  // the finish, the part of the run the throttle stop slows.
  double k1 = 0, k2 = 0, p60 = 0, tP = tP_;
  if (!reason.empty()) {
    if (!oneRun_) k1 = et1 / etc1_;
    k2 = et2 / etc2;
    tP = 0;
    p60 = 0;
    out_.sixtyFoot = PredictionOutcome::SixtyFoot::NotUsed;
    out_.label7 = "60 ft time not used because " + reason;
  } else {
    p60 = e_.pick[15] == 0 ? e60_2 + (tP_ - t2) : N(16);
    if (!oneRun_) k1 = (et1 - e60_1) / (etc1_ - t1_);
    k2 = (et2 - e60_2) / (etc2 - t2);
    out_.sixtyFoot = PredictionOutcome::SixtyFoot::Used;
    out_.label7.clear();
  }
  if (!Finite(k1) || !Finite(k2)) return NoUsableTime();

  double factor;
  if (oneRun_) {
    TsAdjustFactor = N(31);
    factor = TsAdjustFactor;
  } else {
    const double dK = std::fabs(1 - k1 / k2);
    if (!Finite(dK)) return NoUsableTime();
    if (dK < 0.04) {
      MsgBox("The difference produced by Throttle Stops in Run 1 and Run 2 produced less than a " +
                 Format(100 * dK + 1, "#0") + "% difference on ET." + kCr + kCr +
                 (dK < 0.005 ? "An accurate Throttle Stop Prediction is not possible.  The two Throttle Stop "
                               "settings for Run 1 and Run 2 should be more different, to produced a larger effect "
                               "on ET."
                             : "More accurate predictions are likely if the difference in the Throttle Stop "
                               "settings produced a larger effect on ET."),
             mb::OKOnly, "");
      if (dK < 0.005) {
        out_.labels = PredictionOutcome::Labels::Empty;
        return;
      }
    }
    factor = (ts2 - ts1) / (k2 - k1);
    if (!Finite(factor)) return NoUsableTime();
    TsAdjustFactor = factor;
  }
  const double c = ts2 - factor * k2;
  const double wanted = index + margin;
  const double kt = (wanted - p60) / (etcP_ - tP);
  const double predicted = c + factor * kt;
  if (!Finite(kt) || !Finite(predicted)) return NoUsableTime();

  // Far outside the settings tried, the straight line through them is a
  // guess.
  double lo = ts2, hi = ts2;
  int loRun = 2, hiRun = 2;
  if (!oneRun_) {
    if (ts1 > ts2) {
      lo = ts2, loRun = 2, hi = ts1, hiRun = 1;
    } else {
      lo = ts1, loRun = 1, hi = ts2, hiRun = 2;
    }
  }
  std::string word;
  int run = 0;
  if (predicted < 0.5 * lo) word = "less", run = loRun;
  else if (predicted > 2 * hi) word = "higher", run = hiRun;
  if (!word.empty()) {
    MsgBox("The Predicted Throttle Stop of " + Shown(predicted) + " is much " + word +
               " than the Throttle Stop you entered for Run" + Str(run) + " of " + e_.text[run == 1 ? 6 : 26] + "." +
               kCr + kCr +
               "Accuracy would be better if the Predicted Throttle Stop fell close to, or in between, the Throttle "
               "Stops entered for Run 1 and Run 2.  This could be accomplished if you made bigger changes in the "
               "Throttle Stop settings between Run 1 and Run 2.",
           mb::OKOnly, "");
  }
  out_.labels = PredictionOutcome::Labels::Set;
  out_.label2 = Shown(predicted);
  out_.label9 = Format(TsAdjustFactor, "##.000");
}

PredictionOutcome Prediction::Run() {
  // Nothing may start another calculation while the prediction runs, also
  // between its passes.
  struct Hold {
    bool before = tbl.CalcRunning;
    Hold() { tbl.CalcRunning = true; }
    ~Hold() { tbl.CalcRunning = before; }
  } hold;
  // A Match's leftover status or a Cancel from an earlier run must not
  // steer these runs.
  tbl.CalcMode = static_cast<int16_t>(e_.mode);
  tbl.CalcStatus = 0;
  tbl.AbortCalc = 0;
  tbl.QuietCalc = 0;
  if (!CheckRequiredEntries() || !CheckThrottleStopEntries()) return out_;

  out_.passesRun = true;
  Ui().SetBusyCursor(true);
  bool go = true;
  if (oneRun_) tbl.CalcPass = 2;
  else go = RunFirstPass();
  if (go && RunPass(2, etcP_, tP_)) {
    tbl.CalcPass = 3;
    if (ts_) FinishThrottleStop();
    else FinishDialIn();
  }
  Ui().SetBusyCursor(false);
  Windows().UnloadProgress();
  return out_;
}

}  // namespace

bool IsDialInPickRow(int row) { return row == 5 || row == 14 || row == 15 || row == 18 || row == 25; }

std::string DialInModeName(int mode) { return mode == 2 ? "Throttle Stop" : "Dial In"; }

CalculatedRun CalculateWithRunWeather(int calcPass) {
  tbl.CalcPass = static_cast<int16_t>(calcPass);
  double trapSpeed = 0, sixtyFoot = 0;
  CalculatePerformance(trapSpeed, tbl.FinishRow, sixtyFoot);
  const int row = tbl.FinishRow;
  if (tbl.StopAfterPrep == 1 || row < 1 || row >= kResultsRows) return {};
  return {true, Val(tbl.ResultsText[1][row]), sixtyFoot};
}

PredictionOutcome PredictFromEntries(const DialInEntries& entries, DialInAsked& asked, const DialInPass& pass) {
  return Prediction(entries, asked, pass).Run();
}

}  // namespace sw
