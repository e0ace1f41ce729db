// The clay p-y criteria against hand calculations: ultimate resistances, curve shapes, the
// As table of stiff clay with free water, the clay that needs no active shift, the equivalent
// depths of layered profiles, zero-resistance curves for missing data, and the exact layout
// of each criterion's report block. The multipliers and the active shift on each face:
// py_curve_properties_test.cpp.
#include "py/clay_criteria.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "format/fortran_format.h"
#include "py_test_support.h"
#include "test_support.h"

namespace korvex {
namespace {

// Constants of the curves are single-precision literals: values built from them agree with
// the plain decimal values to about 1 part in 10^7.
constexpr double kFloatConstants = 1.0E-6;
// The curve exponents 1/3 and 2/3 are single-precision fractions: off by about 1.0E-8
// relative, which a logarithm of a few units turns into a few parts in 10^8.
constexpr double kFloatExponent = 1.0E-7;
// Pure double arithmetic done in a different order.
constexpr double kRounding = 1.0E-12;
// A trapezoidal integral of a piecewise-linear function over 200000 steps: exact but for
// the one step that holds the kink.
constexpr double kIntegration = 1.0E-7;

const SoftClayCriterion kSoftClay;
const StiffClayWithFreeWaterCriterion kWithFreeWater;
const StiffClayWithoutFreeWaterCriterion kWithoutFreeWater;

CurveProperties clay(double c, double ca, double gamma, double eps50, double k = 0.0) {
  return testing::curveProperties(c, ca, gamma, eps50, k);
}

using testing::runBranch;
using testing::siteAt;
using Written = testing::WrittenBranch;

std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// A point row: 21 blanks and y', p' in F20.d.
std::string pointRow(double y, double p, int decimals) {
  return blanks(21) + formatFixed(y, 20, decimals) + formatFixed(p, 20, decimals);
}

// Trapezoidal integral of f from 0 to h.
double integrate(const std::function<double(double)>& f, double h, int steps = 200000) {
  const double dz = h / steps;
  double sum = 0.5 * (f(0.0) + f(h));
  for (int i = 1; i < steps; ++i) sum += f(i * dz);
  return sum * dz;
}

// The number printed in a D or E field, read back.
double printedNumber(std::string field) {
  for (char& ch : field)
    if (ch == 'D') ch = 'E';
  return korvex::testing::parseNumber(field);
}

// ---------------------------------------------------------------- soft clay

// Soft clay of c = 5, g' = 0.04, e50 = 0.02 against a wall 24 wide: the worked example of
// these tests. At z = 60: N = 3 + 0.04 * 60 / 5 + 0.5 * 60 / 24 = 4.73, pu = 4.73 * 5 * 24.
const CurveProperties kSoft = clay(5.0, 5.0, 0.04, 0.02);
constexpr double kSoftPu60 = 567.6;
constexpr double kSoftY50 = 1.2;  // 2.5 * 0.02 * 24

TEST(SoftClay, UltimateResistanceGrowsWithDepthUntilFlowAroundAtNineCB) {
  struct Case {
    double z;
    double pu;
  };
  const Case cases[] = {
      {0.0, 360.0},     // N = 3
      {60.0, kSoftPu60},  // N = 4.73
      {200.0, 1052.0},  // N = 3 + 1.6 + 4.1667 = 8.7667
      {300.0, 1080.0},  // N = 3 + 2.4 + 6.25 = 11.65: capped at 9
      {600.0, 1080.0},  // deeper, no further growth
  };
  for (const Case& c : cases) {
    const Written w = runBranch(kSoftClay, kSoft, siteAt(Face::Excavation, c.z, 24.0));
    EXPECT_NEAR(w.curve.ultimate, c.pu, c.pu * kRounding) << "z = " << c.z;
    EXPECT_EQ(w.curve.accumulatorFactor, 1.0);
    EXPECT_FALSE(w.curve.addsTail);
  }
  // On the backfill face the same curve sees the depth below the backfill surface, H + X.
  const Written backfill = runBranch(kSoftClay, kSoft, siteAt(Face::Backfill, 40.0, 24.0, 20.0));
  EXPECT_NEAR(backfill.curve.ultimate, kSoftPu60, kSoftPu60 * kRounding);
}

TEST(SoftClay, CurveRisesWithTheCubeRootToPuAtEightY50) {
  const Written w = runBranch(kSoftClay, kSoft, siteAt(Face::Excavation, 60.0, 24.0));
  const BranchCurve& curve = w.curve;
  const double pu = kSoftPu60;
  // Deflections: 0, 0.008 y50, 0.25 y50 ... 3 y50 in steps of 0.25 y50, 8, 15 and 20 y50.
  EXPECT_EQ(curve.y[0], 0.0);
  EXPECT_NEAR(curve.y[1], 0.0096, 0.0096 * kFloatConstants);
  for (int k = 1; k <= 12; ++k) EXPECT_NEAR(curve.y[k + 1], 0.3 * k, 0.3 * k * kRounding) << k;
  EXPECT_NEAR(curve.y[14], 9.6, 9.6 * kRounding);
  EXPECT_NEAR(curve.y[15], 18.0, 18.0 * kRounding);
  EXPECT_NEAR(curve.y[16], 24.0, 24.0 * kRounding);

  EXPECT_EQ(curve.p[0], 0.0);
  EXPECT_NEAR(curve.p[1], 0.5 * pu * 0.2, pu * kFloatExponent);  // 0.008^(1/3) = 0.2
  EXPECT_NEAR(curve.p[2], 0.5 * pu * std::cbrt(0.25), pu * kFloatExponent);
  EXPECT_NEAR(curve.p[5], 0.5 * pu, pu * kFloatExponent);  // y = y50
  EXPECT_NEAR(curve.p[13], 0.5 * pu * std::cbrt(3.0), pu * kFloatExponent);  // y = 3 y50
  EXPECT_NEAR(curve.p[14], pu, pu * kFloatExponent);                         // y = 8 y50
  EXPECT_EQ(curve.p[15], pu);
  EXPECT_EQ(curve.p[16], pu);
}

TEST(SoftClay, EquivalentDepthContinuesTheResistanceOfTheLayerAbove) {
  // The wedge ends at xr = 6 c b / (g' b + 0.5 c) = 720 / 3.46, where N reaches 9.
  const double c = 5.0, b = 24.0, gamma = 0.04;
  const double xr = 720.0 / 3.46;
  const double wedgeIntegral = 360.0 * xr + (0.48 + 1.25) * xr * xr;
  const auto pu = [&](double z) { return std::min(3.0 + gamma * z / c + 0.5 * z / b, 9.0) * c * b; };
  const BranchSite site = siteAt(Face::Excavation, 0.1, b);
  for (const double target : {20000.0, wedgeIntegral, 300000.0}) {
    const double heq = kSoftClay.equivalentDepth(target, kSoft, site);
    EXPECT_GT(heq, 0.0);
    EXPECT_NEAR(integrate(pu, heq), target, target * kIntegration) << "F = " << target;
  }
  // Beyond the wedge the layer adds 9 c b per unit depth.
  EXPECT_NEAR(kSoftClay.equivalentDepth(300000.0, kSoft, site), xr + (300000.0 - wedgeIntegral) / 1080.0,
              xr * kRounding);
  // Nothing above, or nothing to integrate: depth 0.
  EXPECT_EQ(kSoftClay.equivalentDepth(0.0, kSoft, site), 0.0);
  EXPECT_EQ(kSoftClay.equivalentDepth(-50.0, kSoft, site), 0.0);
  EXPECT_EQ(kSoftClay.equivalentDepth(1000.0, clay(0.0, 0.0, 0.04, 0.02), site), 0.0);
  EXPECT_EQ(kSoftClay.equivalentDepth(1000.0, kSoft, siteAt(Face::Excavation, 0.1, 0.0)), 0.0);
}

// ---------------------------------------------------------------- stiff clay with free water

TEST(StiffClayWithFreeWater, AsIsInterpolatedInDepthOverWidth) {
  struct Case {
    double ratio;
    double as;
  };
  const Case cases[] = {{-1.0, 0.223}, {0.0, 0.223}, {0.5, 0.3415}, {1.0, 0.46}, {2.5, 0.57},
                        {3.5, 0.595},  {4.5, 0.60},  {5.0, 0.60},   {8.0, 0.60}};
  for (const Case& c : cases) EXPECT_NEAR(stiffClayAs(c.ratio), c.as, kFloatConstants) << "x/b = " << c.ratio;
}

// c = 10, ca = 8, g' = 0.03, e50 = 0.005, b = 12 at X = 30 (x/b = 2.5, As = 0.57):
// pct = 2*8*12 + 0.03*12*30 + 2.83*8*30 = 882 < pcd = 11*10*12 = 1320; y50 = 0.06.
const CurveProperties kStiffWet = clay(10.0, 8.0, 0.03, 0.005, 2000.0);
constexpr double kWetPc = 882.0;
constexpr double kWetAs = 0.57;
constexpr double kWetY50 = 0.06;

TEST(StiffClayWithFreeWater, UltimateIsTheSmallerOfWedgeAndFlowAround) {
  const Written shallow = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Excavation, 30.0, 12.0));
  EXPECT_NEAR(shallow.curve.ultimate, kWetPc, kWetPc * kFloatConstants);
  // Deeper in a layer below (z = 100 with the equivalent depth): pct = 2492 > pcd.
  BranchSite deep = siteAt(Face::Excavation, 30.0, 12.0);
  deep.z = 100.0;
  EXPECT_EQ(runBranch(kWithFreeWater, kStiffWet, deep).curve.ultimate, 1320.0);
  // The accumulator takes A' = 1.225 sqrt(As) - 0.75 As - 0.411 of pc.
  EXPECT_NEAR(shallow.curve.accumulatorFactor, 1.225 * std::sqrt(kWetAs) - 0.75 * kWetAs - 0.411, kFloatConstants);
}

