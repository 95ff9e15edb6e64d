#include "simulation/tables.h"

#include "platform/text.h"

namespace sw {

ProgramTables tbl;

void InitTables() {
  static constexpr int16_t kStart[10] = {0, 0, 15, 45, 63, 77, 97, 117, 127, 160};
  for (int m = 1; m <= 9; ++m) tbl.SpecMenuStart[m] = kStart[m];

  struct Choices {
    int menu;
    std::initializer_list<int> offsets;
  };
  static const Choices kChoices[] = {
      {kEngine, {0, 6}},
      {kTransmission, {0, 4, 7, 8, 16, 17, 18, 19, 20}},
      {kVehicle, {2, 3, 4, 9}},
      {kTires, {0, 3, 6}},
      {kDriving, {0, 5, 6, 7}},
      {kConditions, {0, 6, 7, 8}},
      {kMatch, {0, 5}},
      {kThrottleStop, {5, 14, 15, 18, 25}},
      {kDialIn, {5, 14, 15, 18, 25}},
  };
  for (const auto& c : kChoices)
    for (int k : c.offsets) tbl.SpecKind[tbl.SpecMenuStart[c.menu] + k] = 1;

  static const char* kPlot[9] = {"",          "Engine RPM", "MPH",        "Feet",
                                 "Accel Gs",  "Engine HP",  "Throttle %", "Clutch %",
                                 "Clutch or Converter RPM"};
  for (int i = 0; i < 9; ++i) tbl.PlotTypeName[i] = kPlot[i];

  const std::string cr(1, CR);
  tbl.MsgAlreadyExample =
      "You can not save these specs as an Example because they are already an example called:" + cr + cr + "    ";
  tbl.MsgSaveNewName =
      cr + cr +
      "If you want to save these specs to a new name, change 1 spec to anything and answer 'Yes' when asked "
      "'Do you want to change the spec anyway?'.  The Example name goes away as the 'Type' at the top of this "
      "section.  Then change the spec back to its original value.  Now you can save these specs as an Example.";
  tbl.MsgBeginnerNoSave = "Saving Specs is not available when program is set to Beginner Level mode.";
  tbl.PrintCommentPrompt = "Enter a comment which will be printed at the bottom of this menu." + cr + cr +
                           "Click on Cancel to abort printing." + cr + cr +
                           "Click on OK or just press <Enter> to print no comment.";
}

void ResetTables() {
  tbl = ProgramTables{};
  InitTables();
}

double Spec(int menu, int k) { return Val(tbl.SpecText[tbl.SpecMenuStart[menu] + k]); }
std::string& SpecAt(int menu, int k) { return tbl.SpecText[tbl.SpecMenuStart[menu] + k]; }

}  // namespace sw
