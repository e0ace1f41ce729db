#include "app/gui/explanatory_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

#include "tables/catalogue.h"

namespace korvex {

namespace {

// Colours of the pictures.
const QColor kInk(35, 35, 45);
const QColor kSoilFill(222, 196, 150);
const QColor kSoilHatch(160, 120, 70);
const QColor kWallFill(130, 140, 156);
const QColor kWallEdge(60, 66, 80);
const QColor kWater(40, 120, 210);
const QColor kLoad(200, 50, 40);
const QColor kSpring(30, 120, 60);
const QColor kPressure(235, 150, 60, 150);
const QColor kDimension(70, 70, 90);

QPen pen(const QColor& color, qreal width = 1.2, Qt::PenStyle style = Qt::SolidLine) {
  return QPen(color, width, style, Qt::RoundCap, Qt::RoundJoin);
}

// Soil in `polygon`: a fill with diagonal hatch lines.
void soil(QPainter& p, const QPolygonF& polygon) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kSoilFill);
  p.drawPolygon(polygon);
  QPainterPath clip;
  clip.addPolygon(polygon);
  p.setClipPath(clip);
  p.setPen(pen(kSoilHatch, 0.7));
  const QRectF box = polygon.boundingRect();
  for (qreal x = box.left() - box.height(); x < box.right(); x += 9)
    p.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
  p.restore();
  p.setPen(pen(kSoilHatch, 1.0));
  p.setBrush(Qt::NoBrush);
}

void soil(QPainter& p, const QRectF& r) { soil(p, QPolygonF(r)); }

void wall(QPainter& p, const QRectF& r) {
  p.setPen(pen(kWallEdge));
  p.setBrush(kWallFill);
  p.drawRect(r);
}

// A filled arrow head with its tip at `tip`, pointing from `from` towards `tip`.
void arrowHead(QPainter& p, QPointF from, QPointF tip, const QColor& color, qreal size = 7) {
  const QPointF d = tip - from;
  const qreal length = std::hypot(d.x(), d.y());
  if (length == 0) return;
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({tip, tip - u * size + n * size * 0.45, tip - u * size - n * size * 0.45}));
  p.restore();
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal width = 1.6) {
  p.setPen(pen(color, width));
  p.drawLine(from, to);
  arrowHead(p, from, to, color);
}

// A dimension between `a` and `b` with arrow heads at both ends and `label` beside its middle:
// on the side `side` names (right, left, above or below the line).
void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, Qt::Alignment side = Qt::AlignRight) {
  p.setPen(pen(kDimension, 0.9));
  p.drawLine(a, b);
  arrowHead(p, b, a, kDimension, 6);
  arrowHead(p, a, b, kDimension, 6);
  const QPointF m = (a + b) / 2;
  QRectF box(m.x() - 60, m.y() - 9, 120, 18);
  Qt::Alignment align = Qt::AlignCenter;
  if (side & Qt::AlignRight) {
    box.moveLeft(m.x() + 4);
    align = Qt::AlignLeft | Qt::AlignVCenter;
  } else if (side & Qt::AlignLeft) {
    box.moveRight(m.x() - 4);
    align = Qt::AlignRight | Qt::AlignVCenter;
  } else if (side & Qt::AlignTop) {
    box.moveBottom(m.y() - 2);
  } else if (side & Qt::AlignBottom) {
    box.moveTop(m.y() + 2);
  }
  p.setPen(kInk);
  p.drawText(box, align, label);
}

void text(QPainter& p, const QRectF& box, const QString& s, Qt::Alignment align = Qt::AlignCenter,
          const QColor& color = kInk) {
  p.setPen(color);
  p.drawText(box, align, s);
}

// A water table at height `y` from x0 to x1 with its triangle mark at `markX`.
void waterTable(QPainter& p, qreal x0, qreal x1, qreal y, qreal markX) {
  p.setPen(pen(kWater, 1.4));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  p.setPen(Qt::NoPen);
  p.setBrush(kWater);
  p.drawPolygon(QPolygonF({QPointF(markX - 6, y - 10), QPointF(markX + 6, y - 10), QPointF(markX, y - 1)}));
}