TEST(StiffClayWithFreeWater, DeflectionsAreMultiplesOfAsY50WithAsFromTheBranchDepth) {
  const std::array<double, kBranchPoints> multiples = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0,
                                                       4.5, 5.0, 5.5, 6.0, 10.0, 14.0, 18.0, 200.0};
  const Written w = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Excavation, 30.0, 12.0));
  for (std::size_t i = 0; i < kBranchPoints; ++i)
    EXPECT_NEAR(w.curve.y[i], multiples[i] * kWetAs * kWetY50, multiples[i] * kWetAs * kWetY50 * kFloatConstants) << i;
  // X = 6, H = 30: x/b = 0.5 on the excavation face (As = 0.3415), (H + X)/b = 3 on the
  // backfill face (As = 0.59).
  const Written excavation = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Excavation, 6.0, 12.0, 30.0));
  const Written backfill = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Backfill, 6.0, 12.0, 30.0));
  EXPECT_NEAR(excavation.curve.y[2] / kWetY50, 0.3415, kFloatConstants);
  EXPECT_NEAR(backfill.curve.y[2] / kWetY50, 0.59, kFloatConstants);
}

TEST(StiffClayWithFreeWater, CurveFollowsFourRangesBelowTheInitialStraightLine) {
  // k = 2000: Es = 60000, far above the curve at every point.
  const Written w = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Excavation, 30.0, 12.0));
  const double pc = kWetPc, as = kWetAs;
  const double tol = pc * kFloatConstants;
  const double afterDrop = 0.5 * pc * std::sqrt(6.0 * as) - 0.411 * pc;
  EXPECT_EQ(w.curve.p[0], 0.0);
  EXPECT_NEAR(w.curve.p[1], 0.5 * pc * std::sqrt(0.5 * as), tol);  // rising: y = 0.5 As y50
  EXPECT_NEAR(w.curve.p[2], 0.5 * pc * std::sqrt(as), tol);        // y = As y50
  EXPECT_NEAR(w.curve.p[8], 0.5 * pc * std::sqrt(4.0 * as) - 0.055 * pc * std::pow(3.0, 1.25), tol);  // softening
  EXPECT_NEAR(w.curve.p[12], 0.5 * pc * std::sqrt(6.0 * as) - 0.055 * pc * std::pow(5.0, 1.25), tol);
  EXPECT_NEAR(w.curve.p[13], afterDrop - 0.0625 * pc * 4.0 * as, tol);  // falling line at 10 As y50
  EXPECT_NEAR(w.curve.p[14], afterDrop - 0.0625 * pc * 8.0 * as, tol);
  EXPECT_NEAR(w.curve.p[15], afterDrop - 0.75 * pc * as, tol);  // 18 As y50: the residual
  EXPECT_NEAR(w.curve.p[16], afterDrop - 0.75 * pc * as, tol);
  // The falling line meets the residual plateau without a step.
  EXPECT_NEAR(afterDrop - 0.0625 * pc * 12.0 * as, afterDrop - 0.75 * pc * as, kRounding * pc);
}

