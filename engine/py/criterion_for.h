// The p-y criterion of a soil type.
#pragma once

#include "py/py_criterion.h"

namespace korvex {

// The criteria hold no state, so one instance of each serves every run.
const PYCriterion& criterionFor(SoilType soilType);

}  // namespace korvex
