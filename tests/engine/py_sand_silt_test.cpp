// The sand and silt p-y criteria against hand calculations: the depth factors A and B, the
// wedge and flow-around resistances, the curve of sand (line, parabola, segment, plateau)
// and the three ways the initial line of a silt curve joins its backbone, the floor of the
// active shift and the silt's cohesion in it, continuous walls, the equivalent depths of
// layered profiles, curves without resistance for missing data, the silt's stop on zero
// friction, and the exact layout of each criterion's report block. The multipliers and the
// shift's direction on each face: py_curve_properties_test.cpp.
#include "py/sand_silt_criteria.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "py_test_support.h"
#include "test_support.h"

namespace korvex {
namespace {

// Pure double arithmetic done in a different order.
constexpr double kRounding = 1.0E-12;
// The sand criterion's pi is 3.1416, so beta - phi is not exactly the complement of beta:
// the closed-form wedge (C1, C2, C3) that the equivalent-depth search integrates and the
// long form evaluated here differ by up to 3E-5 of their value.
constexpr double kSandPiForms = 1.0E-4;
// The printed A and B are single-precision table values: about 1 part in 10^7.
constexpr double kFloatConstants = 1.0E-6;

const SandCriterion kSand;
const SiltCriterion kSilt;

const double kSandPi = double(3.1416f);
const double kSiltPi = 4.0 * std::atan(1.0);
const double kAtRest = double(0.4f);

// Friction angles arrive in radians, converted from degrees with 3.1416 / 180.
double radians(double degrees) { return degrees * double(3.1416f) / 180.0; }

CurveProperties soil(double phiDegrees, double gamma, double k, double c = 0.0) {
  CurveProperties properties;
  properties.phi = radians(phiDegrees);
  properties.unitWeight = gamma;
  properties.k = k;
  properties.strength = c;
  properties.averageStrength = c;
  return properties;
}

using testing::runBranch;
using testing::siteAt;
using Written = testing::WrittenBranch;

// The value line of a block: after the title (3 lines) and two empty lines, the heading and
// the unit line.
const std::string& valueLine(const Written& w) { return w.lines.at(7); }

// ---------------------------------------------------------------- hand formulas

double square(double v) { return v * v; }

// Rankine coefficients with the criterion's own pi.
double activeCoefficient(double phi, double pi) { return square(std::tan(pi / 4.0 - phi / 2.0)); }

// The passive wedge per unit depth at depth z, as the textbook writes it.
double wedge(double phi, double gamma, double z, double b, double pi) {
  const double alpha = phi / 2.0;
  const double beta = pi / 4.0 + phi / 2.0;
  const double ka = activeCoefficient(phi, pi);
  const double t = std::tan(beta - phi);
  return gamma * z *
         (kAtRest * z * std::tan(phi) * std::sin(beta) / (t * std::cos(alpha)) +
          (std::tan(beta) / t) * (b + z * std::tan(beta) * std::tan(alpha)) +
          kAtRest * z * std::tan(beta) * (std::tan(phi) * std::sin(beta) - std::tan(alpha)) - ka * b);
}

// Flow around the wall per unit depth at depth z.
double flowAround(double phi, double gamma, double z, double b, double pi) {
  const double beta = pi / 4.0 + phi / 2.0;
  const double ka = activeCoefficient(phi, pi);
  return ka * b * gamma * z * (std::pow(std::tan(beta), 8.0) - 1.0) +
         kAtRest * b * gamma * z * std::tan(phi) * std::pow(std::tan(beta), 4.0);
}

// Coulomb's passive coefficient of a vertical wall with wall friction delta.
double coulombPassive(double phi, double delta) {
  return square(std::cos(phi)) /
         (std::cos(delta) * square(1.0 - std::sqrt(std::sin(phi + delta) * std::sin(phi) / std::cos(delta))));
}

// The depth factor A by straight lines between the rows of the static table (single-precision
// values, as the criterion's constants are); the last row beyond it.
double tableA(double ratio) {
  static const double x[] = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
  static const double a[] = {double(2.83f), double(2.48f), double(2.11f), double(1.76f), double(1.48f),
                             double(1.23f), double(1.06f), double(0.90f), double(0.88f), double(0.88f)};
  if (ratio >= 6.0) return a[9];
  int i = 0;
  while (ratio >= x[i + 1]) ++i;
  return a[i] + (a[i + 1] - a[i]) * (ratio - x[i]) / (x[i + 1] - x[i]);
}

// The 17 deflections: 0, twelve steps of b/60/12 to yB = b/60, yu = 3b/80 and three on the
// plateau at yu + t b.
std::array<double, kBranchPoints> handDeflections(double b, std::array<double, 3> plateau) {
  std::array<double, kBranchPoints> y{};
  const double yB = b / 60.0;
  for (int i = 1; i <= 12; ++i) y[static_cast<std::size_t>(i)] = i * yB / 12.0;
  y[13] = 3.0 * b / 80.0;
  for (std::size_t t = 0; t < 3; ++t) y[14 + t] = y[13] + plateau[t] * b;
  return y;
}

// Sand: since the parabola (n > 1) is concave and starts steeper than any line, the curve is
// the lower of the initial line Es y and the backbone: the parabola pB (y/yB)^(1/n) with
// n = 1.25 B / (A - B) up to yB, the straight line on to (yu, pu), then pu.
std::array<double, kBranchPoints> handSandResistances(double ps, double a, double bFactor, double es, double b) {
  const auto y = handDeflections(b, {1.0, 2.0, 3.0});
  const double yB = b / 60.0, yu = 3.0 * b / 80.0;
  const double pu = a * ps, pB = bFactor * ps;
  const double n = 1.25 * bFactor / (a - bFactor);
  std::array<double, kBranchPoints> p{};
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    double backbone = pu;
    if (y[i] < yB) {
      backbone = pB * std::pow(y[i] / yB, 1.0 / n);
    } else if (y[i] < yu) {
      backbone = pB + (pu - pB) * (y[i] - yB) / (yu - yB);
    }
    p[i] = std::min(es * y[i], backbone);
  }
  return p;
}

void expectNear(const std::array<double, kBranchPoints>& actual, const std::array<double, kBranchPoints>& expected,
                double relative, const char* what) {
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    EXPECT_NEAR(actual[i], expected[i], std::abs(expected[i]) * relative + 1.0E-12) << what << " point " << i + 1;
  }
}