TEST(StiffClayWithFreeWater, InitialStraightLineCapsTheCurveNearTheOrigin) {
  // k = 1: Es = 30. Near the origin Es y governs; at 200 As y50 = 6.84 the line (205.2) lies
  // above the residual resistance.
  const Written w =
      runBranch(kWithFreeWater, clay(10.0, 8.0, 0.03, 0.005, 1.0), siteAt(Face::Excavation, 30.0, 12.0));
  const double unit = kWetAs * kWetY50;
  EXPECT_NEAR(w.curve.p[1], 30.0 * 0.5 * unit, 30.0 * unit * kFloatConstants);
  EXPECT_NEAR(w.curve.p[12], 30.0 * 6.0 * unit, 30.0 * unit * kFloatConstants);
  const double residual = 0.5 * kWetPc * std::sqrt(6.0 * kWetAs) - 0.411 * kWetPc - 0.75 * kWetPc * kWetAs;
  EXPECT_NEAR(w.curve.p[16], residual, kWetPc * kFloatConstants);
  EXPECT_LT(w.curve.p[16], 30.0 * 200.0 * unit);
}

// The 40-step search for stiff clay with free water, worked independently: As from the
// table at each step's depth over the width, the sum of pct A' times the step.
struct FortyStepSums {
  double xr = 0.0;
  double step = 0.0;
  std::array<double, 41> sum{};  // sum[j]: after step j
  double lastShare = 0.0;
};

