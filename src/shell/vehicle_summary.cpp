#include "shell/vehicle_summary.h"

#include <cmath>

#include "platform/text.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/engine_rules.h"
#include "specs/preset_lists.h"

namespace sw {

namespace {

int Choice(int menu, int k) { return SummaryChoice(menu, k); }

void Set(int menu, int k, const std::string& text) { SpecAt(menu, k) = text; }

// The item that a stored choice number selects in a preset list, or "" when
// the list has no such item.
bool PresetItem(int menu, int spec, int choice, std::string& item) {
  int count = -1;
  ReadComboData(ComboLines, menu, spec, count);
  if (choice < 0 || choice > count || choice >= kComboLinesMax) return false;
  item = ComboLines[choice];
  return true;
}

std::string DrivetrainLine() {
  shell.SummaryConverter = 0;
  std::string text;
  int type = Choice(kTransmission, 0);
  if (type < 5) {
    // The type as stored, named as the Transmission window's list names it.
    static const char* kTypes[5] = {"Clutch:  Program estimates specs", "Clutch:  User Defined Specs",
                                    "Clutch:  Pick from Examples", "Converter:  User Defined Specs",
                                    "Converter:  Pick from Examples"};
    if (type >= 0) text = kTypes[type];
    if (type >= 3) shell.SummaryConverter = 1;
    Set(kTransmission, 22, "");
    Set(kTransmission, 23, "");
  } else {
    text = SpecAt(kTransmission, 22);
    if (Left(text, 6) == "Ex Con") shell.SummaryConverter = 1;
  }

  std::string gears;
  if (Choice(kTransmission, 7) < 2) {
    if (Choice(kTransmission, 7) == 1) Set(kTransmission, 7, "0");
    int n = 6;
    for (int k = 1; k <= 6; ++k)
      if (Spec(kTransmission, 9 + k) == 0) {
        n = k;
        break;
      }
    gears = Str(n) + " speed, user defined specs";
    Set(kTransmission, 24, "");
    Set(kTransmission, 25, "");
  } else {
    gears = SpecAt(kTransmission, 24);
  }
  return text + "\n" + "Transmission:  " + gears;
}

std::string BodyLine() {
  std::string first = "Weight: " + SpecAt(kVehicle, 0) + Space(10) + "Axle Ratio: " + SpecAt(kVehicle, 1);
  std::string body;
  if (Choice(kVehicle, 3) < 2) {
    if (Choice(kVehicle, 3) == 1) Set(kVehicle, 3, "0");
    static const char* kDrive[4] = {"Rear", "Front", "4", "Motorcycle"};
    int code = Choice(kVehicle, 4);
    std::string drive = code >= 0 && code <= 3 ? kDrive[code] : "";
    if (drive.size() < 7) drive += " Wheel Drive";
    body = "User defined " + drive;
    Set(kVehicle, 15, "");
    Set(kVehicle, 16, "");
  } else {
    body = SpecAt(kVehicle, 15);
  }
  return first + "\n" + "Body Style:  " + body;
}

std::string TiresLine() {
  std::string a;
  int type = Choice(kTires, 0);
  if (type == 2) type = 1, Set(kTires, 0, "1");
  if (type == 0) a = "Program will estimate";
  if (type == 1) {
    a = "User defined";
    Set(kTires, 10, "");
    Set(kTires, 11, "");
  }
  if (type >= 3) a = SpecAt(kTires, 10);

  std::string b;
  if (Choice(kTires, 3) < 2) {
    if (Choice(kTires, 3) == 1) Set(kTires, 3, "0");
    std::string tireType;
    if (!PresetItem(kTires, 6, Choice(kTires, 6), tireType)) tireType = SpecAt(kTires, 6);
    b = SpecAt(kTires, 7) + "\" x " + SpecAt(kTires, 5) + "\" " + tireType;
    Set(kTires, 12, "");
    Set(kTires, 13, "");
  } else {
    b = SpecAt(kTires, 12);
  }

  if (Choice(kVehicle, 4) == 1)
    return "Rear Wheel/Tire(s):  " + a + "\n" + "Front Wheel/Tire(s):  " + b;
  return "Front Wheel/Tire(s):  " + a + "\n" + "Rear Wheel/Tire(s):  " + b;
}

std::string LaunchAndShiftLine() {
  const std::string limitSpin = "Program will limit tire spin";
  int type = Choice(kDriving, 0);
  std::string launch = limitSpin + " starting at ";
  if (tbl.BeginnerLevel != 1) {
    if (type == 1) launch = "User defined starting at ";
    if (type == 2) launch = limitSpin + " && not let RPM fall below ";
  }
  bool converter = shell.SummaryConverter == 1;
  if (!converter) launch += " " + SpecAt(kDriving, 1) + " RPM";

  // Shift time codes 0..3 give .8, .4, .2 and .0 s; kept to tenths so that
  // code 3 is exactly 0.
  double shiftTime = 0.6 - 0.2 * Spec(kDriving, 5);
  if (shiftTime > 0.5) shiftTime = 0.8;
  shiftTime = std::round(shiftTime * 10.0) / 10.0;
  if (shiftTime == 0) shiftTime = 0;  // no "-.0"

  std::string shift;
  if (!converter) {
    std::string item;
    if (PresetItem(kDriving, 6, Choice(kDriving, 6), item)) shift = Mid(item, 4);
    if (shiftTime == 0) shift = "Power Shift";
  } else {
    launch = std::string(type == 1 ? "User defined " : limitSpin) + ", automatic trans.";
    shift = " full throttle";
  }
  shift += " at ";

  if (Spec(kDriving, 7) != 0 && tbl.BeginnerLevel != 1) {
    bool first = true;
    for (int j = 7; j <= 11; ++j) {
      if (Spec(kTransmission, 3 + j) == 0) continue;
      shift += (first ? " " : ", ") + Format(Spec(kDriving, j + 1), "#####");
      first = false;
    }
    shift += " RPM";
  } else {
    shift += " Computer Picked RPMs";
  }
  return "Launch:  " + launch + "\n" + "Shifts:  " + Format(shiftTime, ".0") + " sec" + shift;
}

}  // namespace

std::array<std::string, 5> VehicleSummaryLines() {
  tbl.SpecText[116] = "0";
  std::array<std::string, 5> lines;
  lines[0] = SummaryEngineLine();
  lines[1] = DrivetrainLine();
  lines[2] = BodyLine();
  lines[3] = TiresLine();
  lines[4] = LaunchAndShiftLine();
  return lines;
}

std::string LabelText(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    out += caption[i];
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  return out;
}

}  // namespace sw
