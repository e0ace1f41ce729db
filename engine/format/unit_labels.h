// The unit label pieces that every report heading prints, chosen once per block from the
// unit system: English, SI, or neutral F and L labels for any other system.
#pragma once

#include <string>
#include <string_view>

namespace korvex {

struct UnitLabels {
  std::string_view len3;    // length, 3 columns: " IN", "  M", "  L"
  std::string_view force4;  // force, 4 columns: " LBS", "  KN", "   F"
  std::string_view len2;    // length, 2 columns: "IN", " M", " L"
  std::string_view force3;  // force, 3 columns: "LBS", " KN", "  F"
};

// Composite labels: force/length**2 (" LBS/IN**2"), force/length**3 (" LBS/IN**3") and
// force/length (" LBS/IN").
std::string pressureLabel(const UnitLabels& units);
std::string unitWeightLabel(const UnitLabels& units);
std::string forcePerLengthLabel(const UnitLabels& units);

// `selector` > 0 English, < 0 SI, 0 neutral.
UnitLabels selectUnitLabels(int selector);

// The selector for a block's unit system: +1 for 1 (English), -1 for 2 (SI), 0 otherwise.
int unitLabelSelector(int unitSystem);

}  // namespace korvex
