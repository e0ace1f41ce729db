#include "beamcolumn/tieback.h"

#include <cmath>
#include <limits>

namespace korvex {

int nearestStation(double stationsFromTop) {
  // Far beyond any table: give a station no check lets through rather than overflow.
  if (!(std::fabs(stationsFromTop) < 1.0e9)) return std::numeric_limits<int>::max();
  return static_cast<int>(std::lround(stationsFromTop));
}

double widthPerSpacing(const TiebackRecord& record, int unitSystem, double activeWidth) {
  return unitSystem == 1 ? activeWidth / (12.0 * record.spacing) : activeWidth / record.spacing;
}

TiebackSupport convertTieback(const TiebackRecord& record, int unitSystem, double h, double activeWidth) {
  TiebackSupport support;
  support.angle = record.angle * 3.1416 / 180.0;
  const double cosine = std::cos(support.angle);
  const double axialStiffness = record.modulus * record.area * cosine;
  if (unitSystem == 1) {
    support.station = nearestStation(12.0 * record.depth / h);
    support.spring = axialStiffness / ((12.0 * record.spacing / activeWidth) * (12.0 * record.unbondedLength));
    support.load = -widthPerSpacing(record, unitSystem, activeWidth) * record.prestress * cosine;
  } else {
    support.station = nearestStation(record.depth / h);
    support.spring = axialStiffness / ((record.spacing / activeWidth) * record.unbondedLength);
    support.load = -widthPerSpacing(record, unitSystem, activeWidth) * record.prestress * cosine;
  }
  return support;
}

}  // namespace korvex
