// The active-side pressure diagram, point by point from the top of the wall down through
// the soil profile: total pressure, its earth-and-water part and its surcharge part.
#pragma once

#include <vector>

#include "earthpressure/soil_profile.h"
#include "earthpressure/surcharge_pressure.h"

namespace korvex {

// One point of a pressure diagram (force per unit area, or per unit depth once multiplied by
// a width).
struct DiagramPoint {
  double depth = 0.0;
  double total = 0.0;
  double earth = 0.0;      // earth and water
  double surcharge = 0.0;  // surcharges and the uniform surface pressure
};

struct PressureDiagram {
  std::vector<DiagramPoint> points;  // the first point lies at depth 0
  int announcedCount = 0;            // the points down to the wall tip, which the solution reads
  int pointsAboveExcavation = 0;     // points of the layers above the excavation level, the first included
  double activeForce = 0.0;          // Fa, the force of the total pressure above the excavation level
  bool exceedsStorage = false;       // more than kMaxDiagramPoints points asked for; no points built
};

// The most points a diagram may hand to the solution.
inline constexpr int kMaxDiagramPoints = 2000;

// Points per layer: one per inch (English) or twenty per metre (SI), rounded to the nearest
// whole number. Returned as a double so that absurd thicknesses can be checked first.
double diagramPartsOf(double thickness, UnitSystem unitSystem);

// Builds the diagram of a profile with its coefficients and water-pressure option set.
// `wallLength` is N h: the announced count reaches down to the wall tip. Points below the
// announced ones are not computed, except above the excavation level, where every point
// counts for the force Fa. A diagram that would need more than kMaxDiagramPoints points
// (announced, or above the excavation level) is marked and left empty.
PressureDiagram buildPressureDiagram(const SoilProfile& profile, const SurchargeGrid& surcharges,
                                     double wallLength);

// The single-station supports of the wall (springs and tiebacks) in the order the solution
// stores them.
struct SupportDepths {
  int count = 0;
  double first = 0.0;  // H1
  double last = 0.0;   // H2
};

// The apparent-pressure envelope pressure pe = 1.3 Fa / (H - (a1 + a3) / 2) and its zone
// lengths; `valid` is false when the supports leave the envelope undefined.
struct ApparentEnvelope {
  double a1 = 0.0;
  double a2 = 0.0;
  double a3 = 0.0;
  double pressure = 0.0;
  bool valid = false;

  // The envelope pressure at depth z above the excavation level.
  double at(double z) const;
};

ApparentEnvelope apparentEnvelope(double freeHeight, double activeForce, const SupportDepths& supports);

// Replaces the total pressure of the points above the excavation level (the first point
// excepted) by the envelope; the earth and surcharge parts keep their values.
void applyApparentEnvelope(PressureDiagram& diagram, const ApparentEnvelope& envelope);

}  // namespace korvex