// ---------------------------------------------------------------- depth factors

TEST(StaticDepthFactors, FollowTheTableAndHoldTheirLastValuesBeyondSixWidths) {
  struct Case {
    double ratio;
    double a;
    double b;
  };
  const Case cases[] = {
      {-1.0, 2.83, 2.14},  // above the surface: the first row
      {0.0, 2.83, 2.14},
      {0.25, 2.655, 1.985},  // halfway between the first two rows
      {2.25, 1.355, 0.955},
      {2.5, 1.23, 0.86},
      {3.5, 0.98, 0.62},
      {5.0, 0.88, 0.50},
      {6.0, 0.88, 0.50},
      {8.0, 0.88, 0.50},
      {1.0E30, 0.88, 0.50},
  };
  for (const Case& c : cases) {
    const DepthFactors factors = staticDepthFactors(c.ratio);
    EXPECT_NEAR(factors.a, c.a, kFloatConstants) << "x/b = " << c.ratio;
    EXPECT_NEAR(factors.b, c.b, kFloatConstants) << "x/b = " << c.ratio;
  }
  // The rows themselves are the single-precision table values exactly.
  EXPECT_EQ(staticDepthFactors(2.5).a, double(1.23f));
  EXPECT_EQ(staticDepthFactors(2.5).b, double(0.86f));
  EXPECT_EQ(staticDepthFactors(8.0).a, double(0.88f));
  EXPECT_EQ(staticDepthFactors(8.0).b, double(0.50f));
}

// ---------------------------------------------------------------- sand

// Sand of phi = 35 degrees, g' = 0.06 and k = 60 against a wall 24 wide at X = 60 (x/b = 2.5:
// A = 1.23, B = 0.86): the worked example of these tests. yB = 0.4, yu = 0.9, Es = 3600.
const CurveProperties kSandSoil = soil(35.0, 0.06, 60.0);

TEST(SandCriterion, TakesTheDepthFactorsAtZ0OverTheWidthAndTheResistanceAtZ) {
  struct Case {
    double z0;
    double a;
    double b;
    const char* printed;  // A and B as the value line prints them
  };
  const Case cases[] = {{60.0, 1.23, 0.86, " 1.23 0.86"}, {192.0, 0.88, 0.50, " 0.88 0.50"}};
  for (const Case& c : cases) {
    // A curve of a lower layer: its z carries an equivalent depth of 25, its z0 does not.
    BranchSite site = siteAt(Face::Excavation, c.z0, 24.0);
    site.z = c.z0 + 25.0;
    const Written w = runBranch(kSand, soil(35.0, 0.06, 2000.0), site);
    const double ps = std::min(wedge(kSandSoil.phi, 0.06, site.z, 24.0, kSandPi),
                               flowAround(kSandSoil.phi, 0.06, site.z, 24.0, kSandPi));
    EXPECT_NEAR(w.curve.ultimate, c.a * ps, c.a * ps * kFloatConstants) << "z0 = " << c.z0;
    EXPECT_EQ(valueLine(w).substr(49, 10), c.printed) << "z0 = " << c.z0;
    // pB = B ps at yB, where the initial line (Es = 2000 z) lies far above.
    EXPECT_NEAR(w.curve.p[12], c.b * ps, c.b * ps * kFloatConstants) << "z0 = " << c.z0;
    EXPECT_EQ(w.curve.accumulatorFactor, 1.0);
    EXPECT_TRUE(w.curve.addsTail);
  }
}

