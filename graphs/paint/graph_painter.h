// Drawing a result graph with QPainter: one function for the window, the printer and image
// files alike, so that what is printed or saved is what the window shows.
#pragma once

#include <QRect>

#include "graphs/graph_plot.h"
#include "graphs/paint/graph_layout.h"

class QPainter;

namespace korvex {

// Draws `graph` into `rect` of the painter's device (a white background first): title, soil
// layers and wall, grid, ticks and labels, axis titles, the active lines with their markers,
// and the legend. Returns the geometry it drew with.
GraphGeometry drawGraph(QPainter& painter, const QRect& rect, const TGraphPlot& graph, const GraphView& view = {});

}  // namespace korvex
