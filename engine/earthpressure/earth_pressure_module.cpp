#include "earthpressure/earth_pressure_module.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "earthpressure/surcharge_pressure.h"
#include "format/hand_over_rounding.h"

namespace korvex {

namespace {

constexpr int kApparentPressureMode = 3;

// The stops of the profile check: the stop code on the console and, so that the report
// says why the run ended, a message in the report.
CheckResult stopWithCode(int code, const std::string& message) {
  return CheckResult::dataError({"ERROR STOP " + std::to_string(code) + " -- " + message},
                                {"STOP " + std::to_string(code)});
}

CheckResult checkProfile(const SoilProfile& profile) {
  if (profile.excavationLayer < 0)
    return stopWithCode(1,
                        "NO SOIL LAYER STARTS AT THE EXCAVATION LEVEL: THE FREE HEIGHT LIES OUTSIDE THE SOIL PROFILE "
                        "(THE PROFILE ENDS AT THE FIRST LAYER WHOSE BOTTOM DOES NOT LIE BELOW THE ONE ABOVE)");
  if (profile.overflow) return stopWithCode(2, "THE SOIL PROFILE HAS MORE THAN 20 LAYERS AFTER SUBDIVISION");
  return {};
}

// Rankine's coefficient for a sloping backfill, cos b (cos b - sqrt D) / (cos b + sqrt D)
// with D = cos^2 b - cos^2 phi, is real and not negative whenever |slope| < phi <= 90 degrees;
// a larger friction angle can leave it negative or not a number.
CheckResult checkCoefficients(const SoilProfile& profile) {
  for (std::size_t i = 0; i < profile.layers.size(); ++i) {
    const double ka = profile.layers[i].computedKa;
    if (std::isfinite(ka) && ka >= 0.0) continue;
    return CheckResult::dataError({"ERROR STOP -- LAYER " + std::to_string(i + 1) +
                                   " HAS NO ACTIVE EARTH PRESSURE COEFFICIENT FOR THE SLOPING BACKFILL: ITS FRICTION "
                                   "ANGLE MUST NOT EXCEED 90 DEGREES"});
  }
  return {};
}

}  // namespace

EarthPressureResult generateEarthPressure(const BlockInput& input, const SupportDepths& supports) {
  EarthPressureResult result;
  SoilProfile& profile = result.profile;
  profile = buildSoilProfile(input.unitSystem, input.soilData, input.surfaceLoads, input.layers);
  result.check = checkProfile(profile);
  if (!result.check.passed()) return result;

  computeOverburden(profile);
  result.reached = EarthPressureStep::Overburden;
  computeCoefficients(profile);
  result.check = checkCoefficients(profile);
  if (!result.check.passed()) return result;

  result.resultants = computeResultants(profile, input.surcharges);
  computeWaterResultants(profile, result.resultants);
  result.reached = EarthPressureStep::Resultants;

  const double wallLength = static_cast<double>(input.wall.numIncrements) * input.wall.incrementLength;
  const SurchargeGrid grid(input.surcharges, profile.freeHeight, wallLength);
  PressureDiagram diagram = buildPressureDiagram(profile, grid, wallLength);
  if (diagram.exceedsStorage) {
    result.check = CheckResult::dataError({kTooMuchData, "(THE EARTH-PRESSURE DIAGRAM NEEDS MORE THAN 2000 POINTS)"});
    return result;
  }
  if (input.control.earthPressureMode == kApparentPressureMode) {
    const ApparentEnvelope envelope = apparentEnvelope(profile.freeHeight, diagram.activeForce, supports);
    if (!envelope.valid) {
      result.check = CheckResult::dataError(
          {"ERROR STOP -- THE APPARENT-PRESSURE ENVELOPE IS UNDEFINED: THE SUPPORT DEPTHS LEAVE NO POSITIVE BASE "
           "BELOW THE FREE HEIGHT"});
      return result;
    }
    applyApparentEnvelope(diagram, envelope);
  }

  GeneratedPressure& generated = result.pressure;
  generated.freeHeight = profile.freeHeight;
  generated.activeWidth = profile.activeWidth;
  generated.passiveWidth = profile.passiveWidth;
  generated.excavationStress = profile.excavationStress;
  // The solution reads the announced points; a profile that ends above the wall tip has
  // fewer, and the solution takes those it has. Modes above 3 hand over the first point only.
  std::size_t count = std::min(diagram.points.size(), static_cast<std::size_t>(diagram.announcedCount));
  if (input.control.earthPressureMode > kApparentPressureMode) count = std::min<std::size_t>(count, 1);
  generated.points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const DiagramPoint& point = diagram.points[i];
    generated.points.push_back(DiagramPoint{roundAsE10_3(point.depth), roundAsE10_3(point.total),
                                            roundAsE10_3(point.earth), roundAsE10_3(point.surcharge)});
  }
  return result;
}

}  // namespace korvex
