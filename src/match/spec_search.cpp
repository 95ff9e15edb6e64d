#include "match/spec_search.h"

#include <algorithm>
#include <cmath>

#include "files/file_state.h"
#include "files/preset_list_file.h"
#include "files/vehicle_file.h"
#include "match/match_rules.h"
#include "match/match_state.h"
#include "match/search_support.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/calculate.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/traction.h"
#include "specs/row_rules.h"

namespace sw {

const char* const kFindBestTitle = "Look For Optimum Setting";
const char* const kFindBestQuestion =
    "The program will look for a setting which gives the quickest ET WITH THE CURRENT CONDITIONS.  For accurate "
    "results, be sure the current conditions are accurate BEFORE using this feature.  This especially includes the "
    "power curve and the shape of the power curve AFTER the HP peak, and available tire traction.";
const char* const kCloseMatchNote = "This is closest match obtained after 100 passes.  ";

using namespace search;

namespace {

const std::string kCR(1, CR);
const std::string kCR2 = kCR + kCR;

// The tolerances of the evaluation, per cent: the first stage starts each
// pass at 3 and tightens to 1, the second starts at 0.6 and tightens to 0.2.
constexpr double kTolerance[] = {3, 2, 1, 0.6, 0.2};
constexpr int kStageTwoStart = 3;
constexpr int kLastTolerance = 4;

constexpr int kMaxPasses = 100;

constexpr int kDragSlick = 4;

double Limited(double value, double size) { return std::clamp(value, -size, size); }
// At least `size` away from 0, on the value's own side.
double AtLeast(double value, double size) {
  if (std::fabs(value) >= size) return value;
  return value < 0 ? -size : size;
}
double Round100(double x) { return 100 * Int(x / 100 + 0.5); }
// a / b, or 0 where the quotient is no number.
double Ratio(double a, double b) {
  if (b == 0) return 0;
  double q = a / b;
  return std::isfinite(q) ? q : 0;
}
// Writes a value into a spec in its format; a value that is no finite
// number leaves the spec as it was.
bool Put(std::string& spec, double value, const char* format) {
  if (!std::isfinite(value)) return false;
  spec = Format(value, format);
  return true;
}

// A shown value that reads the same as before ("28" and "28.00").
bool SameShownValue(const std::string& a, const std::string& b) {
  if (IsNumeric(a) && IsNumeric(b)) return Val(a) == Val(b);
  return Trim(a) == Trim(b);
}

// The peak figures of the result screen: its line, the name, the Engine row
// that holds the figure and the formats of the new and the old value. A kept
// full curve's greyed rows take the very texts the screen shows.
struct PeakFigure {
  int line;
  const char* name;
  int row;
  const char* format;
  const char* oldFormat;
};
constexpr PeakFigure kPeakFigures[] = {{1, "Engine Pk HP", kEngHp, "#####.0", "#####.0"},
                                       {0, "Engine Pk Tq", kEngTorque, "#####.0", "#####.0"},
                                       {7, "Eng Pk HP RPM", kEngHpRpm, "#####0", "####0"},
                                       {10, "Eng Pk Tq RPM", kEngTorqueRpm, "#####0", "####0"}};

int Grade(double difference) {
  difference = std::fabs(difference);
  if (difference > 0.1) return grade::Red;
  if (difference > 0.03) return grade::Blue;
  return grade::Black;
}

}  // namespace

SpecSearch::SpecSearch(CalculationFn calculate, ResultScreenFn resultScreen)
    : calculate_(calculate ? std::move(calculate) : CalculationFn(CalculatePerformance)),
      resultScreen_(std::move(resultScreen)) {}

std::string SpecSearch::BestValue() const {
  if (bestTrial_ < 1 || bestTrial_ >= static_cast<int>(trialValue_.size())) return "";
  return trialValue_[static_cast<size_t>(bestTrial_)];
}

// ------------------------------------------------------------------ the step

void SpecSearch::RunMatchOrFindBest(double& speed, int& finishRow, double& sixtyFoot, double& further,
                                    std::string& text) {
  const int16_t status = tbl.CalcStatus;
  if (status == 5) {
    FindBestTrial(finishRow, text);
    return;
  }
  if (status == 1 || status == -1) {
    further = 1;
    MatchPass(speed, finishRow, sixtyFoot, text);
    return;
  }
  // A first call, of either search.
  tbl.AbortCalc = 0;
  log_.clear();
  tbl.CalcPass = 1;
  stage_ = 1;
  tried_.clear();
  savedAxle_ = Spec(kVehicle, kVhAxle);
  savedConverter_ = Spec(kTransmission, kTrCapacity);
  if (status == -5) {
    FindBestFirstCall();
    return;
  }
  MatchFirstCall();
}

// ------------------------------------------------------------------ Match

void SpecSearch::RebuildCurve() {
  double mid = 0, limit = 0;
  const double factor = 1;
  int points = points_;
  BuildEngineCurve(TheRunsCurve(), peakHp_, peakRpm_, peakTq_, peakTqRpm_, points, mid, factor, limit, topRpm_);
  points_ = points;
}

// An estimated curve from a peak-HP RPM and a peak HP; the full curve's
// points take it only when there was a curve to take. The search's own peak
// figures stay those of the current engine: of the estimate only its peak
// torque RPM comes back, in `torqueRpmOut`.
bool SpecSearch::EstimateCurve(double hpRpm, double hp, bool rewritePoints, double* torqueRpmOut) {
  double torque = 0, torqueRpm = 0, displacement = Spec(kEngine, kEngDisplacement);
  double outHp = 0, outRpm = 0, outTq = 0, outTqRpm = 0;
  int16_t mode = 0;
  int points = 0;
  EstimatePowerCurve(tbl.EngineCurve, hpRpm, hp, torque, torqueRpm, displacement, mode, outHp, outRpm, outTq, outTqRpm,
                     points);
  if (points == 0) return false;
  if (torqueRpmOut) *torqueRpmOut = torqueRpm;
  if (rewritePoints) {
    for (int i = 0; i < 8; ++i) {
      const double rpm = tbl.EngineCurve[0][i + 1], tq = tbl.EngineCurve[1][i + 1];
      auto& point = tbl.PowerCurveText[static_cast<size_t>(i)];
      point[0] = TrimmedNumber(rpm);
      point[1] = Format(tq, "####.0");
      point[2] = Format(tq * rpm / 5252, "#####.0");
    }
    for (int i = 8; i < 10; ++i)
      for (int j = 0; j < 3; ++j) tbl.PowerCurveText[static_cast<size_t>(i)][static_cast<size_t>(j)].clear();
  }
  return true;
}

void SpecSearch::MatchFirstCall() {
  tbl.CalcStatus = 1;
  oldTraction_ = SpecAt(kTires, kTiTraction);
  oldConverter_ = SpecAt(kTransmission, kTrCapacity);
  oldMultiplication_ = SpecAt(kTransmission, kTrMultiplication);
  oldClutchMaterial_ = SpecAt(kTransmission, kTrClutchMaterial);
  oldType_ = SpecAt(kTransmission, kTrType);
  oldClutchForce_ = SpecAt(kTransmission, kTrClutchForce);
  oldGrowth_ = SpecAt(kTires, kTiGrowth);
  oldTrack_ = SpecAt(kConditions, kCoTrack);
  oldDisplacement_ = SpecAt(kEngine, kEngDisplacement);
  oldDiameter_ = SpecAt(kTires, kTiDiameter);
  oldTireType_ = SpecAt(kTires, kTiType);
  for (int i = 1; i <= 5; ++i) oldShift_[static_cast<size_t>(i)] = SpecAt(kDriving, kDrShiftMethod + i);
  oldCurve_ = tbl.PowerCurveText;
  for (size_t k = 0; k < oldEngine_.size(); ++k) oldEngine_[k] = SpecAt(kEngine, static_cast<int>(k));
  const RowFileContents engineRows = ReadRowFile(kEngine, kEngHpRpm + 1);
  torqueLimits_ = engineRows.rows[kEngTorque].limits;
  hpLimits_ = engineRows.rows[kEngHp].limits;
  hpRpmLimits_ = engineRows.rows[kEngHpRpm].limits;

  const double type = Spec(kTransmission, kTrType);
  converter_ = !(type == 0 || type == 1 || (type == 5 && Spec(kTransmission, kTrExample2) == 1));
  const double method = Spec(kEngine, kEngMethod), stored = Spec(kEngine, kEngStored);
  if (method == 0 || (method == 4 && stored == 0)) kind_ = 0;
  else if (method == 1 || (method == 4 && stored == 1)) kind_ = 1;
  else kind_ = 2;
  RebuildCurve();
  oldPeakHp_ = peakHp_;
  oldPeakTq_ = peakTq_;
  oldPeakRpm_ = peakRpm_;
  oldPeakTqRpm_ = peakTqRpm_;

  // The slip.
  const double distance = Spec(kMatch, 0);
  quarterMile_ = distance <= 0;  // no choice counts as a quarter mile
  slipStall_ = Spec(kMatch, 1);
  slip60_ = Spec(kMatch, 2);
  slipMph_ = Spec(kMatch, 3);
  slipRpm_ = Spec(kMatch, 4);
  slipGear_ = std::clamp(static_cast<int>(Spec(kMatch, 5)) + 1, 1, 6);

  // A gear without a ratio: nothing can be worked out.
  for (int g = 1; g <= slipGear_; ++g) {
    if (Spec(kTransmission, kTrGear0 + g) == 0) {
      MsgBox(" Trans gear" + Str(g) + "'s ratio is 0.  The 'Match Vehicle Performance' process can not be done until you:" +
                 kCR2 + "  -  Change the Transmission Gear Ratios" + kCR2 + "  -  Change the 'Finish Trans Gear #'",
             mb::OKOnly, "");
      tbl.CalcStatus = 2;
      return;
    }
  }
  slipGearRatio_ = Spec(kTransmission, kTrGear0 + slipGear_);

  // What the gearing makes of the slip's RPM and MPH.
  const double axle = Spec(kVehicle, kVhAxle), diameter = Spec(kTires, kTiDiameter);
  const double overall = axle * slipGearRatio_;
  theoMph_ = Ratio(slipRpm_, overall) * 2 * 3.1416 * (diameter / 2) / 12 / 5280 * 60;
  theoRpm_ = Ratio(slipMph_ * overall / 2 / 3.1416, diameter / 2) * 12 * 5280 / 60;
  if (converter_) theoRpm_ *= 1.07;

  // The shift RPMs the car runs through before the finish gear.
  highest_ = 0;
  lowest_ = 100000;
  const bool computerShifts = Spec(kDriving, kDrShiftMethod) == 0 || tbl.BeginnerLevel == 1;
  if (slipGear_ > 1 && !computerShifts) {
    for (int i = 1; i < slipGear_; ++i) {
      const double s = Spec(kDriving, kDrShiftMethod + i);
      highest_ = std::max(highest_, s);
      lowest_ = std::min(lowest_, s);
    }
  }

  RebuildCurve();
  highest_ = std::max(highest_, slipRpm_);

  // Where the HP peak has to lie for the engine to pull to that RPM.
  estPeakRpm_ = 0;
  if (highest_ != 0) {
    if (highest_ > topRpm_) estPeakRpm_ = peakRpm_ + (highest_ - topRpm_) + 300;
    else if (highest_ < 0.95 * peakRpm_) estPeakRpm_ = 0.95 * highest_;
  } else {
    estPeakRpm_ = 0.95 * theoRpm_;
    highest_ = theoRpm_;
  }
  estPeakRpm_ = Round100(RpmWithinLimits(estPeakRpm_));

  // The trap speed tells the power.
  double equivalentMph = slipMph_ * (quarterMile_ ? 1 : 1.25);
  if (equivalentMph < 0) equivalentMph = 0;
  estHp_ = Spec(kVehicle, kVhWeight) * std::pow(equivalentMph / 225, 3.125);
  if (!std::isfinite(estHp_)) estHp_ = 0;

  // The car stays in the finish gear.
  for (int i = slipGear_; i <= 5; ++i) SpecAt(kDriving, kDrShiftMethod + i) = "0";

  if (converter_ && slipGear_ > 1 && lowest_ < 1.05 * slipStall_) {
    if (lowest_ == 0) {
      MsgBox("One or more shift RPMs is set to 0 in the Driving Specs menu.  Either:" + kCR2 +
                 "  -  Set these Shift RPMs in Driving Specs" + kCR2 + "  -  Specify Computer Shift RPMs in Driving Specs",
             mb::OKOnly, "");
    } else {
      MsgBox("Your Actual 'Stall RPM at Launch' (" + TrimmedNumber(slipStall_) +
                 ") is too high for the Shift RPMs specified in the Driving Specs menu (lowest RPM being " +
                 TrimmedNumber(lowest_) + ").  Either:" + kCR2 + "  -  Reduce Stall RPM at Launch" + kCR2 +
                 "  -  Increase Shift RPMs in Driving Specs" + kCR2 + "  -  Specify Computer Shift RPMs in Driving Specs",
             mb::OKOnly, "");
    }
    tbl.CalcStatus = 0;
    return;
  }

  // The 60 ft time tells the grip.
  const double t = equivalentMph > 0 ? 0.234 + 152 / equivalentMph : 0;
  double g = t > 0 ? 0.75 * (2 * 60 / (t * t)) / 32.2 : 0;
  g *= slip60_ > 0 ? std::sqrt(t / slip60_) : 0;
  int16_t code = 0;
  double tread = 0, load = 0, rolling = 0;
  const bool faultBefore = RunFaultPending();
  VehicleLoadSpecs(code, tread, load, estHp_, rolling);
  if (!faultBefore) ClearRunFault();
  double coefficient = Ratio(g, load);
  coefficient = std::clamp(coefficient, 0.4, 1.0);
  estTraction_ = Format(coefficient * 100, "###.00");

  SpecAt(kConditions, kCoTrack) = quarterMile_ ? "0" : "1";
  if (tbl.CalcStatus != 1 && tbl.CalcStatus != -1) tbl.CalcStatus = 1;
}

bool SpecSearch::SharedChecks(double speed, int finishRow) {
  if (finishRow == -5 || finishRow < 6 || tbl.AbortCalc == 1 || tbl.StopAfterPrep == 1) {
    EndOfSearchDisplay();
    // A run that finished in too few rows gives no reason of its own: the
    // racer is told why nothing was matched.
    if (finishRow >= 1 && tbl.AbortCalc != 1 && tbl.StopAfterPrep != 1) {
      const double et = Val(tbl.ResultsText[1][static_cast<size_t>(finishRow)]);
      const double mph = speed != 0 ? speed / 1.467 : Val(tbl.ResultsText[2][static_cast<size_t>(finishRow)]);
      MsgBox(TooFewRowsMessage(finishRow, et, mph), mb::OKOnly + mb::Exclamation, kTooFewRowsTitle);
    }
    tbl.CalcStatus = 4;
    return false;
  }
  return true;
}

void SpecSearch::Errors(double speed, int finishRow, double sixtyFoot) {
  const auto cell = [&](int col, int row) { return Val(tbl.ResultsText[static_cast<size_t>(col)][static_cast<size_t>(row)]); };
  simMph_ = speed != 0 ? speed / 1.467 : cell(2, finishRow);
  simLaunch_ = cell(6, 1);
  simRpm_ = cell(6, finishRow);
  simGear_ = cell(0, finishRow);
  refRpm_ = converter_ ? simRpm_ : cell(5, finishRow);
  mphError_ = runMphError_ = Ratio(simMph_ - slipMph_, simMph_);
  sixtyError_ = Ratio(sixtyFoot - slip60_, sixtyFoot);
  launchError_ = Ratio(simLaunch_ - slipStall_, simLaunch_);
  rpmError_ = 0;
  const int runGear = static_cast<int>(simGear_);
  const double runRatio = runGear >= 1 && runGear <= 6 ? Spec(kTransmission, kTrGear0 + runGear) : 0;
  const double r = Ratio(slipGearRatio_, runRatio);
  const double simPerMph = Ratio(refRpm_ * r, simMph_);
  if (slipRpm_ != 0 && slipMph_ != 0 && simPerMph != 0) rpmError_ = 1 - (slipRpm_ / slipMph_) / simPerMph;
  if (!std::isfinite(rpmError_)) rpmError_ = 0;
}

void SpecSearch::Limit(std::string& spec, double lo, double hi, const char* format, const char* key,
                       std::string& text) {
  const double v = Val(spec);
  const char* side = nullptr;
  if (v > hi) {
    spec = Format(hi, format);
    side = "Max";
  } else if (v < lo) {
    spec = Format(lo, format);
    side = "Min";
  }
  if (!side) return;
  text = side;
  if (InStr(log_, key) == 0) log_ += std::string(side) + key + " ";
}

bool SpecSearch::PassTwoEstimates(int& tol, std::string& text) {
  bool estimated = false;
  if (slipRpm_ != 0) {
    std::string& diameter = SpecAt(kTires, kTiDiameter);
    if (Put(diameter, Val(diameter) * (1 + rpmError_), "###.00")) Limit(diameter, 6, 60, "###.00", "diam", text);
    estimated = true;
  }
  if (sixtyError_ > 0.2) {
    std::string& traction = SpecAt(kTires, kTiTraction);
    traction = estTraction_;
    Limit(traction, 40, 110, "###.00", "trac", text);
    estimated = true;
  }
  if (estPeakRpm_ != 0) {
    if (kind_ == 0) {
      Put(SpecAt(kEngine, kEngHpRpm), estPeakRpm_, "###00");
    } else if (double torqueRpm = 0; EstimateCurve(estPeakRpm_, HpWithinLimits(estHp_), kind_ == 2, &torqueRpm)) {
      Put(SpecAt(kEngine, kEngHpRpm), estPeakRpm_, "###00");
      Put(SpecAt(kEngine, kEngTorqueRpm), torqueRpm, "###00");
    }
    estimated = true;
  }
  if (std::fabs(mphError_) > 0.1) {
    // The power the trap speed asks for; the pass goes on to the evaluation
    // with it in place of the run's own MPH error.
    mphError_ = Ratio(peakHp_ - estHp_, peakHp_);
    peakHp_ = estHp_;
    tol = 2;  // 1 %
    return false;
  }
  return estimated;
}

void SpecSearch::EnginePeaks() {
  RebuildCurve();
  engineFlag_ = false;
  newPeakRpm_ = peakRpm_;
  const double one = 1, unused = 0, noCeiling = 0;
  const int16_t off = 0, clutchLaunch = 0;
  int16_t limiter = 0;
  double hp = 0;
  auto torqueAt = [&](double rpm) {
    double torque = 0;
    EngineTorqueAt(tbl.EngineCurve, torque, rpm, one, points_, unused, unused, unused, off, clutchLaunch, unused,
                   limiter, noCeiling, hp, off);
    return torque;
  };
  if (highest_ != 0 && torqueAt(highest_) < 0.9 * torqueAt(peakRpm_)) {
    newPeakRpm_ = highest_ > peakRpm_ ? peakRpm_ + 0.3 * (highest_ - peakRpm_) : 0.95 * highest_;
    engineFlag_ = true;
  }
  if (highest_ == 0 && refRpm_ > topRpm_) {
    newPeakRpm_ = peakRpm_ + (refRpm_ - topRpm_) + 300;
    engineFlag_ = true;
  }
  const double rpmAtSlipMph = Ratio(simRpm_ * slipMph_, simMph_);
  if (rpmAtSlipMph > 0.95 * (topRpm_ + 300)) {
    newPeakRpm_ = peakRpm_ + 1.05 * rpmAtSlipMph - (topRpm_ + 300);
    engineFlag_ = true;
  }
}

// The power factor, held so that no peak figure it scales leaves the Engine
// row's limits; a limit reached leaves its "powr" marker.
double SpecSearch::PowerFactorWithinLimits(double k, std::string& text) {
  const char* side = nullptr;
  auto hold = [&](double value, const std::optional<RowLimits>& limits) {
    if (!limits || !(value > 0)) return;
    const double most = limits->maximum / value, least = limits->minimum / value;
    if (k > most) k = most, side = "Max";
    if (k < least) k = least, side = "Min";
  };
  if (kind_ == 0) {
    hold(Spec(kEngine, kEngHp), hpLimits_);
  } else if (kind_ == 1) {
    hold(Spec(kEngine, kEngTorque), torqueLimits_);
    hold(Spec(kEngine, kEngHp), hpLimits_);
  } else {
    hold(peakHp_, hpLimits_);
  }
  if (side) {
    text = side;
    if (InStr(log_, "powr") == 0) log_ += std::string(side) + "powr ";
  }
  return k;
}

// A peak HP the Engine window would take.
double SpecSearch::HpWithinLimits(double hp) const {
  if (!hpLimits_) return hp;
  return std::clamp(hp, static_cast<double>(hpLimits_->minimum), static_cast<double>(hpLimits_->maximum));
}

// A peak-HP RPM the Engine window would take.
double SpecSearch::RpmWithinLimits(double rpm) const {
  if (!hpRpmLimits_ || rpm == 0) return rpm;
  return std::clamp(rpm, static_cast<double>(hpRpmLimits_->minimum), static_cast<double>(hpRpmLimits_->maximum));
}

bool SpecSearch::StagePower(int tol, std::string& text) {
  const double tolerance = kTolerance[tol];
  if (!engineFlag_ && !(std::fabs(mphError_) > 0.01 * tolerance)) return false;
  const double error = Limited(mphError_, 0.1);
  const bool scaled = kind_ == 0 || !engineFlag_;
  const double k = scaled ? PowerFactorWithinLimits(1 - std::max(tolerance, 1.0) * error, text) : 1;
  const double newPeakRpm = RpmWithinLimits(newPeakRpm_);
  const double newRpm = Round100(newPeakRpm);
  const auto specsBefore = tbl.SpecText;
  const auto curveBefore = tbl.PowerCurveText;
  if (kind_ == 0) {
    if (engineFlag_) Put(SpecAt(kEngine, kEngHpRpm), newRpm, "#####");
    std::string& hp = SpecAt(kEngine, kEngHp);
    Put(hp, Val(hp) * k, "#####.0");
  } else if (engineFlag_) {
    if (kind_ == 1) {
      Put(SpecAt(kEngine, kEngHpRpm), newRpm, "#####");
    } else {
      EstimateCurve(newPeakRpm, peakHp_, true);
    }
  } else if (kind_ == 1) {
    for (int k2 : {kEngTorque, kEngHp}) {
      std::string& s = SpecAt(kEngine, k2);
      Put(s, Val(s) * k, "#####.0");
    }
  } else {
    peakHp_ *= k;
    EstimateCurve(peakRpm_, peakHp_, true);
  }
  // An engine held at its limits has nothing left to give: the stage does
  // not act.
  if (tbl.SpecText == specsBefore && tbl.PowerCurveText == curveBefore) return false;
  if (converter_) {
    std::string& capacity = SpecAt(kTransmission, kTrCapacity);
    if (Put(capacity, Val(capacity) * (1 + 0.5 * error), "####.0")) Limit(capacity, 80, 600, "####.0", "conv", text);
  }
  return true;
}

bool SpecSearch::StageTraction(int tol, std::string& text) {
  const double tolerance = kTolerance[tol];
  std::string& type = SpecAt(kTires, kTiType);
  std::string& traction = SpecAt(kTires, kTiTraction);
  const double tireType = Val(type);
  const bool maxMarker = InStr(log_, "Maxtrac") != 0;
  if (!(std::fabs(sixtyError_) > 0.01 * tolerance)) return false;

  if (InStr(log_, "trac") != 0) {
    // At a limit of the factor the tire itself changes: stickier when more
    // grip is needed, harder when less is.
    const bool moreGrip = sixtyError_ > 0;
    const std::string marker = maxMarker ? "Maxtrac " : "Mintrac ";
    if (maxMarker == moreGrip) {
      double newType = tireType;
      if (maxMarker && tireType < kDragSlick) newType = tireType + 1;
      if (!maxMarker && tireType > 0) newType = tireType - 1;
      if (newType == tireType) return false;  // no harder or stickier tire to go to
      type = Str(newType);
      if (maxMarker && newType == kDragSlick) traction = Format(80, "###.00");
      if (!maxMarker && newType == 3) traction = Format(95, "###.00");
      log_.erase(static_cast<size_t>(InStr(log_, marker) - 1), marker.size());
      return true;
    }
    log_.erase(static_cast<size_t>(InStr(log_, marker) - 1), marker.size());
  }
  const double error = Limited(sixtyError_, 0.05);
  const double change = AtLeast(0.5 * Val(traction) * error, 0.5 * tolerance);
  if (Put(traction, Val(traction) + change, "###.00")) Limit(traction, 40, 110, "###.00", "trac", text);
  return true;
}

bool SpecSearch::StageConverter(int tol, std::string& text) {
  if (!converter_ || InStr(log_, "conv") != 0) return false;
  if (!(std::fabs(launchError_) > 0.01 * kTolerance[tol])) return false;
  const double error = Limited(launchError_, 0.1);
  std::string& capacity = SpecAt(kTransmission, kTrCapacity);
  if (Put(capacity, Val(capacity) * (1 - 0.5 * error), "###.0")) Limit(capacity, 80, 600, "###.0", "conv", text);
  return true;
}

bool SpecSearch::StageGearing(int tol, std::string& text) {
  if (slipRpm_ == 0) return false;
  const double size = std::fabs(rpmError_);
  if (!(size > 0.02 * kTolerance[tol] && size > 0.02)) return false;
  const double error = AtLeast(Limited(rpmError_, 0.1), 0.01);
  if (Spec(kTires, kTiType) == kDragSlick && InStr(log_, "grow") == 0) {
    std::string& growth = SpecAt(kTires, kTiGrowth);
    if (Put(growth, Val(growth) + 20 * error, "###.00")) Limit(growth, 0, 30, "###.00", "grow", text);
    return true;
  }
  if (InStr(log_, "diam") != 0) return false;
  std::string& diameter = SpecAt(kTires, kTiDiameter);
  if (Put(diameter, Val(diameter) * (1 + error), "###.00")) Limit(diameter, 6, 60, "###.00", "diam", text);
  return true;
}

void SpecSearch::MatchPass(double speed, int finishRow, double sixtyFoot, std::string& text) {
  if (!SharedChecks(speed, finishRow)) return;
  ++tbl.CalcPass;
  Errors(speed, finishRow, sixtyFoot);
  tried_.clear();
  const double et = Val(tbl.ResultsText[1][static_cast<size_t>(finishRow)]);
  if (et > 100) {
    MsgBox("Program having a hard time coming up with a combination to match this Actual Vehicle Performance." + kCR2 +
               "Check your Vehicle Performance Specs and be sure all other specs are reasonable.  Do this by "
               "Calculating Performance and see that there are no problems." +
               kCR2 +
               "The Match Vehicle Performance feature can not work if the vehicle you start with is totally different "
               "than the vehicle which produced the performance you are trying to match.  For example, it can not "
               "adjust a stock Cadilac's specs to make it run a 6 second ET.",
           mb::OKOnly, "");
    tbl.AbortCalc = 1;  // the next call abandons
    tbl.CalcStatus = 1;
    return;
  }

  int tol = stage_ == 1 ? 0 : kStageTwoStart;
  if (tbl.CalcPass == 2 && PassTwoEstimates(tol, text)) {
    tbl.CalcStatus = 1;
    return;
  }
  if (tbl.CalcPass > kMaxPasses) {
    MatchFinish(sixtyFoot);
    return;
  }

  EnginePeaks();
  // Markers of a converter at a limit go when the launch asks the other way.
  if (InStr(log_, "conv") != 0) {
    const std::string gone = launchError_ < 0 ? "Minconv " : launchError_ > 0 ? "Maxconv " : "";
    const long at = gone.empty() ? 0 : InStr(log_, gone);
    if (at != 0) log_.erase(static_cast<size_t>(at - 1), gone.size());
  }
  // And those of the power when the run asks the other way.
  if (InStr(log_, "powr") != 0) {
    const std::string gone = mphError_ > 0 ? "Maxpowr " : mphError_ < 0 ? "Minpowr " : "";
    const long at = gone.empty() ? 0 : InStr(log_, gone);
    if (at != 0) log_.erase(static_cast<size_t>(at - 1), gone.size());
  }

  for (;;) {
    tried_.push_back(kTolerance[tol]);
    const auto specsBefore = tbl.SpecText;
    const auto curveBefore = tbl.PowerCurveText;
    const std::string logBefore = log_;
    const auto changed = [&] {
      return tbl.SpecText != specsBefore || tbl.PowerCurveText != curveBefore || log_ != logBefore;
    };
    // The first stage that changes something ends the pass; a stage that
    // finds nothing left to change does not.
    if ((StagePower(tol, text) && changed()) || (StageTraction(tol, text) && changed()) ||
        (StageConverter(tol, text) && changed()) || (StageGearing(tol, text) && changed()))
      break;
    // Nothing left to change at this tolerance: a tighter one.
    if (tol < 2) {
      ++tol;
    } else if (tol == 2 && stage_ == 1) {
      stage_ = 2;
      tol = kStageTwoStart;
    } else if (tol == kStageTwoStart) {
      tol = kLastTolerance;
    } else {
      MatchFinish(sixtyFoot);
      return;
    }
  }
  if (tbl.CalcStatus != 1 && tbl.CalcStatus != -1) tbl.CalcStatus = 1;
}

void SpecSearch::MatchFinish(double sixtyFoot) {
  RebuildCurve();
  PeakRowsOfTheCurve();
  note_ = tbl.CalcPass > kMaxPasses ? kCloseMatchNote : "";
  FillResultScreen(sixtyFoot);
  EndOfSearchDisplay();
  KeepMatchSpecs = 0;
  const int answer = resultScreen_ ? resultScreen_(screen_) : 0;
  KeepMatchSpecs = static_cast<int16_t>(answer);
  tbl.CalcStatus = answer == 0 ? 4 : 3;
}

void SpecSearch::FillResultScreen(double sixtyFoot) {
  MatchResultScreen& s = screen_;
  s = MatchResultScreen{};
  auto row = [&](int i, const std::string& name, const std::string& newValue, const std::string& oldValue) {
    auto& r = s.specs[static_cast<size_t>(i)];
    r.name = name;
    r.newValue = newValue;
    r.oldValue = oldValue;
  };
  auto figure = [&](int i, const std::string& text) { s.figures[static_cast<size_t>(i)] = text; };
  auto graded = [&](int i, double sim, double slip) {
    if (slip != 0) s.colour[static_cast<size_t>(i)] = Grade(sim / slip - 1);
  };

  if (converter_) {
    s.stallShown = true;
    row(2, "Converter Capacity", SpecAt(kTransmission, kTrCapacity), oldConverter_);
    row(3, "Torque Multiplication", SpecAt(kTransmission, kTrMultiplication), oldMultiplication_);
    figure(3, Format(slipStall_, "#####"));
    figure(4, Format(simLaunch_, "#####"));
    graded(4, simLaunch_, slipStall_);
  } else {
    s.stallShown = false;
    s.specs[3].visible = false;
    const double oldType = Val(oldType_);
    const std::string old = oldType == 1 ? "User Specs" : oldType == 5 ? "Example" : "Estimate";
    row(2, "Clutch Specs", tbl.CalcStatus == -1 ? "Estimate" : old, old);
  }
  const char* sixtyFormat = tbl.FinerTime == 1 ? "####.000" : "####.00";
  figure(6, Format(slip60_, sixtyFormat));
  figure(7, Format(sixtyFoot, sixtyFormat));
  graded(7, sixtyFoot, slip60_);
  figure(9, Format(slipMph_, "####.0"));
  figure(10, Format(simMph_, "####.0"));
  graded(10, simMph_, slipMph_);
  figure(12, slipRpm_ != 0 ? Format(slipRpm_, "######") : "");
  figure(13, Format(simRpm_, "######"));
  graded(13, simRpm_, slipRpm_);
  figure(17, Format(slipGear_, "#"));
  figure(18, Format(simGear_, "#"));
  s.colour[18] = Grade(simGear_ - slipGear_);
  if (std::fabs(simGear_ - slipGear_) > 0.1)
    note_ += "RPM would be within " + Format(std::fabs(rpmError_) * 100, "##0") + "% if run finished in Gear " +
             Format(slipGear_, "#") + ".";

  row(4, Spec(kVehicle, kVhDriveWheels) == 1 ? "Front Tire Diameter" : "Rear Tire Diameter",
      SpecAt(kTires, kTiDiameter), oldDiameter_);
  row(5, "Tire Traction Factor", SpecAt(kTires, kTiTraction), oldTraction_);
  // The tire types named as the Wheels & Tires window's list names them.
  ComboLineTable types;
  int lastType = -1;
  ReadComboData(types, kTires, kTiType, lastType);
  auto tireType = [&](const std::string& stored) {
    const double type = Int(Val(stored));
    return type >= 0 && type <= lastType ? types[static_cast<size_t>(type)] : Trim(stored);
  };
  row(8, "Tire Construction Type", tireType(SpecAt(kTires, kTiType)), tireType(oldTireType_));
  row(6, "Tire Growth", SpecAt(kTires, kTiGrowth), oldGrowth_);
  s.specs[6].visible = Spec(kTires, kTiType) == kDragSlick || Val(oldTireType_) == kDragSlick;

  // The peaks as "Keep These New Specs" stores them: the Engine rows that
  // describe this engine, the curve's own peaks where no row does (a full
  // curve's, which its greyed rows follow).
  const std::string curve = kind_ == 2 ? " (full curve)" : "";
  const auto now = CurvePeaks(), before = std::array{oldPeakHp_, oldPeakTq_, oldPeakRpm_, oldPeakTqRpm_};
  for (size_t i = 0; i < std::size(kPeakFigures); ++i) {
    const PeakFigure& p = kPeakFigures[i];
    const bool stored = kind_ == 1 || (kind_ == 0 && (p.row == kEngHp || p.row == kEngHpRpm));
    const double was = stored ? Val(oldEngine_[static_cast<size_t>(p.row)]) : before[i];
    row(p.line, p.name + curve, Format(stored ? Spec(kEngine, p.row) : now[i], p.format), Format(was, p.oldFormat));
  }

  // Only what changed is listed; a dyno sheet the search rewrote says how.
  for (auto& r : s.specs)
    if (SameShownValue(r.newValue, r.oldValue)) r.visible = false;
  row(9, "Power Curve (" + std::to_string(PowerCurvePointCount(oldCurve_)) + " points)",
      PowerCurveReplaced(tbl.PowerCurveText), "");
  s.specs[9].visible = kind_ == 2 && tbl.PowerCurveText != oldCurve_;

  const std::string miss = MissNote(sixtyFoot);
  if (!miss.empty() && !note_.empty() && note_.back() != ' ') note_ += "  ";
  s.note = note_ += miss;
}

std::array<double, 4> SpecSearch::CurvePeaks() const { return {peakHp_, peakTq_, peakRpm_, peakTqRpm_}; }

// A full curve the search touched leaves its greyed peak rows as the screen
// shows the curve's peaks: switched to peak figures later, the engine runs
// the HP with its RPM, the torque with its RPM, that the racer was shown.
void SpecSearch::PeakRowsOfTheCurve() {
  if (kind_ != 2) return;
  bool touched = tbl.PowerCurveText != oldCurve_;
  for (const PeakFigure& p : kPeakFigures)
    touched = touched || SpecAt(kEngine, p.row) != oldEngine_[static_cast<size_t>(p.row)];
  if (!touched) return;
  const auto now = CurvePeaks();
  for (size_t i = 0; i < std::size(kPeakFigures); ++i)
    SpecAt(kEngine, kPeakFigures[i].row) = Format(now[i], kPeakFigures[i].format);
}

// What the final run still misses of the slip by more than the last
// tolerance (the RPM by more than the gearing's own 2 %): "" for a match.
std::string SpecSearch::MissNote(double sixtyFoot) const {
  const double tolerance = 0.01 * kTolerance[kLastTolerance];
  std::vector<std::string> misses;
  auto off = [&](const char* figure, double error, double sim, double slip, double size) {
    if (std::fabs(error) > size && slip != 0)
      misses.push_back(std::string(figure) + " is " + Format(std::fabs(sim / slip - 1) * 100, "##0.0") + " %");
  };
  off("MPH", runMphError_, simMph_, slipMph_, tolerance);
  off("60 ft", sixtyError_, sixtyFoot, slip60_, tolerance);
  // The RPM error is the run's RPM per MPH against the slip's, on the run's
  // base; the note measures it on the slip's, as it does MPH and 60 ft.
  if (slipRpm_ != 0 && std::fabs(simGear_ - slipGear_) <= 0.1)
    off("RPM", rpmError_, Ratio(1, 1 - rpmError_), 1, 0.02);
  if (misses.empty()) return "";
  std::string list = misses[0];
  for (size_t i = 1; i < misses.size(); ++i) list += (i + 1 == misses.size() ? " and " : ", ") + misses[i];
  return "Not a match: " + list + " off the time slip.  ";
}

// ------------------------------------------------------------------ Match, whole

void SpecSearch::RestoreWorkingCopy(int16_t specsChangedBefore) {
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  OpenVehicleFile(FormId::frmMain, openmode::WorkingCopy);
  fst.SpecsChanged = specsChangedBefore;
}

int SpecSearch::Match() {
  const int16_t specsChangedBefore = fst.SpecsChanged;
  const auto specsBefore = tbl.SpecText;
  const auto curveBefore = tbl.PowerCurveText;
  fst.FileOperation = savemode::WorkingCopy;
  if (!SaveVehicleFile(FormId::frmMatch)) return matchend::NotSaved;

  HoldCalculation hold;
  CalculationsOfOneSearch calculate(calculate_);
  tbl.CalcMode = 0;
  tbl.QuietCalc = 0;
  tbl.CalcStatus = 0;
  double speed = 0, sixtyFoot = 0, further = 0;
  std::string text;
  RunMatchOrFindBest(speed, tbl.FinishRow, sixtyFoot, further, text);
  while (tbl.CalcStatus == 1 || tbl.CalcStatus == -1) {
    calculate(speed, tbl.FinishRow, sixtyFoot);
    RunMatchOrFindBest(speed, tbl.FinishRow, sixtyFoot, further, text);
  }
  EndOfSearchDisplay();

  const int end = tbl.CalcStatus;
  if (end == matchend::Kept) {
    // The shift RPMs held at 0 for the search are not among the new specs.
    for (int i = slipGear_; i <= 5; ++i) SpecAt(kDriving, kDrShiftMethod + i) = oldShift_[static_cast<size_t>(i)];
    DropExampleLinksOfChangedRows(specsBefore, curveBefore);
    fst.SpecsChanged = 1;
  } else if (end == matchend::ShiftCheck || end == matchend::Restored) {
    RestoreWorkingCopy(specsChangedBefore);
    if (fst.FileReadFailed != 0) {
      // The copy could not be read back: the specs from memory instead.
      tbl.SpecText = specsBefore;
      tbl.PowerCurveText = curveBefore;
      fst.FileReadFailed = 0;
    }
  }
  tbl.CalcStatus = 0;
  return end;
}

}  // namespace sw
