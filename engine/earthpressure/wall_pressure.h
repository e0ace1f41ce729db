// Earth pressure on the wall per unit depth, as the solution applies it: the specified loads
// (group 9) with the pressure of the block's own surcharges, or the generated diagram
// multiplied by the wall widths.
#pragma once

#include <vector>

#include "earthpressure/earth_pressure_module.h"
#include "earthpressure/pressure_diagram.h"
#include "input/input_model.h"

namespace korvex {

// Specified pressure: each point's load as read plus Wa times the surcharge pressure of the
// block's own surcharges (on the grid, with the block's own free height), if it has any. The
// earth part of a point is its load as read.
std::vector<DiagramPoint> specifiedPressureOnWall(const BlockInput& input);

// Generated pressure: each point multiplied by Wa down to the free height and by Wp below it.
std::vector<DiagramPoint> generatedPressureOnWall(const GeneratedPressure& pressure);

}  // namespace korvex
