#include "beamcolumn/pressure_loads.h"

#include <algorithm>

#include "beamcolumn/tieback.h"

namespace korvex {

void addPressureLoads(std::span<const PressureLoadPoint> points, double lastDepth, double h, StationTables& tables) {
  if (points.empty()) return;
  const int n = std::min(nearestStation(lastDepth / h), tables.numIncrements + 3);
  // Each station takes the first point at or below it. The points passed over for one station
  // lie above it and so above every later station too: the next search starts where this one
  // stopped.
  double value = 0.0;
  std::size_t i = 0;
  for (int j = 1; j <= n; ++j) {
    const double x = static_cast<double>(j) * h;
    while (i < points.size() && !(x <= points[i].depth)) ++i;
    if (i < points.size()) {
      const double depthBefore = i == 0 ? 0.0 : points[i - 1].depth;
      const double valueBefore = i == 0 ? 0.0 : points[i - 1].total * h;
      const double valueAt = points[i].total * h;
      value = valueBefore + (valueAt - valueBefore) * (x - depthBefore) / (points[i].depth - depthBefore);
    }
    tables.q[j] += value;
  }
}

}  // namespace korvex
