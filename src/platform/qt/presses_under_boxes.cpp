#include "platform/qt/presses_under_boxes.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QInputEvent>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include "platform/qt/action_gate.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// Byte offsets in the X protocol's event layouts (as xcb hands them over).
constexpr uint8_t kKeyPress = 2, kButtonPress = 4, kButtonRelease = 5, kDestroyNotify = 17, kUnmapNotify = 18,
                  kMapNotify = 19, kClientMessage = 33, kGenericEvent = 35;
constexpr int kCoreEventTimeAt = 4, kCoreEventWindowAt = 12, kCoreEventXAt = 24, kCoreEventYAt = 26;
// A client message: its window, its kind and, for the window manager's
// protocols, the protocol and the window system's time of the user's act.
constexpr int kMessageWindowAt = 4, kMessageTypeAt = 8, kProtocolAt = 12, kProtocolTimeAt = 16;
constexpr int kMappedWindowAt = 8;  // of a map, unmap or destroy notification
constexpr int kGenericTypeAt = 8;
constexpr uint16_t kXiKeyPress = 2, kXiButtonPress = 4, kXiButtonRelease = 5, kXiTouchBegin = 18;
constexpr int kXiTimeAt = 12, kXiDetailAt = 16, kXiEventWindowAt = 24, kXiEventXAt = 44, kXiEventYAt = 48;
constexpr uint32_t kFirstButton = 1;

template <class T>
T Read(const uint8_t* bytes, int at) {
  T v;
  std::memcpy(&v, bytes + at, sizeof v);
  return v;
}

// The program's windows shown by the program that the window system has
// not shown yet: a box among them is not on the screen. (Off X, a box is on
// the screen as soon as it is shown.)
std::set<uint32_t>& NotYetOnScreen() {
  static std::set<uint32_t> windows;
  return windows;
}

void NoteMapping(const uint8_t* bytes) {
  const uint8_t type = bytes[0] & 0x7f;
  if (type == kMapNotify || type == kUnmapNotify || type == kDestroyNotify)
    NotYetOnScreen().erase(Read<uint32_t>(bytes, kMappedWindowAt));
}

// Whether a box that blocks `w` was on the screen when the event now read
// was made: the window system had shown it before.
bool BoxOnScreenOver(const QWidget* w) {
  if (!ModalOver(w)) return false;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || !top->isModal() || NotYetOnScreen().count(uint32_t(top->effectiveWinId()))) continue;
    bool own = false;  // a box does not block its own window, nor the dialog it stands on
    for (const QWidget* p = w->window(); p && !own; p = p->parentWidget()) own = p == top;
    if (!own) return true;
  }
  return false;
}

// A click read from the window system that Qt has not yet handed on.
struct OnItsWay {
  QPointer<QWidget> in;  // the widget of the window pressed in
  QPoint at;
  uint32_t time = 0;
  uint64_t place = 0;
  bool cut = false;
};

std::vector<OnItsWay>& OnItsWayClicks() {
  static std::vector<OnItsWay> clicks;
  return clicks;
}

// Qt will drop the click, a box over its window: a button pressed clicks
// as of its press, a menu title drops its menu.
void Cut(OnItsWay& click) {
  click.cut = true;
  if (!click.in) return;
  for (QWidget* w = click.in->childAt(click.at); w && !w->isWindow(); w = w->parentWidget()) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return PressCutByBox(button, click.place);
    if (auto* bar = qobject_cast<QMenuBar*>(w))
      return MenuPressCutByBox(bar, bar->mapFrom(click.in, click.at), click.place);
  }
}

void ClickRead(const X11Click& c) {
  QWidget* in = QWidget::find(c.window);
  if (!in) return;
  auto& clicks = OnItsWayClicks();
  std::erase_if(clicks, [](const OnItsWay& w) { return !w.in; });
  // The same click told once more (by another of its devices).
  for (const OnItsWay& w : clicks)
    if (w.time == c.time && w.in == in) return;
  const qreal scale = in->devicePixelRatioF() > 0 ? in->devicePixelRatioF() : 1;
  OnItsWay click{in, QPoint(int(c.x / scale), int(c.y / scale)), c.time, MousePressRead(c.time)};
  if (ModalOver(in->window())) Cut(click);  // shown by the program, not yet by the window system
  clicks.push_back(click);
}

// Where the mouse's first button was let go: the widget under it, in the
// window that took the press (X tells the release there while the button
// is held), none outside it.
void LetGoRead(const X11Click& release) {
  static uint32_t last = 0;
  if (std::exchange(last, release.time) == release.time && release.time) return;
  QWidget* in = QWidget::find(release.window);
  QWidget* at = nullptr;
  if (in) {
    const qreal scale = in->devicePixelRatioF() > 0 ? in->devicePixelRatioF() : 1;
    const QPoint point(int(release.x / scale), int(release.y / scale));
    if (in->rect().contains(point)) at = in->childAt(point) ? in->childAt(point) : in;
  }
  MouseLetGo(at);
}

// The window manager's protocols the program takes part in (X11 atoms,
// none off X).
struct Protocols {
  uint32_t protocols = 0, takeFocus = 0, deleteWindow = 0;
};
Protocols g_protocols;

// The window system's time of a press PressedX11Window found.
uint32_t PressTimeOfX11Event(const void* event) {
  const auto* bytes = static_cast<const uint8_t*>(event);
  const bool xi = (bytes[0] & 0x7f) == kGenericEvent;
  return Read<uint32_t>(bytes, xi ? kXiTimeAt : kCoreEventTimeAt);
}

