// The two searches that run the calculation again and again: Match, which
// adjusts a few specs pass by pass until the simulated run agrees with the
// racer's time slip, and Find Best, which steps the rear axle ratio or the
// converter capacity to find the quickest ET.
//
// No window here: boxes go through Ui(), the progress window through
// Windows(), and the result screen through a callback, so tests and the
// benchmarks run a whole search with a calculation of their own.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "simulation/tables.h"
#include "specs/row_rules.h"

namespace sw {

// The Match result screen, as the search fills it: rows 0..8 of the changed
// specs (name, new, old) and the performance figures by their label number.
struct MatchResultScreen {
  struct SpecRow {
    std::string name, newValue, oldValue;
    bool visible = true;
  };
  // Row 9 names a full power curve the search rewrote, row 10 is the peak
  // torque RPM.
  std::array<SpecRow, 11> specs;
  // Label4 0..19; only the figures' numbers are filled, and a figure's
  // palette colour tells how far it lies from the slip.
  std::array<std::string, 20> figures;
  std::array<int, 20> colour{};
  bool stallShown = true;  // Label4 2..4: only a converter has a stall speed
  std::string note;        // Label5
};

// Palette colours of the grades.
namespace grade {
inline constexpr int Black = 0;
inline constexpr int Blue = 1;
inline constexpr int Red = 4;
}  // namespace grade

// One calculation: speed (ft/s), FinishRow, 60 ft time, as CalculatePerformance.
using CalculationFn = std::function<void(double&, int&, double&)>;
// Shows the result screen modally and returns the answer (KeepMatchSpecs).
using ResultScreenFn = std::function<int(const MatchResultScreen&)>;

// The end of a Match, as Match() reports it.
namespace matchend {
inline constexpr int NotSaved = -100;  // the working copy could not be written: nothing ran
inline constexpr int ShiftCheck = 0;   // refused by the shift check, specs restored
inline constexpr int ZeroGear = 2;
inline constexpr int Kept = 3;
inline constexpr int Restored = 4;     // "Return to Old Specs", Cancel or a run that failed
}  // namespace matchend

// The end of a Find Best, as FindBest() reports it.
enum class FindBestEnd { NotStarted, Kept, Declined, NoFinish, Abandoned };

class SpecSearch {
 public:
  explicit SpecSearch(CalculationFn calculate = {}, ResultScreenFn resultScreen = {});

  // One step of either search; tbl.CalcStatus chooses which (-5 starts Find
  // Best, 5 a Find Best trial, 1 or -1 a Match pass, anything else starts
  // Match) and tells the caller whether to calculate again.
  void RunMatchOrFindBest(double& speed, int& finishRow, double& sixtyFoot, double& further, std::string& text);

  // Everything the Match window's OK does once its rows are stored: the
  // working copy, the loop of passes and calculations, then keep or restore.
  // Returns a matchend value; tbl.CalcStatus is 0 afterwards.
  int Match();

  // The main window's Find Best: the question, the trials and the offer.
  // tbl.FindBestTarget chooses the spec. tbl.CalcStatus is 0 afterwards.
  FindBestEnd FindBest();

  // --- what the searches worked out (shown by the tests)
  double EstimatedHp() const { return estHp_; }
  double EstimatedPeakRpm() const { return estPeakRpm_; }
  const std::string& EstimatedTraction() const { return estTraction_; }
  double TheoreticalRpm() const { return theoRpm_; }
  const std::string& AdjustmentLog() const { return log_; }
  // Every tolerance (per cent) the evaluation of the last pass tried.
  const std::vector<double>& TolerancesTried() const { return tried_; }
  const MatchResultScreen& ResultScreen() const { return screen_; }
  int Trials() const { return trials_; }
  double BestEt() const { return bestEt_; }
  std::string BestValue() const;

