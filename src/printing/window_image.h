// Printing a window as a picture: the whole window, title bar included,
// scaled to fill the page with its shape kept, portrait or landscape as the
// picture is (for that printout only).
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace sw {

// A window as it is printed. Where the platform can grab the window with
// the frame the desktop drew, the image holds it, title bar and all; else
// the image holds the window's inside and `caption` the title that the
// printout draws as a title bar above it, `captionHeight` pixels high (0
// when the image holds the frame).
struct WindowPicture {
  QImage image;
  QString caption;
  int captionHeight = 0;
  bool isNull() const { return image.isNull(); }
};

// The window as the screen shows it now.
WindowPicture CaptureFormImage(QWidget* form);

// Prints the picture on one page. False when nothing was printed: cancelled,
// or a failure the racer is told about.
bool PrintPictureScaledToPage(QWidget* parent, const QString& title, const WindowPicture& picture);

// Captures the window and prints it so.
bool PrintFormImage(QWidget* form, const QString& title);

// After a printout that gave false: tells the racer when it could not be
// made (a cancelled dialog says nothing).
void ReportPrintFailure();

}  // namespace sw
