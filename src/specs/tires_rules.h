// The Wheels & Tires window apart from its widgets: which end of the car each
// frame describes (by the Drive Wheels of the body window), the note under a
// rear example, the tire libraries behind the Front/Rear chooser and the
// refusals of Save Example, and the offer to carry a change of the wheel and
// tire weights into the vehicle weight.
#pragma once

#include <string>
#include <string_view>

namespace sw {

// Slots of the Wheels & Tires menu beyond its ten rows: the example loaded
// into each frame (name, then a marker that is nonzero while the frame's rows
// are that example's values).
inline constexpr int kFrontTireNameSlot = 10;  // Frame3D3 rows 0-2
inline constexpr int kRearTireNameSlot = 12;   // Frame3D1 rows 3-9

// The Type a frame goes back to when its example link drops: "Use Specs
// Below" (entry 1 of the Frame3D3 list, row 0; entry 0 of the Frame3D1
// list, row 3).
int TireTypeWithoutExample(int typeRow);

// Frame captions and the end word of the note. Drive Wheels choice 1 puts
// the Frame3D1 rows at the front of the car, every other choice at the rear.
struct TireFrames {
  std::string frame3d3;  // "Front Wheel/Tire Specs"
  std::string frame3d1;  // "Rear Wheel/Tire Specs"
  std::string endWord;   // the end of the Frame3D1 rows: "Rear" or "Front"
};
TireFrames TireFramesFor(int driveWheels);

// The note shown while the Frame3D1 rows hold an example.
std::string TireTypeNote(std::string_view endWord);

// The library behind a frame: entry 0 of the chooser is Frame3D3 (the front
// tire library, name slot 10, Type row 0), entry 1 is Frame3D1 (the rear
// tire library, name slot 12, Type row 3), whatever the captions say.
struct TireLibrary {
  const char* component;  // "FTIRE" / "RTIRE"
  const char* prefix;     // "FTR" / "RTR"
  int nameSlot;           // 10 / 12
  int typeRow;            // 0 / 3
};
TireLibrary TireLibraryOfEntry(int chooserEntry);

// Why Save Example refuses the chosen frame ("" when it does not): the
// program estimates the Frame3D3 tires, or the frame already holds an
// example (its name as its Type list shows it).
std::string TireSaveRefusal(int chooserEntry, int frontTypePick, int rearTypePick,
                            std::string_view frame3d3Caption, std::string_view linkedName,
                            std::string_view alreadyExample, std::string_view saveNewName);

// The weight check made when the rows are stored: the wheel and tire weights
// now (front and rear slot, one wheel each) against those recorded when the
// window was opened, times the wheels at each end (one for Drive Wheels
// choice 3, else two).
struct TireWeightChange {
  double difference = 0;  // lbs, signed
  bool ask = false;       // a change of 5 lbs or more
  std::string question;   // "The combined weights of the 2 front and 2 rear Wheels/Tires has ..."
  std::string newWeight;  // the vehicle weight after "Yes", whole pounds
  std::string notice;     // "Vehicle Weight dropped to 2988 lbs."
};
TireWeightChange TireWeightChangeOf(std::string_view front, std::string_view rear, double frontBefore,
                                    double rearBefore, int driveWheels, std::string_view vehicleWeight);

inline constexpr const char* kTireWeightTitle = "Change Vehicle Weight Also?";

}  // namespace sw
