#include "app/gui/table_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace korvex {

namespace {

const QColor kSeries1(30, 80, 200);
const QColor kSeries2(200, 50, 40);
const QColor kGridLine(225, 225, 230);
const QColor kAxis(60, 60, 70);

// Maps values of an axis scale onto a pixel span, the far end first when inverted.
struct AxisMap {
  AxisScale scale;
  double from;  // pixel of scale.low
  double to;    // pixel of scale.high
  double operator()(double value) const {
    const double span = scale.high - scale.low;
    return from + (value - scale.low) / (span == 0 ? 1 : span) * (to - from);
  }
};

std::vector<double> xsOf(const ChartData& chart) {
  std::vector<double> values;
  for (const ChartPoint& p : chart.series1.points) values.push_back(p.x);
  if (chart.series2) for (const ChartPoint& p : chart.series2->points) values.push_back(p.x);
  return values;
}

std::vector<double> ysOf(const ChartData& chart) {
  std::vector<double> values;
  for (const ChartPoint& p : chart.series1.points) values.push_back(p.y);
  if (chart.series2) for (const ChartPoint& p : chart.series2->points) values.push_back(p.y);
  return values;
}

void drawSeries(QPainter& p, const ChartSeries& series, const AxisMap& x, const AxisMap& y, const QColor& color,
                bool marks) {
  if (series.points.empty()) return;
  QPainterPath path;
  for (std::size_t i = 0; i < series.points.size(); ++i) {
    const QPointF point(x(series.points[i].x), y(series.points[i].y));
    if (i == 0) path.moveTo(point); else path.lineTo(point);
  }
  p.setPen(QPen(color, 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  if (!marks) return;
  p.setBrush(color);
  for (const ChartPoint& point : series.points) p.drawRect(QRectF(x(point.x) - 2.5, y(point.y) - 2.5, 5, 5));
}

}  // namespace

void paintChart(QPainter& p, const QRectF& rect, const ChartData& chart) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF metrics(p.font());
  const AxisScale xScale = axisScale(xsOf(chart), chart.rowNumberX);
  const AxisScale yScale = axisScale(ysOf(chart));
  const std::vector<double> xTicks = axisTicks(xScale);
  const std::vector<double> yTicks = axisTicks(yScale);
  double yLabelWidth = 0;
  for (double tick : yTicks)
    yLabelWidth = std::max(yLabelWidth, metrics.horizontalAdvance(QString::fromStdString(formatAxisLabel(tick, yScale.format))));
  const double line = metrics.height();
  const QRectF plot(rect.left() + line + yLabelWidth + 12, rect.top() + line * (chart.legend ? 2.2 : 0.8),
                    0, 0);
  QRectF area(plot.topLeft(), QPointF(rect.right() - 16, rect.bottom() - 2 * line - 10));
  if (area.width() < 10 || area.height() < 10) {
    p.restore();
    return;
  }
  const AxisMap x{xScale, chart.invertedX ? area.right() : area.left(), chart.invertedX ? area.left() : area.right()};
  const AxisMap y{yScale, chart.invertedY ? area.top() : area.bottom(), chart.invertedY ? area.bottom() : area.top()};

  p.fillRect(area, Qt::white);
  // Grid lines and tick labels; a label that would touch the one before it is left out.
  double lastRight = -1e9;
  for (double tick : xTicks) {
    const double px = x(tick);
    p.setPen(QPen(kGridLine, 1));
    p.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    const QString label = QString::fromStdString(formatAxisLabel(tick, xScale.format));
    const double w = metrics.horizontalAdvance(label);
    const double left = std::clamp(px - w / 2, rect.left(), rect.right() - w);
    if (left > lastRight + 6 || chart.invertedX) {
      p.setPen(kAxis);
      p.drawText(QPointF(left, area.bottom() + line), label);
      lastRight = left + w;
    }
  }
  for (double tick : yTicks) {
    const double py = y(tick);
    p.setPen(QPen(kGridLine, 1));
    p.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    const QString label = QString::fromStdString(formatAxisLabel(tick, yScale.format));
    p.setPen(kAxis);
    p.drawText(QRectF(area.left() - yLabelWidth - 8, py - line / 2, yLabelWidth + 4, line),
               Qt::AlignRight | Qt::AlignVCenter, label);
  }
  p.setPen(QPen(kAxis, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(area);

  p.save();
  p.setClipRect(area.adjusted(-3, -3, 3, 3));
  drawSeries(p, chart.series1, x, y, kSeries1, chart.marks);
  if (chart.series2) drawSeries(p, *chart.series2, x, y, kSeries2, chart.marks);
  p.restore();

  // Axis titles: the x title under the labels, the y title turned along the left edge.
  p.setPen(kAxis);
  p.drawText(QRectF(area.left(), area.bottom() + line + 4, area.width(), line + 4), Qt::AlignHCenter | Qt::AlignTop,
             QString::fromStdString(chart.xTitle));
  p.save();
  p.translate(rect.left() + 2, area.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-area.height() / 2, 0, area.height(), line + 2), Qt::AlignHCenter | Qt::AlignTop,
             QString::fromStdString(chart.yTitle));
  p.restore();

  if (chart.legend && chart.series2) {
    double x0 = area.left();
    const double ly = rect.top() + 2;
    for (const auto& [series, color] : {std::pair{&chart.series1, kSeries1}, std::pair{&*chart.series2, kSeries2}}) {
      p.fillRect(QRectF(x0, ly + line / 2 - 2, 16, 4), color);
      const QString title = QString::fromStdString(series->title);
      p.setPen(kAxis);
      p.drawText(QPointF(x0 + 20, ly + line * 0.8), title);
      x0 += 20 + metrics.horizontalAdvance(title) + 16;
    }
  }
  p.restore();
}

void paintSegments(QPainter& p, const QRectF& rect, const std::vector<ChartSegment>& segments) {
  constexpr double kMargin = 20;
  std::vector<double> xs;
  std::vector<double> ys;
  for (const ChartSegment& s : segments) {
    xs.insert(xs.end(), {s.from.x, s.to.x});
    ys.insert(ys.end(), {s.from.y, s.to.y});
  }
  const AxisScale xScale = axisScale(xs);
  const AxisScale yScale = axisScale(ys);
  const QRectF area = rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  const AxisMap x{xScale, area.left(), area.right()};
  const AxisMap y{yScale, area.bottom(), area.top()};
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect, Qt::white);
  for (const ChartSegment& s : segments) {
    p.setPen(QPen(kSeries1, 2));
    p.drawLine(QPointF(x(s.from.x), y(s.from.y)), QPointF(x(s.to.x), y(s.to.y)));
    p.setPen(kAxis);
    p.drawText(QPointF(x(s.label.x) + 3, y(s.label.y) - 3), QString::number(s.row));
  }
  p.restore();
}

TChartView::TChartView(QWidget* parent) : QWidget(parent) { setMinimumHeight(160); }

void TChartView::setChart(ChartData chart) {
  m_chart = std::move(chart);
  update();
}

QSize TChartView::sizeHint() const { return {420, 240}; }

void TChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  paintChart(painter, QRectF(rect()).adjusted(4, 4, -4, -4), m_chart);
}

TSegmentView::TSegmentView(QWidget* parent) : QWidget(parent) { setMinimumHeight(160); }

void TSegmentView::setSegments(std::vector<ChartSegment> segments) {
  m_segments = std::move(segments);
  update();
}

QSize TSegmentView::sizeHint() const { return {420, 240}; }

void TSegmentView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintSegments(painter, QRectF(rect()), m_segments);
}

}  // namespace korvex
