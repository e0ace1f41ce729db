// The earth-pressure module: from the soil data of a block (group 10) to the active-side
// pressure diagram the solution applies to the wall, with the values its report sections show
// (report/earth_pressure_report.h writes them).
//
// The steps run in a fixed order: set up and subdivide the profile, check it, then overburden
// and coefficients (checked), the layer resultants of earth and water pressure, and the
// pressure diagram (replaced above the excavation level by the apparent-pressure envelope
// with EarthPressureMode 3), whose storage and envelope are checked last.
#pragma once

#include <vector>

#include "earthpressure/layer_resultants.h"
#include "earthpressure/pressure_diagram.h"
#include "earthpressure/soil_profile.h"
#include "input/check_result.h"
#include "input/input_model.h"

namespace korvex {

// What the solution receives: the points it reads, each value rounded to the three
// significant digits of an E10.3 field, and the profile values it needs.
struct GeneratedPressure {
  std::vector<DiagramPoint> points;
  double freeHeight = 0.0;
  double activeWidth = 0.0;
  double passiveWidth = 0.0;
  double excavationStress = 0.0;  // effective overburden at the excavation level
};

// The last step whose values the module made; a failed check stops it after that step.
enum class EarthPressureStep {
  Profile,     // the subdivided profile (its check failed)
  Overburden,  // and the effective overburden (the coefficients' check failed)
  Resultants,  // and the coefficients and the resultants of earth and water pressure
};

struct EarthPressureResult {
  SoilProfile profile;
  ProfileResultants resultants;  // from EarthPressureStep::Resultants on
  EarthPressureStep reached = EarthPressureStep::Profile;
  GeneratedPressure pressure;  // when the check passed
  CheckResult check;
};

// Runs the module for a block with EarthPressureMode 2 or 3 whose group 10 is read (SI
// surcharge distances already in metres). `supports` are the single-station supports, used
// by the envelope. The check fails when the profile is unusable (stop codes 1 and 2 on the
// console), when a layer has no active coefficient, when the diagram needs more than the
// storage holds, and when the envelope is undefined.
EarthPressureResult generateEarthPressure(const BlockInput& input, const SupportDepths& supports);

}  // namespace korvex
