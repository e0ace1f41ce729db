// The report sections of the p-y curve generation: the soil layers in front of the wall, the
// distributions of effective unit weight and strength, the reduction factors, the heading of
// the curves, and one block per branch of every curve in the layout of its criterion.
#pragma once

#include <span>

#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"
#include "py/py_generator.h"

namespace korvex {

void writePYProfileSections(TextOutput& report, const UnitLabels& units, const PYProfile& profile,
                            std::span<const PYModification> modifications);

// The block of one branch: the branch title (all criteria but strong rock, whose heading names
// the face), the heading with its units and values, the point heading, the 17 points (clays
// warn after each point beyond the first whose deflection is below kSmallDeflection), and the
// multiplier line (soils).
void writeBranch(TextOutput& report, const UnitLabels& units, const Branch& branch);

// The profile sections and the blocks of every branch generated.
void writePYGeneration(TextOutput& report, const UnitLabels& units, const PYGeneration& generation,
                       std::span<const PYModification> modifications);

}  // namespace korvex
