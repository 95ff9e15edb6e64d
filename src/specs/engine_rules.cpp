#include "specs/engine_rules.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/engine_curve.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const std::string kCR(1, CR);

int MarkerMethod(std::string_view marker) { return static_cast<int>(Int(Val(marker))); }

}  // namespace

int EffectiveEngineMethod(int pick, std::string_view marker) {
  return pick == engine_method::kLinkedExample ? MarkerMethod(marker) : pick;
}

EngineRowStates EngineRowStatesFor(int m) {
  using namespace engine_method;
  EngineRowStates s;
  s.peakTorque = !(m == kPeakHp || m == kFullCurve);
  s.peakHp = m != kFullCurve;
  s.curve = m == kFullCurve;
  return s;
}

LeftOverNotice LeftOverNoticeFor(int previous, int now, std::string_view marker) {
  using namespace engine_method;
  const int linked = MarkerMethod(marker);
  const bool fromCurve = previous == kFullCurve || (previous == kLinkedExample && linked == kFullCurve);
  if (fromCurve && (now == kPeakHp || now == kPeakTorqueHp)) return LeftOverNotice::CurveToPeaks;
  const bool fromPeaks = previous < kFullCurve || (previous == kLinkedExample && (linked == 0 || linked == 1));
  if (fromPeaks && now == kFullCurve) return LeftOverNotice::PeaksToCurve;
  return LeftOverNotice::None;
}

std::string LeftOverNoticeText(LeftOverNotice notice, int now) {
  switch (notice) {
    case LeftOverNotice::CurveToPeaks:
      return std::string("The") + (now == engine_method::kPeakTorqueHp ? " Torque and" : "") +
             " HP specs which will now be activated are not related to the Full Power Curve which will now be "
             "deactivated.  They are simply 'left over' from the last time these specs were set.";
    case LeftOverNotice::PeaksToCurve:
      return "The Full Power Curve specs which will now be activated are not related to the Peak Torque and Peak HP "
             "specs which will now be deactivated.  They are simply 'left over' from the last time these specs were "
             "set.";
    case LeftOverNotice::None:
      break;
  }
  return "";
}

bool PeakRpmCheckApplies(std::string_view method, std::string_view marker) {
  const double m = Val(method);
  return m == engine_method::kPeakTorqueHp ||
         (m == engine_method::kLinkedExample && Val(marker) == engine_method::kPeakTorqueHp);
}

bool PeakRpmImpossible(std::string_view torqueRpm, std::string_view hpRpm) { return Val(torqueRpm) > Val(hpRpm); }

std::string ImpossibleRpmText(std::string_view torqueRpm, std::string_view hpRpm) {
  const std::string t(torqueRpm), h(hpRpm);
  return "You have entered an 'RPM at Peak Torque' of " + t + " which is higher than the 'RPM at Peak HP' of " + h +
         ".  This is an impossible combination since Peak HP must occur at a higher RPM than Peak Torque." + kCR +
         kCR + "You must either lower the 'RPM at Peak Torque' to less than " + h +
         " or raise the 'RPM at Peak HP' to an RPM higher than " + t + ".";
}

std::string CurveAvailableText(bool curveMethodChosen) {
  const std::string head = "A Power Curve is available from the Cylvane." + kCR + kCR;
  if (curveMethodChosen) return head + "To load it, click on the 'Load from Cylvane' button in the right section.";
  return head +
         "To load it, you must first select 'Specified Full Power Curve' for Method of Describing Power Curve in the "
         "upper left section of this menu." +
         kCR + kCR + "Then click on the 'Load from Cylvane' button in the right section.";
}

std::string EraseCurveQuestion(bool linkedExample, std::string_view exampleName) {
  std::string text = "Erase all RPM, Torque and HP entries?";
  if (linkedExample)
    text += kCR + kCR + "(Erasing the curve means these specs no longer match:  " + std::string(exampleName) + ")";
  return text;
}

std::string CurveNotFoundQuestion() {
  return "Power Curve from Cylvane was not found." + kCR + kCR +
         "Do you want to start up the Cylvane to create a power curve?";
}

std::string CylvaneNotRunningQuestion() {
  return "An Cylvane program did not start up the Stagewell, but there is a Power Curve available for loading." + kCR +
         kCR + "Do you want to start up the Cylvane to create a new Power Curve?" + kCR + kCR +
         "(If you answer No, the available Power Curve will be loaded.  Click on Cancel to abort.)";
}

int SummaryChoice(int menu, int k) {
  const double v = Spec(menu, k);
  return v > -32768.0 && v < 32768.0 ? static_cast<int>(std::floor(v)) : 0;
}

std::string SummaryEngineLine() {
  const EnginePeaks e = EnginePeaksAsEntered();
  auto choice = [](int k) { return SummaryChoice(kEngine, k); };
  auto figure = [](double v) { return v >= 100 ? Format(v, "#####") : Format(v, "####.0"); };
  static const char* kKinds[3] = {"Peak HP Only", "Peak Tq and HP", "Full Power Curve"};
  auto kind = [](int code) { return kKinds[code == 0 ? 0 : (code == 1 ? 1 : 2)]; };

  std::string head;
  int method = choice(0);
  if (method < 4) {
    if (method == 3) {
      SpecAt(kEngine, 0) = Format(Spec(kEngine, kEngineMarkerSlot), "####0");
      method = choice(0);
    }
    head = std::string("User Defined Engine: (") + kind(method);
    SpecAt(kEngine, kEngineNameSlot).clear();
    SpecAt(kEngine, kEngineMarkerSlot).clear();
  } else {
    head = SpecAt(kEngine, kEngineNameSlot) + " (" + kind(choice(kEngineMarkerSlot));
  }
  head += Spec(kEngine, 6) == 0 ? ", Std Dyno Rating)" : ", SAE Rating)";
  const std::string size = SpecAt(kEngine, 1) + " cubic inches" + Space(10);
  std::string power = figure(e.hp) + " HP at " + Format(e.hpRpm, "#####") + " RPM ";
  if (InStr(head, "Tq and HP") > 0 || InStr(head, "Full Power") > 0)
    power = figure(e.torque) + " ft lbs at " + Format(e.torqueRpm, "#####") + " RPM  and  " + power;
  return head + "\n" + power + ", " + size;
}

}  // namespace sw
