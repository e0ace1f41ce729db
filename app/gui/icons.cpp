#include "app/gui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>

namespace korvex {

namespace {

// Colours of the pictures.
const QColor kInk(40, 40, 48);
const QColor kPaper(255, 255, 255);
const QColor kPaperEdge(110, 110, 120);
const QColor kFolder(236, 184, 64);
const QColor kFolderDark(176, 122, 20);
const QColor kDisk(52, 96, 170);
const QColor kSteel(120, 130, 145);
const QColor kSteelDark(70, 78, 92);
const QColor kSoil(196, 150, 96);
const QColor kSoilDark(126, 88, 48);
const QColor kClay(150, 120, 100);
const QColor kSand(226, 200, 140);
const QColor kRock(150, 150, 150);
const QColor kWater(60, 140, 220);
const QColor kRun(40, 160, 60);
const QColor kGrid(200, 200, 205);
const QColor kDeflection(30, 90, 200);
const QColor kMoment(200, 40, 40);
const QColor kShear(30, 140, 60);
const QColor kReaction(180, 100, 20);
const QColor kPressure(230, 120, 30);
const QColor kStage(40, 110, 130);
const QColor kLens(200, 230, 250);

QPen pen(const QColor& color, qreal width = 1.0, Qt::PenStyle style = Qt::SolidLine) {
  return QPen(color, width, style, Qt::RoundCap, Qt::RoundJoin);
}

// An arrow head with its tip at `tip`, pointing along `angleDegrees` (0 right, 90 down).
void arrowHead(QPainter& p, QPointF tip, qreal angleDegrees, qreal size, const QColor& color) {
  const qreal a = angleDegrees * M_PI / 180.0;
  const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
  const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({tip, tip + back + side, tip + back - side}));
}

// A sheet of paper with its top right corner folded over.
void sheet(QPainter& p, const QRectF& r) {
  const qreal fold = 6;
  QPolygonF outline({r.topLeft(), QPointF(r.right() - fold, r.top()), QPointF(r.right(), r.top() + fold),
                     r.bottomRight(), r.bottomLeft()});
  p.setPen(pen(kPaperEdge));
  p.setBrush(kPaper);
  p.drawPolygon(outline);
  p.setBrush(QColor(225, 225, 230));
  p.drawPolygon(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                           QPointF(r.right(), r.top() + fold)}));
}

// A magnifying glass with its lens centred at `c`.
void magnifier(QPainter& p, QPointF c, qreal radius) {
  p.setPen(pen(kSteelDark, 2.6));
  p.drawLine(c + QPointF(radius * 0.7, radius * 0.7), c + QPointF(radius * 1.75, radius * 1.75));
  p.setPen(pen(kInk, 1.5));
  p.setBrush(kLens);
  p.drawEllipse(c, radius, radius);
}

// The frame of a graph against depth: a white panel with the zero line of the value running
// down from the top (depth increases downwards).
void depthGraphFrame(QPainter& p, const QRectF& r, qreal zeroX) {
  p.setPen(pen(kPaperEdge));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(pen(kGrid, 1.0, Qt::DashLine));
  p.drawLine(QPointF(zeroX, r.top() + 1), QPointF(zeroX, r.bottom() - 1));
}

