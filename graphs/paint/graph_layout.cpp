#include "graphs/paint/graph_layout.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

constexpr double kScreenDpi = 96;
// Text of SizeFont 10 ("Default") in points.
constexpr double kDefaultPoints = 8;
constexpr int kLegendSampleLength = 28;  // screen pixels of the line drawn beside a name

QFont sansFont(double points) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

// The widest label an axis would write, as device pixels along the axis.
double widestLabel(const AxisRange& range, const QFontMetricsF& metrics) {
  double widest = 0;
  for (long long k : tickIndices(range.min, range.max, range.step))
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(graphNumber(k * range.step, 4))));
  return widest;
}

// Ticks k with k % every == 0 carry a label: every 5th as a rule. Too few of them for the axis to
// be read (fewer than three) labels every tick or every other; labels that would run into each
// other are thinned to every 10th, 20th, 50th ...
int labelEvery(const AxisRange& range, double axisPixels, double widest, double gap) {
  const std::vector<long long> ticks = tickIndices(range.min, range.max, range.step);
  const double pixelsPerTick = range.width() > 0 ? range.step / range.width() * axisPixels : 0;
  const auto fits = [&](int every) { return every * pixelsPerTick >= widest + gap; };
  const auto labels = [&](int every) {
    return std::count_if(ticks.begin(), ticks.end(), [every](long long k) { return k % every == 0; });
  };
  if (labels(5) < 3) {
    if (fits(1)) return 1;
    if (fits(2)) return 2;
  }
  for (int every : {5, 10, 20, 50, 100, 200, 500})
    if (fits(every)) return every;
  return 1000;
}

AxisRange shownRange(const AxisRange& full, const std::optional<ViewSpan>& view) {
  if (!view || !(view->width() > 0)) return full;
  return {view->min, view->max, tickStep(view->width())};
}

PanelGeometry layoutPanel(const TGraphPlot& graph, const GraphStyle& s, const QFontMetricsF& metrics,
                          const QRect& column, GraphList list, const std::optional<PanelView>& view) {
  PanelGeometry p;
  p.list = list;
  const double ch = s.charHeight;
  const double gap = ch * 0.25;
  const double axisBand = s.pad + ch + gap + ch + gap;  // title, gap, tick labels, gap
  const double near = s.pad;
  const int top = column.top() + static_cast<int>(std::round(graph.XOnTop ? axisBand : near));
  const int bottom = column.bottom() - static_cast<int>(std::round(graph.XOnTop ? near : axisBand));
  const int left = column.left() + static_cast<int>(std::round(s.pad + ch + gap + ch + gap));
  const int right = column.right() - static_cast<int>(std::round(std::max(s.pad, 3 * s.charWidth)));
  p.box = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));

  p.full = panelRanges(graph, list);
  p.x = shownRange(p.full.x, view ? std::optional<ViewSpan>(view->x) : std::nullopt);
  p.y = shownRange(p.full.y, view ? std::optional<ViewSpan>(view->y) : std::nullopt);
  const int inset = static_cast<int>(std::ceil(s.markerRadius + s.lineWidth));
  p.inner = p.box.adjusted(inset, inset, -inset, -inset);
  if (p.inner.width() < 2 || p.inner.height() < 2) p.inner = p.box;
  p.xMap = {p.x.min, p.x.max, p.inner.left(), p.inner.right()};
  p.yMap = graph.XOnTop ? AxisMapping{p.y.min, p.y.max, p.inner.top(), p.inner.bottom()}
                        : AxisMapping{p.y.min, p.y.max, p.inner.bottom(), p.inner.top()};
  p.xLabelEvery = labelEvery(p.x, p.inner.width(), widestLabel(p.x, metrics), 2 * s.charWidth);
  p.yLabelEvery = labelEvery(p.y, p.inner.height(), widestLabel(p.y, metrics), 2 * s.charWidth);
  return p;
}

// Device points of the active plotted lines inside `area`: how much a legend there would hide.
int pointsHidden(const TGraphPlot& graph, const PanelGeometry& panel, const QRect& area) {
  int hidden = 0;
  for (const TLine& line : graph.Lines(panel.list)) {
    if (!line.active) continue;
    for (const TFloatPoint& p : line.points)
      if (QRectF(area).contains(QPointF(panel.xMap.toPixel(p.x), panel.yMap.toPixel(p.y)))) ++hidden;
  }
  return hidden;
}

