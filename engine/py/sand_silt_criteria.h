// The static p-y criteria of frictional soils: sand (layer type 4) and silt (layer type 5, a
// soil with both cohesion and friction). Both take the smaller of a wedge and a flow-around
// resistance per unit depth, scale it by the depth factors A and B, and build the curve from
// an initial straight line Es y, a parabola, a straight segment and a plateau at pu. Each makes
// one branch of 17 points, shifted by the active earth pressure at the excavation level, with
// the values its block of the report echoes.
#pragma once

#include "py/py_criterion.h"

namespace korvex {

// Sand (layer type 4): pu = A ps, pB = B ps at yB = b / 60, pu reached at yu = 3 b / 80.
// A sand without friction angle gives a curve without resistance (only the active shift).
class SandCriterion : public PYCriterion {
 public:
  // The check fails when the soil data are so large that a resistance leaves the range of
  // numbers.
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;

  // Depth at which the 100-step integral of A times the wedge resistance reaches `target`,
  // extended linearly beyond the wedge range by the deep flow-around resistance; 0 for a
  // target not above 0 or a layer without resistance.
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// Silt (layer type 5): the sand curve with a cohesive part puc = min(N, 9) c b added at pB =
// 1.5 ps + puc; the plateau pu = A ps is frictional only, so a cohesive silt may fall from pB
// to pu.
class SiltCriterion : public PYCriterion {
 public:
  // The check fails on a friction angle of zero (with the console warning) and, as for
  // sand, when a resistance leaves the range of numbers.
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;

  // As for sand with 50 steps, the cohesive wedge term 3 c b + 0.5 c h added to every step
  // and 9 c b to the deep resistance.
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// The static depth factors A and B of the sand criterion at depth ratio x / b.
struct DepthFactors {
  double a = 0.0;
  double b = 0.0;
};

// Linear in the table at x / b = 0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0; the values
// at 6.0 beyond it, those at 0 for a ratio below 0.
DepthFactors staticDepthFactors(double depthRatio);

}  // namespace korvex
