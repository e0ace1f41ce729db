// Earth pressure turned into transverse station loads.
#pragma once

#include <span>

#include "beamcolumn/station_tables.h"

namespace korvex {

// One point of a pressure diagram: depth and total load on the wall (force per unit depth
// over the wall width).
struct PressureLoadPoint {
  double depth = 0.0;
  double total = 0.0;
};

// Adds the pressure diagram `points` (increasing depth) to Q at stations 1 .. n, n being the
// nearest station to `lastDepth`, as force per station: each total is multiplied by h, then
// interpolated linearly at depth j h between the points (a point of value 0 at depth 0
// precedes the first). Below the last point the value of the station above is used again.
// Station 0 receives nothing; stations below N+3 are beyond the tables and receive nothing.
void addPressureLoads(std::span<const PressureLoadPoint> points, double lastDepth, double h, StationTables& tables);

}  // namespace korvex
