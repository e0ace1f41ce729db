// Generated p-y curves against the published static criteria, computed here from their
// formulas:
//   soft clay                      Matlock (1970), OTC 1204;
//   stiff clay with free water     Reese, Cox & Koop (1975), OTC 2312;
//   stiff clay without free water  Reese & Welch (1975), J. Geotech. Eng. Div. ASCE 101(GT7);
//   sand                           Reese, Cox & Koop (1974), OTC 2080;
//   strong rock                    Reese & Nyman (1978), the bilinear criterion for strong rock;
//   weak rock                      Reese (1997), J. Geotech. Geoenviron. Eng. ASCE 123(11).
// The depth factors A, B (sand) and As (stiff clay with free water) are the tabulations of
// the published charts in Reese & Van Impe, "Single Piles and Pile Groups Under Lateral
// Loading" (2001).
//
// The site: the excavation level at H = 120 in, one layer reaching 96 in below it, so the
// curves stand at X = 0.1, 24, 48, 72 and 95.9 in below the excavation level; the cases
// use X = 24, 48 and 72 (x/b = 2, 4 and 6 with b = Wp = 12 in, nodes of the charts). Each
// curve has two branches: the excavation face, with depth z = X, and the backfill face,
// with z = H + X; the average effective unit weight is that of the soil below the
// excavation level. Wall elements 48 in apart (Wa/Wp = 4): no reduction for close spacing
// and no continuous-wall rule. No earth pressure is generated, so there is no active
// shift of the curves.
//
// Read from the report's p-y blocks: each branch prints 17 (y, p) rows. The deflections are
// the criterion's sampling points (multiples of its reference deflection), which the test
// checks first; the resistance is then compared with the published formula at the exact
// deflection. Tolerance: half a unit of the printed format (F20.3, F20.5, or three
// significant digits in D20.3 / E20.3 for rock) plus 1E-5 relative for the system's
// single-precision constants (1E-4 for sand, whose friction angle is converted to radians
// with pi = 3.1416 and enters through tan^8 beta).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "validation_support.h"

