// The nonlinear iteration of one block: soil springs linearised at the previous deflections,
// the wall solved, until the deflections close within the tolerance, a deflection exceeds the
// allowed maximum, or 100 iterations have run. Moment-EI curves update EI when the
// deflections have closed, and the iteration goes on until they close against the deflections
// of that update as well.
#pragma once

#include <functional>
#include <span>

#include "beamcolumn/soil_curves.h"
#include "beamcolumn/station_tables.h"
#include "beamcolumn/wall_solver.h"
#include "input/check_result.h"
#include "input/input_model.h"

namespace korvex {

inline constexpr int kMaxIterations = 100;

struct IterationOutcome {
  int iteration = 0;       // the last iteration (100 when it never stopped)
  bool offCurve = false;   // a deflection of the last iteration lay off its p-y curve
  SolveCounts counts;      // of the last solve
  CheckResult check;       // failed when chained p-y curves run upwards: the iteration stopped there
};

// Called after every solve with the iteration number, the off-curve flag, the number of
// stations not closed and the deflections.
using IterationMonitor = std::function<void(int, bool, int, const StationTable&)>;

// Iterates the wall of `tables` (EI updated in place by moment-EI curves) with the specified
// conditions already set in `solver`. `w` is cleared first and holds the final deflections on
// return, with w(-2) and w(N+2) extrapolated linearly for the result formulas. Chained p-y
// curves that run upwards stop it before the solve, with the check "STATIONS NOT IN ORDER".
IterationOutcome iterateWall(const WallLine& wall, StationTables& tables, std::span<const SoilCurve> curves,
                             std::span<const MomentEICurve> eiCurves, WallSolver& solver, StationTable& w,
                             const IterationMonitor& monitor);

}  // namespace korvex
