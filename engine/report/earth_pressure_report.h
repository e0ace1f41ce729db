// The report sections of the earth-pressure module: wall, surcharge and soil information,
// effective overburden, coefficients, and the resultants of earth and water pressure.
#pragma once

#include <span>

#include "earthpressure/earth_pressure_module.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

// The text of the net-force warning, which the console shows too.
inline constexpr const char* kNetActivePressureNegative = "Net active pressure is negative.";

// The sections of the module's result as far as it got: wall, surcharge and soil
// information; the effective overburden; the coefficients (before the row of a layer that
// carries the slope warning the warning goes to the report and to the iteration monitor
// file), the resultants of earth pressure, those of water pressure when the water table lies
// above the excavation level, and the net-force warning (two empty lines and the text
// indented 5). `surcharges` are the block's (SI distances in metres).
void writeEarthPressureSections(TextOutput& report, TextOutput& monitor, const UnitLabels& units,
                                std::span<const Surcharge> surcharges, const EarthPressureResult& result);

}  // namespace korvex
