#include "graphs/paint/graph_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

#include "graphs/line_style.h"
#include "graphs/paint/soil_patterns.h"

namespace korvex {

namespace {

const QColor kGridColour(150, 150, 150);
const QColor kInactiveColour(170, 170, 170);
const QColor kWallColour(120, 120, 120, 150);  // the lines at x = 0 show through

QColor colourOf(int index) {
  const LineColour c = lineColour(index);
  return QColor(c.red, c.green, c.blue);
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

QPen solidPen(const QColor& colour, double width) {
  QPen pen(colour);
  pen.setWidthF(width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void drawMarker(QPainter& painter, int index, QPointF centre, double radius, const QColor& colour) {
  QPolygonF shape;
  for (const TFloatPoint& v : markerVertices(index)) shape << centre + QPointF(v.x * radius, -v.y * radius);
  painter.setBrush(colour);
  painter.drawPolygon(shape);
  painter.setBrush(Qt::NoBrush);
}

// Text rotated to read from bottom to top, centred on `at` along the axis, its foot at `at`.
void drawUpwards(QPainter& painter, QPointF at, const QString& text) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double width = metrics.horizontalAdvance(text) + 2;
  painter.save();
  painter.translate(at);
  painter.rotate(-90);
  painter.drawText(QRectF(-width / 2, -metrics.height(), width, metrics.height()), Qt::AlignCenter, text);
  painter.restore();
}

QPointF toDevice(const PanelGeometry& panel, const TFloatPoint& p) {
  return {panel.xMap.toPixel(p.x), panel.yMap.toPixel(p.y)};
}

// The soil-layer bands behind the lines: each from the layer above to its own bottom, filled by
// its code, named in the first panel.
void drawLayers(QPainter& painter, const TGraphPlot& graph, const PanelGeometry& panel, const GraphStyle& s,
                bool writeNames) {
  painter.save();
  painter.setClipRect(panel.box, Qt::IntersectClip);
  double top = 0;
  const int layers = std::min(graph.WallLineCount, graph.LineCount(kOverlayLines));
  for (int i = 0; i < layers; ++i) {
    const TLine& layer = graph.Line(i, kOverlayLines);
    if (layer.points.empty()) continue;
    const double bottom = layer.points.front().y;
    // A layer of no thickness (a table row never filled in) has no band to show.
    if (!(bottom > top)) continue;
    const double y0 = panel.yMap.toPixel(top);
    const double y1 = panel.yMap.toPixel(bottom);
    const QRectF band(QPointF(panel.box.left(), std::min(y0, y1)), QPointF(panel.box.right(), std::max(y0, y1)));
    const QRectF visible = band.intersected(QRectF(panel.box));
    fillSoilPattern(painter, visible, static_cast<int>(layer.points.front().x), s.scale);
    painter.setPen(solidPen(QColor(90, 80, 70), std::max(1.0, s.scale)));
    painter.drawLine(QPointF(panel.box.left(), y1), QPointF(panel.box.right(), y1));
    if (writeNames && !visible.isEmpty()) {
      painter.setFont(s.layerName);
      const QFontMetricsF metrics(s.layerName, painter.device());
      const QString name = qs(layer.name).trimmed();
      QRectF label(0, 0, metrics.horizontalAdvance(name) + s.pad, metrics.height());
      label.moveCenter(QPointF(panel.box.left() + s.pad + label.width() / 2, visible.center().y()));
      // Beside the wall's line at x = 0 rather than over it.
      const double wallX = panel.xMap.toPixel(0);
      if (wallX > label.left() - s.pad && wallX < label.right() + s.pad)
        label.moveRight(panel.box.right() - s.pad);
      painter.fillRect(label, QColor(255, 255, 255, 210));
      painter.setPen(Qt::black);
      painter.drawText(label, Qt::AlignCenter, name);
    }
    top = bottom;
  }
  painter.restore();
}

// The wall: a grey bar at x = 0 from the top down to the wall's length, and a mark across it at
// the excavation depth.
void drawWall(QPainter& painter, const TGraphPlot& graph, const PanelGeometry& panel, const GraphStyle& s) {
  const int wall = std::min(graph.WallLineCount, graph.LineCount(kOverlayLines));
  if (graph.LineCount(kOverlayLines) < wall + 2) return;
  const TLine& length = graph.Line(wall, kOverlayLines);
  const TLine& excavation = graph.Line(wall + 1, kOverlayLines);
  if (length.points.empty() || excavation.points.empty()) return;
  painter.save();
  painter.setClipRect(panel.box, Qt::IntersectClip);
  const double x = panel.xMap.toPixel(0);
  const double top = panel.yMap.toPixel(0);
  const double bottom = panel.yMap.toPixel(length.points.front().y);
  const double half = 2.5 * s.scale;
  painter.setPen(Qt::NoPen);
  painter.setBrush(kWallColour);
  painter.drawRect(QRectF(QPointF(x - half, std::min(top, bottom)), QPointF(x + half, std::max(top, bottom))));
  painter.setBrush(Qt::NoBrush);
  const double level = panel.yMap.toPixel(excavation.points.front().y);
  painter.setPen(solidPen(QColor(60, 60, 60), 2.5 * s.scale));
  painter.drawLine(QPointF(x - 5 * half, level), QPointF(x + 5 * half, level));
  painter.restore();
}

void drawGridTicksAndLabels(QPainter& painter, const TGraphPlot& graph, const PanelGeometry& panel,
                            const GraphStyle& s) {
  const QRect& box = panel.box;
  QPen grid(kGridColour);
  grid.setWidthF(std::max(1.0, 0.8 * s.scale));
  grid.setStyle(Qt::DotLine);
  const QPen tick = solidPen(Qt::black, std::max(1.0, s.scale));
  painter.setFont(s.text);
  const QFontMetricsF metrics(s.text, painter.device());
  const double gap = s.charHeight / 8;

  for (long long k : tickIndices(panel.x.min, panel.x.max, panel.x.step)) {
    const double value = k * panel.x.step;
    const double x = panel.xMap.toPixel(value);
    if (k % 5 == 0) {
      painter.setPen(grid);
      painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
    }
    const double edge = graph.XOnTop ? box.top() : box.bottom();
    const double inward = graph.XOnTop ? s.tickLength : -s.tickLength;
    painter.setPen(tick);
    painter.drawLine(QPointF(x, edge), QPointF(x, edge + inward));
    if (k % panel.xLabelEvery != 0) continue;
    const QString label = qs(graphNumber(value, 4));
    const double width = metrics.horizontalAdvance(label) + 2;
    const double y = graph.XOnTop ? box.top() - gap - metrics.height() : box.bottom() + gap;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x - width / 2, y, width, metrics.height()), Qt::AlignCenter, label);
  }
  for (long long k : tickIndices(panel.y.min, panel.y.max, panel.y.step)) {
    const double value = k * panel.y.step;
    const double y = panel.yMap.toPixel(value);
    if (k % 5 == 0) {
      painter.setPen(grid);
      painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    }
    painter.setPen(tick);
    painter.drawLine(QPointF(box.left(), y), QPointF(box.left() + s.tickLength, y));
    if (k % panel.yLabelEvery != 0) continue;
    painter.setPen(Qt::black);
    drawUpwards(painter, QPointF(box.left() - gap, y), qs(graphNumber(value, 4)));
  }

  // Axis titles: x beyond the tick labels, y to the left of its labels, reading upwards.
  const int p = panel.list == kPlottedLines ? 0 : panel.list == kPanel2Lines ? 1 : 2;
  const double labelBand = gap + metrics.height() + s.charHeight * 0.25;
  const double titleY = graph.XOnTop ? box.top() - labelBand - metrics.height() : box.bottom() + labelBand;
  painter.drawText(QRectF(box.left(), titleY, box.width(), metrics.height()), Qt::AlignCenter, qs(graph.XTitle(p)));
  drawUpwards(painter, QPointF(box.left() - labelBand, box.center().y()), qs(graph.YTitle(p)));
}

void drawLines(QPainter& painter, const TGraphPlot& graph, const PanelGeometry& panel, const GraphStyle& s) {
  painter.save();
  painter.setClipRect(panel.box, Qt::IntersectClip);
  const std::vector<TLine>& lines = graph.Lines(panel.list);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const TLine& line = lines[static_cast<std::size_t>(i)];
    if (!line.active || line.points.empty()) continue;
    const QColor colour = colourOf(i);
    QPolygonF path;
    for (const TFloatPoint& p : line.points) path << toDevice(panel, p);
    painter.setPen(solidPen(colour, s.lineWidth));
    painter.drawPolyline(path);
    if (graph.Markers <= 0) continue;
    painter.setPen(solidPen(colour, std::max(1.0, 0.5 * s.scale)));
    for (std::size_t j = 0; j < line.points.size(); j += static_cast<std::size_t>(graph.Markers))
      drawMarker(painter, i, path[static_cast<int>(j)], s.markerRadius, colour);
  }
  painter.restore();
}

void drawLegend(QPainter& painter, const TGraphPlot& graph, const GraphGeometry& g) {
  if (g.legend.frame.isEmpty()) return;
  const GraphStyle& s = g.style;
  painter.setPen(solidPen(Qt::black, std::max(1.0, 0.8 * s.scale)));
  painter.setBrush(Qt::white);
  painter.drawRect(g.legend.frame);
  painter.setBrush(Qt::NoBrush);
  painter.setFont(s.legend);
  const double sample = 28 * s.scale;
  for (int i = 0; i < static_cast<int>(g.legend.entries.size()); ++i) {
    const QRectF entry = g.legend.entries[static_cast<std::size_t>(i)];
    const bool active = graph.Line(i).active;
    const QColor colour = active ? colourOf(i) : kInactiveColour;
    const double y = entry.center().y();
    QPen pen = solidPen(colour, s.lineWidth);
    if (!active) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(QPointF(entry.left(), y), QPointF(entry.left() + sample, y));
    if (graph.Markers > 0) {
      painter.setPen(solidPen(colour, std::max(1.0, 0.5 * s.scale)));
      drawMarker(painter, i, QPointF(entry.left() + sample / 2, y), s.markerRadius, colour);
    }
    painter.setPen(active ? Qt::black : kInactiveColour);
    const QRectF text(entry.left() + sample + s.pad / 2, entry.top(), entry.width() - sample - s.pad / 2, entry.height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, qs(graph.LineName(i)));
  }
}

}  // namespace

GraphGeometry drawGraph(QPainter& painter, const QRect& rect, const TGraphPlot& graph, const GraphView& view) {
  GraphGeometry g = layoutGraph(graph, *painter.device(), rect, view);
  const GraphStyle& s = g.style;
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(rect, Qt::white);
  if (!g.titleBox.isEmpty()) {
    painter.setFont(s.title);
    painter.setPen(Qt::black);
    painter.drawText(g.titleBox, Qt::AlignCenter, qs(graph.Title));
  }
  const bool layers = graph.ShowLayers && graph.LineCount(kOverlayLines) > 0;
  for (std::size_t p = 0; p < g.panels.size(); ++p) {
    const PanelGeometry& panel = g.panels[p];
    if (layers) drawLayers(painter, graph, panel, s, p == 0);
    if (layers && graph.ShowWall) drawWall(painter, graph, panel, s);
    drawGridTicksAndLabels(painter, graph, panel, s);
    drawLines(painter, graph, panel, s);
    painter.setPen(solidPen(Qt::black, std::max(1.0, s.scale)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(panel.box);
  }
  drawLegend(painter, graph, g);
  painter.restore();
  return g;
}

}  // namespace korvex
