#include "graphs/paint/soil_patterns.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace korvex {

namespace {

constexpr double kCell = 10;  // screen pixels between the repeats of a pattern

// A light tint under the marks, so that neighbouring layers read apart at a glance.
QColor tintOf(int code) {
  switch (code) {
    case 1: return QColor(220, 228, 240);   // clay
    case 7: return QColor(250, 240, 200);   // sand
    case 8: return QColor(236, 226, 208);   // silt
    case 9: return QColor(222, 222, 222);   // strong rock
    case 10: return QColor(234, 230, 222);  // weak rock
    case 11: return QColor(238, 232, 214);  // gravel
    case 12: return QColor(222, 232, 210);  // peat
    default: return QColor(255, 255, 255);
  }
}

// Calls mark(x, y, row) at every cell of a lattice that covers `area`, anchored at the device's
// origin so that bands of one fill join without a seam.
template <typename Mark>
void eachCell(const QRectF& area, double cell, Mark mark) {
  const double firstX = std::floor(area.left() / cell) * cell - cell;
  const double firstY = std::floor(area.top() / cell) * cell - cell;
  for (double y = firstY; y <= area.bottom() + cell; y += cell) {
    const long long row = std::llround(y / cell);
    for (double x = firstX; x <= area.right() + cell; x += cell) mark(x, y, row);
  }
}

// Straight hatch lines at `degrees` from the horizontal, `spacing` apart.
void hatch(QPainter& painter, const QRectF& area, double degrees, double spacing) {
  const double radians = degrees * M_PI / 180;
  const QPointF direction(std::cos(radians), -std::sin(radians));
  const QPointF normal(-direction.y(), direction.x());
  const QPointF centre = area.center();
  const double reach = std::hypot(area.width(), area.height()) / 2 + spacing;
  // Anchored at the origin: offsets are multiples of the spacing along the normal.
  const double along = centre.x() * normal.x() + centre.y() * normal.y();
  const double first = std::floor((along - reach) / spacing) * spacing;
  for (double offset = first; offset <= along + reach; offset += spacing) {
    const QPointF base = normal * offset;
    const double t = (centre - base).x() * direction.x() + (centre - base).y() * direction.y();
    painter.drawLine(base + direction * (t - reach), base + direction * (t + reach));
  }
}

void dot(QPainter& painter, double x, double y, double radius) {
  painter.drawEllipse(QPointF(x, y), radius, radius);
}

}  // namespace

void fillSoilPattern(QPainter& painter, const QRectF& area, int code, double scale) {
  if (code < 1 || code > 12 || area.isEmpty()) return;
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  painter.fillRect(area, tintOf(code));
  const double cell = kCell * scale;
  QPen pen(QColor(110, 100, 90));
  pen.setWidthF(std::max(1.0, 0.8 * scale));
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.setBrush(QColor(110, 100, 90));
  switch (code) {
    case 1:  // clay: staggered dashes
      eachCell(area, cell, [&](double x, double y, long long row) {
        const double shift = (row % 2 == 0) ? 0 : cell / 2;
        painter.drawLine(QPointF(x + shift, y), QPointF(x + shift + cell * 0.55, y));
      });
      break;
    case 2: hatch(painter, area, 45, cell * 0.7); break;
    case 3:
      hatch(painter, area, 0, cell * 0.7);
      hatch(painter, area, 90, cell * 0.7);
      break;
    case 4:
      hatch(painter, area, 45, cell * 0.7);
      hatch(painter, area, -45, cell * 0.7);
      break;
    case 5: hatch(painter, area, 0, cell * 0.7); break;
    case 6: hatch(painter, area, 90, cell * 0.7); break;
    case 7:  // sand: staggered dots
      eachCell(area, cell * 0.8, [&](double x, double y, long long row) {
        dot(painter, x + ((row % 2 == 0) ? 0 : cell * 0.4), y, 0.9 * scale);
      });
      break;
    case 8:  // silt: rows of dots between rows of dashes
      eachCell(area, cell, [&](double x, double y, long long row) {
        if (row % 2 == 0)
          painter.drawLine(QPointF(x, y), QPointF(x + cell * 0.4, y));
        else
          dot(painter, x + cell / 2, y, 0.9 * scale);
      });
      break;
    case 9:  // strong rock: brick courses
    case 10:  // weak rock: the same courses, broken, with a crack in every brick
      eachCell(area, cell * 1.2, [&](double x, double y, long long row) {
        const double w = cell * 1.2;
        const double shift = (row % 2 == 0) ? 0 : w / 2;
        if (code == 9) {
          painter.drawLine(QPointF(x, y), QPointF(x + w, y));
        } else {
          painter.drawLine(QPointF(x, y), QPointF(x + w * 0.6, y));
        }
        painter.drawLine(QPointF(x + shift, y), QPointF(x + shift, y + w));
        if (code == 10) painter.drawLine(QPointF(x + shift + w * 0.25, y + w * 0.3), QPointF(x + shift + w * 0.45, y + w * 0.7));
      });
      break;
    case 11:  // gravel: rings
      painter.setBrush(Qt::NoBrush);
      eachCell(area, cell * 1.2, [&](double x, double y, long long row) {
        dot(painter, x + ((row % 2 == 0) ? 0 : cell * 0.6), y, cell * 0.3);
      });
      break;
    case 12:  // peat: tufts
      eachCell(area, cell * 1.4, [&](double x, double y, long long) {
        painter.drawLine(QPointF(x, y), QPointF(x - cell * 0.3, y - cell * 0.4));
        painter.drawLine(QPointF(x, y), QPointF(x, y - cell * 0.5));
        painter.drawLine(QPointF(x, y), QPointF(x + cell * 0.3, y - cell * 0.4));
      });
      break;
  }
  painter.restore();
}

}  // namespace korvex
