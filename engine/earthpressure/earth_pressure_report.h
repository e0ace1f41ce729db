// The report sections of the earth-pressure module: wall, surcharge and soil information,
// effective overburden, coefficients, and the resultants of earth and water pressure.
#pragma once

#include <span>

#include "earthpressure/layer_resultants.h"
#include "earthpressure/soil_profile.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

void writeWallInformation(TextOutput& report, const UnitLabels& units, const SoilProfile& profile);
void writeSurchargeInformation(TextOutput& report, const UnitLabels& units, double uniformPressure,
                               std::span<const Surcharge> surcharges);
void writeSoilInformation(TextOutput& report, UnitSystem unitSystem, const SoilProfile& profile);
void writeOverburden(TextOutput& report, const UnitLabels& units, const SoilProfile& profile);

// The coefficient table; before the row of a layer that carries the slope warning the
// warning goes to the report and to the iteration monitor file.
void writeCoefficients(TextOutput& report, TextOutput& monitor, const SoilProfile& profile);

void writeLayerResultants(TextOutput& report, const UnitLabels& units, const SoilProfile& profile,
                          const ProfileResultants& resultants);
// The water-pressure table, when the water table lies above the excavation level.
void writeWaterResultants(TextOutput& report, const ProfileResultants& resultants);

// The net-force warning: two empty lines and the text indented 5.
inline constexpr const char* kNetActivePressureNegative = "Net active pressure is negative.";
void writeNetForceWarning(TextOutput& report);

}  // namespace korvex
