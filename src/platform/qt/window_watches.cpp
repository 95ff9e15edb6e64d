#include "platform/qt/window_watches.h"

#include "platform/qt/action_gate.h"
#include "platform/qt/front_past_popups.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/presses_under_boxes.h"
#include "platform/qt/window_lifetime.h"
#include "platform/qt/window_place.h"

namespace sw {

void WatchWindows() {
  WatchWindowLifetimes();
  WatchRacerActions();
  HoldWindowsUnderBoxes();
  WatchPressesUnderBoxes();
  KeepResizedWindowsOnScreen();
  KeepFrontPastPopups();
}

}  // namespace sw
