// Qt does not follow the desktop's moving of the front while one of the
// program's pop-ups is open. A window given the front meanwhile (the main
// window, as a box or a closing spec window hands the front back just when
// a command's pop-up opens) is then the window system's focus but not Qt's
// active window once the pop-up has closed: no control of it takes the
// focus, from the keyboard or a screen reader, until the racer clicks it.
// When the last pop-up closes, Qt is told of the front again.
#pragma once

namespace sw {

// Installs the watch once (the window watches in window_watches.h do).
void KeepFrontPastPopups();

}  // namespace sw
