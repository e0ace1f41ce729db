// A tieback (ground anchor) as the wall model sees it: a spring and a prestress load at the
// station nearest to its anchor head.
#pragma once

#include "input/input_model.h"

namespace korvex {

struct TiebackSupport {
  int station = 0;
  double angle = 0.0;   // inclination below horizontal (radians, pi taken as 3.1416)
  double spring = 0.0;  // S_t, horizontal stiffness per station (lb/in / kN/m)
  double load = 0.0;    // Q_t, prestress load per station, negative towards the backfill (lb / kN)
};

// Nearest integer with halves rounded away from zero, as the station of a depth is taken.
int nearestStation(double stationsFromTop);

// Wa / s, the share of one tieback that the modelled width carries: Wa / (12 s) in English
// units (s in feet, Wa in inches), Wa / s in SI.
double widthPerSpacing(const TiebackRecord& record, UnitSystem unitSystem, double activeWidth);

// Converts a tieback record of a block in `unitSystem` (English: depth, unbonded length and
// spacing in feet; SI: metres) for increment length `h` and model width `activeWidth` Wa:
//   English  S_t = E A cos(theta) / ((12 s / Wa) (12 Lu)),  Q_t = -(Wa / (12 s)) F0 cos(theta)
//   SI       S_t = E A cos(theta) / ((s / Wa) Lu),          Q_t = -(Wa / s) F0 cos(theta)
// The caller rejects a spacing, unbonded length or width that is not positive, and results
// beyond the range of numbers.
TiebackSupport convertTieback(const TiebackRecord& record, UnitSystem unitSystem, double h, double activeWidth);

// The force a tieback carries in the solved wall, in the block's units (lb / kN).
struct TiebackForce {
  int station = 0;
  double depth = 0.0;                // of the anchor head (in / m)
  double horizontalPerStation = 0.0; // H = Q_t - S_t w, on the modelled width
  double alongPerStation = 0.0;      // F = H / cos(theta), along the tendon
  double perTieback = 0.0;           // F s / Wa (SI) or F 12 s / Wa (English, s in feet)
};

// The forces of a tieback from the final deflection `deflection` at its station. Tension
// towards the backfill is negative, as the prestress load is.
TiebackForce tiebackForce(const TiebackRecord& record, const TiebackSupport& support, double deflection,
                          UnitSystem unitSystem, double activeWidth);

}  // namespace korvex
