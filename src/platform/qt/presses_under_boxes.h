// The mouse as the window system hands it to the program, before Qt has
// judged it.
//
// A press or a key in a window that a box, a dialog or a print preview
// blocks brings that box back to the front, restored if it was minimised
// (with the dialog it waits on over it). Qt drops such input before any
// event filter of the program sees it, so on a desktop without a task bar a
// minimised box would leave every window dead; the input is read where the
// window system hands it to Qt (X11: a key, a button or a touch).
//
// A click made before the box was on the screen is no click under it. On a
// desktop the window manager hands the front to the window pressed in before
// the press itself reaches the program: the window that lost the front may
// ask its question (a Warning, an example or weight question) first, and Qt
// then drops the press as one made under that box. Such a press on a button
// clicks it once the box is answered, as a screen reader's press or a key
// would have gone on, if it is let go over the button (the release is read
// here too: Qt drops it under the box); a press on a menu title drops its
// menu then. A box is on the screen from the moment the window system shows
// it (maps it): the events come in the order they happened.
//
// The window manager's own frame works the same way: a press on a window's
// close box gives that window the front (X11: WM_TAKE_FOCUS, read here as
// the frame's press), and its close request comes with the release, often
// under the box the press brought up, where Qt drops it. The request is read
// here and handed to the gate as the racer's close, made at that press.
#pragma once

#include <cstdint>
#include <optional>

namespace sw {

// Installs the watch once (the window watches in window_watches.h do).
void WatchPressesUnderBoxes();

// The window an X event (an xcb_generic_event_t) presses in: a key, a
// button or a touch, from the core protocol or XInput 2; nothing for any
// other event.
std::optional<uint32_t> PressedX11Window(const void* event);

// A press of the mouse's first button in an X event: the window, the place
// in it (pixels) and the window system's time of the press.
struct X11Click {
  uint32_t window = 0;
  int x = 0, y = 0;
  uint32_t time = 0;
};
std::optional<X11Click> ClickOfX11Event(const void* event);
// Its release, likewise.
std::optional<X11Click> ReleaseOfX11Event(const void* event);

}  // namespace sw