FortyStepSums fortyStepSums(double c, double gamma, double b) {
  const std::array<double, 6> table = {0.223, 0.46, 0.55, 0.59, 0.60, 0.60};
  const auto asAt = [&](double r) {
    if (r >= 5.0) return 0.60;
    const int i = static_cast<int>(r);
    return table[i] + (table[i + 1] - table[i]) * (r - i);
  };
  FortyStepSums s;
  s.xr = 9.0 * c * b / (gamma * b + 2.83 * c);
  s.step = s.xr / 40.0;
  for (int j = 1; j <= 40; ++j) {
    const double z = j * s.step;
    const double as = asAt(z / b);
    s.lastShare = 1.225 * std::sqrt(as) - 0.75 * as - 0.411;
    s.sum[j] = s.sum[j - 1] + (2.0 * c * b + gamma * b * z + 2.83 * c * z) * s.lastShare * s.step;
  }
  return s;
}

TEST(StiffClayWithFreeWater, EquivalentDepthSearchesFortyStepsThenExtendsByFlowAround) {
  // c = 5, g' = 0.04, b = 24: xr = 1080 / 15.11 = 71.5, x/b up to 2.98 across three rows.
  const CurveProperties properties = clay(5.0, 5.0, 0.04, 0.005, 100.0);
  const BranchSite site = siteAt(Face::Excavation, 0.1, 24.0);
  const FortyStepSums s = fortyStepSums(5.0, 0.04, 24.0);
  // The sum reached exactly at a step gives that step's depth ...
  EXPECT_NEAR(kWithFreeWater.equivalentDepth(s.sum[10], properties, site), 10.0 * s.step, s.xr * kFloatConstants);
  EXPECT_NEAR(kWithFreeWater.equivalentDepth(s.sum[40], properties, site), s.xr, s.xr * kFloatConstants);
  // ... between two steps the depth is interpolated linearly ...
  const double midway = 0.5 * (s.sum[25] + s.sum[26]);
  EXPECT_NEAR(kWithFreeWater.equivalentDepth(midway, properties, site), 25.5 * s.step, s.xr * kFloatConstants);
  // ... and beyond the wedge range the layer adds 11 c b A' per unit depth.
  const double beyond = s.sum[40] + 5000.0;
  EXPECT_NEAR(kWithFreeWater.equivalentDepth(beyond, properties, site), s.xr + 5000.0 / (1320.0 * s.lastShare),
              s.xr * kFloatConstants);
  EXPECT_EQ(kWithFreeWater.equivalentDepth(0.0, properties, site), 0.0);
}

// ---------------------------------------------------------------- stiff clay without free water

// c = 10, ca = 8, g' = 0.03, e50 = 0.005, b = 12 at z = 30:
// pu = min(3*8*12 + 0.03*12*30 + 0.5*8*30, 9*10*12) = min(418.8, 1080); y50 = 0.15.
const CurveProperties kStiffDry = clay(10.0, 8.0, 0.03, 0.005);
constexpr double kDryPu = 418.8;
constexpr double kDryY50 = 0.15;

