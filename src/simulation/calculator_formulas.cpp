#include "simulation/calculator_formulas.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "files/vehicle_weights.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/air.h"
#include "simulation/engine_curve.h"

namespace sw {

std::string CalcRow::ListText() const {
  if (listIndex < 0 || listIndex >= static_cast<int>(entries.size())) return "";
  return entries[static_cast<size_t>(listIndex)];
}

double CalcRow::Value() const { return Val(text); }

namespace {

// --- the three ways an output is changed

// Shows a value: the caption panel is enabled, and for the calculators that
// say so the value label too.
void Show(CalculatorForm& f, int i, double value, const char* pattern, bool enableValue) {
  CalcOutput& o = f.out[static_cast<size_t>(i)];
  o.value = Format(value, pattern);
  o.nameEnabled = true;
  if (enableValue) o.valueEnabled = true;
}
void ShowText(CalculatorForm& f, int i, const std::string& text, bool enableValue) {
  CalcOutput& o = f.out[static_cast<size_t>(i)];
  o.value = text;
  o.nameEnabled = true;
  if (enableValue) o.valueEnabled = true;
}
// No result: the value goes, the caption panel greys, and for some
// calculators the value label greys with it.
void Clear(CalculatorForm& f, int i, bool disableValue) {
  CalcOutput& o = f.out[static_cast<size_t>(i)];
  o.value.clear();
  o.nameEnabled = false;
  if (disableValue) o.valueEnabled = false;
}
void Blank(CalculatorForm& f, int i) { f.out[static_cast<size_t>(i)].value.clear(); }

void EnableRows(CalculatorForm& f, std::initializer_list<int> rows, bool on) {
  for (int k : rows) f.Row(k).enabled = on;
}

// --- 1: final drive ratio

void FinalDrive(CalculatorForm& f) {
  const double r2 = f.Value(2), r3 = f.Value(3), r4 = f.Value(4), r5 = f.Value(5);
  f.Row(2).max = 300;
  f.Row(2).min = 5;
  std::optional<double> ratio;
  switch (f.Choice(1)) {
    case -1:
      EnableRows(f, {2, 3, 4, 5}, false);
      break;
    case 0:
      f.Row(2).caption = "# Teeth, Pinion Gear";
      f.Row(3).caption = "# Teeth, Ring Gear";
      EnableRows(f, {2, 3}, true);
      EnableRows(f, {4, 5}, false);
      if (r2 != 0 && r3 != 0) ratio = r3 / r2;
      break;
    case 1:
      f.Row(2).caption = "# Teeth, Pinion Gear";
      f.Row(3).caption = "# Teeth, Ring Gear";
      EnableRows(f, {2, 3}, false);
      EnableRows(f, {4, 5}, true);
      if (r4 != 0 && r5 != 0) ratio = r5 / r4;
      break;
    case 3:
      f.Row(2).caption = "#Teeth, Engine Primary Gear";
      f.Row(3).caption = "#Teeth, Clutch Primary Gear";
      EnableRows(f, {2, 3, 4, 5}, true);
      if (r2 != 0 && r3 != 0 && r4 != 0 && r5 != 0) ratio = (r3 / r2) * r5 / r4;
      break;
    default:  // 2: a primary ratio in place of the primary gears
      f.Row(2).caption = "Primary Gear Ratio";
      f.Row(3).caption = "";
      f.Row(2).max = 10;
      f.Row(2).min = 0.25;
      EnableRows(f, {2, 4, 5}, true);
      EnableRows(f, {3}, false);
      if (r2 != 0 && r4 != 0 && r5 != 0) ratio = r2 * r5 / r4;
      break;
  }
  if (ratio) {
    f.calcValue = *ratio;
    Show(f, 0, *ratio, "##.00", true);
  } else {
    Clear(f, 0, true);
  }
}

// --- 2: weight distribution

void WeightDistribution(CalculatorForm& f) {
  const double total = f.Value(1), part = f.Value(2);
  const int which = f.Choice(3);
  if (total > 0 && part > 0 && which >= 0) {
    // Entry 1: the weight entered is on the rear tires; any other: on the
    // front tires, so the rear takes the rest.
    const double share = which == 1 ? part / total : 1 - part / total;
    Show(f, 0, share * 100, "###.0", true);
  } else {
    Clear(f, 0, true);
  }
}

// --- 3: frontal area from the rear track width and the height

void FrontalArea(CalculatorForm& f) {
  const double track = f.Value(1), height = f.Value(2);
  if (track != 0 && height != 0) {
    Show(f, 0, track * height / 144, "###.00", true);
  } else {
    Blank(f, 0);
  }
}

// --- 4, 5, 7: tire diameter and tread width

void TireSize(CalculatorForm& f) {
  double w = f.Value(2) / 25.4;
  const int code = f.Choice(3) + 1;  // the letter's place in the alphabet
  const double ar = f.Value(4), rim = f.Value(5), radius = f.Value(6), circumference = f.Value(7);
  const int method = f.Choice(1);
  std::optional<double> half;
  std::optional<double> tread;
  // Wider than tall sidewalls flatten the tread less than a tall one.
  auto treadFactor = [ar] { return std::min(1.0, 1.26 - 0.00782 * ar); };
  switch (method) {
    case -1:
      EnableRows(f, {2, 3, 4, 5, 6, 7}, false);
      break;
    case 0:  // metric size
      EnableRows(f, {2, 4, 5}, true);
      EnableRows(f, {3, 6, 7}, false);
      if (ar != 0 && rim != 0 && w != 0) {
        half = (rim + w * ar / 50) / 2;
        tread = w * treadFactor();
      }
      break;
    case 1:  // letter size code
      EnableRows(f, {3, 4, 5}, true);
      EnableRows(f, {2, 6, 7}, false);
      if (ar != 0 && rim != 0 && code != 0) {
        const double h = 0.66 + 0.278 * code + 0.1513 * ar + 0.333 * rim - 0.006 * code * code -
                         0.000874 * ar * ar;
        half = h;
        w = ((2 * h - rim) / 2) / (0.01 * ar);
        tread = w * treadFactor();
      }
      break;
    case 2:  // measured loaded radius
      EnableRows(f, {6}, true);
      EnableRows(f, {2, 3, 4, 5, 7}, false);
      if (radius != 0) half = radius;
      break;
    default:  // 3: measured circumference
      EnableRows(f, {7}, true);
      EnableRows(f, {2, 3, 4, 5, 6}, false);
      if (circumference != 0) half = circumference / 3.14159 / 2;
      break;
  }
  if (!half) {
    Clear(f, 0, true);
    Clear(f, 1, true);
    return;
  }
  // A loaded radius is already squashed; sizes and circumferences are of
  // the unloaded tire, which settles about 3 % under the car.
  f.calcValue = method == 2 ? *half * 2 : *half * 2 * 0.97;
  Show(f, 0, f.calcValue, "###.0", true);
  if (tread && f.number != 4) {
    Show(f, 1, *tread, "###.0", true);
  } else {
    Clear(f, 1, true);
  }
}

// --- 6: horsepower from a run or from displacement and RPM

void Horsepower(CalculatorForm& f) {
  const double displacement = f.Value(4), rpm = f.Value(6), weight = f.Value(2);
  const int method = f.Choice(1);
  double hp = 0;
  double n = 0;
  if (method == -1) {
    EnableRows(f, {2, 3, 4, 5, 6}, false);
  } else if (method == 2) {
    EnableRows(f, {2, 3}, false);
    EnableRows(f, {4, 5, 6}, true);
    // The level list's entries start with a volumetric efficiency in %.
    n = Val(f.Row(5).ListText());
    hp = displacement * rpm * n * 19000 * 35 * 85 / 28000000000000.0;
  } else {
    EnableRows(f, {2, 3, 4, 6}, true);
    EnableRows(f, {5}, false);
    double factor = 1;
    if (method == 0) {
      f.Row(3).caption = "Quarter Mile MPH";
    } else {
      f.Row(3).caption = "Eighth Mile MPH";
      factor = 1.25;
    }
    const double speed = std::max(0.0, f.Value(3) * factor);
    hp = weight * std::pow(speed / 225, 3.125);
  }

  // The estimate works on copies: it rounds the horsepower it is given.
  double hpRpmIn = rpm, hpIn = hp, dispIn = displacement;
  double torque = 0, torqueRpm = 0;
  double peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0;
  int16_t mode = 0;
  int points = 0;
  for (auto& column : f.estimatedCurve) std::fill(std::begin(column), std::end(column), 0.0);
  EstimatePowerCurve(f.estimatedCurve, hpRpmIn, hpIn, torque, torqueRpm, dispIn, mode, peakHp, peakHpRpm, peakTorque,
                     peakTorqueRpm, points);
  torqueRpm = 100 * Int(torqueRpm / 100 + 0.5);

  const bool inputsOk = method == 2 ? displacement > 0 && rpm > 0 && n > 0
                                    : rpm > 0 && weight > 0 && f.Value(3) > 0 && displacement > 0;
  if (!inputsOk) {
    for (int i = 0; i < 3; ++i) Blank(f, i);
    return;
  }
  f.out[1].value = Format(torque, "####0.0");
  f.out[2].value = Format(torqueRpm, "####0");
  f.out[0].value = Format(hp, "####0.0");
  for (CalcOutput& o : f.out)
    if (o.valueEnabled) o.nameEnabled = true;
}

// --- 8, 9: traction and tire growth from a list entry

void ListFigure(CalculatorForm& f, long chars) {
  if (f.Choice(1) < 0) return;
  ShowText(f, 0, Trim(Left(f.Row(1).ListText(), chars)), true);
}

// --- 24: vehicle weight estimate

void VehicleWeight(CalculatorForm& f) {
  if (f.changedWeightList == 2 || f.changedWeightList == 3) {
    ReadVehWeights(f, f.changedWeightList);
    for (int k = f.changedWeightList + 1; k <= 6; ++k) f.Row(k).listIndex = -1;
  }
  f.out[0].nameEnabled = true;
  bool allChosen = true;
  for (int k = 1; k <= 6; ++k) allChosen = allChosen && f.Choice(k) >= 0;
  if (allChosen) {
    ReadVehWeights(f, 10);
  } else {
    Blank(f, 0);
    f.note = VehicleWeightTableReadable() ? kVehicleWeightInstruction : kVehicleWeightTableMissing;
  }
  f.changedWeightList = 0;
}

// --- 27: displacement in cubic inches

void Displacement(CalculatorForm& f) {
  const double v = f.Value(2);
  const int unit = f.Choice(1);
  if (v == 0 || unit < 0) {
    Blank(f, 0);
    return;
  }
  const double cc = unit == 1 ? v * 1000 : v;
  Show(f, 0, cc / 16.39, "#####.00", true);
}

// --- 40..51: dew point and relative humidity

// The wet-bulb method's humidity, or nothing (with the note saying why)
// when the table cannot be read.
std::optional<int> TableHumidity(CalculatorForm& f) {
  std::optional<HumidityTable> table = ReadHumidityTable();
  if (!table) {
    f.note = kHumidityTableMissing;
    return std::nullopt;
  }
  return WetBulbHumidity(*table, f.Value(4), f.Value(5));
}

void DewPoint(CalculatorForm& f) {
  EnableRows(f, {2, 3, 4, 5}, false);
  const int method = f.Choice(1);
  if (method == -1) return;
  if (method == 0) {
    const double t = f.Value(2), rh = f.Value(3);
    double td = 0;
    DewPointFromHumidity(t, rh, td);
    const double x = rh / 100 * SaturationPressure(t);
    if (x == 0) {
      Clear(f, 0, false);
    } else {
      f.calcValue = std::min(std::max(td, 0.0), t);
      Show(f, 0, f.calcValue, "###.0", false);
    }
    EnableRows(f, {2, 3}, true);
    return;
  }
  EnableRows(f, {4, 5}, true);
  if (Trim(f.Row(4).text).empty() || Trim(f.Row(5).text).empty()) {
    Blank(f, 0);
    return;
  }
  std::optional<int> rh = TableHumidity(f);
  if (!rh) {
    Blank(f, 0);
    return;
  }
  const double dry = f.Value(4);
  const double x = *rh / 100.0 * SaturationPressure(dry);
  if (x == 0) {
    Clear(f, 0, false);
    return;
  }
  double d = std::max(Int(DewPointOfVapour(x) + 0.7), 0.0);
  if (d > dry) d = Int(dry + 0.5);
  f.calcValue = d;
  Show(f, 0, d, "###.0", false);
}

void RelativeHumidity(CalculatorForm& f) {
  const int method = f.Choice(1);
  if (method == -1) {
    EnableRows(f, {2, 3, 4, 5}, false);
    return;
  }
  if (method == 0) {
    EnableRows(f, {2, 3}, true);
    EnableRows(f, {4, 5}, false);
    double rh = 0;
    HumidityFromDewPoint(f.Value(2), f.Value(3), rh);
    if (rh == 0) {
      Clear(f, 0, false);
    } else {
      f.calcValue = rh;
      // Shown a shade high, so that 45.06 reads 45.1 and a whole 45 reads 45.0.
      Show(f, 0, rh + 0.049, "###.0", false);
    }
    return;
  }
  EnableRows(f, {2, 3}, false);
  EnableRows(f, {4, 5}, true);
  if (Trim(f.Row(4).text).empty() || Trim(f.Row(5).text).empty()) {
    Clear(f, 0, false);
    return;
  }
  std::optional<int> rh = TableHumidity(f);
  if (!rh) {
    Blank(f, 0);
    return;
  }
  f.calcValue = std::min(std::max(static_cast<double>(*rh), 0.0), 100.0);
  Show(f, 0, f.calcValue + 0.049, "###.0", false);
}

}  // namespace

void CalculateMenu(CalculatorForm& f) {
  for (CalcOutput& o : f.out) o.nameEnabled = false;
  // The humidity calculators' note may stand in for a message of the last
  // calculation; each calculation starts from the layout's note.
  if (f.number >= 40 && f.number <= 51) f.note = f.noteText;
  switch (f.number) {
    case 1: FinalDrive(f); break;
    case 2: WeightDistribution(f); break;
    case 3: FrontalArea(f); break;
    case 4:
    case 5:
    case 7: TireSize(f); break;
    case 6: Horsepower(f); break;
    case 8: ListFigure(f, 4); break;
    case 9: ListFigure(f, 3); break;
    case 24: VehicleWeight(f); break;
    case 27: Displacement(f); break;
    default:
      if (f.number >= 40 && f.number <= 51) {
        if (f.number % 2 == 0) {
          DewPoint(f);
        } else {
          RelativeHumidity(f);
        }
      }
      break;
  }
}

bool LeaveValueBox(CalculatorForm& f, int k, const std::string& textBefore) {
  CalcRow& row = f.Row(k);
  const bool figure = row.HoldsProgramText();
  // What was typed is this leave's; typing again is the next one's.
  row.typed = false;
  // An emptied box takes no limit test, but the outputs must not go on
  // showing a result of the value that is gone.
  if (Trim(row.text).empty()) {
    row.text.clear();
    row.programText.clear();
    CalculateMenu(f);
    return true;
  }
  const double v = Val(row.text);
  const bool outside = v > row.max || v < row.min;
  if (outside && figure) {
    // The program's own figure stays as it is.
    CalculateMenu(f);
    return true;
  }
  row.text = LTrim(Str(v));
  if (outside) {
    std::string max = Str(row.max);
    // A maximum ending in .001 marks a whole-number row: it reads whole.
    if (Right(max, 4) == ".001") max = Str(Fix(row.max));
    MsgBox(row.caption + " = " + row.text + ".  Value must be between " + Str(row.min) + " and " + max + " .",
           mb::Exclamation, "Warning");
    row.text = textBefore;
    return false;
  }
  // The racer's entry took the place of the program's figure.
  if (row.text != row.programText) row.programText.clear();
  CalculateMenu(f);
  return true;
}

std::optional<HumidityTable> ReadHumidityTable() {
  SeqReader in;
  if (!in.Open(ProgramPath("CALC/RHDATA.CLC"))) return std::nullopt;
  HumidityTable table{};
  for (auto& row : table) {
    for (double& cell : row) {
      std::string item;
      if (!in.InputItem(item) || !IsNumeric(item)) return std::nullopt;
      cell = Val(item);
      // Every cell is a humidity: interpolated, they give 0..100 % only.
      if (!(cell >= 0 && cell <= 100)) return std::nullopt;
    }
  }
  return table;
}

int WetBulbHumidity(const HumidityTable& table, double dryBulb, double wetBulb) {
  // Depression and dry bulb in degrees C, held inside the table: the last
  // column is a 20 C depression and the last row 40 C.
  const double d = std::clamp((dryBulb - wetBulb) * 5 / 9, 0.0, 20.0);
  const double t = std::clamp((dryBulb - 32) * 5 / 9, 0.0, 40.0);
  const double p = d < 4 ? d : d / 2 + 2;
  const int c = std::min(static_cast<int>(Int(p)), kHumidityCols - 2);
  const double q = t / 5;
  const int r = std::min(static_cast<int>(Int(q)), kHumidityRows - 2);
  const auto at = [&](int row, int col) { return table[static_cast<size_t>(row)][static_cast<size_t>(col)]; };
  const double a = at(r, c), b = at(r, c + 1), lowRowC = at(r + 1, c), lowRowD = at(r + 1, c + 1);
  const double low = a + (p - c) * (b - a);
  const double high = lowRowC + (p - c) * (lowRowD - lowRowC);
  return static_cast<int>(Int(low + (q - r) * (high - low) + 0.5));
}

}  // namespace sw
