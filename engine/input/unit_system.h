// The unit system of a block, which its control line names by a code.
//
// English: pounds and inches (tieback depths, unbonded lengths and spacings in feet).
// SI: kilonewtons and metres (surcharge distances and widths written in millimetres).
#pragma once

#include <optional>

namespace korvex {

enum class UnitSystem { English = 1, SI = 2 };

// The unit system a control line's code names: 1 English, 2 SI; nothing for any other code.
constexpr std::optional<UnitSystem> unitSystemOfCode(int code) {
  if (code == 1) return UnitSystem::English;
  if (code == 2) return UnitSystem::SI;
  return std::nullopt;
}

// The code of a unit system, as the data and plot files write it.
constexpr int unitSystemCode(UnitSystem system) { return static_cast<int>(system); }

// The unit weight of water: 0.036 lb/in^3 or 9.81 kN/m^3, as single-precision constants.
constexpr double unitWeightOfWater(UnitSystem system) {
  return system == UnitSystem::English ? double(0.036f) : double(9.81f);
}

inline constexpr double kInchesPerFoot = 12.0;

}  // namespace korvex
