#include "printing/window_image.h"

#include <QWidget>

#include "platform/qt/printer.h"

namespace sw {

QImage CaptureFormImage(QWidget* form) { return form ? form->grab().toImage() : QImage(); }

bool PrintFormImage(QWidget* form, const QString& title) {
  return PrintImageScaledToPage(form, title, CaptureFormImage(form));
}

}  // namespace sw
