// The axes of a graph panel: the range every line fits in, the tick step, the ticks and the
// mapping between values and the pixels of the plot box.
//
// Range and step. The range starts as [0, 0], so zero is always shown, and widens by every
// point. The step s is the power of ten below the range, divided by ten once more when the
// range's mantissa is below 3, so a range spans 3 to 30 steps (0.0004 -> 0.0001, 2500 -> 100,
// 5000 -> 1000). Both ends are then rounded outwards to multiples of s; an end already on a
// multiple (within round-off: 3.0 / 0.1 is 30.000000000000004) stays.
#pragma once

#include <vector>

#include "graphs/graph_plot.h"

namespace korvex {

struct AxisRange {
  double min = 0;
  double max = 0;
  double step = 1;  // the tick step; never 0

  double width() const { return max - min; }
};

struct PanelRanges {
  AxisRange x;
  AxisRange y;
};

// A range that holds 0 and every value: empty ([v, v]) or too small to divide into steps (below
// 1e-200) it becomes [min - 0.01, max + 0.01]; then step and rounding as above.
AxisRange axisRange(double minValue, double maxValue);

// The ranges of the lines of `list` (every point of every line, active or not).
PanelRanges panelRanges(const TGraphPlot& graph, GraphList list);

// The tick step of a view range of width `width` (> 0) by the rule above.
double tickStep(double width);

// The multiples k of `step` whose value k * step lies in [min, max] (with round-off tolerance),
// in order: ticks at k * step, a grid line and a label where k is a multiple of 5.
std::vector<long long> tickIndices(double min, double max, double step);

// Value <-> pixel of one axis: pixel = from + round((value - min) / (max - min) * (to - from)).
// For a depth axis (x on top) `from` is the top edge and `to` the bottom edge, otherwise the
// other way round.
struct AxisMapping {
  double min = 0, max = 1;
  int from = 0, to = 1;

  double toPixel(double value) const;
  double toValue(double pixel) const;
};

}  // namespace korvex
