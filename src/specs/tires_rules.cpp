#include "specs/tires_rules.h"

#include <cmath>

#include "platform/text.h"

namespace sw {

int TireTypeWithoutExample(int typeRow) { return typeRow == 0 ? 1 : 0; }

TireFrames TireFramesFor(int driveWheels) {
  if (driveWheels == 1) return {"Rear Wheel/Tire Specs", "Front Wheel/Tire Specs", "Front"};
  return {"Front Wheel/Tire Specs", "Rear Wheel/Tire Specs", "Rear"};
}

std::string TireTypeNote(std::string_view endWord) {
  const std::string w(endWord);
  return "Note:  Traction Factor can be changed without the program changing the " + w + " Tire Type.  Other " + w +
         " Tire specs are considered unique to the tire type, and can not be changed without the program changing "
         "the name of the " +
         w + " Tire Type back to 'Use Specs Below'.";
}

TireLibrary TireLibraryOfEntry(int chooserEntry) {
  if (chooserEntry == 1) return {"RTIRE", "RTR", kRearTireNameSlot, 3};
  return {"FTIRE", "FTR", kFrontTireNameSlot, 0};
}

std::string TireSaveRefusal(int chooserEntry, int frontTypePick, int rearTypePick,
                            std::string_view frame3d3Caption, std::string_view linkedName,
                            std::string_view alreadyExample, std::string_view saveNewName) {
  const std::string already = std::string(alreadyExample) + std::string(linkedName) + std::string(saveNewName);
  if (chooserEntry == 0) {
    if (frontTypePick == 0)
      return std::string(frame3d3Caption) +
             " are currently being estimated by the program.  These specs can not be saved as an example.";
    if (frontTypePick == 3) return already;
  } else if (chooserEntry == 1 && rearTypePick == 2) {
    return already;
  }
  return {};
}

TireWeightChange TireWeightChangeOf(std::string_view front, std::string_view rear, double frontBefore,
                                    double rearBefore, int driveWheels, std::string_view vehicleWeight) {
  TireWeightChange c;
  const double f = Val(front), r = Val(rear);
  const int n = driveWheels == 3 ? 1 : 2;
  c.difference = (((f - frontBefore) - rearBefore) + r) * n;
  c.ask = std::fabs(c.difference) >= 5;
  const std::string way = c.difference < 0 ? "dropped" : "increased";
  c.question = "The combined weights of the" + Str(n) + " front and" + Str(n) + " rear Wheels/Tires has " + way +
               Str(std::fabs(c.difference)) + " lbs." + CR + CR + "Do you want the current Vehicle Weight of " +
               std::string(vehicleWeight) + " changed by this amount also?";
  c.newWeight = Format(Val(vehicleWeight) + c.difference, "#####0");
  c.notice = "Vehicle Weight " + way + " to " + c.newWeight + " lbs.";
  return c;
}

}  // namespace sw