// A curve through the given points, drawn smooth with Catmull-Rom pieces.
void smoothCurve(QPainter& p, const QVector<QPointF>& pts, const QColor& color, qreal width = 1.8) {
  QPainterPath path(pts.front());
  for (int i = 0; i + 1 < pts.size(); ++i) {
    const QPointF p0 = pts[std::max(i - 1, 0)];
    const QPointF p1 = pts[i];
    const QPointF p2 = pts[i + 1];
    const QPointF p3 = pts[std::min<int>(i + 2, pts.size() - 1)];
    path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
  }
  p.setPen(pen(color, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// Soil seen from the side in `r`: a fill with short diagonal hatch lines.
void soilBlock(QPainter& p, const QRectF& r, const QColor& fill, const QColor& hatch) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRect(r);
  p.save();
  p.setClipRect(r);
  p.setPen(pen(hatch, 0.9));
  for (qreal x = r.left() - r.height(); x < r.right(); x += 3.5)
    p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
  p.restore();
}

// The wall of the side views: a steel-grey vertical bar.
void wallBar(QPainter& p, const QRectF& r) {
  p.setPen(pen(kSteelDark));
  p.setBrush(kSteel);
  p.drawRect(r);
}

void drawNew(QPainter& p) {
  sheet(p, QRectF(5.5, 2.5, 13, 19));
  p.setPen(pen(kRun, 2.0));
  p.drawLine(QPointF(17, 14), QPointF(17, 22));
  p.drawLine(QPointF(13, 18), QPointF(21, 18));
}

void drawOpen(QPainter& p) {
  p.setPen(pen(kFolderDark));
  p.setBrush(kFolderDark.lighter(140));
  p.drawPolygon(QPolygonF({QPointF(2.5, 5.5), QPointF(9, 5.5), QPointF(11, 8), QPointF(19.5, 8), QPointF(19.5, 19.5),
                           QPointF(2.5, 19.5)}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({QPointF(2.5, 19.5), QPointF(6.5, 11.5), QPointF(22.5, 11.5), QPointF(18.5, 19.5)}));
}

void drawSave(QPainter& p) {
  QPainterPath body;
  body.moveTo(3.5, 3.5);
  body.lineTo(17.5, 3.5);
  body.lineTo(20.5, 6.5);
  body.lineTo(20.5, 20.5);
  body.lineTo(3.5, 20.5);
  body.closeSubpath();
  p.setPen(pen(kDisk.darker(150)));
  p.setBrush(kDisk);
  p.drawPath(body);
  p.setBrush(QColor(215, 220, 230));
  p.drawRect(QRectF(7.5, 3.5, 8, 6));
  p.setBrush(kDisk.darker(130));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(12.5, 4.5, 2, 4));
  p.setBrush(kPaper);
  p.setPen(pen(kDisk.darker(150)));
  p.drawRect(QRectF(6.5, 12.5, 11, 8));
  p.setPen(pen(kGrid));
  p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
  p.drawLine(QPointF(8.5, 18), QPointF(15.5, 18));
}

void drawTitle(QPainter& p) {
  QFont font(QStringLiteral("Serif"));
  font.setPixelSize(19);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kDisk.darker(120));
  p.drawText(QRectF(0, -1, 24, 20), Qt::AlignCenter, QStringLiteral("T"));
  p.setPen(pen(kInk, 1.5));
  p.drawLine(QPointF(4, 20.5), QPointF(20, 20.5));
}

void drawWallProperties(QPainter& p) {
  // The cross-section of a steel pile: flanges and web.
  QPainterPath section;
  section.addRect(QRectF(4, 3, 16, 4));
  section.addRect(QRectF(10, 7, 4, 10));
  section.addRect(QRectF(4, 17, 16, 4));
  section.setFillRule(Qt::WindingFill);
  p.setPen(pen(kSteelDark));
  p.setBrush(kSteel);
  p.drawPath(section.simplified());
}

void drawWallConfiguration(QPainter& p) {
  // Backfill up to the top on the left, the excavation on the right, the water table and the
  // free height marked.
  soilBlock(p, QRectF(1, 5, 10, 18), kSoil, kSoilDark);
  soilBlock(p, QRectF(13, 15, 10, 8), kSoil, kSoilDark);
  wallBar(p, QRectF(10.5, 2.5, 3, 20));
  p.setPen(pen(kWater, 1.4));
  p.drawLine(QPointF(1, 11), QPointF(10, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(kWater);
  p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(7, 8), QPointF(5, 10.5)}));
  p.setPen(pen(kInk, 1.1));
  p.drawLine(QPointF(19, 4), QPointF(19, 13));
  arrowHead(p, QPointF(19, 2.5), -90, 3, kInk);
  arrowHead(p, QPointF(19, 14.5), 90, 3, kInk);
}

void drawSoilLayers(QPainter& p) {
  soilBlock(p, QRectF(2, 3, 20, 6), kSand, kSoil);
  soilBlock(p, QRectF(2, 9, 20, 6), kClay, kSoilDark);
  soilBlock(p, QRectF(2, 15, 20, 6), kRock, kSteelDark);
  p.setPen(pen(kInk));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 2.5, 21, 19));
}

void drawRun(QPainter& p) {
  p.setPen(pen(kRun.darker(140)));
  p.setBrush(kRun);
  p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(20, 12), QPointF(6, 21)}));
}

