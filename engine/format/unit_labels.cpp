#include "format/unit_labels.h"

namespace korvex {

UnitLabels unitLabelsOf(UnitSystem unitSystem) {
  if (unitSystem == UnitSystem::English) return UnitLabels{" IN", " LBS", "IN", "LBS"};
  return UnitLabels{"  M", "  KN", " M", " KN"};
}

std::string pressureLabel(const UnitLabels& units) {
  return std::string(units.force4) + "/" + std::string(units.len2) + "**2";
}

std::string unitWeightLabel(const UnitLabels& units) {
  return std::string(units.force4) + "/" + std::string(units.len2) + "**3";
}

std::string forcePerLengthLabel(const UnitLabels& units) {
  return std::string(units.force4) + "/" + std::string(units.len2);
}

}  // namespace korvex
