// How a line of a graph looks: its colour by position in its list and its marker shape.
//
// Markers go by the line's 1-based position k in its list (not by its number: p-y lines are
// numbered by depth, 240.1), k above 10 taken modulo 10 (10 for multiples of ten):
//   k = 1  triangle, vertices at 180, 300 and 60 degrees
//   k = 2  square, vertices at 45 degrees and every 90 after
//   k >= 3 regular polygon of k vertices starting at 0 degrees
// Angles count anticlockwise from the +x axis with y upwards.
#pragma once

#include <vector>

#include "graphs/graph_plot.h"

namespace korvex {

struct LineColour {
  int red = 0, green = 0, blue = 0;
  bool operator==(const LineColour&) const = default;
};

inline constexpr int kLineColourCount = 17;

// The colour of the line at 0-based position `index`: entry index mod 17 of the table.
LineColour lineColour(int index);

// The marker's number (1..10) of the line at 0-based position `index`.
int markerKind(int index);

// The vertices of the marker of the line at 0-based position `index` on a unit circle (y up).
std::vector<TFloatPoint> markerVertices(int index);

}  // namespace korvex
