// Where everything of a graph goes on a device: the fonts and mark sizes for the device's
// resolution, the title, the plot box of each panel with its ranges and mappings, which ticks
// carry labels, and the legend. The window uses the same geometry for the mouse read-out, the
// zoom and dragging the legend.
#pragma once

#include <QFont>
#include <QRect>

#include <array>
#include <optional>
#include <vector>

#include "graphs/axis_scale.h"
#include "graphs/graph_plot.h"
#include "graphs/view_zoom.h"

class QPaintDevice;

namespace korvex {

// A zoomed view of one panel; without one a panel shows its full ranges.
struct PanelView {
  ViewSpan x, y;
};
using GraphView = std::array<std::optional<PanelView>, 3>;

// Fonts in points, so that text keeps its size on a 600 dpi printer, and lengths in device
// pixels scaled by the device's dots per inch / 96.
struct GraphStyle {
  QFont text, title, legend, layerName;
  double charHeight = 0;  // of `text` on the device
  double charWidth = 0;
  double scale = 1;       // device pixels per screen pixel
  double pad = 0;         // space between the parts of the picture
  double tickLength = 0;
  double markerRadius = 0;
  double lineWidth = 0;
};

GraphStyle graphStyle(const TGraphPlot& graph, QPaintDevice& device);

struct PanelGeometry {
  GraphList list = kPlottedLines;
  QRect box;             // the plot box (its frame)
  QRect inner;           // where the ranges map to: inset from the frame by a marker's size, so
                         // that a line on the range's end is not hidden under the frame
  PanelRanges full;      // the ranges of all the panel's points
  AxisRange x, y;        // the ranges shown, with their tick steps
  AxisMapping xMap, yMap;
  int xLabelEvery = 5;   // ticks k with k % every == 0 carry a label
  int yLabelEvery = 5;
};

struct LegendGeometry {
  QRect frame;                // empty when no legend is shown
  std::vector<QRect> entries;  // one per plotted line, in the frame
  int columns = 1;
};

struct GraphGeometry {
  GraphStyle style;
  QRect titleBox;  // empty without a title
  std::vector<PanelGeometry> panels;  // one, or three side by side
  LegendGeometry legend;

  // The panel under `point`, clamped into its box; -1 when the point lies in no panel's column.
  int panelAt(QPoint point) const;
  // The plotted line whose legend entry holds `point`, or -1.
  int legendEntryAt(QPoint point) const;
};

GraphGeometry layoutGraph(const TGraphPlot& graph, QPaintDevice& device, const QRect& rect, const GraphView& view = {});

}  // namespace korvex
