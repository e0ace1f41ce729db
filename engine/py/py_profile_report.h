// The report sections that open the p-y curve generation: the soil layers in front of the
// wall, the distributions of effective unit weight and strength, the reduction factors and
// the heading of the curves.
#pragma once

#include <span>

#include "input/input_model.h"
#include "py/py_profile.h"
#include "report/output_file.h"
#include "report/unit_labels.h"

namespace korvex {

void writePYProfileSections(OutputFile& report, const UnitLabels& units, const PYProfile& profile,
                            std::span<const PYModification> modifications);

}  // namespace korvex
