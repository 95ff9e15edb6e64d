// Where a window of the program first appears: over the main window, whole
// on the screen, instead of wherever the desktop has room. Positions are
// those of the window's frame (title bar included), so the title bar stays
// on the screen; windows keep their size.
#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace sw {

// Moves a window that is about to be shown so that its frame stands centred
// over `anchor` (usually the main window) and lies wholly in the free area
// of the screen that holds the window it is opened from (the program's
// window in front, else the anchor). Without an anchor on screen the window
// is centred on that screen. Once the desktop has framed the window, it is
// moved in again should its real frame stick out.
void PlaceOver(QWidget* window, const QWidget* anchor);

// Moves the window so that its frame's top left corner stands at `frameAt`,
// or as near as keeps the frame wholly on the free area of the screen that
// holds `opener` (of the window's own screen without one); again once the
// desktop has framed the window.
void PlaceFrameAt(QWidget* window, QPoint frameAt, const QWidget* opener);

// Sizes and places a window about to be shown so that its frame fills
// `area` (a screen's free area), and again by its own frame once the desktop
// has framed it.
void FillArea(QWidget* window, const QRect& area, const QWidget* opener);

// Moves a shown window back into the free area of its screen where it
// stands out of it (after it grew, for example).
void KeepOnScreen(QWidget* window);

// Watches every window of the program: one whose size the program changes
// while it is shown (a mode that adds a column, a longer page) comes back
// wholly onto its screen once the change is done. A window the racer moved
// or sized by hand is left where the racer put it.
void KeepResizedWindowsOnScreen();

// The width of the window's inside at which the desktop's title bar shows
// the whole title beside its icon and buttons.
int WidthForTitle(const QWidget* window);

// The widths of the frame the desktop draws around the window: as drawn,
// else as drawn around another window of the program, else the usual ones
// (before a window has been shown its frame is not known).
QMargins ExpectedFrame(const QWidget* window);

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