// A spring drawn as a zigzag from `a` to `b`.
void zigzag(QPainter& p, QPointF a, QPointF b, const QColor& color) {
  const QPointF d = b - a;
  const qreal length = std::hypot(d.x(), d.y());
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  QPolygonF line({a, a + u * 10});
  const int teeth = 6;
  const qreal step = (length - 20) / teeth;
  for (int i = 0; i < teeth; ++i) line << a + u * (10 + step * (i + 0.5)) + n * ((i % 2 == 0) ? 6 : -6);
  line << b - u * 10 << b;
  p.setPen(pen(color, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(line);
}

void drawWallSection(QPainter& p) {
  // Backfill on the left rising at the slope beta, the excavation on the right.
  soil(p, QPolygonF({QPointF(20, 14), QPointF(150, 40), QPointF(150, 190), QPointF(20, 190)}));
  soil(p, QRectF(158, 122, 132, 68));
  wall(p, QRectF(150, 40, 8, 148));
  // beta: the backfill surface against the horizontal.
  p.setPen(pen(kDimension, 0.9, Qt::DashLine));
  p.drawLine(QPointF(150, 40), QPointF(95, 40));
  p.setPen(pen(kDimension, 0.9));
  p.drawArc(QRectF(150 - 44, 40 - 44, 88, 88), 180 * 16, -11 * 16);
  text(p, QRectF(72, 28, 30, 14), QStringLiteral("\u03b2"), Qt::AlignCenter);
  // The uniform load on the backfill.
  for (qreal x = 34; x < 146; x += 22) {
    const qreal y = 14 + (x - 20) * 26 / 130;
    arrow(p, QPointF(x, y - 18), QPointF(x, y - 2), kLoad, 1.3);
  }
  text(p, QRectF(150, 2, 90, 16), QStringLiteral("q (load)"), Qt::AlignLeft | Qt::AlignVCenter, kLoad);
  // The two water tables and the free height.
  waterTable(p, 20, 150, 95, 40);
  waterTable(p, 158, 290, 150, 270);
  dimension(p, QPointF(178, 40), QPointF(178, 122), QStringLiteral("H"), Qt::AlignRight);
  dimension(p, QPointF(120, 40), QPointF(120, 95), QStringLiteral("DWb"), Qt::AlignLeft);
  dimension(p, QPointF(245, 40), QPointF(245, 150), QStringLiteral("DWe"), Qt::AlignLeft);
  p.setPen(pen(kDimension, 0.7, Qt::DotLine));
  p.drawLine(QPointF(158, 40), QPointF(250, 40));
  text(p, QRectF(22, 160, 120, 16), QStringLiteral("backfill"), Qt::AlignLeft | Qt::AlignVCenter);
  text(p, QRectF(165, 168, 120, 16), QStringLiteral("excavation"), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawWallPlan(QPainter& p) {
  soil(p, QRectF(10, 20, 280, 58));
  text(p, QRectF(14, 24, 200, 16), QStringLiteral("backfill (plan view)"), Qt::AlignLeft | Qt::AlignVCenter);
  text(p, QRectF(14, 170, 200, 16), QStringLiteral("excavation"), Qt::AlignLeft | Qt::AlignVCenter);
  p.setPen(pen(kDimension, 0.8, Qt::DashLine));
  p.drawLine(QPointF(10, 100), QPointF(290, 100));
  for (int i = 0; i < 4; ++i) {
    p.setPen(pen(kWallEdge));
    p.setBrush(kWallFill);
    p.drawEllipse(QPointF(60 + 70 * i, 100), 17, 17);
  }
  p.setPen(pen(kDimension, 0.7, Qt::DotLine));
  for (qreal x : {60.0, 130.0}) p.drawLine(QPointF(x, 100), QPointF(x, 128));
  dimension(p, QPointF(60, 128), QPointF(130, 128), QStringLiteral("Wa"), Qt::AlignBottom);
  p.setPen(pen(kDimension, 0.7, Qt::DotLine));
  for (qreal x : {183.0, 217.0}) p.drawLine(QPointF(x, 100), QPointF(x, 140));
  dimension(p, QPointF(183, 140), QPointF(217, 140), QStringLiteral("Wp"), Qt::AlignBottom);
}

void drawSurcharge(QPainter& p) {
  soil(p, QRectF(10, 80, 220, 110));
  soil(p, QRectF(238, 140, 52, 50));
  wall(p, QRectF(230, 70, 8, 118));
  // A strip load with its width W and the distance X to its middle.
  p.setPen(pen(kLoad, 1.0));
  p.setBrush(QColor(kLoad.red(), kLoad.green(), kLoad.blue(), 40));
  p.drawRect(QRectF(30, 52, 60, 12));
  for (qreal x = 34; x <= 86; x += 13) arrow(p, QPointF(x, 64), QPointF(x, 79), kLoad, 1.2);
  text(p, QRectF(30, 36, 60, 14), QStringLiteral("strip"), Qt::AlignCenter, kLoad);
  // A line load (seen end on) and a point load.
  arrow(p, QPointF(140, 44), QPointF(140, 79), kLoad, 2.0);
  text(p, QRectF(115, 28, 50, 14), QStringLiteral("line"), Qt::AlignCenter, kLoad);
  arrow(p, QPointF(190, 44), QPointF(190, 79), kLoad, 2.8);
  p.setBrush(kLoad);
  p.drawEllipse(QPointF(190, 44), 3, 3);
  text(p, QRectF(165, 28, 50, 14), QStringLiteral("point"), Qt::AlignCenter, kLoad);
  dimension(p, QPointF(30, 112), QPointF(90, 112), QStringLiteral("W"), Qt::AlignBottom);
  p.setPen(pen(kDimension, 0.7, Qt::DotLine));
  p.drawLine(QPointF(60, 126), QPointF(60, 150));
  dimension(p, QPointF(60, 150), QPointF(230, 150), QStringLiteral("X"), Qt::AlignBottom);
}

void drawSprings(QPainter& p) {
  wall(p, QRectF(140, 20, 8, 166));
  for (qreal y : {80.0, 120.0, 160.0}) {
    zigzag(p, QPointF(148, y), QPointF(240, y), kSpring);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(144, y), 2.5, 2.5);
  }
  soil(p, QRectF(240, 66, 14, 108));
  text(p, QRectF(166, 92, 134, 16), QStringLiteral("lateral springs S"), Qt::AlignLeft | Qt::AlignVCenter, kSpring);
  // A rotational restraint: a spiral about the node.
  QPainterPath spiral;
  const QPointF c(144, 40);
  for (int i = 0; i <= 80; ++i) {
    const qreal a = i * 0.2;
    const QPointF q = c + QPointF(std::cos(a), std::sin(a)) * (3 + i * 0.16);
    if (i == 0) spiral.moveTo(q); else spiral.lineTo(q);
  }
  p.setPen(pen(kSpring, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(spiral);
  text(p, QRectF(10, 30, 110, 30), QStringLiteral("rotational\nrestraint R"), Qt::AlignRight | Qt::AlignVCenter, kSpring);
  text(p, QRectF(10, 150, 120, 16), QStringLiteral("at nodes"), Qt::AlignRight | Qt::AlignVCenter);
}

void drawConcentratedLoads(QPainter& p) {
  wall(p, QRectF(140, 36, 8, 150));
  const QPointF node(144, 100);
  p.setBrush(kInk);
  p.drawEllipse(node, 3, 3);
  arrow(p, QPointF(50, 100), QPointF(138, 100), kLoad, 2.0);
  text(p, QRectF(20, 80, 120, 16), QStringLiteral("lateral load"), Qt::AlignLeft | Qt::AlignVCenter, kLoad);
  // The moment: an arc about the node with its arrow.
  p.setPen(pen(kLoad, 1.6));
  p.setBrush(Qt::NoBrush);
  const QRectF arc(node.x() - 26, node.y() - 26, 52, 52);
  p.drawArc(arc, -60 * 16, 200 * 16);
  const qreal end = 140 * M_PI / 180;
  const QPointF tip = node + QPointF(std::cos(end), -std::sin(end)) * 26;
  arrowHead(p, tip + QPointF(std::sin(end), std::cos(end)) * 8, tip, kLoad);
  text(p, QRectF(176, 84, 100, 16), QStringLiteral("moment"), Qt::AlignLeft | Qt::AlignVCenter, kLoad);
  arrow(p, QPointF(144, 2), QPointF(144, 34), kLoad, 2.0);
  text(p, QRectF(154, 4, 120, 16), QStringLiteral("axial load"), Qt::AlignLeft | Qt::AlignVCenter, kLoad);
  text(p, QRectF(160, 150, 130, 30), QStringLiteral("from node\nto node"), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawTieback(QPainter& p) {
  soil(p, QRectF(10, 30, 190, 160));
  soil(p, QRectF(208, 130, 82, 60));
  wall(p, QRectF(200, 22, 8, 166));
  // The anchor: from its head on the wall down into the backfill.
  const qreal angle = 20 * M_PI / 180;
  const QPointF head(200, 66);
  const QPointF u(-std::cos(angle), std::sin(angle));
  const QPointF bondStart = head + u * 100;
  const QPointF bondEnd = head + u * 175;
  p.setPen(pen(kWallEdge, 2.0));
  p.drawLine(head, bondStart);
  p.setPen(pen(kWallEdge, 9.0));
  p.drawLine(bondStart, bondEnd);
  text(p, QRectF(bondEnd.x() - 10, bondEnd.y() + 4, 90, 16), QStringLiteral("bonded"), Qt::AlignLeft | Qt::AlignVCenter);
  text(p, QRectF(92, 48, 100, 16), QStringLiteral("unbonded"), Qt::AlignLeft | Qt::AlignVCenter);
  p.setPen(pen(kDimension, 0.8, Qt::DashLine));
  p.drawLine(head, head + QPointF(-70, 0));
  p.setPen(pen(kDimension, 0.9));
  p.drawArc(QRectF(head.x() - 56, head.y() - 56, 112, 112), 180 * 16, 20 * 16);
  text(p, QRectF(112, 70, 40, 16), QStringLiteral("angle"), Qt::AlignRight | Qt::AlignVCenter);
  dimension(p, QPointF(225, 22), QPointF(225, 66), QStringLiteral("depth"), Qt::AlignRight);
  p.setPen(pen(kDimension, 0.7, Qt::DotLine));
  p.drawLine(QPointF(208, 22), QPointF(230, 22));
  p.drawLine(QPointF(208, 66), QPointF(230, 66));
  text(p, QRectF(14, 166, 180, 16), QStringLiteral("spacing: anchor to anchor"), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawPressureDiagram(QPainter& p) {
  wall(p, QRectF(200, 20, 8, 168));
  // The diagram: load against depth, straight between the given points.
  const QPolygonF points({QPointF(200, 20), QPointF(176, 60), QPointF(130, 120), QPointF(150, 186)});
  QPolygonF area = points;
  area << QPointF(200, 186);
  p.setPen(Qt::NoPen);
  p.setBrush(kPressure);
  p.drawPolygon(area);
  p.setPen(pen(kLoad, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(points);
  p.setBrush(kLoad);
  for (const QPointF& point : points) p.drawEllipse(point, 3, 3);
  for (qreal y = 40; y < 186; y += 24) {
    const qreal x = y < 60 ? 200 - (y - 20) * 24 / 40 : (y < 120 ? 176 - (y - 60) * 46 / 60 : 130 + (y - 120) * 20 / 66);
    arrow(p, QPointF(x + 2, y), QPointF(198, y), kLoad, 1.0);
  }
  arrow(p, QPointF(240, 20), QPointF(240, 110), kDimension, 1.0);
  text(p, QRectF(246, 56, 60, 16), QStringLiteral("depth"), Qt::AlignLeft | Qt::AlignVCenter);
  arrow(p, QPointF(190, 8), QPointF(120, 8), kDimension, 1.0);
  text(p, QRectF(40, 0, 78, 16), QStringLiteral("load"), Qt::AlignRight | Qt::AlignVCenter);
  text(p, QRectF(20, 140, 100, 16), QStringLiteral("given points"), Qt::AlignLeft | Qt::AlignVCenter, kLoad);
}

}  // namespace

void paintPicture(QPainter& painter, Picture picture, const QRectF& rect) {
  painter.save();
  const qreal scale = std::min(rect.width() / kPictureWidth, rect.height() / kPictureHeight);
  painter.translate(rect.center() - QPointF(kPictureWidth, kPictureHeight) * scale / 2);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  switch (picture) {
    case Picture::WallSection: drawWallSection(painter); break;
    case Picture::WallPlan: drawWallPlan(painter); break;
    case Picture::Surcharge: drawSurcharge(painter); break;
    case Picture::Springs: drawSprings(painter); break;
    case Picture::ConcentratedLoads: drawConcentratedLoads(painter); break;
    case Picture::Tieback: drawTieback(painter); break;
    case Picture::PressureDiagram: drawPressureDiagram(painter); break;
  }
  painter.restore();
}

QImage pictureImage(Picture picture, int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintPicture(painter, picture, QRectF(0, 0, width, height));
  return image;
}

std::optional<Picture> pictureNamed(const std::string& name) {
  if (name == kPressureDiagramPicture) return Picture::PressureDiagram;
  if (name == kTiebackPicture) return Picture::Tieback;
  return std::nullopt;
}

PictureBox::PictureBox(Picture picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
  setMinimumSize(kPictureWidth, kPictureHeight);
}

void PictureBox::setPicture(Picture picture) {
  m_picture = picture;
  update();
}

QSize PictureBox::sizeHint() const { return {kPictureWidth, kPictureHeight}; }

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  paintPicture(painter, m_picture, QRectF(rect()));
}

}  // namespace korvex