TEST(SandCriterion, CurveFollowsInitialLineParabolaSegmentAndPlateau) {
  const Written w = runBranch(kSand, kSandSoil, siteAt(Face::Excavation, 60.0, 24.0));
  const double phi = kSandSoil.phi;
  const double ps = std::min(wedge(phi, 0.06, 60.0, 24.0, kSandPi), flowAround(phi, 0.06, 60.0, 24.0, kSandPi));
  const double a = double(1.23f), b = double(0.86f);

  // The deflections: y13 is yB and y14 is yu exactly.
  expectNear(w.curve.y, handDeflections(24.0, {1.0, 2.0, 3.0}), kRounding, "y");
  EXPECT_EQ(w.curve.y[12], 24.0 / 60.0);
  EXPECT_EQ(w.curve.y[13], 3.0 * 24.0 / 80.0);

  // The initial line Es y = 3600 y governs up to yk = 0.165 (the first five points), the
  // parabola from there to yB, pu = A ps from yu on.
  const auto expected = handSandResistances(ps, a, b, 3600.0, 24.0);
  expectNear(w.curve.p, expected, kRounding, "p");
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(w.curve.p[i], 3600.0 * w.curve.y[i], kRounding * 1000.0) << i;
  EXPECT_LT(w.curve.p[5], 3600.0 * w.curve.y[5]);
  EXPECT_NEAR(w.curve.p[12], b * ps, b * ps * kRounding);
  for (int i = 13; i < kBranchPoints; ++i) EXPECT_NEAR(w.curve.p[i], a * ps, a * ps * kRounding) << i;
  EXPECT_NEAR(w.curve.ultimate, a * ps, a * ps * kRounding);
}

TEST(SandCriterion, ParabolaExponentIsOneAndAQuarterBOverAMinusB) {
  // yu / yB = 2.25 makes n = pB / (m yB) = 1.25 B / (A - B) at every depth; a stiff sand
  // (Es far above the parabola) shows it between y8 and y12.
  const CurveProperties stiff = soil(35.0, 0.06, 2000.0);
  for (const double ratio : {0.25, 1.0, 2.5, 4.5, 8.0}) {
    const Written w = runBranch(kSand, stiff, siteAt(Face::Excavation, ratio * 24.0, 24.0));
    const double a = tableA(ratio);
    const double b = staticDepthFactors(ratio).b;
    const double measured = std::log(w.curve.y[11] / w.curve.y[7]) / std::log(w.curve.p[11] / w.curve.p[7]);
    EXPECT_NEAR(measured, 1.25 * b / (a - b), 1.0E-9) << "x/b = " << ratio;
    EXPECT_GT(measured, 1.6);
    EXPECT_LT(measured, 3.9);
  }
}

TEST(SandCriterion, ActiveShiftBelowOneHundredThousandthIsDropped) {
  const double ka = activeCoefficient(kSandSoil.phi, kSandPi);
  struct Case {
    double pa;  // s'v Ka b
    double shift;
  };
  const Case cases[] = {{0.9E-5, 0.0}, {2.0E-5, 2.0E-5}, {0.0, 0.0}};
  for (const Case& c : cases) {
    BranchSite site = siteAt(Face::Excavation, 60.0, 24.0);
    site.excavationStress = c.pa / (ka * 24.0);
    const Written w = runBranch(kSand, kSandSoil, site);
    EXPECT_NEAR(w.curve.p[0], -c.shift, 1.0E-15) << "pa = " << c.pa;
  }
}

TEST(SandCriterion, ContinuousWallUsesCoulombPassiveWithWallFrictionOfHalfPhi) {
  // phi = 30, delta = 15: Kpc = 4.98 (Coulomb), against the depth z0 below the face's own
  // surface, whatever equivalent depth z carries.
  const CurveProperties sand30 = soil(30.0, 0.06, 2000.0);
  const double phi = sand30.phi;
  const double kpc = coulombPassive(phi, phi / 2.0);
  EXPECT_NEAR(kpc, 4.98, 0.005);
  BranchSite site = siteAt(Face::Excavation, 48.0, 24.0);
  site.ratio = 1.0;
  site.z = 48.0 + 100.0;
  const Written w = runBranch(kSand, sand30, site);
  const double ps = kpc * 24.0 * 0.06 * 48.0;  // x/b = 2: A = 1.48, B = 1.05
  EXPECT_NEAR(w.curve.ultimate, double(1.48f) * ps, ps * kRounding);
  EXPECT_NEAR(w.curve.p[12], double(1.05f) * ps, ps * kRounding);
  EXPECT_NEAR(w.curve.p[13], double(1.48f) * ps, ps * kRounding);
  // Widely spaced elements at the same site take the wedge at z instead.
  site.ratio = 1.2;
  const double wedgeAtZ = wedge(phi, 0.06, site.z, 24.0, kSandPi);
  EXPECT_NEAR(runBranch(kSand, sand30, site).curve.ultimate, double(1.48f) * wedgeAtZ, wedgeAtZ * kRounding);
}

