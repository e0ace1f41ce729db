#include "py/criterion_for.h"

#include "py/clay_criteria.h"
#include "py/rock_criteria.h"
#include "py/sand_silt_criteria.h"

namespace korvex {

const PYCriterion& criterionFor(SoilType soilType) {
  static const SoftClayCriterion softClay;
  static const StiffClayWithFreeWaterCriterion stiffClayWithFreeWater;
  static const StiffClayWithoutFreeWaterCriterion stiffClayWithoutFreeWater;
  static const SandCriterion sand;
  static const SiltCriterion silt;
  static const StrongRockCriterion strongRock;
  static const WeakRockCriterion weakRock;
  switch (soilType) {
    case SoilType::StiffClayWithFreeWater:
      return stiffClayWithFreeWater;
    case SoilType::StiffClayWithoutFreeWater:
      return stiffClayWithoutFreeWater;
    case SoilType::Sand:
      return sand;
    case SoilType::Silt:
      return silt;
    case SoilType::StrongRock:
      return strongRock;
    case SoilType::WeakRock:
      return weakRock;
    case SoilType::SoftClay:
      break;
  }
  return softClay;
}

}  // namespace korvex