LegendGeometry layoutLegend(const TGraphPlot& graph, const GraphStyle& s, QPaintDevice& device,
                            const PanelGeometry& panel) {
  LegendGeometry legend;
  const int lines = graph.LineCount();
  if (!graph.ShowLegend || lines == 0) return legend;
  const QFontMetricsF metrics(s.legend, &device);
  double widestName = 0;
  for (int i = 0; i < lines; ++i)
    widestName = std::max(widestName, metrics.horizontalAdvance(QString::fromStdString(graph.LineName(i))));
  const int inner = static_cast<int>(std::round(s.pad / 2));
  const int rowHeight = static_cast<int>(std::ceil(std::max(metrics.height(), 2 * s.markerRadius) + 2 * s.scale));
  const int entryWidth = static_cast<int>(std::ceil(kLegendSampleLength * s.scale + s.pad + widestName + inner));
  const QRect& box = panel.box;
  const int rowsFit = std::max(1, (box.height() - 2 * inner) / std::max(1, rowHeight));
  legend.columns = (lines + rowsFit - 1) / rowsFit;
  const int rows = (lines + legend.columns - 1) / legend.columns;
  const QSize size(legend.columns * entryWidth + 2 * inner, rows * rowHeight + 2 * inner);

  QPoint corner;
  if (graph.LegendX >= 0 && graph.LegendY >= 0) {
    corner = box.topLeft() + QPoint(static_cast<int>(graph.LegendX * box.width()),
                                    static_cast<int>(graph.LegendY * box.height()));
  } else {
    // The corner of the plot box where the legend hides fewest points (ties: top right first).
    const int margin = static_cast<int>(std::round(s.pad));
    const QPoint candidates[] = {
        {box.right() - margin - size.width(), box.top() + margin},
        {box.right() - margin - size.width(), box.bottom() - margin - size.height()},
        {box.left() + margin, box.bottom() - margin - size.height()},
        {box.left() + margin, box.top() + margin}};
    int fewest = -1;
    for (const QPoint& candidate : candidates) {
      const int hidden = pointsHidden(graph, panel, QRect(candidate, size));
      if (fewest < 0 || hidden < fewest) {
        fewest = hidden;
        corner = candidate;
      }
    }
  }
  // Kept inside the plot box where it fits there.
  corner.setX(std::clamp(corner.x(), box.left(), std::max(box.left(), box.right() - size.width())));
  corner.setY(std::clamp(corner.y(), box.top(), std::max(box.top(), box.bottom() - size.height())));
  legend.frame = QRect(corner, size);
  for (int i = 0; i < lines; ++i) {
    const int column = i / rows;
    const int row = i % rows;
    legend.entries.emplace_back(corner.x() + inner + column * entryWidth, corner.y() + inner + row * rowHeight,
                                entryWidth, rowHeight);
  }
  return legend;
}

}  // namespace

GraphStyle graphStyle(const TGraphPlot& graph, QPaintDevice& device) {
  GraphStyle s;
  s.scale = std::max(0.1, device.logicalDpiY() / kScreenDpi);
  const double points = kDefaultPoints * graph.SizeFont / 10.0;
  s.text = sansFont(points);
  s.title = sansFont(points * 1.25);
  s.title.setBold(true);
  s.legend = sansFont(kDefaultPoints * graph.LegendFont / 11.0 * graph.SizeFont / 10.0);
  s.layerName = QFont(QStringLiteral("Times New Roman"));
  s.layerName.setStyleHint(QFont::Serif);
  s.layerName.setPointSizeF(points * 1.1);
  const QFontMetricsF metrics(s.text, &device);
  s.charHeight = metrics.height();
  s.charWidth = metrics.averageCharWidth();
  s.pad = std::max(s.charHeight * 0.5, 4 * s.scale);
  // A sixteenth of a character, as the rule has it, is a pixel on the screen: a visible
  // minimum instead.
  s.tickLength = std::max(s.charHeight / 16, 5 * s.scale);
  s.lineWidth = std::max(1.0, 1.25 * s.scale) * std::max(1, graph.WidthLine);
  s.markerRadius = std::max(s.charWidth / 32, 3.5 * s.scale) + s.lineWidth / 2;
  return s;
}

GraphGeometry layoutGraph(const TGraphPlot& graph, QPaintDevice& device, const QRect& rect, const GraphView& view) {
  GraphGeometry g;
  g.style = graphStyle(graph, device);
  const QFontMetricsF metrics(g.style.text, &device);
  QRect area = rect;
  if (!graph.Title.empty()) {
    const int height = static_cast<int>(std::ceil(QFontMetricsF(g.style.title, &device).height() * 1.6));
    if (graph.TitleAt == TitlePosition::Top) {
      g.titleBox = QRect(rect.left(), rect.top(), rect.width(), height);
      area.setTop(rect.top() + height);
    } else {
      g.titleBox = QRect(rect.left(), rect.bottom() - height + 1, rect.width(), height);
      area.setBottom(rect.bottom() - height);
    }
  }
  const GraphList lists[3] = {kPlottedLines, kPanel2Lines, kPanel3Lines};
  const int panels = graph.ShowThree ? 3 : 1;
  for (int p = 0; p < panels; ++p) {
    const int left = area.left() + area.width() * p / panels;
    const int right = area.left() + area.width() * (p + 1) / panels - 1;
    const QRect column(QPoint(left, area.top()), QPoint(right, area.bottom()));
    g.panels.push_back(layoutPanel(graph, g.style, metrics, column, lists[p], view[static_cast<std::size_t>(p)]));
  }
  g.legend = layoutLegend(graph, g.style, device, g.panels.front());
  return g;
}

int GraphGeometry::panelAt(QPoint point) const {
  const int count = static_cast<int>(panels.size());
  for (int p = 0; p < count; ++p) {
    const int from = p == 0 ? panels[0].box.left() : (panels[p - 1].box.right() + panels[p].box.left()) / 2;
    const int to = p == count - 1 ? panels[p].box.right() : (panels[p].box.right() + panels[p + 1].box.left()) / 2;
    if (point.x() >= from && point.x() <= to) return p;
  }
  return -1;
}

int GraphGeometry::legendEntryAt(QPoint point) const {
  for (std::size_t i = 0; i < legend.entries.size(); ++i)
    if (legend.entries[i].contains(point)) return static_cast<int>(i);
  return -1;
}

}  // namespace korvex