 private:
  // Match
  void MatchFirstCall();
  void MatchPass(double speed, int finishRow, double sixtyFoot, std::string& text);
  bool SharedChecks(double speed, int finishRow);
  void Errors(double speed, int finishRow, double sixtyFoot);
  bool PassTwoEstimates(int& tol, std::string& text);
  void EnginePeaks();
  bool StagePower(int tol, std::string& text);
  bool StageTraction(int tol, std::string& text);
  bool StageConverter(int tol, std::string& text);
  bool StageGearing(int tol, std::string& text);
  void MatchFinish(double sixtyFoot);
  void FillResultScreen(double sixtyFoot);
  // Peak HP, peak torque, peak HP RPM, peak torque RPM of the current curve.
  std::array<double, 4> CurvePeaks() const;
  void PeakRowsOfTheCurve();
  void Limit(std::string& spec, double lo, double hi, const char* format, const char* key, std::string& text);
  void RebuildCurve();
  bool EstimateCurve(double hpRpm, double hp, bool rewritePoints, double* torqueRpmOut = nullptr);
  double PowerFactorWithinLimits(double k, std::string& text);
  double HpWithinLimits(double hp) const;
  double RpmWithinLimits(double rpm) const;
  std::string MissNote(double sixtyFoot) const;
  void RestoreWorkingCopy(int16_t specsChangedBefore);

  // Find Best
  void FindBestFirstCall();
  void FindBestTrial(int finishRow, std::string& text);
  std::string& SteppedSpec();
  void FindBestEnds(std::string& text);
  FindBestEnd findEnd_ = FindBestEnd::NotStarted;

  CalculationFn calculate_;
  ResultScreenFn resultScreen_;

  // Search state, rebuilt on every first call.
  std::string log_;
  int stage_ = 1;  // 1 until the tolerance first reaches 1 %, then 2
  std::vector<double> tried_;
  double savedAxle_ = 0, savedConverter_ = 0;

  // Old values for the result screen.
  std::string oldTraction_, oldConverter_, oldMultiplication_, oldClutchMaterial_, oldType_, oldClutchForce_,
      oldGrowth_, oldTrack_, oldDisplacement_, oldDiameter_, oldTireType_;
  std::array<std::string, 6> oldShift_;  // Driving shift RPMs 1..5 as they were
  decltype(tbl.PowerCurveText) oldCurve_{};
  std::array<std::string, 6> oldEngine_;  // Engine rows 0..5 as they were
  // The Engine window's own limits of peak torque, peak HP and its RPM.
  std::optional<RowLimits> torqueLimits_, hpLimits_, hpRpmLimits_;
  double oldPeakHp_ = 0, oldPeakTq_ = 0, oldPeakRpm_ = 0, oldPeakTqRpm_ = 0;
  bool converter_ = false;
  int kind_ = 0;  // 0 peak HP only, 1 peak figures, 2 full curve

  // The slip and what the first call worked out from it.
  double slipRpm_ = 0, slipMph_ = 0, slipStall_ = 0, slip60_ = 0;
  int slipGear_ = 1;
  double slipGearRatio_ = 0;
  bool quarterMile_ = true;
  double estHp_ = 0, estPeakRpm_ = 0, theoRpm_ = 0, theoMph_ = 0;
  std::string estTraction_;
  double highest_ = 0, lowest_ = 100000;

  // The current engine curve.
  double peakHp_ = 0, peakRpm_ = 0, peakTq_ = 0, peakTqRpm_ = 0, topRpm_ = 0;
  int points_ = 0;

  // The pass: its errors and what the engine-peak stage found.
  double mphError_ = 0, sixtyError_ = 0, launchError_ = 0, rpmError_ = 0;
  double runMphError_ = 0;  // the run's own, which pass 2 may replace in mphError_
  double simMph_ = 0, simLaunch_ = 0, simRpm_ = 0, refRpm_ = 0, simGear_ = 0;
  bool engineFlag_ = false;
  double newPeakRpm_ = 0;
  std::string note_;
  MatchResultScreen screen_;

  // Find Best
  std::array<std::string, 101> trialValue_;
  double bestEt_ = 10000000;
  int bestTrial_ = 0, trials_ = 0;
};

// Texts of the searches' boxes that the tests and windows share.
extern const char* const kFindBestQuestion;
extern const char* const kFindBestTitle;
extern const char* const kCloseMatchNote;

}  // namespace sw
