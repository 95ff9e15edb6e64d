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

// Prints the picture on one page. False when nothing was printed: cancelled,
// or a failure the racer is told about.
bool PrintPictureScaledToPage(QWidget* parent, const QString& title, const QImage& picture);

// Captures the window and prints it so.
bool PrintFormImage(QWidget* form, const QString& title);

// After a printout that gave false: tells the racer when it could not be
// made (a cancelled dialog says nothing).
void ReportPrintFailure();

}  // namespace sw