void drawStageConstructionOption(QPainter& p) {
  // Excavation in steps beside the wall.
  p.setPen(pen(kSoilDark));
  p.setBrush(kSoil);
  p.drawPolygon(QPolygonF({QPointF(11, 6.5), QPointF(15.5, 6.5), QPointF(15.5, 11.5), QPointF(19, 11.5),
                           QPointF(19, 16.5), QPointF(22.5, 16.5), QPointF(22.5, 22.5), QPointF(11, 22.5)}));
  p.setBrush(kSoil.darker(110));
  p.drawRect(QRectF(1.5, 3.5, 7, 19));
  wallBar(p, QRectF(8.5, 1.5, 2.5, 21));
  p.setPen(pen(kInk, 1.2));
  p.drawLine(QPointF(17, 2), QPointF(17, 8));
  arrowHead(p, QPointF(17, 10.5), 90, 3.5, kInk);
}

void drawViewOutputFile(QPainter& p) {
  sheet(p, QRectF(4.5, 2.5, 15, 19));
  p.setPen(pen(kInk, 1.0));
  for (qreal y = 8; y < 20; y += 2.5) p.drawLine(QPointF(7, y), QPointF(y < 10 ? 13 : 17, y));
}

void drawViewSoilProfile(QPainter& p) {
  // The wall in its soil, the layers on both faces.
  soilBlock(p, QRectF(1, 3, 9.5, 6), kSand, kSoil);
  soilBlock(p, QRectF(1, 9, 9.5, 7), kClay, kSoilDark);
  soilBlock(p, QRectF(1, 16, 9.5, 6), kRock, kSteelDark);
  soilBlock(p, QRectF(13.5, 12, 9.5, 4), kClay, kSoilDark);
  soilBlock(p, QRectF(13.5, 16, 9.5, 6), kRock, kSteelDark);
  wallBar(p, QRectF(10.5, 1.5, 3, 21));
}

void drawView3D(QPainter& p) {
  const QPointF front[] = {{4, 9}, {15, 9}, {15, 21}, {4, 21}};
  const QPointF top[] = {{4, 9}, {9, 3.5}, {20, 3.5}, {15, 9}};
  const QPointF side[] = {{15, 9}, {20, 3.5}, {20, 15.5}, {15, 21}};
  p.setPen(pen(kSteelDark));
  p.setBrush(kSteel.lighter(130));
  p.drawPolygon(front, 4);
  p.setBrush(kSteel.lighter(160));
  p.drawPolygon(top, 4);
  p.setBrush(kSteel);
  p.drawPolygon(side, 4);
}

void drawPYCurves(QPainter& p) {
  // Soil resistance p rising with deflection y and levelling off, for two depths.
  p.setPen(pen(kPaperEdge));
  p.setBrush(kPaper);
  p.drawRect(QRectF(2.5, 2.5, 19, 19));
  p.setPen(pen(kInk, 1.2));
  p.drawLine(QPointF(4.5, 19.5), QPointF(20, 19.5));
  p.drawLine(QPointF(4.5, 19.5), QPointF(4.5, 4));
  smoothCurve(p, {{4.5, 19.5}, {7, 10}, {11, 6.5}, {20, 5.5}}, kDeflection);
  smoothCurve(p, {{4.5, 19.5}, {8, 14}, {12, 12}, {20, 11.5}}, kMoment);
}

