#include "platform/qt/presses_under_boxes.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <QWidget>
#include <cstring>

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// Byte offsets in the X protocol's event layouts (as xcb hands them over).
constexpr uint8_t kKeyPress = 2, kButtonPress = 4, kGenericEvent = 35;
constexpr int kCoreEventWindowAt = 12;
constexpr int kGenericTypeAt = 8;
constexpr uint16_t kXiKeyPress = 2, kXiButtonPress = 4, kXiTouchBegin = 18;
constexpr int kXiEventWindowAt = 24;

template <class T>
T Read(const uint8_t* bytes, int at) {
  T v;
  std::memcpy(&v, bytes + at, sizeof v);
  return v;
}

class PressFilter : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t" || !QApplication::activeModalWidget()) return false;
    const std::optional<uint32_t> pressed = PressedX11Window(message);
    if (!pressed) return false;
    QWidget* in = QWidget::find(*pressed);
    // Once Qt has dropped the press: bringing a window back is no work for
    // the middle of the window system's event.
    if (in && ModalOver(in->window())) QTimer::singleShot(0, qApp, [] { BringModalToFront(); });
    return false;
  }
};

}  // namespace

std::optional<uint32_t> PressedX11Window(const void* event) {
  const auto* bytes = static_cast<const uint8_t*>(event);
  switch (bytes[0] & 0x7f) {  // the high bit marks an event another client sent
    case kKeyPress:
    case kButtonPress: return Read<uint32_t>(bytes, kCoreEventWindowAt);
    case kGenericEvent:
      switch (Read<uint16_t>(bytes, kGenericTypeAt)) {
        case kXiKeyPress:
        case kXiButtonPress:
        case kXiTouchBegin: return Read<uint32_t>(bytes, kXiEventWindowAt);
        default: return std::nullopt;
      }
    default: return std::nullopt;
  }
}

void WatchPressesUnderBoxes() {
  static PressFilter* filter = nullptr;
  if (filter || !qApp) return;
  filter = new PressFilter;
  qApp->installNativeEventFilter(filter);
}

}  // namespace sw