uint32_t g_lastPressTime = 0;  // of the last key, button or touch pressed in the program's windows

// The window manager's word to a window of the program: the front given to
// it for a press on its frame, or its close asked. Returns true when the
// gate took the close on (Qt never sees it then).
bool ProtocolRead(const uint8_t* bytes) {
  if (!g_protocols.protocols || Read<uint32_t>(bytes, kMessageTypeAt) != g_protocols.protocols) return false;
  QWidget* window = QWidget::find(Read<uint32_t>(bytes, kMessageWindowAt));
  if (!window || !window->isWindow()) return false;
  const uint32_t protocol = Read<uint32_t>(bytes, kProtocolAt);
  if (protocol == g_protocols.takeFocus) {
    // The front given for a press the program read itself is no frame press.
    const uint32_t time = Read<uint32_t>(bytes, kProtocolTimeAt);
    if (time && time != g_lastPressTime) FramePressRead(window, BoxOnScreenOver(window));
    return false;
  }
  return protocol == g_protocols.deleteWindow && CloseRequestRead(window, BoxOnScreenOver(window));
}

void ReadProtocols() {
#if QT_CONFIG(xcb)
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  auto atom = [c = x11->connection()](const char* name) -> uint32_t {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const uint32_t id = reply ? reply->atom : 0;
    std::free(reply);
    return id;
  };
  g_protocols = {atom("WM_PROTOCOLS"), atom("WM_TAKE_FOCUS"), atom("WM_DELETE_WINDOW")};
#endif
}

class PressFilter : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* bytes = static_cast<const uint8_t*>(message);
    NoteMapping(bytes);
    if ((bytes[0] & 0x7f) == kClientMessage) return ProtocolRead(bytes);
    if (const std::optional<X11Click> release = ReleaseOfX11Event(message)) {
      LetGoRead(*release);
      return false;
    }
    const std::optional<uint32_t> pressed = PressedX11Window(message);
    if (!pressed) return false;
    g_lastPressTime = PressTimeOfX11Event(message);
    const std::optional<X11Click> click = ClickOfX11Event(message);
    if (click) MousePressRead(click->time);
    QWidget* in = QWidget::find(*pressed);
    if (in && BoxOnScreenOver(in->window())) {
      // Once Qt has dropped the press: bringing a window back is no work
      // for the middle of the window system's event.
      QTimer::singleShot(0, qApp, [] { BringModalToFront(); });
    } else if (click) {
      ClickRead(*click);
    }
    return false;
  }
};

// Follows the clicks read through Qt: a box coming over the window before
// Qt handed the click on cuts it; Qt handing it on, or anything later, ends
// the wait. And notes the boxes the program shows, until X shows them.
class ClicksThroughQt : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto& clicks = OnItsWayClicks();
    if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow() &&
        static_cast<QWidget*>(o)->isModal() && QGuiApplication::platformName() == QLatin1String("xcb"))
      NotYetOnScreen().insert(uint32_t(static_cast<QWidget*>(o)->effectiveWinId()));
    if (clicks.empty()) return false;
    switch (e->type()) {
      case QEvent::WindowBlocked:
        if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
          for (OnItsWay& click : clicks)
            if (!click.cut && click.in && click.in->window() == o) Cut(click);
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
        if (e->spontaneous()) {
          // A move made in the same millisecond before the click is no later event.
          const auto time = uint32_t(static_cast<QInputEvent*>(e)->timestamp());
          const bool press = e->type() == QEvent::MouseButtonPress;
          std::erase_if(clicks, [time, press](const OnItsWay& c) {
            return int32_t(time - c.time) > 0 || (press && c.time == time);
          });
        }
        break;
      default:
        break;
    }
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

namespace {

// The mouse's first button pressed or let go (of the core protocol's kind
// `core`, XInput 2's `xi`).
std::optional<X11Click> FirstButtonEvent(const void* event, uint8_t core, uint16_t xi) {
  const auto* bytes = static_cast<const uint8_t*>(event);
  const uint8_t type = bytes[0] & 0x7f;
  if (type == core && bytes[1] == kFirstButton)
    return X11Click{Read<uint32_t>(bytes, kCoreEventWindowAt), Read<int16_t>(bytes, kCoreEventXAt),
                    Read<int16_t>(bytes, kCoreEventYAt), Read<uint32_t>(bytes, kCoreEventTimeAt)};
  if (type == kGenericEvent && Read<uint16_t>(bytes, kGenericTypeAt) == xi &&
      Read<uint32_t>(bytes, kXiDetailAt) == kFirstButton)
    // XInput 2 gives the place in 16.16 fixed point.
    return X11Click{Read<uint32_t>(bytes, kXiEventWindowAt), Read<int32_t>(bytes, kXiEventXAt) >> 16,
                    Read<int32_t>(bytes, kXiEventYAt) >> 16, Read<uint32_t>(bytes, kXiTimeAt)};
  return std::nullopt;
}

}  // namespace

std::optional<X11Click> ClickOfX11Event(const void* event) {
  return FirstButtonEvent(event, kButtonPress, kXiButtonPress);
}

std::optional<X11Click> ReleaseOfX11Event(const void* event) {
  return FirstButtonEvent(event, kButtonRelease, kXiButtonRelease);
}

void WatchPressesUnderBoxes() {
  static PressFilter* filter = nullptr;
  if (filter || !qApp) return;
  filter = new PressFilter;
  ReadProtocols();
  qApp->installNativeEventFilter(filter);
  FilterAllEvents<ClicksThroughQt>();
}

}  // namespace sw
