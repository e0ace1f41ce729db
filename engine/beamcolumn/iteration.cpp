#include "beamcolumn/iteration.h"

#include <cmath>

#include "beamcolumn/moment_ei.h"

namespace korvex {

IterationOutcome iterateWall(const WallLine& wall, StationTables& tables, std::span<const SoilCurve> curves,
                             std::span<const MomentEICurve> eiCurves, WallSolver& solver, StationTable& w,
                             const IterationMonitor& monitor) {
  const int n = tables.numIncrements;
  const double h = wall.incrementLength;
  w.clear();
  StationTable reference = w;  // deflections at the last moment-EI update
  StationTable qw;
  StationTable sw;
  IterationOutcome outcome;
  for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
    outcome.iteration = iteration;
    qw = tables.q;
    sw = tables.s;
    const SoilSpringsOutcome springs = addSoilSprings(curves, w, n, sw, qw);
    if (!springs.stationsInOrder) {
      outcome.check = CheckResult::dataError({kStationsNotInOrder});
      return outcome;
    }
    outcome.offCurve = springs.offCurve;
    outcome.counts = solver.solve(tables, qw, sw, h, wall.maxDeflection, wall.closureTolerance, w);
    if (monitor) monitor(iteration, outcome.offCurve, outcome.counts.notClosed, w);

    if (outcome.counts.overMaxDeflection > 0) break;
    if (outcome.counts.notClosed > 0) continue;
    if (eiCurves.empty()) break;
    int movedSinceUpdate = 0;
    for (int j = 0; j <= n; ++j) {
      if (std::fabs(w[j] - reference[j]) - wall.closureTolerance > 0.0) ++movedSinceUpdate;
    }
    if (movedSinceUpdate == 0) break;
    reference = w;
    updateMomentEI(eiCurves, w, h, tables.ei);
  }
  w[-2] = 2.0 * w[-1] - w[0];
  w[n + 2] = 2.0 * w[n + 1] - w[n];
  return outcome;
}

}  // namespace korvex
