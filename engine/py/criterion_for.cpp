#include "py/criterion_for.h"

#include "py/clay_criteria.h"
#include "py/rock_criteria.h"
#include "py/sand_silt_criteria.h"

namespace korvex {

const PYCriterion& criterionFor(int soilType) {
  static const SoftClayCriterion softClay;
  static const StiffClayWithFreeWaterCriterion stiffClayWithFreeWater;
  static const StiffClayWithoutFreeWaterCriterion stiffClayWithoutFreeWater;
  static const SandCriterion sand;
  static const SiltCriterion silt;
  static const StrongRockCriterion strongRock;
  static const WeakRockCriterion weakRock;
  switch (soilType) {
    case 2:
      return stiffClayWithFreeWater;
    case 3:
      return stiffClayWithoutFreeWater;
    case 4:
      return sand;
    case 5:
      return silt;
    case 6:
      return strongRock;
    case 7:
      return weakRock;
    default:
      return softClay;
  }
}

}  // namespace korvex
