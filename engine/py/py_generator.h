// Generation of p-y curves from the soil layers: five curves in every layer of the profile
// in front of the wall, each made of an excavation-face and a backfill-face branch of 17
// points by the criterion of the layer's soil type.
#pragma once

#include <array>
#include <vector>

#include "input/check_result.h"
#include "input/input_model.h"
#include "py/py_criterion.h"
#include "py/py_profile.h"

namespace korvex {

// A generated curve as the solution reads it: its depth below the top of the wall and both
// branches, each value rounded as its E10.3 field reads back.
struct GeneratedCurve {
  double depth = 0.0;
  BranchCurve excavation;
  BranchCurve backfill;
};

// What the generation made: the profile and the branches, which the report shows
// (report/py_curves_report.h), and the curves, which the solution takes. A failed check ends
// the generation: the branches made before it are kept, and no curve is complete after them.
struct PYGeneration {
  PYProfile profile;
  std::vector<Branch> branches;        // in report order: each curve's excavation branch, then its backfill branch
  std::vector<GeneratedCurve> curves;  // the complete curves
  CheckResult check;
};

// Generates the curves of a block with group 10 read. `excavationStress` is the effective
// overburden at the excavation level from the earth-pressure module (0 when it did not run);
// `userCurveCount` the user's curves already read, which share the solution's storage with
// the generated ones. The check fails for too many curves, for a curve beyond the profile's
// tables, and for the criteria's own checks.
PYGeneration generatePYCurves(const BlockInput& input, double excavationStress, int userCurveCount);

// The 33 points of the curve the solution forms from a generated one: the backfill branch
// (deflections negated, last point first) through the excavation branch (resistances
// negated).
void solutionPoints(const GeneratedCurve& curve, std::vector<double>& y, std::vector<double>& p);

}  // namespace korvex
