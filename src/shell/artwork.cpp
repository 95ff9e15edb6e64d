#include "shell/artwork.h"

#include <QLinearGradient>
#include <QPainter>

namespace sw {

QPixmap ProductPicture(int width, int height) {
  QPixmap pm(width, height);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(12, 18, 40));
  sky.setColorAt(0.6, QColor(40, 52, 90));
  sky.setColorAt(1, QColor(70, 70, 70));
  p.fillRect(pm.rect(), sky);

  // The strip, in perspective, with its lane lines.
  QPolygonF strip;
  strip << QPointF(width * 0.42, height * 0.45) << QPointF(width * 0.58, height * 0.45)
        << QPointF(width * 0.98, height) << QPointF(width * 0.02, height);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(45, 45, 48));
  p.drawPolygon(strip);
  p.setPen(QPen(QColor(230, 230, 230), 2));
  p.drawLine(QPointF(width * 0.5, height * 0.45), QPointF(width * 0.5, height));

  // The tree: two columns of lights, three ambers, then green.
  double cx = width * 0.5, top = height * 0.06, r = height * 0.035;
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(25, 25, 25));
  p.drawRoundedRect(QRectF(cx - r * 3.2, top - r * 0.8, r * 6.4, r * 11.6), r, r);
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i < 5; ++i) {
      QColor c = i < 3 ? QColor(255, 170, 20) : (i == 3 ? QColor(40, 220, 70) : QColor(90, 20, 20));
      p.setBrush(c);
      p.drawEllipse(QPointF(cx + side * r * 1.5, top + r + i * r * 2.2), r * 0.85, r * 0.85);
    }
  }
  return pm;
}

}  // namespace sw
