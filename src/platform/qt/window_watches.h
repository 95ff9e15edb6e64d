// Everything the program watches over its windows, installed once: their
// lifetimes (window_lifetime.h), the gate for the racer's actions
// (action_gate.h), the hold over controls under a box (held_under_boxes.h),
// the window system's presses (presses_under_boxes.h), the sizes a desktop
// gives them (window_place.h) and the front past a pop-up
// (front_past_popups.h). Windows call it as they load, so a
// test that builds one has it too.
#pragma once

namespace sw {

void WatchWindows();

}  // namespace sw
