// The p-y criterion of a soil type.
#pragma once

#include "py/py_criterion.h"

namespace korvex {

// 1 soft clay, 2 stiff clay with free water, 3 stiff clay without free water, 4 sand,
// 5 silt, 6 strong rock, 7 weak rock; any other code is taken as soft clay. The criteria
// hold no state, so one instance of each serves every run.
const PYCriterion& criterionFor(int soilType);

}  // namespace korvex
