// A press or a key in a window that a box, a dialog or a print preview
// blocks brings that box back to the front, restored if it was minimised
// (with the dialog it waits on over it). Qt drops such input before any
// event filter of the program sees it, so on a desktop without a task bar a
// minimised box would leave every window dead; the input is read where the
// window system hands it to Qt (X11: a key, a button or a touch).
#pragma once

#include <cstdint>
#include <optional>

namespace sw {

// Installs the watch once (the window watch in window_lifetime.h does).
void WatchPressesUnderBoxes();

// The window an X event (an xcb_generic_event_t) presses in: a key, a
// button or a touch, from the core protocol or XInput 2; nothing for any
// other event.
std::optional<uint32_t> PressedX11Window(const void* event);

}  // namespace sw
