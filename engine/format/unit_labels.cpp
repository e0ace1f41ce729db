#include "format/unit_labels.h"

namespace korvex {

UnitLabels selectUnitLabels(int selector) {
  if (selector > 0) return UnitLabels{" IN", " LBS", "IN", "LBS"};
  if (selector < 0) return UnitLabels{"  M", "  KN", " M", " KN"};
  return UnitLabels{"  L", "   F", " L", "  F"};
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

int unitLabelSelector(int unitSystem) {
  if (unitSystem == 1) return 1;
  if (unitSystem == 2) return -1;
  return 0;
}

}  // namespace korvex