TEST(StiffClayWithoutFreeWater, UltimateIsTheSmallerOfAverageStrengthWedgeAndNineCB) {
  const Written shallow = runBranch(kWithoutFreeWater, kStiffDry, siteAt(Face::Excavation, 30.0, 12.0));
  EXPECT_NEAR(shallow.curve.ultimate, kDryPu, kDryPu * kRounding);
  EXPECT_EQ(shallow.curve.accumulatorFactor, 1.0);
  // z = 200: 288 + 72 + 800 = 1160 > 1080.
  EXPECT_EQ(runBranch(kWithoutFreeWater, kStiffDry, siteAt(Face::Excavation, 200.0, 12.0)).curve.ultimate, 1080.0);
}

TEST(StiffClayWithoutFreeWater, CurveRisesWithTheFourthRootToPuAtSixteenY50) {
  const Written w = runBranch(kWithoutFreeWater, kStiffDry, siteAt(Face::Excavation, 30.0, 12.0));
  const double pu = kDryPu, y50 = kDryY50;
  const std::array<double, 15> fractions = {0.0,   1.0E-5, 5.0E-5, 1.0E-4, 5.0E-4, 0.001, 0.005, 0.01,
                                            0.025, 0.05,   0.075,  0.1,    0.25,   0.5,   1.0};
  for (std::size_t i = 0; i < fractions.size(); ++i)
    EXPECT_NEAR(w.curve.y[i], 16.0 * y50 * fractions[i], 16.0 * y50 * fractions[i] * kFloatConstants) << i;
  EXPECT_NEAR(w.curve.y[1], 1.6E-4 * y50, 1.6E-4 * y50 * kFloatConstants);  // the second point
  EXPECT_NEAR(w.curve.y[15], 18.0 * y50, kRounding);
  EXPECT_NEAR(w.curve.y[16], 20.0 * y50, kRounding);

  EXPECT_EQ(w.curve.p[0], 0.0);
  EXPECT_NEAR(w.curve.p[1], 0.5 * pu * std::pow(1.6E-4, 0.25), pu * kFloatConstants);
  EXPECT_NEAR(w.curve.p[11], 0.5 * pu * std::pow(1.6, 0.25), pu * kFloatConstants);  // y = 0.1 * 16 y50
  EXPECT_NEAR(w.curve.p[14], pu, pu * kRounding);  // 16 y50: 0.5 * 16^0.25 = 1
  EXPECT_EQ(w.curve.p[15], pu);
  EXPECT_EQ(w.curve.p[16], pu);
}

TEST(StiffClayWithoutFreeWater, EquivalentDepthEndsTheWedgeWhereTheAverageStrengthWedgeMeetsNineCB) {
  const double c = 5.0, b = 24.0, gamma = 0.04;
  const BranchSite site = siteAt(Face::Excavation, 0.1, b);
  // With ca = c the integral of pu = min(3cb + g'bz + 0.5cz, 9cb) from 0 to heq is the target.
  const auto pu = [&](double z) { return std::min(3.0 * c * b + gamma * b * z + 0.5 * c * z, 9.0 * c * b); };
  for (const double target : {20000.0, 300000.0}) {
    const double heq = kWithoutFreeWater.equivalentDepth(target, clay(c, c, gamma, 0.02), site);
    EXPECT_NEAR(integrate(pu, heq), target, target * kIntegration) << "F = " << target;
  }
  // ca = 4: xr = (1080 - 288) / 3.46; beyond it the flow-around resistance 1080 per unit depth.
  const double xr = 792.0 / 3.46;
  const double wedgeIntegral = 360.0 * xr + (0.48 + 1.25) * xr * xr;
  EXPECT_NEAR(kWithoutFreeWater.equivalentDepth(400000.0, clay(c, 4.0, gamma, 0.02), site),
              xr + (400000.0 - wedgeIntegral) / 1080.0, xr * kRounding);
  // ca = 15 >= 3 c: the layer starts on the plateau, heq = F / (9 c b).
  EXPECT_NEAR(kWithoutFreeWater.equivalentDepth(54000.0, clay(c, 15.0, gamma, 0.02), site), 50.0, 50.0 * kRounding);
}

// ---------------------------------------------------------------- all three

TEST(ClayCriteria, ContinuousWallTakesTheSmoothWallWedgeWhateverTheEquivalentDepth) {
  // Wa = Wp: pu = 2 c b + g' b z0 = 240 + 0.04 * 24 * 60, with z0 = 60 and z = 500.
  const CurveProperties properties = clay(5.0, 4.0, 0.04, 0.02, 100.0);
  const PYCriterion* criteria[] = {&kSoftClay, &kWithFreeWater, &kWithoutFreeWater};
  for (const PYCriterion* criterion : criteria) {
    for (const double ratio : {1.0, 1.05}) {
      BranchSite site = siteAt(Face::Excavation, 60.0, 24.0);
      site.ratio = ratio;
      site.z = 500.0;
      EXPECT_NEAR(runBranch(*criterion, properties, site).curve.ultimate, 297.6, 297.6 * kRounding);
    }
  }
}

