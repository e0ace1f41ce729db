// The chart above a curve table's grid, drawn by the program itself from ChartData: the axes
// with their ticks, labels and titles, series 1 (and series 2 with a legend), inverted axes
// where the table asks for them, the "N" axis of a one-column table; and the paint box of
// segment mode, one numbered segment per row.
#pragma once

#include <QWidget>

#include <vector>

#include "tables/chart_data.h"

class QPainter;

namespace korvex {

// Draws `chart` into `rect`.
void paintChart(QPainter& painter, const QRectF& rect, const ChartData& chart);
// Draws the segments into `rect`, 20 pixels in from its edges.
void paintSegments(QPainter& painter, const QRectF& rect, const std::vector<ChartSegment>& segments);

class TChartView : public QWidget {
 public:
  explicit TChartView(QWidget* parent = nullptr);
  void setChart(ChartData chart);
  const ChartData& chart() const { return m_chart; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ChartData m_chart;
};

class TSegmentView : public QWidget {
 public:
  explicit TSegmentView(QWidget* parent = nullptr);
  void setSegments(std::vector<ChartSegment> segments);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<ChartSegment> m_segments;
};

}  // namespace korvex
