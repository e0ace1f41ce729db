#include "graphs/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

// Relative tolerance under which a quotient counts as the whole number next to it.
constexpr double kOnMultiple = 1e-9;
// Ranges narrower than this cannot be divided into steps in double precision.
constexpr double kSmallestRange = 1e-200;
constexpr double kEmptyRangeWidening = 0.01;

// q rounded away from zero, but a q within round-off of a whole number is that number.
double roundAwayFromZero(double q) {
  const double nearest = std::round(q);
  if (std::fabs(q - nearest) <= kOnMultiple * std::max(1.0, std::fabs(q))) return nearest;
  return q < 0 ? std::floor(q) : std::ceil(q);
}

}  // namespace

double tickStep(double width) {
  const double exponent = std::log10(width);
  double step = std::pow(10.0, std::floor(exponent));
  if (exponent - std::floor(exponent) < std::log10(3.0)) step /= 10;
  return step;
}

AxisRange axisRange(double minValue, double maxValue) {
  AxisRange r;
  r.min = std::min(0.0, minValue);
  r.max = std::max(0.0, maxValue);
  if (!(r.max - r.min >= kSmallestRange) || !std::isfinite(r.max - r.min)) {
    r.min = std::isfinite(r.min) ? r.min - kEmptyRangeWidening : -kEmptyRangeWidening;
    r.max = std::isfinite(r.max) ? r.max + kEmptyRangeWidening : kEmptyRangeWidening;
  }
  r.step = tickStep(r.max - r.min);
  r.min = r.step * roundAwayFromZero(r.min / r.step);
  r.max = r.step * roundAwayFromZero(r.max / r.step);
  return r;
}

PanelRanges panelRanges(const TGraphPlot& graph, GraphList list) {
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  for (const TLine& line : graph.Lines(list)) {
    for (const TFloatPoint& p : line.points) {
      xMin = std::min(xMin, p.x);
      xMax = std::max(xMax, p.x);
      yMin = std::min(yMin, p.y);
      yMax = std::max(yMax, p.y);
    }
  }
  return {axisRange(xMin, xMax), axisRange(yMin, yMax)};
}

std::vector<long long> tickIndices(double min, double max, double step) {
  std::vector<long long> ticks;
  if (!(step > 0) || !(max >= min)) return ticks;
  const double first = std::ceil(min / step - kOnMultiple * std::max(1.0, std::fabs(min / step)));
  const double last = std::floor(max / step + kOnMultiple * std::max(1.0, std::fabs(max / step)));
  // A view never spans more than about thirty steps; the bound keeps a bad step harmless.
  constexpr double kMostTicks = 1000;
  constexpr double kLargestIndex = 1e15;  // whole numbers that a long long holds exactly
  if (last - first > kMostTicks || std::fabs(first) > kLargestIndex || std::fabs(last) > kLargestIndex) return ticks;
  for (double k = first; k <= last; ++k) ticks.push_back(static_cast<long long>(k));
  return ticks;
}

double AxisMapping::toPixel(double value) const {
  const double width = max - min;
  if (width == 0) return from;
  return from + std::round((value - min) / width * (to - from));
}

double AxisMapping::toValue(double pixel) const {
  if (to == from) return min;
  return min + (pixel - from) / static_cast<double>(to - from) * (max - min);
}

}  // namespace korvex