// With pa = b s'v - 2 c b not above 0 the clay stands unsupported: the curve keeps its place.
TEST(ClayCriteria, ActiveShiftIsDroppedWhereTheClayNeedsNoSupport) {
  const CurveProperties properties = clay(5.0, 4.0, 0.04, 0.02, 100.0);
  const PYCriterion* criteria[] = {&kSoftClay, &kWithFreeWater, &kWithoutFreeWater};
  for (const PYCriterion* criterion : criteria) {
    for (const Face face : {Face::Excavation, Face::Backfill}) {
      const BranchSite plain = siteAt(face, 60.0, 24.0, 20.0);
      const BranchCurve base = runBranch(*criterion, properties, plain).curve;
      // s'v,exc = 10 gives pa = 24 * 10 - 2 * 5 * 24 = 0 exactly, s'v,exc = 5 a negative value.
      for (const double stress : {10.0, 5.0}) {
        BranchSite site = plain;
        site.excavationStress = stress;
        const BranchCurve unshifted = runBranch(*criterion, properties, site).curve;
        for (std::size_t i = 0; i < kBranchPoints; ++i) EXPECT_EQ(unshifted.p[i], base.p[i]) << i;
      }
    }
  }
}

TEST(ClayCriteria, WarnsAfterEveryPointWhoseDeflectionIsBelowTheSmallest) {
  const std::string warning = blanks(29) + "**** WARNING ****";
  const std::string deflection = blanks(5) + "DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM";
  const std::string modulusLabel = blanks(5) + "USED A SOIL MODULUS OF ";
  const double smallest = double(1.0E-14f);
  struct Case {
    const PYCriterion* criterion;
    CurveProperties properties;
    double y50;
    double modulus;  // the initial secant modulus, from the curve's law at y = 1.0E-14
    std::size_t firstRow;
  };
  // y50 = 1.2 (soft clay, pu = 567.6), 0.06 (free water: Es = k z = 100 * 60), 3.0 (without
  // free water, pu = min(288 + 57.6 + 120, 1080) = 465.6 at z = 60, ca = 4).
  const Case cases[] = {
      {&kSoftClay, kSoft, 1.2, 0.5 * 567.6 * std::pow(1.2 / smallest, 2.0 / 3.0) / 1.2, 7},
      {&kWithFreeWater, clay(5.0, 5.0, 0.04, 0.0025, 100.0), 0.06, 6000.0, 8},
      {&kWithoutFreeWater, clay(5.0, 4.0, 0.04, 0.05), 3.0, 0.5 * 465.6 * std::pow(3.0 / smallest, 0.75) / 3.0, 8},
  };
  for (const Case& c : cases) {
    BranchSite site = siteAt(Face::Excavation, 60.0, 24.0);
    site.yMultiplier = 1.0E-20;  // every y' below 1.0E-14
    const Written w = runBranch(*c.criterion, c.properties, site);
    // Row 1, then rows 2 to 17 each followed by the three warning lines, then the multipliers.
    ASSERT_EQ(w.lines.size(), c.firstRow + kBranchPoints + 16 * 3 + 1);
    EXPECT_NE(w.lines[c.firstRow + 1], warning);
    for (std::size_t point = 1; point < kBranchPoints; ++point) {
      const std::size_t at = c.firstRow + 1 + (point - 1) * 4 + 1;
      EXPECT_EQ(w.lines[at], warning);
      EXPECT_EQ(w.lines[at + 1], deflection);
      const std::string& last = w.lines[at + 2];
      ASSERT_EQ(last.size(), modulusLabel.size() + 12);
      EXPECT_EQ(last.substr(0, modulusLabel.size()), modulusLabel);
      EXPECT_NEAR(printedNumber(last.substr(modulusLabel.size())), c.modulus, c.modulus * 1.0E-4);  // 4 digits
    }
    // At full deflections no warning.
    site.yMultiplier = 1.0;
    EXPECT_EQ(runBranch(*c.criterion, c.properties, site).text.find("WARNING"), std::string::npos);
  }
}

