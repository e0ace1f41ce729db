// The report sections that open the p-y curve generation: the soil layers in front of the
// wall, the distributions of effective unit weight and strength, the reduction factors and
// the heading of the curves.
#pragma once

#include <span>

#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"
#include "py/py_profile.h"

namespace korvex {

void writePYProfileSections(TextOutput& report, const UnitLabels& units, const PYProfile& profile,
                            std::span<const PYModification> modifications);

}  // namespace korvex
