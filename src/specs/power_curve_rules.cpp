#include "specs/power_curve_rules.h"

#include <cmath>

#include "platform/text.h"

namespace sw {

namespace {

// HP = RPM x torque / 5252: where torque in ft lbs and HP cross.
constexpr double kHpConstant = 5252;

const CurveColumnRule kRules[3] = {
    {500, 30000, "RPM", "Enter an RPM for the power curve where you have either torque or HP readings."},
    {1, 6000, "Torque", "Enter torque in ft lbs for the power curve."},
    {1, 6000, "HP", "Enter horsepower (HP) for the power curve."},
};

std::string WithoutBlank(double v) { return LTrim(Str(v)); }

}  // namespace

const CurveColumnRule& CurveColumnRuleOf(int column) {
  if (column < kCurveRpm || column > kCurveHp) column = kCurveRpm;
  return kRules[column - 1];
}

std::string NormaliseCurveEntry(int column, std::string_view text) {
  const double v = Val(text);
  // RPMs are whole numbers; so are torque and HP above 100, where a decimal
  // says nothing a dyno sheet can back.
  if (column == kCurveRpm || v > 100) return WithoutBlank(Int(v + 0.5));
  return WithoutBlank(v);
}

std::string CurveEntryWarning(int column, std::string_view normalised) {
  const CurveColumnRule& rule = CurveColumnRuleOf(column);
  const double v = Val(normalised);
  if (v >= rule.minimum && v <= rule.maximum) return "";
  return std::string(rule.name) + " = " + std::string(normalised) + ".  This value must be between " +
         WithoutBlank(rule.minimum) + " and " + WithoutBlank(rule.maximum) + " .";
}

bool CurveEntryStorable(int column, std::string_view text) {
  return Trim(text).empty() || CurveEntryWarning(column, NormaliseCurveEntry(column, text)).empty();
}

std::string FormatComputedCurveFigure(double value) {
  if (!std::isfinite(value)) return "0";
  if (std::fabs(value) >= 100) return Format(value, "####");
  std::string text = Format(value, "####.#");
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text.empty() || text == "-" ? "0" : text;
}

std::optional<CurveCompletion> CompleteCurvePoint(int column, double rpm, double torque, double hp) {
  auto figure = [](int col, double v) { return CurveCompletion{col, FormatComputedCurveFigure(v)}; };
  switch (column) {
    case kCurveRpm:
      if (torque != 0) return figure(kCurveHp, rpm * torque / kHpConstant);
      if (hp != 0 && rpm != 0) return figure(kCurveTorque, hp * kHpConstant / rpm);
      break;
    case kCurveTorque:
      if (rpm != 0) return figure(kCurveHp, rpm * torque / kHpConstant);
      if (hp != 0 && torque != 0) return figure(kCurveRpm, hp * kHpConstant / torque);
      break;
    case kCurveHp:
      if (rpm != 0) return figure(kCurveTorque, hp * kHpConstant / rpm);
      if (torque != 0) return figure(kCurveRpm, hp * kHpConstant / torque);
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::array<CurvePlotPoint, kCurvePlotPoints> PowerCurvePlotPoints(const CurveGrid& rows) {
  std::array<CurvePlotPoint, kCurvePlotPoints> points{};
  // The curve's top end: the highest RPM that has an HP figure.
  double top = 0, topTorque = 0, topHp = 0;
  for (const auto& row : rows) {
    if (row[0] > top && row[2] > 0) {
      top = row[0];
      topTorque = row[1];
      topHp = row[2];
    }
  }
  // Point 1 carries the lines on past the last figure, falling away.
  const CurvePlotPoint beyond{static_cast<float>(top + 100), static_cast<float>(0.67 * topTorque),
                              static_cast<float>(0.67 * topHp)};
  points[0] = beyond;

  std::array<bool, kCurveGridPoints> taken{};
  int last = 0;
  for (int k = 0; k < kCurveGridPoints; ++k) {
    int pick = -1;
    double pickRpm = 0;
    for (int j = 0; j < kCurveGridPoints; ++j) {
      if (!taken[j] && rows[j][0] > pickRpm) {
        pick = j;
        pickRpm = rows[j][0];
      }
    }
    if (pick >= 0) {
      taken[pick] = true;
      last = pick;
    } else {
      pick = last;
    }
    const auto& row = rows[pick];
    points[k + 1] = row[1] == 0 ? beyond
                                : CurvePlotPoint{static_cast<float>(row[0]), static_cast<float>(row[1]),
                                                 static_cast<float>(row[2])};
  }
  return points;
}

bool CurveCanRun(const CurveGrid& rows) {
  for (const auto& row : rows)
    if (row[0] > 0 && row[1] != 0 && row[2] > 0) return true;
  return false;
}

}  // namespace sw
