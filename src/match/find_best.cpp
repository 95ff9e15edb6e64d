// Find Best: the rear axle ratio from 2 in steps of 0.1, or the converter
// capacity from 50 in steps of 5, one calculation each, until the ET has
// clearly passed its best; then the racer may keep the quickest setting.
#include <cmath>

#include "files/file_state.h"
#include "match/search_support.h"
#include "match/spec_search.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"

namespace sw {

namespace {

constexpr int kMaxTrials = 100;
constexpr double kNoFinishEt = 10000;  // a trial that never reached the finish
constexpr double kStartEt = 10000000;

bool ConverterTarget() { return tbl.FindBestTarget == 1; }
const char* TargetName() { return ConverterTarget() ? "Converter Capacity" : "Rear Axle Ratio"; }

}  // namespace

std::string& SpecSearch::SteppedSpec() {
  return ConverterTarget() ? SpecAt(kTransmission, search::kTrCapacity) : SpecAt(kVehicle, search::kVhAxle);
}

void SpecSearch::FindBestFirstCall() {
  trialValue_.fill("");
  bestEt_ = kStartEt;
  bestTrial_ = 0;
  trials_ = 0;
  findEnd_ = FindBestEnd::NotStarted;
  SteppedSpec() = ConverterTarget() ? "50" : "2";
  tbl.CalcStatus = 5;
}

void SpecSearch::FindBestTrial(int finishRow, std::string& text) {
  const bool noFinish = finishRow == -1 || finishRow == 0;
  const double saved = ConverterTarget() ? savedConverter_ : savedAxle_;
  if (tbl.AbortCalc == 1 || tbl.StopAfterPrep == 1 || (!noFinish && (finishRow == -5 || finishRow < 6))) {
    search::EndOfSearchDisplay();
    SteppedSpec() = search::TrimmedNumber(saved);
    tbl.CalcStatus = 4;
    findEnd_ = FindBestEnd::Abandoned;
    return;
  }
  ++tbl.CalcPass;
  const int trial = tbl.CalcPass - 1;
  trials_ = trial;
  const double et = noFinish ? kNoFinishEt : Val(tbl.ResultsText[1][static_cast<size_t>(finishRow)]);
  if (trial >= 1 && trial <= kMaxTrials) trialValue_[static_cast<size_t>(trial)] = SteppedSpec();
  if (et < bestEt_) {  // a tie keeps the earlier, smaller setting
    bestEt_ = et;
    bestTrial_ = trial;
  }
  const bool passedBest = bestEt_ < 0.95 * et || bestEt_ < et - 5;
  if (!passedBest && trial < kMaxTrials) {
    std::string& spec = SteppedSpec();
    spec = Format(Val(spec) + (ConverterTarget() ? 5 : 0.1), "###.0");
    return;
  }
  FindBestEnds(text);
}

void SpecSearch::FindBestEnds(std::string& text) {
  search::EndOfSearchDisplay();
  DoEvents();  // a short pause for the progress window to go
  tbl.CalcStatus = 0;
  const std::string name = TargetName();
  const std::string saved = search::TrimmedNumber(ConverterTarget() ? savedConverter_ : savedAxle_);
  if (bestTrial_ == 0 || !(bestEt_ < kNoFinishEt)) {
    MsgBox("No setting reached the finish line; the " + name + " is unchanged.", mb::OKOnly, "");
    SteppedSpec() = saved;
    findEnd_ = FindBestEnd::NoFinish;
    return;
  }
  const std::string best = trialValue_[static_cast<size_t>(bestTrial_)];
  const std::string cr2 = std::string(2, CR);
  const int a = MsgBox("The quickest ET obtained is:" + cr2 + "    " + Format(bestEt_, "#####.00") + " seconds" + cr2 +
                           "With a " + name + " of:" + cr2 + "    " + Format(Val(best), "###.0") + cr2 +
                           "Do you want to replace the current " + name + " of " + saved + " with this " + name + "?",
                       mb::YesNo + mb::Question, "Found Quickest " + name);
  if (a != ans::Yes) {
    SteppedSpec() = saved;
    findEnd_ = FindBestEnd::Declined;
    return;
  }
  SteppedSpec() = Trim(best);
  if (ConverterTarget()) {
    SpecAt(kTransmission, search::kTrType) = "3";
    SpecAt(kTransmission, search::kTrExample1).clear();
    SpecAt(kTransmission, search::kTrExample2).clear();
    text = "Converter Capacity in Transmission Specs";
  } else {
    text = "Rear Axle Ratio in Body/Axle Specs";
  }
  MsgBox(text + " menu set to " + best, mb::OKOnly, "");
  findEnd_ = FindBestEnd::Kept;
}

FindBestEnd SpecSearch::FindBest() {
  const std::string cr2 = std::string(2, CR);
  if (MsgBox(std::string(kFindBestQuestion) + cr2 + "Are these specs accurate now?", mb::YesNo + mb::Question,
             kFindBestTitle) != ans::Yes)
    return FindBestEnd::NotStarted;

  search::HoldCalculation hold;
  search::CalculationsOfOneSearch calculate(calculate_);
  const auto specsBefore = tbl.SpecText;
  const auto curveBefore = tbl.PowerCurveText;
  tbl.CalcMode = 0;
  tbl.QuietCalc = 0;
  tbl.CalcStatus = -5;
  double speed = 0, sixtyFoot = 0, further = 0;
  std::string text;
  RunMatchOrFindBest(speed, tbl.FinishRow, sixtyFoot, further, text);
  while (tbl.CalcStatus == 5) {
    calculate(speed, tbl.FinishRow, sixtyFoot);
    // A trial that swapped a small clutch for an estimated one goes on as
    // a trial; the swap itself is undone below.
    if (tbl.CalcStatus == -1) tbl.CalcStatus = 5;
    RunMatchOrFindBest(speed, tbl.FinishRow, sixtyFoot, further, text);
  }
  search::EndOfSearchDisplay();

  // Whatever the trials did to other specs is undone.
  const size_t stepped = static_cast<size_t>(&SteppedSpec() - tbl.SpecText.data());
  auto specs = specsBefore;
  if (findEnd_ != FindBestEnd::NoFinish) specs[stepped] = tbl.SpecText[stepped];
  if (findEnd_ == FindBestEnd::Kept && ConverterTarget()) {
    for (int k : {search::kTrType, search::kTrExample1, search::kTrExample2}) {
      const size_t i = static_cast<size_t>(tbl.SpecMenuStart[kTransmission] + k);
      specs[i] = tbl.SpecText[i];
    }
  }
  tbl.SpecText = specs;
  tbl.PowerCurveText = curveBefore;
  if (findEnd_ == FindBestEnd::Kept) fst.SpecsChanged = 1;
  tbl.CalcStatus = 0;
  return findEnd_;
}

}  // namespace sw
