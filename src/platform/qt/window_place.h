// Where a window of the program first appears: over the main window, whole
// on the screen, instead of wherever the desktop has room.
#pragma once

class QWidget;

namespace sw {

// Moves a window that is about to be shown for the first time so that it
// stands centred over `anchor` (usually the main window) and lies wholly in
// the free area of the anchor's screen. Without an anchor on screen the
// window is centred on the screen.
void PlaceOver(QWidget* window, const QWidget* anchor);

// Moves a shown window back into the free area of its screen where it
// stands out of it (after it grew, for example).
void KeepOnScreen(QWidget* window);

}  // namespace sw
