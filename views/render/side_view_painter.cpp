#include "views/render/side_view_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "views/side_view.h"

namespace korvex {

void paintSideView(QPainter& painter, const QRect& rect, const SideViewModel& model, const SideViewColours& colours) {
  painter.save();
  painter.fillRect(rect, colours.background);
  painter.translate(rect.topLeft());
  const QFontMetrics metrics = painter.fontMetrics();
  for (const SideMark& mark : sideViewMarks(model, rect.width(), rect.height(), metrics.height())) {
    const auto point = [&](std::size_t i) { return QPoint(mark.points[i].x, mark.points[i].y); };
    switch (mark.kind) {
      case SideMark::Line:
        painter.setPen(QPen(Qt::black, mark.penWidth));
        painter.drawLine(point(0), point(1));
        break;
      case SideMark::Wall: {
        QPolygon outline;
        for (std::size_t i = 0; i < mark.points.size(); ++i) outline << point(i);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(colours.wall);
        painter.drawPolygon(outline);
        break;
      }
      case SideMark::Text:
        painter.setPen(Qt::black);
        painter.drawText(point(0) + QPoint(0, metrics.ascent()), QString::fromStdString(mark.text));
        break;
      case SideMark::Circle:
        painter.setPen(QPen(Qt::black, mark.penWidth));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRect(point(0), point(1)).normalized());
        break;
    }
  }
  painter.restore();
}

}  // namespace korvex
