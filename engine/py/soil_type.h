// The soil type of a layer, which names its p-y criterion.
#pragma once

namespace korvex {

enum class SoilType {
  SoftClay = 1,
  StiffClayWithFreeWater = 2,
  StiffClayWithoutFreeWater = 3,
  Sand = 4,
  Silt = 5,
  StrongRock = 6,
  WeakRock = 7,
};

// The soil type of a layer's code in the data file; any code other than 2 to 7 is taken as
// soft clay.
constexpr SoilType soilTypeOfCode(int code) {
  return code >= 2 && code <= 7 ? static_cast<SoilType>(code) : SoilType::SoftClay;
}

}  // namespace korvex