TEST(SandCriterion, WithoutFrictionAngleOnlyTheActiveShiftRemains) {
  // phi = 0: Ka = 1 (to the rounding of 3.1416), so pa = s'v b.
  const CurveProperties frictionless = soil(0.0, 0.06, 60.0);
  for (const double ratio : {3.5, 1.0}) {
    BranchSite site = siteAt(Face::Excavation, 60.0, 24.0);
    site.ratio = ratio;
    site.excavationStress = 0.5;
    const Written w = runBranch(kSand, frictionless, site);
    const double pa = 0.5 * activeCoefficient(0.0, kSandPi) * 24.0;
    EXPECT_NEAR(pa, 12.0, 12.0 * 1.0E-4);
    expectNear(w.curve.y, handDeflections(24.0, {1.0, 2.0, 3.0}), kRounding, "y");
    for (std::size_t i = 0; i < kBranchPoints; ++i) EXPECT_EQ(w.curve.p[i], -pa) << "ratio " << ratio << " point " << i;
    EXPECT_EQ(w.curve.ultimate, 0.0);
    EXPECT_EQ(valueLine(w).substr(59), " 0.00E+00 0.00E+00");
  }
}

// ---------------------------------------------------------------- silt

// Silt of phi = 30 degrees, c = 10, g' = 9, k = 20000 against a wall 0.64 wide at z = 3.2
// (SI; x/b = 5: A = 0.88). N = 3 + 9 * 3.2 / 10 + 0.5 * 3.2 / 0.64 = 8.38, puc = 53.632.
// pB = 1.5 ps + puc lies above pu = 0.88 ps: the segment falls.
const CurveProperties kSiltSoil = soil(30.0, 9.0, 20000.0, 10.0);
constexpr double kSiltPuc = 8.38 * 10.0 * 0.64;

// ps of the worked example (g' = 9, b = 0.64) at depth z.
double siltPs(double z) {
  const double phi = kSiltSoil.phi;
  return std::min(wedge(phi, 9.0, z, 0.64, kSiltPi), flowAround(phi, 9.0, z, 0.64, kSiltPi));
}

TEST(SiltCriterion, WithoutCohesionPBIsOneAndAHalfPs) {
  // z/b = 0.5: A = 2.48, so the segment rises from pB = 1.5 ps to pu = 2.48 ps.
  const CurveProperties cohesionless = soil(30.0, 9.0, 200000.0, 0.0);
  const Written w = runBranch(kSilt, cohesionless, siteAt(Face::Excavation, 0.32, 0.64), UnitSystem::SI);
  const double ps = siltPs(0.32);
  EXPECT_NEAR(w.curve.p[12], 1.5 * ps, ps * kRounding);
  EXPECT_NEAR(w.curve.p[13], double(2.48f) * ps, ps * kRounding);
  EXPECT_NEAR(w.curve.ultimate, double(2.48f) * ps, ps * kRounding);
  EXPECT_EQ(valueLine(w).substr(60, 10), " 0.000E+00");  // puc
}

TEST(SiltCriterion, CohesivePartGrowsWithDepthUpToNineCB) {
  // puc = min(3 + g' z / c + 0.5 z / b, 9) c b at z = 3.2, b = 0.64; a stiff silt shows
  // pB = 1.5 ps + puc at yB.
  struct Case {
    double c;
    double puc;
    const char* printed;
  };
  const Case cases[] = {
      {10.0, kSiltPuc, " 0.536E+02"},  // N = 8.38
      {1.0, 9.0 * 1.0 * 0.64, " 0.576E+01"},  // N = 3 + 28.8 + 2.5: flow around at 9
      {50.0, (3.0 + 0.576 + 2.5) * 50.0 * 0.64, " 0.194E+03"},
  };
  const double ps = siltPs(3.2);
  for (const Case& c : cases) {
    const Written w = runBranch(kSilt, soil(30.0, 9.0, 400000.0, c.c), siteAt(Face::Excavation, 3.2, 0.64), UnitSystem::SI);
    EXPECT_NEAR(w.curve.p[12], 1.5 * ps + c.puc, ps * kRounding) << "c = " << c.c;
    EXPECT_EQ(valueLine(w).substr(60, 10), c.printed) << "c = " << c.c;
  }
}

TEST(SiltCriterion, CohesionAbovePuMakesTheSegmentFallFromPBToPu) {
  // Shape case 1: the initial line meets the parabola before yB. With m < 0 the parabola's
  // exponent is n = pB / (|m| yB) = 1.25 pB / (pB - pu).
  const Written w = runBranch(kSilt, kSiltSoil, siteAt(Face::Excavation, 3.2, 0.64), UnitSystem::SI);
  const double ps = siltPs(3.2);
  const double pu = double(0.88f) * ps;
  const double pB = 1.5 * ps + kSiltPuc;
  const double n = 1.25 * pB / (pB - pu);
  const double yB = 0.64 / 60.0;
  const auto y = handDeflections(0.64, {0.5, 1.0, 1.5});
  expectNear(w.curve.y, y, kRounding, "y");
  std::array<double, kBranchPoints> expected{};
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    const double backbone = y[i] <= yB ? pB * std::pow(y[i] / yB, 1.0 / n) : pu;
    expected[i] = std::min(64000.0 * y[i], backbone);
  }
  expectNear(w.curve.p, expected, kRounding, "p");
  EXPECT_EQ(w.curve.p[4], 64000.0 * y[4]);      // still on the initial line
  EXPECT_LT(w.curve.p[5], 64000.0 * y[5]);      // on the parabola
  EXPECT_GT(w.curve.p[12], w.curve.p[13]);      // pB above pu: the segment falls
  EXPECT_NEAR(w.curve.ultimate, pu, pu * kRounding);  // the frictional part alone
}

