#include "files/calculator_writeback.h"

#include <algorithm>
#include <string>
#include <utility>

#include "files/file_state.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const std::string kCR(1, CR);

// The spec groups that can hold a set of example specs: the name and marker
// slots, the Type list that is reset when the set is broken and the entry it
// is reset to (the engine's is its own marker, its power-curve method).
struct ExampleGroup {
  int menu, nameSpec, markerSpec, typeSpec, choice;
};
constexpr ExampleGroup kBody{kVehicle, 15, 16, 3, 0};
constexpr ExampleGroup kFrontTires{kTires, 10, 11, 0, 1};
constexpr ExampleGroup kRearTires{kTires, 12, 13, 3, 0};
constexpr ExampleGroup kEngineGroup{kEngine, 13, 14, 0, -1};

class WriteBack {
 public:
  explicit WriteBack(const CalculatorForm& f) : f_(f) {}

  CalcValueResult Run();

 private:
  const CalculatorForm& f_;
  CalcValueResult result_;

  const std::string& Out(int i) const { return f_.out[static_cast<size_t>(i)].value; }
  const std::string& RowText(int k) const { return f_.Row(k).text; }

  void Write(int menu, int spec, const std::string& text) {
    SpecAt(menu, spec) = text;
    fst.SpecsChanged = 1;
    if (std::find(result_.menusWritten.begin(), result_.menusWritten.end(), menu) == result_.menusWritten.end())
      result_.menusWritten.push_back(menu);
  }

  bool GearOrderAccepted() const;
  bool ResultPresent() const;
  // False: stop here (and result_.close says whether to leave).
  bool WithinLimits();
  bool ExampleCheck(const ExampleGroup& g);
  void EntryOffer(const std::string& entry, int menu, int spec, const std::string& what, const std::string& unit,
                  const std::string& target, const std::string& menuName, const std::string& label,
                  const std::string& title);
  void OutputOffer(const std::string& line, const std::string& title, int menu, int spec, const std::string& text);
  void Horsepower();
  void Humidity();
};

bool WriteBack::GearOrderAccepted() const {
  std::vector<std::pair<int, int>> pairs;
  switch (f_.Choice(1)) {
    case 0: pairs = {{2, 3}}; break;
    case 1:
    case 2: pairs = {{4, 5}}; break;
    case 3: pairs = {{2, 3}, {4, 5}}; break;
    default: break;
  }
  for (auto [a, b] : pairs) {
    if (f_.Value(b) >= f_.Value(a)) continue;
    const int answer = MsgBox("For most situations, " + f_.Row(a).caption + " will be less than " + f_.Row(b).caption +
                                  ".  (Check page 65 in the manual.)" + kCR + kCR + "Use calculated value anyway?",
                              mb::YesNo + mb::Question + mb::DefaultButton2, "Unusual Gear Combination");
    if (answer != ans::Yes) return false;
  }
  return true;
}

bool WriteBack::ResultPresent() const {
  if (!Out(0).empty()) return true;
  MsgBox("No " + f_.resultName + " has been calculated.  No " + f_.resultName + " can be used.", mb::OKOnly, " ");
  return false;
}

bool WriteBack::WithinLimits() {
  const double r = Val(Out(0));
  if (r <= f_.resultMax && r >= f_.resultMin) return true;
  const int answer =
      MsgBox("Calculated " + f_.resultName + " is outside normal limit of " + Str(f_.resultMin) + " to " +
                 Str(f_.resultMax) + ".  Check your inputs as this combination seems quite unusual." + kCR + kCR +
                 "Do you still want to close this menu?  (If you answer Yes, you will have to re-enter these "
                 "numbers again.)",
             mb::YesNoCancel + mb::Question + mb::DefaultButton2, " ");
  result_.close = answer == ans::Yes;
  return false;
}

bool WriteBack::ExampleCheck(const ExampleGroup& g) {
  const double marker = Spec(g.menu, g.markerSpec);
  if (marker == 0) return true;
  const int answer = MsgBox("Changing this value means these specs no longer match:" + kCR + kCR + "    " +
                                SpecAt(g.menu, g.nameSpec) + kCR + kCR + "Change this spec anyway?",
                            mb::YesNo + mb::DefaultButton2, "Change these Example Specs?");
  if (answer != ans::Yes) return false;
  const int choice = g.choice >= 0 ? g.choice : static_cast<int>(RoundHalfEven(marker));
  result_.exampleBroken = true;
  result_.exampleListIndex = choice;
  result_.exampleMenu = g.typeSpec;
  result_.exampleSpecMenu = g.menu;
  Write(g.menu, g.nameSpec, "");
  Write(g.menu, g.markerSpec, "");
  Write(g.menu, g.typeSpec, Trim(Str(choice)));
  return true;
}

void WriteBack::EntryOffer(const std::string& entry, int menu, int spec, const std::string& what,
                           const std::string& unit, const std::string& target, const std::string& menuName,
                           const std::string& label, const std::string& title) {
  const std::string& current = SpecAt(menu, spec);
  if (Val(entry) == Val(current)) return;
  const int answer = MsgBox("Do you want the " + what + " you entered here of " + entry + " " + unit +
                                " to be used as the " + target + " in the " + menuName + " menu?" + kCR + kCR +
                                label + " is currently set to " + current + " " + unit + ".",
                            mb::YesNo + mb::DefaultButton1, title);
  if (answer == ans::Yes) Write(menu, spec, entry);
}

void WriteBack::OutputOffer(const std::string& line, const std::string& title, int menu, int spec,
                            const std::string& text) {
  if (MsgBox("Do you want to also use the calculated:" + kCR + kCR + line, mb::YesNo + mb::DefaultButton1, title) ==
      ans::Yes)
    Write(menu, spec, text);
}

