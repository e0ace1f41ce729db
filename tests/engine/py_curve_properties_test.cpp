// What every p-y criterion's branch must be, checked over all seven with one worked case each:
// the curve starts at the origin and its deflections rise, its resistance rises to a peak and
// (unless the criterion softens) never falls, no point passes the ultimate resistance and the
// last points lie on the plateau the published criterion gives, and the p- and y-multipliers
// scale the curve while the active shift moves it towards the excavation on that face and
// against it on the backfill face. The expected values are hand calculations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "py/clay_criteria.h"
#include "py/rock_criteria.h"
#include "py/sand_silt_criteria.h"
#include "py_test_support.h"

namespace korvex {
namespace {

using testing::curveProperties;
using testing::runBranch;
using testing::siteAt;

// One criterion's worked case. `ultimate` and `plateau` are in force per length of wall.
struct CurveCase {
  const char* name;
  const PYCriterion* criterion;
  CurveProperties properties;
  BranchSite site;                // on the excavation face
  double ultimate;                // the largest resistance the criterion allows
  std::optional<double> plateau;  // where the last points lie, from point `plateauFrom` on
  std::size_t plateauFrom = kBranchPoints;
  bool softens = false;                      // falls from its peak to a residual
  double excavationStress = 0.0;             // s'v at the excavation level for the shift case
  double activeShift = 0.0;                  // pa at that stress
  std::size_t residualFrom = kBranchPoints;  // points the p-multiplier leaves alone
  double tolerance = 0.0;                    // relative to `ultimate`
};

void PrintTo(const CurveCase& c, std::ostream* out) { *out << c.name; }

// Single-precision constants of the criteria (table values, exponents, factors): a few parts in
// 10^7 of the values built from them.
constexpr double kSinglePrecision = 1.0E-6;
// Sand takes pi as 3.1416, which moves the wedge by up to 3 parts in 10^5 (tan^8 of its angle).
constexpr double kSandPi = 1.0E-4;

BranchSite rockSite(double x, double layerTop, double freeHeight, double width) {
  BranchSite site = siteAt(Face::Excavation, x, width, freeHeight);
  site.layerTop = layerTop;
  site.z0 = x;
  return site;
}

std::vector<CurveCase> curveCases() {
  static const SoftClayCriterion softClay;
  static const StiffClayWithFreeWaterCriterion withFreeWater;
  static const StiffClayWithoutFreeWaterCriterion withoutFreeWater;
  static const SandCriterion sand;
  static const SiltCriterion silt;
  static const StrongRockCriterion strongRock;
  static const WeakRockCriterion weakRock;
  // The clays: c = 5 psi, g' = 0.04 pci, a wall 24 in wide, X = z = 60 in. s'v = 20 psi gives
  // pa = b s'v - 2 c b = 480 - 240 = 240 lb/in.
  const BranchSite claySite = siteAt(Face::Excavation, 60.0, 24.0);
  return {
      // Matlock: pu = min(3 + g'z/c + 0.5 z/b, 9) c b = 4.73 x 120, reached at 8 y50 (point 15).
      {"SoftClay", &softClay, curveProperties(5.0, 5.0, 0.04, 0.02, 0.0), claySite, 567.6, 567.6, 14, false, 20.0,
       240.0, kBranchPoints, kSinglePrecision},
      // Reese, Cox & Koop: pc = min(2 ca b + g' b z + 2.83 ca z, 11 c b) = 1146.6; As = 0.57 at
      // x/b = 2.5; from 18 As y50 (point 16) the residual pc (0.5 sqrt(6 As) - 0.411 - 0.75 As).
      {"StiffClayWithFreeWater", &withFreeWater, curveProperties(5.0, 5.0, 0.04, 0.02, 100.0), claySite, 1146.6,
       1146.6 * (0.5 * std::sqrt(6.0 * 0.57) - 0.411 - 0.75 * 0.57), 15, true, 20.0, 240.0, kBranchPoints,
       kSinglePrecision},
      // Reese & Welch: pu = min(3 ca b + g' b z + 0.5 ca z, 9 c b) = 465.6 with ca = 4, at 16 y50.
      {"StiffClayWithoutFreeWater", &withoutFreeWater, curveProperties(5.0, 4.0, 0.04, 0.05, 0.0), claySite, 465.6,
       465.6, 14, false, 20.0, 240.0, kBranchPoints, kSinglePrecision},
      // Reese, Cox & Koop: phi = 35, g' = 0.06 pci, k = 60 pci, b = 24 in, z = 60 in: the wedge
      // 937.040 lb/in governs flow around (4647.80); A = 1.23 at x/b = 2.5, so pu = 1152.559
      // from yu = 3b/80 (point 14) on. s'v = 0.5 psi gives pa = 0.5 Ka b = 0.5 x 0.270989 x 24.
      {"Sand", &sand, curveProperties(0.0, 0.0, 0.06, 0.0, 60.0, 35.0), siteAt(Face::Excavation, 60.0, 24.0), 1152.559,
       1152.559, 13, false, 0.5, 3.25187, kBranchPoints, kSandPi},
      // Silt without cohesion (SI): phi = 30, g' = 9 kN/m3, k = 20000 kN/m3, b = z = 0.64 m:
      // ps = 16.87771 kN/m (the wedge), A = 2.11 at z/b = 1, pu = 35.61196 from yu on; pB = 1.5 ps
      // lies below pu. s'v = 5 kPa gives pa = 5 Ka b = 5 x 0.64 / 3.
      {"Silt", &silt, curveProperties(0.0, 0.0, 9.0, 0.0, 20000.0, 30.0), siteAt(Face::Excavation, 0.64, 0.64),
       35.61196, 35.61196, 13, false, 5.0, 5.0 * 0.64 / 3.0, kBranchPoints, kSinglePrecision},
      // Reese & Nyman: qu = 2000 psi, b = 12 in: pu = su b = 12000 lb/in just short of
      // y2 = 0.0024 b, then the residual 0.5 g' b z0 = 0.5 x 0.07 x 12 x 100 without
      // p-multiplier. With b = 12 the 15 steps add up to y2 exactly: points 16 and 17 are
      // residual. No active shift.
      {"StrongRock", &strongRock, curveProperties(2000.0, 2000.0, 0.07, 0.0, 0.0), rockSite(100.0, 40.0, 120.0, 12.0),
       12000.0, 42.0, 15, true, 50.0, 0.0, 15, kSinglePrecision},
      // Reese (1997): qu = 1000 psi, b = 24 in, X = 12 in into the rock: pur = qu (b + 1.4 xr) =
      // 40800 lb/in. The curve reaches pur at 16 yrm, beyond its last point at 12 yrm: no
      // plateau to check, pur bounds it. No active shift.
      {"WeakRock", &weakRock, curveProperties(1000.0, 1000.0, 0.08, 0.0005, 1.0E5), rockSite(12.0, 0.0, 60.0, 24.0),
       40800.0, std::nullopt, kBranchPoints, false, 50.0, 0.0, kBranchPoints, kSinglePrecision},
  };
}

class CurveProperty : public ::testing::TestWithParam<CurveCase> {};

TEST_P(CurveProperty, StartsAtTheOriginAndRisesToItsPeakAsTheDeflectionGrows) {
  const CurveCase& c = GetParam();
  const testing::WrittenBranch written = runBranch(*c.criterion, c.properties, c.site);
  ASSERT_TRUE(written.check.passed());
  const BranchCurve& curve = written.curve;
  // p(0) = 0; a criterion whose first point lies off zero starts on a line through the origin.
  if (curve.y[0] == 0.0) {
    EXPECT_EQ(curve.p[0], 0.0);
  } else {
    EXPECT_NEAR(curve.p[0] / curve.y[0], curve.p[1] / curve.y[1], kSinglePrecision * curve.p[1] / curve.y[1]);
  }
  // On a plateau the points agree to the single-precision exponents: they may differ there.
  const double level = c.tolerance * c.ultimate;
  const std::size_t peak = std::max_element(curve.p.begin(), curve.p.end()) - curve.p.begin();
  for (std::size_t i = 1; i < kBranchPoints; ++i) {
    SCOPED_TRACE("point " + std::to_string(i + 1));
    EXPECT_GT(curve.y[i], curve.y[i - 1]);
    if (i <= peak || !c.softens) {
      EXPECT_GE(curve.p[i], curve.p[i - 1] - level);
    } else {
      EXPECT_LE(curve.p[i], curve.p[i - 1] + level);
    }
  }
  EXPECT_GT(curve.p[peak], 0.0);
}

TEST_P(CurveProperty, EndsOnThePlateauOfItsUltimateResistance) {
  const CurveCase& c = GetParam();
  const BranchCurve curve = runBranch(*c.criterion, c.properties, c.site).curve;
  const double tolerance = c.tolerance * c.ultimate;
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    SCOPED_TRACE("point " + std::to_string(i + 1));
    EXPECT_LE(curve.p[i], c.ultimate + tolerance);
    if (c.plateau && i >= c.plateauFrom) {
      EXPECT_NEAR(curve.p[i], *c.plateau, tolerance);
    } else if (c.plateau) {
      EXPECT_GT(std::abs(curve.p[i] - *c.plateau), tolerance);
    }
  }
}

TEST_P(CurveProperty, MultipliersScaleTheCurveAndTheActiveShiftMovesItFromTheExcavationFace) {
  const CurveCase& c = GetParam();
  for (const Face face : {Face::Excavation, Face::Backfill}) {
    SCOPED_TRACE(face == Face::Excavation ? "excavation face" : "backfill face");
    BranchSite site = c.site;
    site.face = face;
    const BranchCurve plain = runBranch(*c.criterion, c.properties, site).curve;
    site.pMultiplier = 0.5;
    site.yMultiplier = 2.0;
    site.excavationStress = c.excavationStress;
    const BranchCurve scaled = runBranch(*c.criterion, c.properties, site).curve;
    const double shift = face == Face::Excavation ? -c.activeShift : c.activeShift;
    for (std::size_t i = 0; i < kBranchPoints; ++i) {
      SCOPED_TRACE("point " + std::to_string(i + 1));
      EXPECT_EQ(scaled.y[i], 2.0 * plain.y[i]);
      const double p = i >= c.residualFrom ? plain.p[i] : 0.5 * plain.p[i] + shift;
      EXPECT_NEAR(scaled.p[i], p, c.tolerance * c.ultimate);
    }
    // The layer's resistance accumulator takes the ultimate resistance as the soil gives it.
    EXPECT_EQ(scaled.ultimate, plain.ultimate);
  }
}

INSTANTIATE_TEST_SUITE_P(AllCriteria, CurveProperty, ::testing::ValuesIn(curveCases()),
                         [](const ::testing::TestParamInfo<CurveCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
