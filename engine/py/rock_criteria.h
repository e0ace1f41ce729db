// The p-y criteria of rock: strong rock (type 6), a stiff elastic-plastic rock mass with a
// small residual resistance after failure, and weak rock (type 7), the rock-mass criterion
// with a strength reduced for jointing (RQD) and a parabolic curve.
//
// Unlike the soil criteria, rock takes no active shift, has no equivalent depth and adds
// nothing to the resistance accumulator: a rock layer counts as zero in the target of the
// layers below it. Neither prints the multiplier line or the small-deflection warning.
#pragma once

#include <array>

#include "py/py_criterion.h"

namespace korvex {

// The strong-rock curve of one branch, before the y-multiplier. Lengths in in / m,
// pressures in lb/in**2 / kN/m**2, resistances in lb/in / kN/m.
//
//   p ^                 pu .
//     |            p1 .'   |
//     |            .'      |   slope Es up to y1, then 100 su up to y2,
//     |         .'         |   then the residual 0.5 g' b z0 for good
//     |      .'            |___________ residual
//     |   .'               |
//     +------------+-------+----------> y
//                 y1      y2
struct StrongRockCurve {
  bool defined = false;        // false without strength or width: the curve has no resistance
  double shearStrength = 0.0;  // su = qu / 2
  double modulus = 0.0;        // Es = 2000 su
  double y1 = 0.0;             // end of the elastic part, 0.0004 b
  double p1 = 0.0;             // Es y1
  double ultimate = 0.0;       // pu = su b
  double y2 = 0.0;             // deflection at pu, 0.0024 b
  double residual = 0.0;       // 0.5 g' b z0, left after the rock has failed

  // The resistance at deflection y: `pMultiplier` applies to the elastic and plastic parts,
  // not to the residual. 0 everywhere when the curve is not defined.
  double resistance(double y, double pMultiplier) const;

  // The 17 deflections: 0, then repeated additions of y2 / 15.
  std::array<double, kBranchPoints> deflections() const;
};

// The strong-rock curve at a curve's properties (qu, g') and branch site (b, z0). With qu or
// b not positive the curve is undefined; its deflections then follow y2 = 0.0024 b (0 for a
// width that is not positive).
StrongRockCurve strongRockCurve(const CurveProperties& properties, const BranchSite& site);

// The weak-rock curve of one branch, before the multipliers; units as for strong rock.
//
//   p = Kir Er y                 for y < yA
//   p = (pur / 2) (y / yrm)^0.25 for y >= yA, at most pur
struct WeakRockCurve {
  bool defined = false;         // false without a positive width, krm, modulus or pur
  double reduction = 0.0;       // ar = 1 - RQD / 150
  double depthIntoRock = 0.0;   // xr, from the layer top to z0
  double ultimate = 0.0;        // pur
  double modulusFactor = 0.0;   // Kir, 100 at the rock surface rising to 500 from 3 b down
  double initialModulus = 0.0;  // Kir Er
  double yrm = 0.0;             // krm b
  double yA = 0.0;              // where the straight start meets the parabola

  // The resistance at deflection y; 0 everywhere when the curve is not defined.
  double resistance(double y) const;

  // The 17 deflections: fixed multiples of yrm from 0.0005 to 12 (all 0 when krm or the
  // width is not positive).
  std::array<double, kBranchPoints> deflections() const;
};

// The weak-rock curve at a curve's properties (qu averaged over the layer, krm, RQD, Er) and
// branch site (b, z0, layer top).
WeakRockCurve weakRockCurve(const CurveProperties& properties, const BranchSite& site);

// Soil type 6; its report block has no branch title: the face is named in its heading. The
// check fails when the curve exceeds the range of numbers (absurd input magnitudes).
class StrongRockCriterion : public PYCriterion {
 public:
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

// Soil type 7. The check fails, with its warning on the console, at a curve after the
// layer's first where qu is 0, and when the curve exceeds the range of numbers.
class WeakRockCriterion : public PYCriterion {
 public:
  BranchResult branch(const CurveProperties& properties, const BranchSite& site) const override;
  double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const override;
};

}  // namespace korvex
