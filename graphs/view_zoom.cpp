#include "graphs/view_zoom.h"

#include <algorithm>

namespace korvex {

namespace {

// A span of width `width` (at most the full width) centred on `centre`, moved inside `full`.
ViewSpan centredInside(double centre, double width, ViewSpan full) {
  width = std::min(width, full.width());
  double min = centre - width / 2;
  min = std::clamp(min, full.min, full.max - width);
  return {min, min + width};
}

}  // namespace

ViewSpan zoomToBand(double a, double b, ViewSpan full) {
  const double low = std::min(a, b);
  const double high = std::max(a, b);
  const double width = std::max(high - low, full.width() * kNarrowestZoom);
  return centredInside((low + high) / 2, width, full);
}

ViewSpan zoomOutAround(double at, ViewSpan current, ViewSpan full) {
  const double halfWidth = std::min(current.width(), full.width() / 2);
  return centredInside(at, 2 * halfWidth, full);
}

}  // namespace korvex
