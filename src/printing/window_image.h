// Printing a window as a picture: what the window shows inside its frame,
// scaled to fill the page with its shape kept, portrait or landscape as the
// picture is (for that printout only).
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace sw {

// The window's inner area as the screen shows it now.
QImage CaptureFormImage(QWidget* form);

// Captures the window and prints it on one page. False when nothing was
// printed (cancelled, or a failure the user was told about).
bool PrintFormImage(QWidget* form, const QString& title);

}  // namespace sw
