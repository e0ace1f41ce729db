// Earth pressure on the wall: the specified (group 9) or generated diagram multiplied by the
// wall widths, echoed in the report and the plot data file, and added to the station loads.
#pragma once

#include <cstddef>
#include <vector>

#include "beamcolumn/station_tables.h"
#include "earthpressure/earth_pressure_module.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

// The points of a generated diagram that the report table and the plot data file show: all
// of them up to 50, otherwise every 6th (English) or every 4th (SI) from the first, and the
// last.
std::vector<std::size_t> reportedPointIndices(std::size_t count, UnitSystem unitSystem);

// Specified pressure: the loads as read plus Wa times the surcharge pressure of the block's
// own surcharges (on the grid, with the block's own free height), if it has any.
void applySpecifiedPressure(const BlockInput& input, const UnitLabels& units, TextOutput& report, TextOutput& plot,
                            StationTables& tables);

// Generated pressure: each point multiplied by Wa down to the free height and by Wp below it,
// the report's table of depth and active earth pressure (every point up to 50, otherwise a
// selection), the plot records, and the station loads down to the free height.
void applyGeneratedPressure(const GeneratedPressure& pressure, UnitSystem unitSystem, const UnitLabels& units,
                            double incrementLength, TextOutput& report, TextOutput& plot, StationTables& tables);

}  // namespace korvex
