// What the chart above a chart table's grid shows, apart from any drawing: the series taken from
// the table's columns, the axis titles, the axis ranges with their ticks and the text of the
// tick labels, and the segments of segment mode.
//
// Series 1 plots XColumn against YColumn for every row. With a single data column, x is the row
// number and the bottom axis is titled "N" (whole numbers, no marks). A table of three data
// columns with XColumn 0 and YColumn 1 gets series 2, column 2 against column 0, and a legend of
// the two column titles. Axis titles are the first header lines of the x and y columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tables/grid_table_chart.h"

namespace korvex {

struct ChartPoint {
  double x = 0;
  double y = 0;
  bool operator==(const ChartPoint&) const = default;
};

struct ChartSeries {
  std::string title;  // the legend's text
  std::vector<ChartPoint> points;
};

struct ChartData {
  ChartSeries series1;
  std::optional<ChartSeries> series2;
  std::string xTitle;
  std::string yTitle;
  bool rowNumberX = false;  // the one-column case: x is the row number ("N")
  bool marks = true;        // points drawn as marks
  bool legend = false;
  bool invertedX = false;
  bool invertedY = false;
};

// The chart of `table` as its parameters describe it.
ChartData chartData(const TGridTableChart& table);

// How the tick labels of an axis are written.
enum class AxisFormat {
  Fixed,       // #,##0.### : thousands separated by commas, up to three decimals
  Scientific,  // #.0##E-0  : one digit, one to three decimals, E and the exponent
  Whole,       // #,##0     : the "N" axis
};

struct AxisScale {
  double low = 0;
  double high = 1;
  double step = 1;  // distance between ticks
  AxisFormat format = AxisFormat::Fixed;
};

// The scale of an axis over `values`: from the smallest to the largest value, widened to whole
// steps of a round tick distance. All-equal values (one row, a constant curve) give 0.9 to 1.1
// times the value, in order for a negative value, and -1 to 1 for zero, so the range is never
// empty. Scientific labels when the largest magnitude exceeds 100000 or both limits are below
// 0.001 in magnitude (but not both zero). No values give 0 to 1.
AxisScale axisScale(const std::vector<double>& values, bool wholeNumbers = false);

// The tick positions of `scale`, from low to high.
std::vector<double> axisTicks(const AxisScale& scale);

// `value` written in `format` (locale-free: "1,250.5", "1.5E-4", "-2.0E6", "12").
std::string formatAxisLabel(double value, AxisFormat format);

// Segment mode: each row is a segment from (column 0, column 1) to (column 2, column 3), its row
// number written at the middle of (XColumn, YColumn) and (X2Column, Y2Column).
struct ChartSegment {
  ChartPoint from;
  ChartPoint to;
  ChartPoint label;
  int row = 0;  // 1-based
};
std::vector<ChartSegment> chartSegments(const TGridTableChart& table);

}  // namespace korvex
