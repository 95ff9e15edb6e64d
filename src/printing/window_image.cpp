#include "printing/window_image.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "platform/qt/printer.h"
#include "platform/qt/window_place.h"
#include "platform/ui.h"

namespace sw {

namespace {

// A frame this high at the top holds a title bar.
constexpr int kTitleBarAtLeast = 10;

// The desktop's frame around the window as the screen shows it, with the
// window's inside painted from the window itself (so what covers the window
// does not hide its figures). Null where the platform cannot grab the screen.
QImage FramedImage(QWidget* form, const QImage& inside) {
  if (QGuiApplication::platformName() != "xcb" || !form->isVisible() || !form->screen()) return {};
  const QRect frame = form->frameGeometry(), client = form->geometry();
  if (client.top() - frame.top() < kTitleBarAtLeast) return {};
  // Let the desktop draw the frame at the window's present size first. The
  // window may be closed meanwhile (the front moved on): it is kept until
  // the wait is over, and then there is no frame to take.
  QPointer<QWidget> still(form);
  {
    HandlerWait wait;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 150) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  }
  if (!still || !form->isVisible() || !form->screen()) return {};
  const QPoint at = frame.topLeft() - form->screen()->geometry().topLeft();
  QImage outer = form->screen()->grabWindow(0, at.x(), at.y(), frame.width(), frame.height()).toImage();
  if (outer.isNull() || outer.width() < client.width() || outer.height() < client.height()) return {};
  outer = outer.convertToFormat(QImage::Format_RGB32);
  const qreal scale = outer.width() / qreal(frame.width());
  QPainter p(&outer);
  p.drawImage(QRectF(QPointF(client.topLeft() - frame.topLeft()) * scale, QSizeF(client.size()) * scale), inside);
  return outer;
}

}  // namespace

WindowPicture CaptureFormImage(QWidget* form) {
  WindowPicture picture;
  if (!form) return picture;
  const QImage inside = form->grab().toImage();
  picture.image = FramedImage(form, inside);
  if (!picture.image.isNull()) return picture;
  picture.image = inside;
  picture.caption = form->windowTitle();
  const int titleBar = std::max(ExpectedFrame(form).top(), form->style()->pixelMetric(QStyle::PM_TitleBarHeight));
  picture.captionHeight = static_cast<int>(titleBar * inside.devicePixelRatio() + 0.5);
  return picture;
}

bool PrintPictureScaledToPage(QWidget* parent, const QString& title, const WindowPicture& picture) {
  if (PrintImageScaledToPage(parent, title, picture.image, picture.caption, picture.captionHeight)) return true;
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
