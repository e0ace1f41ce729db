// Slope, bending moment, shear and net soil reaction from the final deflections.
#pragma once

#include "beamcolumn/block_results.h"
#include "beamcolumn/station_tables.h"

namespace korvex {

struct WallResults {
  StationTable slope;     // (w(j+1) - w(j-1)) / 2h
  StationTable moment;    // EI (w(j-1) - 2 w(j) + w(j+1)) / h^2, 0 at station -1
  StationTable shear;     // (M(j+1) - M(j-1)) / 2h
  StationTable reaction;  // (M(j-1) - 2 M(j) + M(j+1)) / h, per station
};

// Derives the results at stations 0 .. N+1 from `w` (with w(-2) and w(N+2) extrapolated) and
// the final EI. A concentrated moment T at station k, couple force c = T/2h, is taken out of
// the difference quotients: shear -c at k and -c/2 beside it, reactions +c below and -c above.
void deriveWallResults(const StationTables& tables, const StationTable& w, double h, WallResults& results);

// The plot rows of stations 0 .. N+1: depth, deflection, moment, shear, reaction.
BlockResults plotRows(const StationTables& tables, const StationTable& w, const WallResults& results, double h,
                      UnitSystem unitSystem);

}  // namespace korvex
