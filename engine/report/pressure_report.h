// The generated earth pressure on the wall in the report and the plot data file.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "earthpressure/pressure_diagram.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/unit_system.h"

namespace korvex {

// The points of a generated diagram that the report table and the plot data file show: all
// of them up to 50, otherwise every 6th (English) or every 4th (SI) from the first, and the
// last.
std::vector<std::size_t> reportedPointIndices(std::size_t count, UnitSystem unitSystem);

// Generated pressure: the report's table of depth and total pressure on the wall and the plot
// records, of the reported points.
void writeGeneratedPressure(TextOutput& report, TextOutput& plot, const UnitLabels& units, UnitSystem unitSystem,
                            std::span<const DiagramPoint> onWall);

}  // namespace korvex
