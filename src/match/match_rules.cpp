#include "match/match_rules.h"

#include "match/search_support.h"
#include "platform/text.h"
#include "specs/engine_rules.h"
#include "specs/row_rules.h"
#include "specs/tires_rules.h"
#include "specs/transmission_rules.h"

namespace sw {

bool MatchStallRowShown() {
  const double type = Spec(kTransmission, 0);
  return type != 0 && type != 1 && !(type == 5 && Spec(kTransmission, 23) == 1);
}

int FirstMissingMatchEntry(const std::array<std::string, kMatchRows>& rows, bool stallShown) {
  for (int r = stallShown ? 1 : 2; r <= 3; ++r)
    if (Val(rows[static_cast<size_t>(r)]) == 0) return r;
  if (Val(rows[5]) < 0 || Trim(rows[5]).empty()) return 5;
  return -1;
}

std::string MissingMatchEntryMessage(const std::string& caption) {
  return caption + " must be specified before performance can be matched.";
}

std::string ClearedMatchEntry(int row) {
  if (row == 0) return "0";
  if (row == 5) return "-1";
  return "";
}

const std::array<std::string, 2>& MatchDistanceItems() {
  static const std::array<std::string, 2> items = {"Quarter Mile", "Eighth Mile"};
  return items;
}

const std::array<std::string, 6>& MatchGearItems() {
  static const std::array<std::string, 6> items = {"1", "2", "3", "4", "5", "6"};
  return items;
}

using PowerCurve = decltype(ProgramTables::PowerCurveText);

int PowerCurvePointCount(const PowerCurve& curve) {
  int points = 0;
  for (const auto& point : curve) points += Val(point[0]) > 0 && Val(point[1]) > 0;
  return points;
}

std::string PowerCurveReplaced(const PowerCurve& after) {
  return "replaced by an estimate (" + std::to_string(PowerCurvePointCount(after)) + " points)";
}

namespace {

// Whether any of the rows reads another number than before.
bool RowsChanged(const decltype(ProgramTables::SpecText)& before, int menu, std::initializer_list<int> rows) {
  for (int k : rows)
    if (Val(before[static_cast<size_t>(tbl.SpecMenuStart[menu] + k)]) != Spec(menu, k)) return true;
  return false;
}

}  // namespace

void DropExampleLinksOfChangedRows(const decltype(ProgramTables::SpecText)& before, const PowerCurve& curveBefore) {
  using namespace search;
  // The engine asks whenever an example is named; it stays described by the
  // example's own method, stored as the Engine window stores its pick.
  if (!SpecAt(kEngine, kEngineNameSlot).empty() &&
      (RowsChanged(before, kEngine, {kEngTorque, kEngTorqueRpm, kEngHp, kEngHpRpm}) ||
       tbl.PowerCurveText != curveBefore)) {
    const int method = EffectiveEngineMethod(engine_method::kLinkedExample, SpecAt(kEngine, kEngineMarkerSlot));
    DropStoredExampleLink(kEngine, kEngineNameSlot, kEngMethod, PickStoredText(method));
  }
  const double converterMarker = Spec(kTransmission, trans::kClutchNameSlot + 1);
  if (converterMarker != 0 && RowsChanged(before, kTransmission, {kTrCapacity})) {
    const int type = TransmissionTypeWithoutExample(trans::kType, converterMarker);
    DropStoredExampleLink(kTransmission, trans::kClutchNameSlot, trans::kType, Trim(Str(type)));
  }
  if (Spec(kTires, kRearTireNameSlot + 1) != 0 && RowsChanged(before, kTires, {kTiDiameter, kTiType, kTiGrowth})) {
    constexpr int kRearType = 3;
    DropStoredExampleLink(kTires, kRearTireNameSlot, kRearType, std::to_string(TireTypeWithoutExample(kRearType)));
  }
}

std::string TooFewRowsMessage(int rows, double et, double mph) {
  const std::string cr2(2, CR);
  return "The calculated run of this vehicle has only " + std::to_string(rows) + " rows of results (" +
         Trim(Format(et, "####.00")) + " sec @ " + Trim(Format(mph, "####.0")) +
         " MPH).  The 'Match Vehicle Performance' process needs at least 6 rows (launch, 60 ft, shifts, timing marks "
         "and finish) to compare with your time slip, so it can not be done with these specs." +
         cr2 + "Your Vehicle Specs have not been changed.";
}

}  // namespace sw
