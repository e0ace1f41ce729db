// The earth-pressure module: from the soil data of a block (group 10) to the active-side
// pressure diagram the solution applies to the wall, with its report sections.
//
// The steps run in a fixed order: set up and subdivide the profile, echo it, check it, then
// overburden and coefficients, the layer resultants of earth and water pressure, and the
// pressure diagram (replaced above the excavation level by the apparent-pressure envelope
// with EarthPressureMode 3).
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "earthpressure/pressure_diagram.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

// Where the module writes: the report, the iteration monitor file (the slope warning) and
// the console (stop codes and the net-force warning).
struct EarthPressureChannels {
  TextOutput& report;
  TextOutput& monitor;
  std::function<void(std::string_view)> console;
};

// What the solution receives: the points it reads, each value rounded to the three
// significant digits of an E10.3 field, and the profile values it needs.
struct GeneratedPressure {
  std::vector<DiagramPoint> points;
  double freeHeight = 0.0;
  double activeWidth = 0.0;
  double passiveWidth = 0.0;
  double excavationStress = 0.0;  // effective overburden at the excavation level
};

// Runs the module for a block with EarthPressureMode 2 or 3 whose group 10 is read (SI
// surcharge distances already in metres). `supports` are the single-station supports, used
// by the envelope. Throws ErrorStop when the profile is unusable.
GeneratedPressure generateEarthPressure(const BlockInput& input, const UnitLabels& units,
                                        const SupportDepths& supports, EarthPressureChannels channels);

}  // namespace korvex
