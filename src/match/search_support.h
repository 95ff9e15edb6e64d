// What the Match search and Find Best share: the spec offsets they work on,
// the hold on other calculations, and the boxes of their calculations.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/ui.h"

namespace sw::search {

// Spec offsets within their menus.
inline constexpr int kEngMethod = 0, kEngDisplacement = 1, kEngTorque = 2, kEngTorqueRpm = 3, kEngHp = 4,
                     kEngHpRpm = 5, kEngStored = 14;
inline constexpr int kTrType = 0, kTrClutchForce = 2, kTrClutchMaterial = 4, kTrCapacity = 5, kTrMultiplication = 6,
                     kTrGear0 = 8, kTrExample1 = 22, kTrExample2 = 23;
inline constexpr int kVhWeight = 0, kVhAxle = 1, kVhDriveWheels = 4;
inline constexpr int kTiDiameter = 5, kTiType = 6, kTiTraction = 8, kTiGrowth = 9;
inline constexpr int kDrShiftMethod = 7;  // and 7 + i: the shift from gear i to i + 1
inline constexpr int kCoTrack = 7;

// A number as plain text without the leading blank ("4.1", "180").
std::string TrimmedNumber(double value);

// The search is done with the progress window and the hourglass.
void EndOfSearchDisplay();

// Nothing may start another calculation or search while one runs.
class HoldCalculation {
 public:
  HoldCalculation();
  ~HoldCalculation();
  HoldCalculation(const HoldCalculation&) = delete;
  HoldCalculation& operator=(const HoldCalculation&) = delete;

 private:
  bool before_;
};

// The calculation's own messages are shown once per search: the next box
// of the same kind gets the answer the racer gave the first one, so a
// warning that every trial raises does not come back a hundred times.
class OncePerSearchUi : public UserInterface {
 public:
  explicit OncePerSearchUi(UserInterface& inner) : inner_(inner) {}
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  InputAnswer InputBox(const std::string& p, const std::string& t, const std::string& d) override {
    return inner_.InputBox(p, t, d);
  }
  void DoEvents() override { inner_.DoEvents(); }
  void SetBusyCursor(bool busy) override { inner_.SetBusyCursor(busy); }
  UserInterface& inner() { return inner_; }

 private:
  UserInterface& inner_;
  std::map<std::string, int> answers_;
};

// The calculations of one search, each with the once-per-search boxes.
class CalculationsOfOneSearch {
 public:
  using Fn = std::function<void(double&, int&, double&)>;
  explicit CalculationsOfOneSearch(const Fn& calculate) : calculate_(calculate), ui_(Ui()) {}
  void operator()(double& speed, int& finishRow, double& sixtyFoot);

 private:
  const Fn& calculate_;
  OncePerSearchUi ui_;
};

}  // namespace sw::search