// A curve from `from` to `to` bent by two control points.
void bentCurve(QPainter& p, QPointF from, QPointF c1, QPointF c2, QPointF to, const QColor& color, qreal width = 2.0) {
  QPainterPath path(from);
  path.cubicTo(c1, c2, to);
  p.setPen(pen(color, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void drawDeflection(QPainter& p) {
  // A cantilever's deflection: largest at the top, dying out towards the toe.
  depthGraphFrame(p, QRectF(3.5, 2.5, 17, 19), 8.5);
  bentCurve(p, {18, 4}, {13, 9}, {8.5, 13}, {7, 20.5}, kDeflection);
}

void drawMoment(QPainter& p) {
  // One lobe: nothing at the top, a peak below the excavation level, nothing at the toe.
  depthGraphFrame(p, QRectF(3.5, 2.5, 17, 19), 7.5);
  bentCurve(p, {7.5, 3.5}, {9, 11}, {24, 15}, {7.5, 20.5}, kMoment);
}

void drawShear(QPainter& p) {
  depthGraphFrame(p, QRectF(3.5, 2.5, 17, 19), 12);
  smoothCurve(p, {{12, 4}, {17.5, 9}, {12, 12.5}, {6.5, 16}, {12, 20}}, kShear, 2.0);
}

void drawNetReaction(QPainter& p) {
  // Load from the backfill above the excavation level, soil resistance below it.
  depthGraphFrame(p, QRectF(3.5, 2.5, 17, 19), 12);
  p.setPen(pen(kReaction, 1.3));
  p.setBrush(kReaction.lighter(160));
  p.drawPolygon(QPolygonF({QPointF(12, 4), QPointF(17, 11), QPointF(12, 11)}));
  p.drawPolygon(QPolygonF({QPointF(12, 12.5), QPointF(6.5, 16.5), QPointF(12, 20.5)}));
}

void drawDMV(QPainter& p) {
  // Deflection, moment and shear side by side.
  const QColor colours[] = {kDeflection, kMoment, kShear};
  for (int i = 0; i < 3; ++i) {
    const qreal left = 1.5 + i * 7.5;
    const qreal zero = left + 2.5;
    depthGraphFrame(p, QRectF(left, 3.5, 6, 17), zero);
    QVector<QPointF> curve;
    if (i == 0) curve = {{left + 5, 5}, {left + 3.5, 11}, {zero, 19}};
    if (i == 1) curve = {{zero, 5}, {left + 5, 12}, {zero, 19}};
    if (i == 2) curve = {{zero, 5}, {left + 5, 9}, {left + 1, 15}, {zero, 19}};
    smoothCurve(p, curve, colours[i], 1.4);
  }
}

void drawPressure(QPainter& p) {
  // A pressure triangle growing with depth, pushing on the wall.
  p.setPen(pen(kPressure.darker(130)));
  p.setBrush(kPressure.lighter(150));
  p.drawPolygon(QPolygonF({QPointF(4.5, 3), QPointF(4.5, 21), QPointF(19, 21)}));
  wallBar(p, QRectF(19.5, 1.5, 3, 21));
  p.setPen(pen(kPressure.darker(150), 1.2));
  for (qreal y : {10.0, 16.0}) {
    const qreal tipX = 18.5;
    const qreal startX = 4.5 + (y - 3) * 14.5 / 18 - 1;
    p.setPen(pen(kPressure.darker(150), 1.2));
    p.drawLine(QPointF(startX - 2, y), QPointF(tipX - 2.5, y));
    arrowHead(p, QPointF(tipX, y), 0, 3, kPressure.darker(150));
  }
}

void drawStageNumber(QPainter& p, int stage) {
  p.setPen(pen(kStage.darker(140)));
  p.setBrush(kStage);
  p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 4, 4);
  QFont font;
  font.setPixelSize(16);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kPaper);
  p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QString::number(stage));
}

void drawPanning(QPainter& p) {
  const QPointF c(12, 12);
  p.setPen(pen(kInk, 1.6));
  p.drawLine(QPointF(12, 4.5), QPointF(12, 19.5));
  p.drawLine(QPointF(4.5, 12), QPointF(19.5, 12));
  arrowHead(p, QPointF(12, 2), -90, 4.5, kInk);
  arrowHead(p, QPointF(12, 22), 90, 4.5, kInk);
  arrowHead(p, QPointF(2, 12), 180, 4.5, kInk);
  arrowHead(p, QPointF(22, 12), 0, 4.5, kInk);
  p.setBrush(kPaper);
  p.setPen(pen(kInk, 1.2));
  p.drawEllipse(c, 2, 2);
}

