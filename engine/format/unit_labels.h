// The unit label pieces that every report heading prints, chosen once per block from its unit
// system.
#pragma once

#include <string>
#include <string_view>

#include "input/unit_system.h"

namespace korvex {

struct UnitLabels {
  std::string_view len3;    // length, 3 columns: " IN", "  M"
  std::string_view force4;  // force, 4 columns: " LBS", "  KN"
  std::string_view len2;    // length, 2 columns: "IN", " M"
  std::string_view force3;  // force, 3 columns: "LBS", " KN"
};

UnitLabels unitLabelsOf(UnitSystem unitSystem);

// Composite labels: force/length**2 (" LBS/IN**2"), force/length**3 (" LBS/IN**3") and
// force/length (" LBS/IN").
std::string pressureLabel(const UnitLabels& units);
std::string unitWeightLabel(const UnitLabels& units);
std::string forcePerLengthLabel(const UnitLabels& units);

}  // namespace korvex
