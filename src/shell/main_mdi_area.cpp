#include "shell/main_mdi_area.h"

#include <QLinearGradient>
#include <QPainter>

namespace sw {

MainMdiArea::MainMdiArea(QWidget* parent) : QMdiArea(parent) {
  QLinearGradient g(0, 0, 0, 1);
  g.setCoordinateMode(QGradient::ObjectBoundingMode);
  g.setColorAt(0, QColor(70, 78, 96));
  g.setColorAt(1, QColor(38, 42, 54));
  setBackground(QBrush(g));
}

void MainMdiArea::paintEvent(QPaintEvent* e) {
  QMdiArea::paintEvent(e);
  if (!subWindowList().isEmpty()) return;
  QPainter p(viewport());
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = font();
  f.setBold(true);
  f.setPointSizeF(std::max(18.0, viewport()->height() / 7.0));
  p.setFont(f);
  p.setPen(QColor(255, 255, 255, 28));
  p.drawText(viewport()->rect(), Qt::AlignCenter, "Stagewell");
}

}  // namespace sw