TEST(ClayCriteria, MissingDataGiveFiniteZeroResistanceCurves) {
  struct Case {
    const char* name;
    CurveProperties properties;
    double x;
    double width;
    std::array<bool, 3> zeroResistance;  // soft clay, with free water, without free water
    bool noEquivalentDepth;
  };
  const Case cases[] = {
      {"c = 0", clay(0.0, 0.0, 0.04, 0.02, 100.0), 60.0, 24.0, {true, true, true}, true},
      {"e50 = 0", clay(5.0, 4.0, 0.04, 0.0, 100.0), 60.0, 24.0, {true, true, true}, false},
      {"b = 0", clay(5.0, 4.0, 0.04, 0.02, 100.0), 60.0, 0.0, {true, true, true}, true},
      {"k = 0", clay(5.0, 4.0, 0.04, 0.02, 0.0), 60.0, 24.0, {false, true, false}, false},
      {"z = 0", clay(5.0, 4.0, 0.04, 0.02, 100.0), 0.0, 24.0, {false, true, false}, false},
      {"gamma = 0", clay(5.0, 4.0, 0.0, 0.02, 100.0), 60.0, 24.0, {false, false, false}, false},
      {"all zero", clay(0.0, 0.0, 0.0, 0.0, 0.0), 0.0, 0.0, {true, true, true}, true},
  };
  const PYCriterion* criteria[] = {&kSoftClay, &kWithFreeWater, &kWithoutFreeWater};
  for (const Case& c : cases) {
    for (std::size_t k = 0; k < 3; ++k) {
      for (const Face face : {Face::Excavation, Face::Backfill}) {
        BranchSite site = siteAt(face, c.x, c.width);
        // s'v,exc = 3: the shift pa = 3 b - 2 c b is left where the clay has no strength.
        site.excavationStress = 3.0;
        const double pa = std::max(3.0 * c.width - 2.0 * c.properties.strength * c.width, 0.0);
        const Written w = runBranch(*criteria[k], c.properties, site);
        for (std::size_t i = 0; i < kBranchPoints; ++i) {
          SCOPED_TRACE(std::string(c.name) + ", criterion " + std::to_string(k) + ", point " + std::to_string(i));
          EXPECT_TRUE(std::isfinite(w.curve.y[i]));
          EXPECT_TRUE(std::isfinite(w.curve.p[i]));
          if (c.zeroResistance[k]) {
            EXPECT_EQ(w.curve.p[i], face == Face::Excavation ? -pa : pa);
          }
        }
        EXPECT_TRUE(std::isfinite(w.curve.ultimate)) << c.name;
        EXPECT_TRUE(std::isfinite(w.curve.accumulatorFactor)) << c.name;
        EXPECT_EQ(w.text.find("NaN"), std::string::npos) << c.name;
        EXPECT_EQ(w.text.find("Inf"), std::string::npos) << c.name;
      }
      const double heq = criteria[k]->equivalentDepth(1000.0, c.properties, siteAt(Face::Excavation, c.x, c.width));
      EXPECT_TRUE(std::isfinite(heq)) << c.name;
      EXPECT_GE(heq, 0.0) << c.name;
      if (c.noEquivalentDepth) {
        EXPECT_EQ(heq, 0.0) << c.name << " criterion " << k;
      }
    }
  }
  // Without y50 every deflection is 0.
  const Written flat = runBranch(kSoftClay, clay(5.0, 5.0, 0.04, 0.0), siteAt(Face::Excavation, 60.0, 24.0));
  for (const double y : flat.curve.y) EXPECT_EQ(y, 0.0);
}

// ---------------------------------------------------------------- report blocks

const std::string kMultiplierLine = " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01";

TEST(ClayReport, SoftClayBlockPutsEachValueUnderItsHeading) {
  const Written w = runBranch(kSoftClay, kSoft, siteAt(Face::Excavation, 60.0, 24.0));
  std::vector<std::string> expected = {
      "",
      "",
      blanks(9) + "AT THE EXCAVATION SIDE",
      blanks(9) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(8) + "C" + blanks(6) + "GAMMA AVG" + blanks(6) + "E50",
      // Units right-aligned with the value fields: length (depth, width), pressure, unit weight.
      blanks(15) + " IN" + blanks(13) + " IN" + " " + " LBS/IN**2" + " " + " LBS/IN**3",
      blanks(8) + "     60.00" + blanks(6) + "    24.000" + " " + "0.5000D+01" + " " + "0.4000D-01" + " " +
          "  0.2000D-01",
      blanks(36) + "Y, IN" + blanks(11) + "P, LBS/IN",
      blanks(21) + "               0.000" + "               0.000",
      blanks(21) + "               0.010" + "              56.760",
  };
  for (int k = 1; k <= 12; ++k) {
    const double y = 0.25 * k * kSoftY50;
    expected.push_back(pointRow(y, 0.5 * kSoftPu60 * std::cbrt(0.25 * k), 3));
  }
  expected.push_back(blanks(21) + "               9.600" + "             567.600");
  expected.push_back(blanks(21) + "              18.000" + "             567.600");
  expected.push_back(blanks(21) + "              24.000" + "             567.600");
  expected.push_back(kMultiplierLine);
  EXPECT_EQ(w.lines, expected);
}

