// The static p-y criteria for clays: soft clay, stiff clay with free water and stiff clay
// without free water. Each makes one branch of 17 points of a curve, shifted by the active
// earth pressure at the excavation level, with the values its block of the report echoes.
#pragma once

#include "py/py_criterion.h"

namespace korvex {

// Soft clay (layer type 1): p rises with the cube root of y / y50 to the ultimate
// resistance pu = min(3 + g'z/c + 0.5 z/b, 9) c b at 8 y50 and stays there.
class SoftClayCriterion : public PYCriterion {
 public:
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;

  // Depth at which the integral of pu from 0 reaches `target`; 0 for a layer without
  // resistance (c = 0 or b = 0) or a target not above 0.
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// Stiff clay with free water (layer type 2): a square-root rise, softening past As y50, a
// falling straight line from 6 As y50 to 18 As y50 and a residual plateau, capped by the
// initial straight line Es y with Es = k z. The ultimate resistance is pc.
class StiffClayWithFreeWaterCriterion : public PYCriterion {
 public:
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;

  // Depth at which the 40-step sum of pct A' reaches `target`, extended beyond the wedge
  // range by the flow-around resistance; 0 for a layer without resistance.
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// Stiff clay without free water (layer type 3): p rises with the fourth root of y / y50 to
// pu at 16 y50 and stays there.
class StiffClayWithoutFreeWaterCriterion : public PYCriterion {
 public:
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;

  // As for soft clay, with the wedge range ending where the average-strength wedge reaches
  // 9 c b.
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// The factor As of the stiff clay with free water at depth ratio x / b: linear in the table
// 0.223, 0.46, 0.55, 0.59, 0.60, 0.60 at x / b = 0 ... 5; 0.60 beyond, the first value for a
// ratio below 0.
double stiffClayAs(double depthRatio);

}  // namespace korvex
