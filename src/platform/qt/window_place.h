// Where a window of the program first appears: over the main window, whole
// on the screen, instead of wherever the desktop has room.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

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

// Where a window whose outer rectangle (frame included) is `frame` stands
// wholly on one of the screens' free areas `areas`: on the one it overlaps
// most, else on the nearest. A rectangle larger than the area keeps its top
// left corner (and so its title bar) in view. Without areas, `frame` stays.
QPoint PlaceOnScreens(const QRect& frame, const QList<QRect>& areas);

// The client-area position at which a window shown there (with the frame
// it has, or the usual frame when it has not been shown yet) stands wholly on
// a screen: for a window position remembered between runs, which may lie on
// a screen that is no longer there.
QPoint ClientPlaceOnScreen(const QWidget* window, QPoint clientTopLeft);

// The free areas of all screens.
QList<QRect> ScreenAreas();

}  // namespace sw
