// Windows open over the main window and stay whole on the screen.
#include <QScreen>
#include <QtTest>

#include "platform/qt/window_place.h"

using namespace sw;

class WindowPlaceTest : public QObject {
  Q_OBJECT

 private slots:
  void centredOverTheAnchor() {
    QWidget anchor;
    anchor.setGeometry(100, 80, 600, 400);
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    QWidget w;
    w.resize(200, 100);
    PlaceOver(&w, &anchor);
    const QPoint c = anchor.frameGeometry().center();
    QVERIFY(std::abs(w.x() + 100 - c.x()) <= 10);
    QVERIFY(std::abs(w.y() + 50 - c.y()) <= 30);
  }

  void neverOffTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget anchor;
    anchor.setGeometry(area.right() - 150, area.bottom() - 100, 140, 90);
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    QWidget w;
    w.resize(300, 200);
    PlaceOver(&w, &anchor);
    QVERIFY(w.x() >= area.left() && w.x() + 300 <= area.right() + 1);
    QVERIFY(w.y() >= area.top() && w.y() + 200 <= area.bottom() + 1);

    // Without an anchor on screen: the middle of the screen.
    QWidget lone;
    lone.resize(300, 200);
    PlaceOver(&lone, nullptr);
    QVERIFY(std::abs(lone.x() + 150 - area.center().x()) <= 10);

    // A shown window that grew past the bottom comes back up.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(area.left() + 10, area.bottom() - 50);
    KeepOnScreen(&w);
    QVERIFY(w.frameGeometry().bottom() <= area.bottom());
  }
};

QTEST_MAIN(WindowPlaceTest)
#include "window_place_qtest.moc"
