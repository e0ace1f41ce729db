// Soil resistance as nonlinear springs: p-y curves attached to wall stations, linearised
// about the current deflection in every iteration.
//
// p is the force of the soil on the wall per station (resistance per unit depth times h),
// positive in the direction of positive deflection, so a resisting curve has p falling as y
// rises. On the curve segment (m, m+1) that holds y the soil acts as a spring
//   s = -(p[m+1] - p[m]) / (y[m+1] - y[m])  plus a load  q = s y[m] + p[m],
// so that the resistance there is q - s y.
#pragma once

#include <span>
#include <vector>

#include "beamcolumn/station_tables.h"
#include "input/input_model.h"

namespace korvex {

struct SoilCurve {
  int station = 0;
  std::vector<double> y;  // increasing deflections (in / m)
  std::vector<double> p;  // force per station (lb / kN)
  bool chained = false;   // joined to the next curve by linear interpolation between their stations
  bool ascending = false; // y never decreases, so a segment can be found by bisection

  // Sets `ascending` from the deflections; call when y is complete.
  void classify();
};

// The spring and load of a curve linearised at one deflection.
struct CurveSpring {
  double spring = 0.0;
  double load = 0.0;
};

// Linearises `curve` at deflection `y`. Sets `offCurve` when y lies outside the curve's points
// (the end segment is extended) or the curve has fewer than three points.
CurveSpring linearise(const SoilCurve& curve, double y, bool& offCurve);

// A user-specified curve as the iteration uses it. With curves given by the user only
// (PYCurveMode 1), y is scaled by the y-multiplier and p by the p-multiplier and h, and a curve
// at or below the excavation level is chained; with generated curves (PYCurveMode 2) the
// multipliers are applied likewise and the curve acts at its own station only.
SoilCurve prepareUserCurve(const UserCurve& curve, int pyCurveMode, double h, double freeHeight);

// Adds the soil springs and loads of `curves`, linearised at the deflections `w`, to the
// working tables Sw and Qw of a wall of `n` increments. Chained curves are interpolated
// linearly station by station between their stations, the end stations of a segment taking
// half; a segment reaching below the toe is cut there and interpolated over the stations it
// keeps, so the lower curve acts in full at the toe. A curve standing alone acts at its own
// station down to the toe. A chained curve that no later curve closes and that no segment
// reached acts alone at its station. Every curve lies at station -3 or below. A segment that
// runs upwards (its second curve above its first) ends the adding: the tables are left
// incomplete and the outcome says that the curves' stations are not in order.
struct SoilSpringsOutcome {
  bool offCurve = false;        // a deflection lay off its curve
  bool stationsInOrder = true;  // false: a segment runs upwards
};
SoilSpringsOutcome addSoilSprings(std::span<const SoilCurve> curves, const StationTable& w, int n, StationTable& sw,
                                  StationTable& qw);

}  // namespace korvex