namespace korvex::validation {
namespace {

constexpr double kFreeHeight = 120.0;  // in
constexpr double kWidth = 12.0;        // in, Wp
constexpr double kWaterUnitWeight = 0.036;

// A curve as published: its sampling deflections and its resistance p(y), lb/in.
struct PublishedCurve {
  std::vector<double> deflections;
  std::function<double(double y)> resistance;
};

// How a criterion prints its rows.
struct PrintFormat {
  int decimals = 3;          // Fw.d with d decimals, or
  bool significant = false;  // three significant digits (E20.3 / D20.3)
  double rounding(double value) const {
    return significant ? halfUnitInLastDigit(value, 3) : 0.5 * std::pow(10.0, -decimals);
  }
};

// Linear interpolation in a chart tabulation; constant beyond its last node.
double chart(const std::vector<double>& nodes, const std::vector<double>& values, double at) {
  if (at >= nodes.back()) return values.back();
  for (std::size_t i = 1; i < nodes.size(); ++i)
    if (at <= nodes[i])
      return values[i - 1] + (values[i] - values[i - 1]) * (at - nodes[i - 1]) / (nodes[i] - nodes[i - 1]);
  return values.back();
}

// --- Matlock (1970), soft clay, static --------------------------------------------------
// pu = min(3 + gamma' z / c + J z / b, 9) c b with J = 0.5; y50 = 2.5 eps50 b;
// p = 0.5 pu (y / y50)^(1/3) up to 8 y50, pu beyond.
PublishedCurve softClay(double c, double gammaEff, double eps50, double b, double z) {
  const double pu = std::min(3 + gammaEff * z / c + 0.5 * z / b, 9.0) * c * b;
  const double y50 = 2.5 * eps50 * b;
  PublishedCurve curve;
  curve.deflections = {0.0, 0.008 * y50};
  for (int i = 1; i <= 12; ++i) curve.deflections.push_back(0.25 * i * y50);
  for (const double f : {8.0, 15.0, 20.0}) curve.deflections.push_back(f * y50);
  curve.resistance = [=](double y) { return y > 8 * y50 ? pu : 0.5 * pu * std::cbrt(y / y50); };
  return curve;
}

// --- Reese, Cox & Koop (1975), stiff clay with free water, static -----------------------
// pct = 2 ca b + gamma' b z + 2.83 ca z, pcd = 11 c b, pc = min; y50 = eps50 b; As from the
// chart at x/b; initial line ks z y; then
//   0.5 pc (y/y50)^0.5                                        up to As y50,
//   0.5 pc (y/y50)^0.5 - 0.055 pc ((y - As y50)/(As y50))^1.25  up to 6 As y50,
//   0.5 pc (6 As)^0.5 - 0.411 pc - 0.0625 pc (y - 6 As y50)/y50  up to 18 As y50,
//   0.5 pc (6 As)^0.5 - 0.411 pc - 0.75 pc As                   beyond.
PublishedCurve stiffClayWithFreeWater(double c, double gammaEff, double eps50, double ks, double b, double z,
                                      double x) {
  const double pc = std::min(2 * c * b + gammaEff * b * z + 2.83 * c * z, 11 * c * b);
  const double as = chart({0, 1, 2, 3, 4, 5}, {0.223, 0.46, 0.55, 0.59, 0.60, 0.60}, x / b);
  const double y50 = eps50 * b, ya = as * y50;
  PublishedCurve curve;
  for (int i = 0; i <= 12; ++i) curve.deflections.push_back(0.5 * i * ya);
  for (const double f : {10.0, 14.0, 18.0, 200.0}) curve.deflections.push_back(f * ya);
  curve.resistance = [=](double y) {
    double p;
    if (y <= ya) {
      p = 0.5 * pc * std::sqrt(y / y50);
    } else if (y <= 6 * ya) {
      p = 0.5 * pc * std::sqrt(y / y50) - 0.055 * pc * std::pow((y - ya) / ya, 1.25);
    } else if (y <= 18 * ya) {
      p = 0.5 * pc * std::sqrt(6 * as) - 0.411 * pc - 0.0625 * pc * (y - 6 * ya) / y50;
    } else {
      p = 0.5 * pc * std::sqrt(6 * as) - 0.411 * pc - 0.75 * pc * as;
    }
    return std::min(p, ks * z * y);
  };
  return curve;
}

// --- Reese & Welch (1975), stiff clay without free water, static -------------------------
// pu = min(3 ca b + gamma' b z + J ca z, 9 c b) with J = 0.5; y50 = 2.5 eps50 b;
// p = 0.5 pu (y / y50)^(1/4) up to 16 y50, pu beyond.
PublishedCurve stiffClayWithoutFreeWater(double c, double gammaEff, double eps50, double b, double z) {
  const double pu = std::min(3 * c * b + gammaEff * b * z + 0.5 * c * z, 9 * c * b);
  const double y50 = 2.5 * eps50 * b;
  PublishedCurve curve;
  for (const double f :
       {0.0, 1.0e-5, 5.0e-5, 1.0e-4, 5.0e-4, 0.001, 0.005, 0.01, 0.025, 0.05, 0.075, 0.1, 0.25, 0.5, 1.0})
    curve.deflections.push_back(16 * y50 * f);
  curve.deflections.push_back(18 * y50);
  curve.deflections.push_back(20 * y50);
  curve.resistance = [=](double y) { return y > 16 * y50 ? pu : 0.5 * pu * std::pow(y / y50, 0.25); };
  return curve;
}

// --- Reese, Cox & Koop (1974), sand, static -----------------------------------------------
// With alpha = phi/2, beta = 45 + phi/2, K0 = 0.4, Ka = tan^2(45 - phi/2):
//   pst = gamma' z [K0 z tan phi sin beta / (tan(beta - phi) cos alpha)
//                   + tan beta / tan(beta - phi) (b + z tan beta tan alpha)
//                   + K0 z tan beta (tan phi sin beta - tan alpha) - Ka b],
//   psd = Ka b gamma' z (tan^8 beta - 1) + K0 b gamma' z tan phi tan^4 beta,  ps = min;
// pu = A ps at yu = 3b/80, pm = B ps at ym = b/60, straight between; the parabola
// p = C y^(1/n) through (ym, pm) with the slope of that straight line there,
// n = pm / (m ym), C = pm / ym^(1/n); the initial line k z y up to its meeting with it.
PublishedCurve sand(double phiDegrees, double gammaEff, double k, double b, double z) {
  const double phi = phiDegrees * kPi / 180, alpha = phi / 2, beta = kPi / 4 + phi / 2;
  const double k0 = 0.4, ka = std::pow(std::tan(kPi / 4 - phi / 2), 2);
  const double tb = std::tan(beta), tbp = std::tan(beta - phi), ta = std::tan(alpha), tp = std::tan(phi);
  const double wedge = gammaEff * z *
                       (k0 * z * tp * std::sin(beta) / (tbp * std::cos(alpha)) + tb / tbp * (b + z * tb * ta) +
                        k0 * z * tb * (tp * std::sin(beta) - ta) - ka * b);
  const double flow = ka * b * gammaEff * z * (std::pow(tb, 8) - 1) + k0 * b * gammaEff * z * tp * std::pow(tb, 4);
  const double ps = std::min(wedge, flow);
  const std::vector<double> nodes = {0, 0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6};
  const double a = chart(nodes, {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.90, 0.88, 0.88}, z / b);
  const double bFactor = chart(nodes, {2.14, 1.83, 1.54, 1.27, 1.05, 0.86, 0.71, 0.53, 0.50, 0.50}, z / b);
  const double pu = a * ps, pm = bFactor * ps, yu = 3 * b / 80, ym = b / 60;
  const double slope = (pu - pm) / (yu - ym);
  const double n = pm / (slope * ym), coefficient = pm / std::pow(ym, 1 / n);
  PublishedCurve curve;
  curve.deflections.push_back(0.0);
  for (int i = 1; i <= 12; ++i) curve.deflections.push_back(i * ym / 12);
  for (int i = 0; i <= 3; ++i) curve.deflections.push_back(yu + i * b);
  curve.resistance = [=](double y) {
    double p;
    if (y < ym) {
      p = coefficient * std::pow(y, 1 / n);
    } else if (y < yu) {
      p = pm + slope * (y - ym);
    } else {
      p = pu;
    }
    return std::min(p, k * z * y);
  };
  return curve;
}

// --- Reese & Nyman (1978), strong rock ----------------------------------------------------
// su = qu/2; p = 2000 su y up to y = 0.0004 b, then rising at 100 su to the ultimate
// resistance su b, reached at y = 0.0024 b. Sampled every 0.0024 b / 15 from 0; the 15
// points below 0.0024 b are compared (beyond it the rock is taken to fail).
PublishedCurve strongRock(double qu, double b) {
  const double su = qu / 2, y1 = 0.0004 * b, y2 = 0.0024 * b;
  PublishedCurve curve;
  for (int i = 0; i < 15; ++i) curve.deflections.push_back(i * y2 / 15);
  curve.resistance = [=](double y) { return y < y1 ? 2000 * su * y : 2000 * su * y1 + 100 * su * (y - y1); };
  return curve;
}

// --- Reese (1997), weak rock ----------------------------------------------------------------
// alpha_r = 1 - (2/3) RQD/100; depth into the rock xr;
//   pur = alpha_r qu b (1 + 1.4 xr / b) and Kir = 100 + 400 xr / (3b)   for xr <= 3b,
//   pur = 5.2 alpha_r qu b and Kir = 500                                beyond;
// yrm = krm b; p = Kir Er y up to yA, then (pur/2)(y/yrm)^(1/4), at most pur, where yA is
// their meeting point [(pur/2) / (yrm^(1/4) Kir Er)]^(4/3).
PublishedCurve weakRock(double qu, double rqd, double krm, double er, double b, double xr) {
  const double alpha = 1 - 2.0 / 3.0 * rqd / 100;
  const double pur = xr <= 3 * b ? alpha * qu * b * (1 + 1.4 * xr / b) : 5.2 * alpha * qu * b;
  const double kir = xr <= 3 * b ? 100 + 400 * xr / (3 * b) : 500;
  const double yrm = krm * b;
  const double ya = std::pow(pur / 2 / (std::pow(yrm, 0.25) * kir * er), 4.0 / 3.0);
  PublishedCurve curve;
  for (const double f :
       {0.0005, 0.001, 0.003, 0.006, 0.009, 0.02, 0.04, 0.06, 0.08, 0.1, 0.25, 0.5, 0.75, 1.0, 4.0, 8.0, 12.0})
    curve.deflections.push_back(f * yrm);
  curve.resistance = [=](double y) { return y < ya ? kir * er * y : std::min(pur / 2 * std::pow(y / yrm, 0.25), pur); };
  return curve;
}

// The report of a run with one layer of the given type from the surface to 96 in below
// the excavation level, curves generated, no earth pressure.
std::string generatedCurvesReport(int type, const std::string& values, double waterTable) {
  std::ostringstream text;
  text << "P-Y VALIDATION\n1 1 1 0 0 2 0 0 0 0\n40 6 1000 0.001 " << kFreeHeight
       << " 48\n3 40 0 0\n0 40 1 3.0E+10\n0\n0\n"
       << kFreeHeight << " 48 " << kWidth << " " << waterTable << " 1000 1 1 0\n0 0 0 0 0 0\n0\n1\n"
       << type << " " << kFreeHeight + 96 << "\n"
       << values << "\n"
       << values << "\n0\n";
  TempFolder folder;
  const RunResult run = runEngineOn(folder, text.str());
  EXPECT_EQ(run.report.find("ERROR"), std::string::npos);
  return run.report;
}

void expectPublishedCurve(const PrintedBranch& printed, const PublishedCurve& curve, const PrintFormat& format,
                          double relative) {
  ASSERT_GE(printed.rows.size(), curve.deflections.size());
  for (std::size_t i = 0; i < curve.deflections.size(); ++i) {
    const double y = curve.deflections[i];
    const double p = curve.resistance(y);
    EXPECT_NEAR(printed.rows[i].first, y, 1.001 * format.rounding(y) + 1.0e-12) << "point " << i + 1;
    EXPECT_NEAR(printed.rows[i].second, p, 1.001 * format.rounding(p) + relative * std::abs(p) + 1.0e-12)
        << "point " << i + 1 << ", y = " << y;
  }
}

struct Criterion {
  const char* name;
  int type;
  std::string values;  // the six layer values
  double waterTable;   // in below the top of the wall
  PrintFormat format;
  double relative;
  bool backfillPrintsAbsoluteDepth;  // the backfill branch prints H + X (rock: X)
  std::function<PublishedCurve(bool excavation, double x)> curve;
};

std::vector<Criterion> criteria() {
  const double H = kFreeHeight, b = kWidth;
  // Submerged unit weights below a water table at the surface: gamma - gamma_w.
  const double softGamma = 0.0637 - kWaterUnitWeight;   // 110 pcf total
  const double stiffGamma = 0.0694 - kWaterUnitWeight;  // 120 pcf total
  const double sandGamma = 0.0694 - kWaterUnitWeight;
  const auto depth = [H](bool excavation, double x) { return excavation ? x : H + x; };
  return {
      {"soft clay", 1, "0.0637 5 0 0.01 0 0", 0.0, PrintFormat{3, false}, 1.0e-5, true,
       [=](bool excavation, double x) { return softClay(5, softGamma, 0.01, b, depth(excavation, x)); }},
      {"stiff clay with free water", 2, "0.0694 10 0 0.005 500 0", 0.0, PrintFormat{3, false}, 1.0e-5, true,
       [=](bool excavation, double x) {
         return stiffClayWithFreeWater(10, stiffGamma, 0.005, 500, b, depth(excavation, x), depth(excavation, x));
       }},
      {"stiff clay without free water", 3, "0.0694 15 0 0.005 0 0", 1000.0, PrintFormat{5, false}, 1.0e-5, true,
       [=](bool excavation, double x) {
         return stiffClayWithoutFreeWater(15, 0.0694, 0.005, b, depth(excavation, x));
       }},
      {"sand", 4, "0.0694 0 35 0 60 0", 0.0, PrintFormat{3, false}, 1.0e-4, true,
       [=](bool excavation, double x) { return sand(35, sandGamma, 60, b, depth(excavation, x)); }},
      {"strong rock", 6, "0.0868 2000 0 0 0 0", 1000.0, PrintFormat{3, true}, 1.0e-5, false,
       [=](bool, double) { return strongRock(2000, b); }},
      {"weak rock", 7, "0.0868 800 0 0.0005 80000 40", 1000.0, PrintFormat{3, true}, 1.0e-5, true,
       [=](bool excavation, double x) { return weakRock(800, 40, 0.0005, 80000, b, depth(excavation, x)); }},
  };
}

TEST(PYCurveValidation, GeneratedCurvesFollowThePublishedCriteriaOnBothFaces) {
  for (const Criterion& criterion : criteria()) {
    SCOPED_TRACE(criterion.name);
    const std::vector<PrintedBranch> branches =
        printedBranches(generatedCurvesReport(criterion.type, criterion.values, criterion.waterTable));
    ASSERT_EQ(branches.size(), 10u);  // five curves, two faces each
    for (const double x : {24.0, 48.0, 72.0}) {
      for (const bool excavation : {true, false}) {
        SCOPED_TRACE(std::string(excavation ? "excavation" : "backfill") + " face, X = " + std::to_string(x));
        const double printedDepth = excavation || !criterion.backfillPrintsAbsoluteDepth ? x : kFreeHeight + x;
        const PrintedBranch branch = branchAt(branches, excavation, printedDepth);
        expectPublishedCurve(branch, criterion.curve(excavation, x), criterion.format, criterion.relative);
      }
    }
  }
}

// Hand-checked landmarks of the published curves, independent of the sampling: Matlock's
// soft clay reaches pu = 9 c b = 540 lb/in on the backfill face (z = 144 in: N = 3 +
// 0.0277 x 144/5 + 0.5 x 144/12 = 9.80, capped at 9) at 8 y50 = 2.4 in, with 0.5 pu 3^(1/3)
// = 389.4 lb/in at 3 y50; Reese & Welch's stiff clay reaches pu at 16 y50 = 2.4 in.
TEST(PYCurveValidation, CurvesReachTheirUltimateResistanceWhereThePublishedShapeSays) {
  {
    SCOPED_TRACE("soft clay");
    const std::vector<PrintedBranch> branches = printedBranches(generatedCurvesReport(1, "0.0637 5 0 0.01 0 0", 0.0));
    const PrintedBranch backfill = branchAt(branches, false, kFreeHeight + 24.0);
    ASSERT_EQ(backfill.rows.size(), 17u);
    EXPECT_NEAR(backfill.rows[13].first, 0.9, 5.0e-4);  // 3 y50
    EXPECT_NEAR(backfill.rows[13].second, 0.5 * 540 * std::cbrt(3.0), 5.0e-4 + 1.0e-5 * 540);
    EXPECT_NEAR(backfill.rows[14].first, 2.4, 5.0e-4);  // 8 y50
    for (std::size_t i = 14; i < 17; ++i) EXPECT_NEAR(backfill.rows[i].second, 540.0, 5.0e-4 + 1.0e-5 * 540);
  }
  {
    SCOPED_TRACE("stiff clay without free water");
    // Excavation face at X = 72:
    // pu = 3 x 15 x 12 + 0.0694 x 12 x 72 + 0.5 x 15 x 72 = 1139.96 lb/in < 9 c b = 1620.
    const double pu = 3 * 15 * 12 + 0.0694 * 12 * 72 + 0.5 * 15 * 72;
    const std::vector<PrintedBranch> branches =
        printedBranches(generatedCurvesReport(3, "0.0694 15 0 0.005 0 0", 1000.0));
    const PrintedBranch excavation = branchAt(branches, true, 72.0);
    ASSERT_EQ(excavation.rows.size(), 17u);
    EXPECT_NEAR(excavation.rows[14].first, 2.4, 5.0e-6);  // 16 y50, y50 = 0.15 in
    for (std::size_t i = 14; i < 17; ++i) EXPECT_NEAR(excavation.rows[i].second, pu, 5.0e-6 + 1.0e-5 * pu);
  }
}

}  // namespace
}  // namespace korvex::validation