TEST(SiltCriterion, SofterInitialLineMeetsTheFallingSegment) {
  // Shape case 2: Es = 20000 lies below pB / yB, and meets the line from (yB, pB) to (yu, pu)
  // at yl = (pB - m yB) / (Es - m) between yB and yu: the points follow Es y up to yB and pu
  // from yu on.
  const CurveProperties softer = soil(30.0, 9.0, 6250.0, 10.0);
  const Written w = runBranch(kSilt, softer, siteAt(Face::Excavation, 3.2, 0.64), UnitSystem::SI);
  const double ps = siltPs(3.2);
  const double pu = double(0.88f) * ps, pB = 1.5 * ps + kSiltPuc;
  const double yB = 0.64 / 60.0, yu = 3.0 * 0.64 / 80.0;
  const double m = (pu - pB) / (yu - yB);
  const double yl = (pB - m * yB) / (20000.0 - m);
  ASSERT_LT(20000.0 * yB, pB);
  ASSERT_GE(yl, yB);
  ASSERT_LT(yl, yu);
  for (int i = 0; i <= 12; ++i) EXPECT_NEAR(w.curve.p[i], 20000.0 * w.curve.y[i], pB * kRounding) << i;
  for (int i = 13; i < kBranchPoints; ++i) EXPECT_NEAR(w.curve.p[i], pu, pu * kRounding) << i;
}

TEST(SiltCriterion, VerySoftInitialLineRunsIntoThePlateau) {
  // Shape case 3: Es = 1000 reaches pu only at yp = pu / Es beyond yu, and would meet the
  // parabola only far beyond the last point; the curve still stops rising at pu.
  const CurveProperties verySoft = soil(30.0, 9.0, 312.5, 10.0);
  const Written w = runBranch(kSilt, verySoft, siteAt(Face::Excavation, 3.2, 0.64), UnitSystem::SI);
  const double pu = double(0.88f) * siltPs(3.2);
  const double yu = 3.0 * 0.64 / 80.0;
  ASSERT_GE(pu / 1000.0, yu);
  ASSERT_LT(pu / 1000.0, w.curve.y[14]);
  for (int i = 0; i <= 13; ++i) EXPECT_NEAR(w.curve.p[i], 1000.0 * w.curve.y[i], pu * kRounding) << i;
  for (int i = 14; i < kBranchPoints; ++i) EXPECT_NEAR(w.curve.p[i], pu, pu * kRounding) << i;
  EXPECT_EQ(w.curve.y[13], yu);
  EXPECT_NEAR(w.curve.y[16], yu + 1.5 * 0.64, kRounding);
}

TEST(SiltCriterion, TakesTheDepthFactorsAtZOverTheWidth) {
  // z = 1.6 (x/b = 2.5) carries an equivalent depth; z0 = 0.96 (x/b = 1.5) does not.
  BranchSite site = siteAt(Face::Excavation, 0.96, 0.64);
  site.z = 1.6;
  const Written w = runBranch(kSilt, kSiltSoil, site, UnitSystem::SI);
  EXPECT_EQ(valueLine(w).substr(40, 20), "      1.23      0.86");
  EXPECT_NEAR(w.curve.ultimate, double(1.23f) * siltPs(1.6), siltPs(1.6) * kRounding);
}

TEST(SiltCriterion, ContinuousWallUsesTenDegreesWallFrictionAndTheSmoothWallCohesion) {
  // ps = Kpc(30, 10 degrees) b g' z0 and puc = 2 c b + g' b z0, both at z0 = 2.0 whatever
  // z carries; A at z / b = 3.2 / 0.64 = 5.
  const CurveProperties stiff = soil(30.0, 9.0, 400000.0, 10.0);
  BranchSite site = siteAt(Face::Excavation, 2.0, 0.64);
  site.ratio = 1.0;
  site.z = 3.2;
  const Written w = runBranch(kSilt, stiff, site, UnitSystem::SI);
  const double kpc = coulombPassive(stiff.phi, double(0.1745333f));
  EXPECT_NEAR(double(0.1745333f), radians(10.0), 1.0E-6);
  const double ps = kpc * 0.64 * 9.0 * 2.0;
  const double puc = 2.0 * 10.0 * 0.64 + 9.0 * 0.64 * 2.0;
  EXPECT_NEAR(w.curve.ultimate, double(0.88f) * ps, ps * kRounding);
  EXPECT_NEAR(w.curve.p[12], 1.5 * ps + puc, ps * kRounding);
  EXPECT_NEAR(w.curve.p[13], double(0.88f) * ps, ps * kRounding);
}

TEST(SiltCriterion, ActiveShiftIsReducedByTheCohesion) {
  // pa = s'v Ka b - 2 c sqrt(Ka) b; a shift cohesion overcomes is none.
  const double ka = activeCoefficient(kSiltSoil.phi, kSiltPi);
  struct Case {
    double stress;
    double pa;
  };
  const Case cases[] = {{80.0, 80.0 * ka * 0.64 - 2.0 * 10.0 * std::sqrt(ka) * 0.64}, {20.0, 0.0}};
  for (const Case& c : cases) {
    for (const Face face : {Face::Excavation, Face::Backfill}) {
      BranchSite site = siteAt(face, 3.2, 0.64);
      site.excavationStress = c.stress;
      const Written w = runBranch(kSilt, kSiltSoil, site, UnitSystem::SI);
      EXPECT_NEAR(w.curve.p[0], face == Face::Excavation ? -c.pa : c.pa, 1.0E-12) << "s'v = " << c.stress;
    }
  }
}

