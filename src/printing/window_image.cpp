#include "printing/window_image.h"

#include <QWidget>

#include "platform/qt/printer.h"
#include "platform/ui.h"

namespace sw {

QImage CaptureFormImage(QWidget* form) { return form ? form->grab().toImage() : QImage(); }

bool PrintPictureScaledToPage(QWidget* parent, const QString& title, const QImage& picture) {
  if (PrintImageScaledToPage(parent, title, picture)) return true;
  ReportPrintFailure();
  return false;
}

bool PrintFormImage(QWidget* form, const QString& title) {
  return PrintPictureScaledToPage(form, title, CaptureFormImage(form));
}

void ReportPrintFailure() {
  if (!LastPrintFailed()) return;
  MsgBox("The printout could not be made.  Check that the printer is ready, or print to a file in a folder you can "
         "write to.",
         mb::Exclamation + mb::OKOnly, "Printing");
}

}  // namespace sw
