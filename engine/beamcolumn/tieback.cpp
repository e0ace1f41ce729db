#include "beamcolumn/tieback.h"

#include <cmath>
#include <limits>

namespace korvex {

int nearestStation(double stationsFromTop) {
  // Far beyond any table: give a station no check lets through rather than overflow.
  if (!(std::fabs(stationsFromTop) < 1.0e9)) return std::numeric_limits<int>::max();
  return static_cast<int>(std::lround(stationsFromTop));
}

double widthPerSpacing(const TiebackRecord& record, UnitSystem unitSystem, double activeWidth) {
  return unitSystem == UnitSystem::English ? activeWidth / (kInchesPerFoot * record.spacing)
                                           : activeWidth / record.spacing;
}

TiebackSupport convertTieback(const TiebackRecord& record, UnitSystem unitSystem, double h, double activeWidth) {
  TiebackSupport support;
  support.angle = record.angle * 3.1416 / 180.0;
  const double cosine = std::cos(support.angle);
  const double axialStiffness = record.modulus * record.area * cosine;
  if (unitSystem == UnitSystem::English) {
    support.station = nearestStation(kInchesPerFoot * record.depth / h);
    support.spring = axialStiffness /
                     ((kInchesPerFoot * record.spacing / activeWidth) * (kInchesPerFoot * record.unbondedLength));
    support.load = -widthPerSpacing(record, unitSystem, activeWidth) * record.prestress * cosine;
  } else {
    support.station = nearestStation(record.depth / h);
    support.spring = axialStiffness / ((record.spacing / activeWidth) * record.unbondedLength);
    support.load = -widthPerSpacing(record, unitSystem, activeWidth) * record.prestress * cosine;
  }
  return support;
}

TiebackForce tiebackForce(const TiebackRecord& record, const TiebackSupport& support, double deflection,
                          UnitSystem unitSystem, double activeWidth) {
  TiebackForce force;
  force.station = support.station;
  const bool english = unitSystem == UnitSystem::English;
  force.depth = english ? kInchesPerFoot * record.depth : record.depth;
  force.horizontalPerStation = support.load - support.spring * deflection;
  force.alongPerStation = force.horizontalPerStation / std::cos(support.angle);
  force.perTieback = english ? force.alongPerStation * kInchesPerFoot * record.spacing / activeWidth
                            : force.alongPerStation * record.spacing / activeWidth;
  return force;
}

}  // namespace korvex