TEST(SiltCriterion, WithoutFrictionTheCheckFailsWithTheConsoleWarning) {
  const CurveProperties clayLike = soil(0.0, 9.0, 20000.0, 10.0);
  const Written w = runBranch(kSilt, clayLike, siteAt(Face::Excavation, 2.0, 0.64), UnitSystem::SI);
  EXPECT_EQ(w.check.status, CheckStatus::DataError);
  const std::vector<std::string> console = {"", "", "       WARNING-------The Angle of the slope can not",
                                            "                     be greater than the internal  ",
                                            "                     friction angle of the sand.   "};
  EXPECT_EQ(w.check.consoleLines, console);
  EXPECT_EQ(w.check.reportLines,
            std::vector<std::string>{"ERROR STOP -- THE SILT AT X = 2.00 M BELOW THE EXCAVATION LEVEL HAS NO FRICTION "
                                     "ANGLE (A SOIL WITHOUT FRICTION IS A CLAY LAYER)"});
}

// ---------------------------------------------------------------- missing or extreme data

TEST(SandSiltCriteria, MissingDataGiveFiniteCurvesWithOnlyTheActiveShift) {
  struct Case {
    const char* name;
    const PYCriterion* criterion;
    CurveProperties properties;
    double x;
    double width;
    double pa;  // by hand for s'v = 0.5
  };
  const double sandKa = activeCoefficient(radians(35.0), kSandPi);
  const double siltKa = activeCoefficient(radians(30.0), kSiltPi);
  const double siltCohesion = 2.0 * 0.1 * std::sqrt(siltKa);
  const Case cases[] = {
      {"sand, k = 0", &kSand, soil(35.0, 0.06, 0.0), 60.0, 24.0, 0.5 * sandKa * 24.0},
      {"sand, b = 0", &kSand, soil(35.0, 0.06, 60.0), 60.0, 0.0, 0.0},
      {"sand, g' = 0", &kSand, soil(35.0, 0.0, 60.0), 60.0, 24.0, 0.5 * sandKa * 24.0},
      {"sand, z = 0", &kSand, soil(35.0, 0.06, 60.0), 0.0, 24.0, 0.5 * sandKa * 24.0},
      {"silt, k = 0", &kSilt, soil(30.0, 9.0, 0.0, 0.1), 3.2, 0.64, (0.5 * siltKa - siltCohesion) * 0.64},
      {"silt, b = 0", &kSilt, soil(30.0, 9.0, 20000.0, 0.1), 3.2, 0.0, 0.0},
      {"silt, c = 0 and g' = 0", &kSilt, soil(30.0, 0.0, 20000.0, 0.0), 3.2, 0.64, 0.5 * siltKa * 0.64},
      {"silt, z = 0", &kSilt, soil(30.0, 9.0, 20000.0, 0.1), 0.0, 0.64, (0.5 * siltKa - siltCohesion) * 0.64},
  };
  for (const Case& c : cases) {
    for (const Face face : {Face::Excavation, Face::Backfill}) {
      BranchSite site = siteAt(face, c.x, c.width);
      site.excavationStress = 0.5;
      const Written w = runBranch(*c.criterion, c.properties, site);
      const double shift = face == Face::Excavation ? -c.pa : c.pa;
      for (std::size_t i = 0; i < kBranchPoints; ++i) {
        EXPECT_TRUE(std::isfinite(w.curve.y[i])) << c.name << " point " << i;
        EXPECT_NEAR(w.curve.p[i], shift, 1.0E-12) << c.name << " point " << i;
      }
      EXPECT_TRUE(std::isfinite(w.curve.ultimate)) << c.name;
    }
    const double heq = c.criterion->equivalentDepth(1000.0, c.properties, siteAt(Face::Excavation, c.x, c.width));
    EXPECT_TRUE(std::isfinite(heq)) << c.name;
    EXPECT_GE(heq, 0.0) << c.name;
  }
}

TEST(SandSiltCriteria, ResistancesBeyondTheRangeOfNumbersFailTheCheck) {
  const BranchSite huge = siteAt(Face::Excavation, 5.0, 1.0E308);
  EXPECT_EQ(runBranch(kSand, kSandSoil, huge).check.reportLines,
            std::vector<std::string>{"ERROR STOP -- THE SAND P-Y CURVE AT X = 5.00 IN EXCEEDS THE RANGE OF NUMBERS: "
                                     "CHECK THE SOIL DATA AND THE WALL WIDTH"});
  EXPECT_FALSE(runBranch(kSilt, kSiltSoil, huge).check.passed());
}

// ---------------------------------------------------------------- equivalent depth

