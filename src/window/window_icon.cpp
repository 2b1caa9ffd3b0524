#include "window/window_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ld {
namespace {

QPixmap Draw(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 64.0, side / 64.0);

  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(181, 204, 138));
  tile.setColorAt(1, QColor(110, 140, 62));
  p.setPen(QPen(QColor(74, 96, 40), 2));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);

  // A sheet with a folded corner.
  QPainterPath sheet;
  sheet.moveTo(16, 10);
  sheet.lineTo(40, 10);
  sheet.lineTo(50, 20);
  sheet.lineTo(50, 54);
  sheet.lineTo(16, 54);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(60, 78, 32), 1.5));
  p.setBrush(QColor(252, 252, 244));
  p.drawPath(sheet);
  p.drawLine(QPointF(40, 10), QPointF(40, 20));
  p.drawLine(QPointF(40, 20), QPointF(50, 20));

  // Angle brackets and a slash.
  p.setPen(QPen(QColor(196, 84, 24), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(27, 29), QPointF(21, 36), QPointF(27, 43)}));
  p.drawPolyline(QPolygonF({QPointF(39, 29), QPointF(45, 36), QPointF(39, 43)}));
  p.setPen(QPen(QColor(74, 96, 40), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(35, 27), QPointF(31, 45));
  return pixmap;
}

}  // namespace

QIcon WindowIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64}) {
    icon.addPixmap(Draw(side));
  }
  return icon;
}

}  // namespace ld