TEST(ClayReport, StiffClayWithFreeWaterBlockHasNoPointHeading) {
  const Written w = runBranch(kWithFreeWater, kStiffWet, siteAt(Face::Excavation, 30.0, 12.0));
  std::vector<std::string> expected = {
      "",
      "",
      blanks(9) + "AT THE EXCAVATION SIDE",
      "",
      "",
      blanks(9) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(8) + "C" + blanks(7) + "CAVG" + blanks(5) +
          "GAMMA AVG" + blanks(7) + "E50",
      blanks(16) + " IN" + blanks(12) + " IN" + " " + " LBS/IN**2" + " " + " LBS/IN**2" + " " + " LBS/IN**3",
      blanks(9) + "     30.00" + blanks(5) + "    12.000" + " " + "  0.10D+02" + " " + "  0.80D+01" + " " +
          "  0.30D-01" + "  0.5000D-02",
  };
  // Rows from the four ranges, worked from the formulas (k large: no cap).
  const double pc = kWetPc, as = kWetAs, unit = kWetAs * kWetY50;
  const double afterDrop = 0.5 * pc * std::sqrt(6.0 * as) - 0.411 * pc;
  const std::array<double, kBranchPoints> multiples = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0,
                                                       4.5, 5.0, 5.5, 6.0, 10.0, 14.0, 18.0, 200.0};
  for (const double m : multiples) {
    double p = 0.5 * pc * std::sqrt(m * as);
    if (m > 1.0 && m <= 6.0) p -= 0.055 * pc * std::pow(m - 1.0, 1.25);
    if (m > 6.0) p = afterDrop - 0.0625 * pc * as * (std::min(m, 18.0) - 6.0);
    expected.push_back(pointRow(m * unit, p, 3));
  }
  expected.push_back(kMultiplierLine);
  EXPECT_EQ(w.lines, expected);
}

TEST(ClayReport, StiffClayWithoutFreeWaterBlockInSIUnitsOnTheBackfillSide) {
  // X = 3 below an excavation 4 deep: z = z0 = 7. c = 50, ca = 40, g' = 9, e50 = 0.01, b = 0.6:
  // pu = min(72 + 37.8 + 140, 270) = 249.8; y50 = 0.015.
  const Written w =
      runBranch(kWithoutFreeWater, clay(50.0, 40.0, 9.0, 0.01), siteAt(Face::Backfill, 3.0, 0.6, 4.0), UnitSystem::SI);
  std::vector<std::string> expected = {
      "",
      "",
      blanks(9) + "AT THE BACKFILL SIDE",
      blanks(10) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(7) + "C" + blanks(6) + "CAVG" + blanks(4) +
          "GAMMA AVG" + blanks(6) + "E50",
      blanks(17) + "  M" + blanks(12) + "  M" + "  KN/ M**2" + "  KN/ M**2" + "  KN/ M**3",
      blanks(10) + "      7.00" + blanks(5) + "     0.600" + "  0.50D+02" + "  0.40D+02" + "  0.90D+01" +
          "  0.1000D-01",
      blanks(38) + "Y" + blanks(19) + "P",
      blanks(38) + "  M" + blanks(13) + "  KN/ M",
  };
  const double pu = 249.8, y50 = 0.015;
  const std::array<double, 15> fractions = {0.0,   1.0E-5, 5.0E-5, 1.0E-4, 5.0E-4, 0.001, 0.005, 0.01,
                                            0.025, 0.05,   0.075,  0.1,    0.25,   0.5,   1.0};
  for (const double f : fractions) expected.push_back(pointRow(16.0 * y50 * f, 0.5 * pu * std::pow(16.0 * f, 0.25), 5));
  expected.push_back(blanks(21) + "             0.27000" + "           249.80000");
  expected.push_back(blanks(21) + "             0.30000" + "           249.80000");
  expected.push_back(kMultiplierLine);
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace korvex