// The stepped integral the search inverts, evaluated here from the long-form resistances:
// `steps` equal steps over 0 .. xr, each adding its width times the resistance at its deeper
// end, the step holding `depth` in proportion; beyond xr the deep resistance per unit depth.
// Within a step the integral is thus linear, so the search can invert it exactly.
double steppedIntegral(const std::function<double(double)>& perDepth, double xr, int steps, double deep,
                       double depth) {
  const double dh = xr / steps;
  double sum = 0.0;
  for (int j = 1; j <= steps; ++j) {
    const double h = j * dh;
    const double increment = dh * perDepth(h);
    if (depth <= h) return sum + increment * (depth - (h - dh)) / dh;
    sum += increment;
  }
  return sum + deep * (depth - xr);
}

// The depth where the wedge reaches the flow-around resistance, by bisection.
double wedgeRange(const std::function<double(double)>& wedgeMinusFlow) {
  double low = 1.0E-6, high = 1.0E6;
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (low + high);
    (wedgeMinusFlow(mid) < 0.0 ? low : high) = mid;
  }
  return low;
}

TEST(SandCriterion, EquivalentDepthInvertsTheHundredStepWedgeIntegral) {
  const double phi = kSandSoil.phi, gamma = 0.06, b = 24.0, z0 = 30.0;
  const auto perDepth = [&](double h) { return tableA(h / b) * wedge(phi, gamma, h, b, kSandPi); };
  const double xr = wedgeRange([&](double h) {
    return wedge(phi, gamma, h, b, kSandPi) - flowAround(phi, gamma, h, b, kSandPi);
  });
  const double deep = double(0.88f) * flowAround(phi, gamma, z0, b, kSandPi);  // 0.88 g' b C3 z0
  const double wedgeTotal = steppedIntegral(perDepth, xr, 100, deep, xr);
  const BranchSite site = siteAt(Face::Excavation, z0, b);

  // Within the wedge range, and beyond it by 50 of linear extension.
  for (const double target : {0.4 * wedgeTotal, wedgeTotal + 50.0 * deep}) {
    const double heq = kSand.equivalentDepth(target, kSandSoil, site);
    EXPECT_NEAR(steppedIntegral(perDepth, xr, 100, deep, heq), target, target * kSandPiForms) << "F = " << target;
  }
  EXPECT_LT(kSand.equivalentDepth(0.4 * wedgeTotal, kSandSoil, site), xr);
  // The two forms put the end of the wedge range 0.011 apart and the integral up to it about 300
  // apart (its slope there times that); the deep resistance of 2045 per unit depth turns this
  // into about 0.15 of depth.
  EXPECT_NEAR(kSand.equivalentDepth(wedgeTotal + 50.0 * deep, kSandSoil, site), xr + 50.0, 0.3);
}

TEST(SiltCriterion, EquivalentDepthInvertsTheFiftyStepIntegralWithItsCohesiveTerm) {
  const double phi = kSiltSoil.phi, gamma = 9.0, b = 0.64, c = 10.0, z0 = 1.0;
  const auto perDepth = [&](double h) {
    return tableA(h / b) * wedge(phi, gamma, h, b, kSiltPi) + 3.0 * c * b + 0.5 * c * h;
  };
  const double xr = wedgeRange([&](double h) {
    return wedge(phi, gamma, h, b, kSiltPi) - flowAround(phi, gamma, h, b, kSiltPi);
  });
  const double deep = double(0.88f) * flowAround(phi, gamma, z0, b, kSiltPi) + 9.0 * c * b;
  const double wedgeTotal = steppedIntegral(perDepth, xr, 50, deep, xr);
  const BranchSite site = siteAt(Face::Excavation, z0, b);

  for (const double target : {0.05 * wedgeTotal, 0.7 * wedgeTotal, wedgeTotal + 3.0 * deep}) {
    const double heq = kSilt.equivalentDepth(target, kSiltSoil, site);
    EXPECT_NEAR(steppedIntegral(perDepth, xr, 50, deep, heq), target, target * 1.0E-9) << "F = " << target;
  }
  EXPECT_NEAR(kSilt.equivalentDepth(wedgeTotal + 3.0 * deep, kSiltSoil, site), xr + 3.0, xr * 1.0E-9);
}

TEST(SandSiltCriteria, EquivalentDepthIsZeroWithoutTargetOrResistance) {
  const BranchSite site = siteAt(Face::Excavation, 30.0, 24.0);
  EXPECT_EQ(kSand.equivalentDepth(0.0, kSandSoil, site), 0.0);
  EXPECT_EQ(kSand.equivalentDepth(-10.0, kSandSoil, site), 0.0);
  EXPECT_EQ(kSilt.equivalentDepth(0.0, kSiltSoil, site), 0.0);
  EXPECT_EQ(kSand.equivalentDepth(1000.0, kSandSoil, siteAt(Face::Excavation, 30.0, 0.0)), 0.0);
  EXPECT_EQ(kSand.equivalentDepth(1000.0, soil(0.0, 0.06, 60.0), site), 0.0);
  EXPECT_EQ(kSand.equivalentDepth(1000.0, soil(35.0, 0.0, 60.0), site), 0.0);
  // A silt without friction keeps its cohesive resistance 9 c b below the surface.
  EXPECT_NEAR(kSilt.equivalentDepth(1000.0, soil(0.0, 9.0, 60.0, 2.0), site), 1000.0 / (9.0 * 2.0 * 24.0),
              kRounding);
}

