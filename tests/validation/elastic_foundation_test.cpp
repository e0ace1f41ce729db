// Beams on an elastic (Winkler) foundation against Hetényi, "Beams on Elastic Foundation"
// (1946): the semi-infinite beam loaded at its end by a force or a couple and the
// finite beam with free ends loaded at its middle.
//
// The foundation modulus k (force per unit deflection per unit length) is given as lateral
// springs S = k h per station, one constant record from station 0 to N, so the two end
// stations take k h/2 (the trapezoidal share of the foundation). No deflection or slope is
// specified: the springs alone hold the beam. lambda = (k / 4EI)^(1/4). Hetényi's
// functions, with their derivatives D' = -lambda A, A' = -2 lambda B, B' = lambda C,
// C' = -2 lambda D:
//   A = e^(-lx)(cos lx + sin lx),  B = e^(-lx) sin lx,  C = e^(-lx)(cos lx - sin lx),
//   D = e^(-lx) cos lx.
//
// Tolerance. The five-point fourth difference adds (h^2/6) w'''''' to EI w'''', which
// shifts the complex wave numbers (-1 +- i) lambda of the solution by a relative
// (lambda h)^2/12; with the lumped end springs and the end conditions, deflections and
// moments move by a fraction of (lambda h)^2 of their scale. Allowed: (lambda h)^2 of the
// scale of the quantity, plus the rounding of the plot file's E13.4.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "validation_support.h"

