// Zooming a graph's view inside its full ranges: the rubber band of the left mouse button and
// the zoom-out of the right button, each axis on its own.
#pragma once

namespace korvex {

struct ViewSpan {
  double min = 0;
  double max = 0;

  double width() const { return max - min; }
  bool operator==(const ViewSpan&) const = default;
};

// Narrowest view of one axis, as a fraction of its full range.
inline constexpr double kNarrowestZoom = 1.0 / 20;

// The view after a rubber band from `a` to `b` (either order) on an axis whose full range is
// `full`: the band, widened about its centre to 1/20 of the full range when narrower, and
// shifted to lie inside the full range.
ViewSpan zoomToBand(double a, double b, ViewSpan full);

// The view after a right click at `at`: centred on it, with half-width the smaller of the
// current view's width and half the full range, shifted to lie inside the full range.
ViewSpan zoomOutAround(double at, ViewSpan current, ViewSpan full);

}  // namespace korvex