// ---------------------------------------------------------------- report blocks

TEST(SandCriterion, ReportBlockHasTheFixedLayout) {
  // The worked example, numbers by hand: ps,t = 937.04 < ps,d = 4648.0; pu = 1152.561,
  // pB = 805.856; Es y up to yk = 0.165.
  const Written w = runBranch(kSand, kSandSoil, siteAt(Face::Excavation, 60.0, 24.0));
  const std::vector<std::string> expected = {
      "",
      "",
      "         AT THE EXCAVATION SIDE",
      "",
      "",
      "           DEPTH BELOW GS  DIAM   PHI  GAMMA AVG    A    B     PCT       PCD",
      "                  IN         IN        LBS/IN**3",
      "               60.00      24.00  35.00 0.60E-01   1.23 0.86 0.94E+03 0.46E+04",
      "",
      "                                      Y                   P",
      "                                       IN              LBS/IN",
      "                                    0.000               0.000",
      "                                    0.033             120.000",
      "                                    0.067             240.000",
      "                                    0.100             360.000",
      "                                    0.133             480.000",
      "                                    0.167             596.203",
      "                                    0.200             634.815",
      "                                    0.233             669.405",
      "                                    0.267             700.889",
      "                                    0.300             729.886",
      "                                    0.333             756.840",
      "                                    0.367             782.080",
      "                                    0.400             805.856",
      "                                    0.900            1152.561",
      "                                   24.900            1152.561",
      "                                   48.900            1152.561",
      "                                   72.900            1152.561",
      " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01",
  };
  EXPECT_EQ(w.lines, expected);
  // Column positions: DEPTH BELOW GS from column 12, DIAM from 28, PHI 35, GAMMA AVG 40,
  // A at 53, B at 58, PCT at 64, PCD at 74; Y at 39 and P at 59.
  const std::string& heading = w.lines[5];
  EXPECT_EQ(heading.find("DEPTH BELOW GS"), 11u);
  EXPECT_EQ(heading.find("DIAM"), 27u);
  EXPECT_EQ(heading.find("PHI"), 34u);
  EXPECT_EQ(heading.find("GAMMA AVG"), 39u);
  EXPECT_EQ(heading.find("PCT"), 63u);
  EXPECT_EQ(heading.find("PCD"), 73u);
  EXPECT_EQ(w.lines[9].find('Y'), 38u);
  EXPECT_EQ(w.lines[9].find('P'), 58u);
}

TEST(SiltCriterion, ReportBlockHasTheFixedLayoutWithThePhiSignOfCodePage437) {
  // The worked example on the backfill face (H = 1.2, X = 2.0: z = z0 = 3.2), SI units.
  // Numbers by hand: ps = ps,t = 225.34, puc = 53.632, pu = 198.296, pB = 391.636; Es y up to
  // yk = 0.00426, the parabola to yB = 0.01067, pu from yu = 0.024.
  const Written w = runBranch(kSilt, kSiltSoil, siteAt(Face::Backfill, 2.0, 0.64, 1.2), UnitSystem::SI);
  const std::vector<std::string> expected = {
      "",
      "",
      "         AT THE BACKFILL SIDE",
      "",
      "",
      "     DEPTH      DIAM      PHI  GAMMA AVG        A         B     Puc       Pu\xED",
      "         M         M            KN/ M**3",
      "      3.20      0.64      30.0 0.900E+01      0.88      0.50 0.536E+02 0.225E+03",
      "                                     Y                   P",
      "                                        M               KN/ M",
      "                                0.000E+00           0.000E+00",
      "                                0.889E-03           0.569E+02",
      "                                0.178E-02           0.114E+03",
      "                                0.267E-02           0.171E+03",
      "                                0.356E-02           0.228E+03",
      "                                0.444E-02           0.277E+03",
      "                                0.533E-02           0.298E+03",
      "                                0.622E-02           0.317E+03",
      "                                0.711E-02           0.334E+03",
      "                                0.800E-02           0.350E+03",
      "                                0.889E-02           0.364E+03",
      "                                0.978E-02           0.378E+03",
      "                                0.107E-01           0.392E+03",
      "                                0.240E-01           0.198E+03",
      "                                0.344E+00           0.198E+03",
      "                                0.664E+00           0.198E+03",
      "                                0.984E+00           0.198E+03",
      " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01",
  };
  EXPECT_EQ(w.lines, expected);
  // The phi sign is the single byte 0xED at column 77, ending the heading.
  const std::string& heading = w.lines[5];
  ASSERT_EQ(heading.size(), 77u);
  EXPECT_EQ(static_cast<unsigned char>(heading[76]), 0xEDu);
  EXPECT_EQ(heading.find("DEPTH"), 5u);
  EXPECT_EQ(heading.find("Puc"), 64u);
  EXPECT_EQ(w.lines[8].find('Y'), 37u);
  EXPECT_EQ(w.lines[8].find('P'), 57u);
}

}  // namespace
}  // namespace korvex