void drawZoomWindow(QPainter& p) {
  p.setPen(pen(kInk, 1.2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(2.5, 2.5, 15, 12));
  magnifier(p, QPointF(14.5, 13.5), 4.5);
}

void drawZooming(QPainter& p) {
  magnifier(p, QPointF(9.5, 9.5), 6.5);
  p.setPen(pen(kInk, 1.3));
  p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
  arrowHead(p, QPointF(9.5, 5), -90, 3, kInk);
  arrowHead(p, QPointF(9.5, 14), 90, 3, kInk);
}

void drawRotating(QPainter& p) {
  // A circle open at the upper right, its arrow head turning clockwise.
  const QPointF centre(12, 12);
  const qreal radius = 8;
  const qreal openEndDegrees = 50;
  p.setPen(pen(kDeflection, 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), openEndDegrees * 16, 280 * 16);
  const qreal a = openEndDegrees * M_PI / 180.0;
  const QPointF end = centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
  const qreal heading = 90 - openEndDegrees;  // the clockwise tangent there, on screen
  const qreal size = 5;
  arrowHead(p, end + QPointF(std::cos(heading * M_PI / 180), std::sin(heading * M_PI / 180)) * (size - 1.5), heading,
            size, kDeflection);
}

void drawZoom(QPainter& p, bool in) {
  magnifier(p, QPointF(9.5, 9.5), 6.5);
  p.setPen(pen(kInk, 1.8));
  p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
  if (in) p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

void drawRestartView(QPainter& p) {
  // Home: back to the starting view.
  p.setPen(pen(kSteelDark, 1.2));
  p.setBrush(kPaper);
  p.drawPolygon(QPolygonF({QPointF(5.5, 11.5), QPointF(12, 5), QPointF(18.5, 11.5), QPointF(18.5, 20.5),
                           QPointF(5.5, 20.5)}));
  p.setBrush(kMoment);
  p.drawPolygon(QPolygonF({QPointF(2.5, 12.5), QPointF(12, 3), QPointF(21.5, 12.5), QPointF(19.5, 12.5),
                           QPointF(12, 5.5), QPointF(4.5, 12.5)}));
  p.setBrush(kSoil);
  p.drawRect(QRectF(10.5, 14.5, 3.5, 6));
}

void drawDeformedShape(QPainter& p) {
  // The wall as built (dashed) and as it deflects.
  p.setPen(pen(kSteel, 1.0, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(5.5, 2.5, 4, 19));
  QPainterPath bent;
  bent.moveTo(15, 2.5);
  bent.cubicTo(QPointF(12, 10), QPointF(10, 15), QPointF(9.5, 21.5));
  bent.lineTo(13.5, 21.5);
  bent.cubicTo(QPointF(14, 15), QPointF(16, 10), QPointF(19, 2.5));
  bent.closeSubpath();
  p.setPen(pen(kDeflection.darker(130)));
  p.setBrush(kDeflection.lighter(130));
  p.drawPath(bent);
}

}  // namespace

void paintToolIcon(QPainter& p, ToolIcon id) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  switch (id) {
    case ToolIcon::NewFile: drawNew(p); break;
    case ToolIcon::OpenFile: drawOpen(p); break;
    case ToolIcon::SaveFile: drawSave(p); break;
    case ToolIcon::Title: drawTitle(p); break;
    case ToolIcon::WallProperties: drawWallProperties(p); break;
    case ToolIcon::WallConfiguration: drawWallConfiguration(p); break;
    case ToolIcon::SoilLayers: drawSoilLayers(p); break;
    case ToolIcon::RunAnalysis: drawRun(p); break;
    case ToolIcon::StageOption: drawStageConstructionOption(p); break;
    case ToolIcon::ViewOutput: drawViewOutputFile(p); break;
    case ToolIcon::SoilProfile: drawViewSoilProfile(p); break;
    case ToolIcon::View3D: drawView3D(p); break;
    case ToolIcon::PYCurves: drawPYCurves(p); break;
    case ToolIcon::Deflection: drawDeflection(p); break;
    case ToolIcon::Moment: drawMoment(p); break;
    case ToolIcon::Shear: drawShear(p); break;
    case ToolIcon::NetReaction: drawNetReaction(p); break;
    case ToolIcon::DMV: drawDMV(p); break;
    case ToolIcon::Pressure: drawPressure(p); break;
    case ToolIcon::Stage1:
    case ToolIcon::Stage2:
    case ToolIcon::Stage3:
    case ToolIcon::Stage4:
    case ToolIcon::Stage5:
      drawStageNumber(p, static_cast<int>(id) - static_cast<int>(ToolIcon::Stage1) + 1);
      break;
    case ToolIcon::Panning: drawPanning(p); break;
    case ToolIcon::ZoomWindow: drawZoomWindow(p); break;
    case ToolIcon::Zooming: drawZooming(p); break;
    case ToolIcon::Rotating: drawRotating(p); break;
    case ToolIcon::ZoomIn: drawZoom(p, true); break;
    case ToolIcon::ZoomOut: drawZoom(p, false); break;
    case ToolIcon::RestartView: drawRestartView(p); break;
    case ToolIcon::DeformedShape: drawDeformedShape(p); break;
  }
  p.restore();
}

QPixmap toolIconImage(ToolIcon id, int scale) {
  QPixmap image(kToolIconSize * scale, kToolIconSize * scale);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(scale, scale);
  paintToolIcon(painter, id);
  return image;
}

QIcon toolIcon(ToolIcon id) {
  QIcon icon;
  for (const int scale : {1, 2}) icon.addPixmap(toolIconImage(id, scale));
  return icon;
}

}  // namespace korvex