namespace korvex::validation {
namespace {

constexpr double kFlexuralRigidity = 3.0e10;                                // lb-in^2
constexpr double kModulus = 1000.0;                                         // lb/in per in of beam
const double kLambda = std::pow(kModulus / (4 * kFlexuralRigidity), 0.25);  // 1/in

double plotRounding(double value) { return halfUnitInLastDigit(value, 4); }

double hetenyiA(double t) { return std::exp(-t) * (std::cos(t) + std::sin(t)); }
double hetenyiB(double t) { return std::exp(-t) * std::sin(t); }
double hetenyiC(double t) { return std::exp(-t) * (std::cos(t) - std::sin(t)); }
double hetenyiD(double t) { return std::exp(-t) * std::cos(t); }

// A free beam of n increments of h on springs k h per station, with the given loads.
PlotBlock solveOnFoundation(int n, double h, const std::vector<std::string>& loads) {
  BeamModel beam;
  beam.increments = n;
  beam.incrementLength = h;
  beam.flexuralRigidity = kFlexuralRigidity;
  beam.loads = loads;
  beam.springs = {springRecord(0, n, kModulus * h)};
  TempFolder folder;
  const RunResult run = runEngineOn(folder, beam.dataFile());
  EXPECT_EQ(run.report.find("ERROR"), std::string::npos);
  PlotBlock block = readPlotBlock(run.plot);
  EXPECT_TRUE(block.complete);
  EXPECT_EQ(block.results.size(), static_cast<std::size_t>(n + 2));
  return block;
}

// Semi-infinite beam, force P at the free end (Hetényi):
//   w = (2 P lambda / k) D(lambda x),  M = EI w'' = (P / lambda) B(lambda x),
// w(0) = 2 P lambda / k and the largest moment 0.3224 P / lambda at lambda x = pi/4.
// Couple M0 at the free end:
//   w = (2 M0 lambda^2 / k) C(lambda x),  M = M0 A(lambda x),  w(0) = 2 M0 lambda^2 / k.
// A beam of lambda L = 10 stands for the semi-infinite one (its far end changes the
// near end by about e^-10), with lambda h = 0.025 (400 increments).
TEST(ElasticFoundationValidation, SemiInfiniteBeamUnderAnEndForceOrAnEndCouple) {
  const double lambdaH = 0.025;
  const int n = 400;
  const double h = lambdaH / kLambda;
  const double allowance = lambdaH * lambdaH;
  const double P = 1000.0, M0 = 1.0e5;
  struct Case {
    const char* name;
    std::string load;
    double deflectionScale;
    std::function<double(double t)> deflection;
    double momentScale;
    std::function<double(double t)> moment;
  };
  const double wForce = 2 * P * kLambda / kModulus;
  const double wCouple = 2 * M0 * kLambda * kLambda / kModulus;
  const Case cases[] = {
      {"end force", loadRecord(0, 0, P), wForce, [&](double t) { return wForce * hetenyiD(t); }, P / kLambda,
       [&](double t) { return P / kLambda * hetenyiB(t); }},
      {"end couple", loadRecord(0, 0, 0.0, M0), wCouple, [&](double t) { return wCouple * hetenyiC(t); }, M0,
       [&](double t) { return M0 * hetenyiA(t); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlotBlock block = solveOnFoundation(n, h, {c.load});
    ASSERT_TRUE(block.complete);
    EXPECT_NEAR(block.results[0].deflection, c.deflectionScale,
                allowance * c.deflectionScale + plotRounding(c.deflectionScale));
    for (int j = 0; j <= n; ++j) {
      const double t = j * lambdaH;
      const ResultRow& row = block.results[static_cast<std::size_t>(j)];
      EXPECT_NEAR(row.deflection, c.deflection(t), allowance * c.deflectionScale + plotRounding(c.deflectionScale))
          << "station " << j;
      // Station 0 carries half the flexural rigidity (a record's end station), so its
      // printed moment is not the beam's; the moment is compared below the end.
      if (j > 0 && j < n) {
        EXPECT_NEAR(row.moment, c.moment(t), allowance * c.momentScale + plotRounding(c.momentScale))
            << "station " << j;
      }
    }
  }
  // The largest moment under the end force, 0.3224 P / lambda, at lambda x = pi/4 (the
  // station nearest to it lies within h/2, where M is flat to (lambda h / 2)^2 / 2).
  const PlotBlock block = solveOnFoundation(n, h, {loadRecord(0, 0, P)});
  ASSERT_TRUE(block.complete);
  double largest = 0.0;
  for (const ResultRow& row : block.results) largest = std::max(largest, row.moment);
  const double expected = 0.3224 * P / kLambda;
  EXPECT_NEAR(largest, expected, (allowance + lambdaH * lambdaH / 8 + 1.0e-4) * expected + plotRounding(expected));
}

// Finite beam of length l with free ends and a force P at its middle (Hetényi):
// with D = sinh lambda l + sin lambda l,
//   centre deflection  (P lambda / 2k) (cosh lambda l + cos lambda l + 2) / D,
//   centre moment      (P / 4 lambda) (cosh lambda l - cos lambda l) / D,
//   end deflection     (2 P lambda / k) cosh(lambda l/2) cos(lambda l/2) / D.
// The engine's moment EI w'' is negative under the load. For a long beam the first two
// tend to the infinite beam's P lambda / 2k and P / 4 lambda; at lambda l = 6 the ends
// lift (negative end deflection). 200 increments: lambda h = lambda l / 200.
TEST(ElasticFoundationValidation, FiniteFreeBeamLoadedAtItsMiddle) {
  const int n = 200;
  const double P = 1000.0;
  for (const double lambdaL : {2.0, 3.0, 6.0}) {
    SCOPED_TRACE("lambda l = " + std::to_string(lambdaL));
    const double lambdaH = lambdaL / n;
    const double h = lambdaH / kLambda;
    const double allowance = lambdaH * lambdaH;
    const double denominator = std::sinh(lambdaL) + std::sin(lambdaL);
    const double wCentre = P * kLambda / (2 * kModulus) * (std::cosh(lambdaL) + std::cos(lambdaL) + 2) / denominator;
    const double mCentre = P / (4 * kLambda) * (std::cosh(lambdaL) - std::cos(lambdaL)) / denominator;
    const double wEnd = 2 * P * kLambda / kModulus * std::cosh(lambdaL / 2) * std::cos(lambdaL / 2) / denominator;
    const PlotBlock block = solveOnFoundation(n, h, {loadRecord(n / 2, n / 2, P)});
    ASSERT_TRUE(block.complete);
    const ResultRow& centre = block.results[n / 2];
    EXPECT_NEAR(centre.deflection, wCentre, allowance * wCentre + plotRounding(wCentre));
    EXPECT_NEAR(centre.moment, -mCentre, allowance * mCentre + plotRounding(mCentre));
    for (const int end : {0, n})
      EXPECT_NEAR(block.results[static_cast<std::size_t>(end)].deflection, wEnd,
                  allowance * wCentre + plotRounding(wCentre))
          << "station " << end;
  }
  // The long-beam limits themselves (Hetényi, infinite beam): at lambda l = 12 the finite-beam
  // factors differ from them by 4E-5.
  const double lambdaH = 12.0 / n;
  const PlotBlock block = solveOnFoundation(n, lambdaH / kLambda, {loadRecord(n / 2, n / 2, P)});
  ASSERT_TRUE(block.complete);
  const double wInfinite = P * kLambda / (2 * kModulus);
  const double mInfinite = P / (4 * kLambda);
  EXPECT_NEAR(block.results[n / 2].deflection, wInfinite, lambdaH * lambdaH * wInfinite + plotRounding(wInfinite));
  EXPECT_NEAR(block.results[n / 2].moment, -mInfinite, lambdaH * lambdaH * mInfinite + plotRounding(mInfinite));
}

}  // namespace
}  // namespace korvex::validation
