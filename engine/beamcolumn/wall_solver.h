// Direct solution of the finite-difference beam-column equations of the wall.
//
// At every station j = -1 .. N+1 the wall obeys (F = EI, indices relative to j)
//
//   a w(j-2) + b w(j-1) + c w(j) + d w(j+1) + e w(j+2) = f
//
//   a = F(j-1) - h/4 (h P(j-1) + R(j-1))          b = -2 (F(j-1) + F(j))
//   c = F(j-1) + 4 F(j) + F(j+1) + h/4 ((h P(j-1) + R(j-1)) + (h P(j+1) + R(j+1))) + h^3 Sw(j)
//   d = -2 (F(j) + F(j+1))                        e = F(j+1) - h/4 (h P(j+1) + R(j+1))
//   f = h^3 Qw(j) - h^2/2 (T(j-1) - T(j+1))
//
// a five-diagonal system solved by one forward recursion, w(j) = A(j) w(j+2) + B(j) w(j+1) + C(j),
// and one back substitution from w(N+2) = w(N+3) = 0. Specified deflections and slopes replace
// rows of the recursion through boundary codes:
//   1 free; 2 deflection given (then the next condition); 4 deflection given (same condition);
//   3 the row of J-1 becomes w(J-1) = w(J+1) - 2h theta; 5 the row of J+1 eliminates that link
//   (then the next condition).
// Sign convention: deflection and transverse load are positive from the backfill towards the
// excavation side; depth and station numbers increase downwards.
#pragma once

#include <vector>

#include "beamcolumn/station_tables.h"
#include "input/input_model.h"

namespace korvex {

// What one solve found at stations 0 .. N.
struct SolveCounts {
  int overMaxDeflection = 0;  // stations with |w| above the allowed maximum
  int notClosed = 0;          // stations whose deflection changed by more than the tolerance
};

class WallSolver {
 public:
  // Sets up the boundary codes of the specified deflections and slopes of a wall of `n`
  // increments; stations must already be checked (slopes at 0 .. N, deflections at -1 .. N+1).
  void setConditions(int n, const std::vector<Restraint>& restraints);

  // Solves for w at stations -1 .. N+1 with the working loads Qw and springs Sw, the other
  // tables taken from `tables`. `w` holds the previous deflections on entry (for the closure
  // count) and the new ones on return; w(N+2) and w(N+3) are set to 0. A zero pivot is not
  // an error: its row is dropped (D = 0) and the recursion goes on.
  SolveCounts solve(const StationTables& tables, const StationTable& qw, const StationTable& sw, double h,
                    double maxDeflection, double tolerance, StationTable& w);

 private:
  int m_n = 0;
  std::vector<Restraint> m_restraints;
  std::array<int, kTableSize> m_codes{};
  StationTable m_a;
  StationTable m_b;
  StationTable m_c;

  int& code(int station) { return m_codes[stationIndex(station)]; }
};

}  // namespace korvex