void WriteBack::Horsepower() {
  const double method = Spec(kEngine, 0);
  if (method == 0 || method == 3) {
    Write(kEngine, 4, Out(0));
    Write(kEngine, 5, RowText(6));
    Write(kEngine, 0, "0");
    Write(kEngine, 6, "0");
  } else if (method == 1) {
    Write(kEngine, 4, Out(0));
    Write(kEngine, 5, RowText(6));
    Write(kEngine, 2, Out(1));
    Write(kEngine, 3, Out(2));
    Write(kEngine, 0, "1");
    Write(kEngine, 6, "0");
  } else {
    // A full power curve: the curve the estimate just drew replaces it.
    Write(kEngine, 0, "2");
    Write(kEngine, 6, "0");
    for (int p = 1; p <= 8; ++p) {
      auto& point = tbl.PowerCurveText[static_cast<size_t>(p - 1)];
      const double rpm = f_.estimatedCurve[0][p];
      point[0] = Trim(Str(rpm));
      point[1] = Format(f_.estimatedCurve[1][p], "####.0");
      point[2] = Format(rpm * Val(point[1]) / 5252, "#####.0");
    }
    for (int p = 8; p <= 9; ++p)
      for (int c = 0; c < 3; ++c) tbl.PowerCurveText[static_cast<size_t>(p)][static_cast<size_t>(c)].clear();
    Windows().EngineCurveImported();
  }
  if (f_.Row(2).enabled)
    EntryOffer(RowText(2), kVehicle, 0, "Vehicle Weight", "pounds", "Vehicle Weight", "Vehicle Specs",
               "Vehicle Weight", "Use This Vehicle Weight Also?");
  EntryOffer(RowText(4), kEngine, 1, "Displacement", "cubic inches", "Cubic Inches", "Engine Specs", "Displacement",
             "Use This Displacement Also?");
}

void WriteBack::Humidity() {
  struct Weather {
    int menu, humiditySpec, temperatureSpec;
    const char* menuName;
  };
  static const Weather kWeather[6] = {{kThrottleStop, 2, 1, "Throttle Stop"},
                                      {kThrottleStop, 11, 10, "Throttle Stop"},
                                      {kThrottleStop, 22, 21, "Throttle Stop"},
                                      {kDialIn, 2, 1, "Dial In"},
                                      {kDialIn, 11, 10, "Dial In"},
                                      {kConditions, 3, 2, "Calculate Performance Conditions"}};
  const Weather& w = kWeather[(f_.number - 40) / 2];
  Write(w.menu, w.humiditySpec, Out(0));
  // The temperature the racer typed here: the air temperature, or with the
  // wet-bulb method the dry bulb.
  if (f_.Row(2).enabled) {
    EntryOffer(RowText(2), w.menu, w.temperatureSpec, "Outside Air Temp", "degrees", "Air Temp", w.menuName,
               "Air Temp", "Use This Air Temp Also?");
  } else {
    EntryOffer(RowText(4), w.menu, w.temperatureSpec, "Dry Bulb Temp", "degrees", "Air Temp", w.menuName, "Air Temp",
               "Use This Dry Bulb Temp Also?");
  }
}

CalcValueResult WriteBack::Run() {
  const int n = f_.number;
  if (n == 1 && !GearOrderAccepted()) return result_;
  if (!ResultPresent()) return result_;
  if (!WithinLimits()) return result_;

  switch (n) {
    case 1: Write(kVehicle, 1, Out(0)); break;
    case 2:
      if (!ExampleCheck(kBody)) return result_;
      Write(kVehicle, 5, Out(0));
      EntryOffer(RowText(1), kVehicle, 0, "Vehicle Weight", "pounds", "Vehicle Weight", "Vehicle Specs",
                 "Vehicle Weight", "Use This Vehicle Weight Also?");
      break;
    case 3:
      if (!ExampleCheck(kBody)) return result_;
      Write(kVehicle, 10, Out(0));
      EntryOffer(RowText(1), kVehicle, 8, "Track Width", "inches", "Track Width", "Vehicle Specs", "Track Width",
                 "Use This Track Width Also?");
      break;
    case 4:
      if (!ExampleCheck(kFrontTires)) return result_;
      Write(kTires, 2, Out(0));
      break;
    case 5:
      if (!ExampleCheck(kRearTires)) return result_;
      Write(kTires, 5, Out(0));
      if (!Out(1).empty())
        OutputOffer("   Tread Width = " + Out(1) + " inches ?", "Use Tread Width Also?", kTires, 7, Out(1));
      break;
    case 6:
      if (!ExampleCheck(kEngineGroup)) return result_;
      Horsepower();
      break;
    case 7:
      if (!ExampleCheck(kRearTires)) return result_;
      Write(kTires, 7, Out(1));
      OutputOffer("   Tire Diameter Width = " + Out(0) + " inches ?", "Use Tire Diameter Also?", kTires, 5, Out(0));
      break;
    case 8: Write(kTires, 8, Out(0)); break;
    case 9:
      if (!ExampleCheck(kRearTires)) return result_;
      Write(kTires, 9, Out(0));
      break;
    case 24: Write(kVehicle, 0, Out(0)); break;
    case 27:
      // Displacement belongs to the engine's example set like its power.
      if (!ExampleCheck(kEngineGroup)) return result_;
      Write(kEngine, 1, Out(0));
      break;
    default:
      if (n >= 40 && n <= 51) Humidity();
      break;
  }
  for (int menu : result_.menusWritten) Windows().SpecRowsChanged(menu);
  result_.close = true;
  return result_;
}

}  // namespace

CalcValueResult UseCalcValue(const CalculatorForm& form) { return WriteBack(form).Run(); }

}  // namespace sw
