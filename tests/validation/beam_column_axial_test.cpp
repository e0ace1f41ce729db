// Beam-columns: lateral deflections and moments amplified by an axial load, against the
// exact solutions of the beam-column equation EI w'''' + P w'' = q (Timoshenko & Gere,
// "Theory of Elastic Stability", 2nd ed., 1961, beam-columns: the cantilever with a lateral end
// load, the simply supported beam with a uniform load) and against the approximate
// amplification factor 1/(1 - P/Pcr) given there.
//
// The axial load enters as the sixth value of a load record from station 0 to N (positive
// in compression); like every constant record it gives the two end stations half, which is
// the lumping of the difference scheme's averaged axial terms. Quantities come from the
// plot data file (E13.4).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "validation_support.h"

namespace korvex::validation {
namespace {

constexpr double kLength = 240.0;             // in
constexpr double kFlexuralRigidity = 3.0e10;  // lb-in^2
constexpr int kIncrements = 80;               // h = 3 in

double plotRounding(double value) { return halfUnitInLastDigit(value, 4); }

// The truncation of the central differences is of relative order (h/L)^2: for the lateral
// end load without axial load it is exactly (h/L)^2/2 at the free end (see the cantilever
// validation). Near buckling it grows: the scheme's own buckling load differs from the
// exact one by about (pi h/L)^2/12 relative, and the amplification 1/(1 - P/Pcr) turns a
// relative error eps of Pcr into eps (P/Pcr)/(1 - P/Pcr) of the deflection. Allowed:
// 2 (h/L)^2 / (1 - P/Pcr) of the quantity (2 (h/L)^2 in tension).
double truncationAllowance(double scale, double fraction) {
  const double ratio = 1.0 / kIncrements;
  return 2.0 * ratio * ratio * std::abs(scale) / (1.0 - std::max(fraction, 0.0));
}

PlotBlock solve(const BeamModel& beam) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, beam.dataFile());
  EXPECT_EQ(run.report.find("ERROR"), std::string::npos);
  EXPECT_EQ(run.report.find("SOLUTION NOT CLOSED"), std::string::npos);
  EXPECT_EQ(run.report.find("MAX ALLOWABLE DEFLECTION EXCEEDED"), std::string::npos);
  PlotBlock block = readPlotBlock(run.plot);
  EXPECT_TRUE(block.complete);
  return block;
}

BeamModel beamColumn(const std::vector<std::string>& restraints, const std::vector<std::string>& loads) {
  BeamModel beam;
  beam.increments = kIncrements;
  beam.incrementLength = kLength / kIncrements;
  beam.flexuralRigidity = kFlexuralRigidity;
  beam.restraints = restraints;
  beam.loads = loads;
  return beam;
}

// Cantilever fixed at the toe with a lateral load H at the free top and an axial load P.
// With x from the top and k^2 = P/EI (compression), EI w'' = Hx + P (w(0) - w) gives
//   w(x) = H/(P k) [tan kL - kL + kx - sin kx / cos kL],  w(0) = H (tan kL - kL)/(P k),
//   M(x) = EI w'' = H sin kx / (k cos kL);
// in tension (P < 0, k^2 = |P|/EI) the circular functions become hyperbolic:
//   w(0) = H (kL - tanh kL)/(|P| k),  M(x) = H sinh kx / (k cosh kL).
// The buckling load of the cantilever is Pcr = pi^2 EI / 4L^2.
TEST(BeamColumnValidation, CantileverWithAxialLoadFollowsTheExactBeamColumnSolution) {
  const double L = kLength, EI = kFlexuralRigidity, H = 1000.0;
  const double buckling = kPi * kPi * EI / (4 * L * L);
  for (const double fraction : {0.3, 0.5, 0.7, -0.5}) {
    SCOPED_TRACE("P/Pcr = " + std::to_string(fraction));
    const double P = fraction * buckling;
    const double k = std::sqrt(std::abs(P) / EI);
    const auto deflection = [&](double x) {
      if (P > 0) return H / (P * k) * (std::tan(k * L) - k * L + k * x - std::sin(k * x) / std::cos(k * L));
      return H / (-P * k) * (k * L - std::tanh(k * L) - k * x + std::sinh(k * x) / std::cosh(k * L));
    };
    const auto moment = [&](double x) {
      return P > 0 ? H * std::sin(k * x) / (k * std::cos(k * L)) : H * std::sinh(k * x) / (k * std::cosh(k * L));
    };
    const PlotBlock block = solve(beamColumn({specifiedDeflectionAndSlope(kIncrements)},
                                             {loadRecord(0, 0, H), loadRecord(0, kIncrements, 0.0, 0.0, P)}));
    ASSERT_TRUE(block.complete);
    const double w0 = deflection(0.0);
    const double mToe = moment(L);
    for (int j = 0; j <= kIncrements; ++j) {
      const double x = j * L / kIncrements;
      const ResultRow& row = block.results[static_cast<std::size_t>(j)];
      EXPECT_NEAR(row.deflection, deflection(x), truncationAllowance(w0, fraction) + plotRounding(w0))
          << "station " << j;
      if (j > 0 && j < kIncrements) {
        EXPECT_NEAR(row.moment, moment(x), truncationAllowance(mToe, fraction) + plotRounding(mToe)) << "station " << j;
      }
    }
  }
}

// Simply supported beam-column under a uniform load q (Timoshenko & Gere), with
// u = kL/2: mid-span deflection (5qL^4/384EI) * 12 (2 sec u - 2 - u^2)/(5 u^4) and mid-span
// moment (qL^2/8) * 2 (sec u - 1)/u^2, negative in the engine's sign (EI w'' at a maximum
// of w). The supports are specified deflections of zero at stations 0 and N.
TEST(BeamColumnValidation, SimplySupportedBeamColumnUnderUniformLoadFollowsTheExactSolution) {
  const double L = kLength, EI = kFlexuralRigidity, q = 10.0, h = L / kIncrements;
  const double euler = kPi * kPi * EI / (L * L);
  for (const double fraction : {0.0, 0.3, 0.5, 0.8}) {
    SCOPED_TRACE("P/Pe = " + std::to_string(fraction));
    const double P = fraction * euler;
    const double u = std::sqrt(P / EI) * L / 2;
    const double deflectionFactor = fraction == 0.0 ? 1.0 : 12 * (2 / std::cos(u) - 2 - u * u) / (5 * std::pow(u, 4));
    const double momentFactor = fraction == 0.0 ? 1.0 : 2 * (1 / std::cos(u) - 1) / (u * u);
    const double wMid = 5 * q * std::pow(L, 4) / (384 * EI) * deflectionFactor;
    const double mMid = -q * L * L / 8 * momentFactor;
    const PlotBlock block = solve(beamColumn({specifiedDeflection(0, 0.0), specifiedDeflection(kIncrements, 0.0)},
                                             {loadRecord(0, kIncrements, q * h, 0.0, P)}));
    ASSERT_TRUE(block.complete);
    const ResultRow& mid = block.results[kIncrements / 2];
    EXPECT_NEAR(mid.deflection, wMid, truncationAllowance(wMid, fraction) + plotRounding(wMid));
    EXPECT_NEAR(mid.moment, mMid, truncationAllowance(mMid, fraction) + plotRounding(mMid));
  }
}

// The approximate amplification of a lateral deflection by an axial compression,
// 1/(1 - P/Pcr) (Timoshenko & Gere), applied to the ratio of two runs that
// differ only by the axial load. The approximation is within 0.7 % of the exact factors
// above for P/Pcr up to 0.5 (cantilever: 1.986 against 2.000; simply supported beam under
// uniform load: 2.004 against 2.000); allowed 1.5 %, plus the rounding of the two printed
// deflections.
TEST(BeamColumnValidation, DeflectionIsAmplifiedByAboutOneOverOneMinusPOverPcr) {
  const double L = kLength, EI = kFlexuralRigidity, h = L / kIncrements;
  struct Case {
    const char* name;
    std::vector<std::string> restraints;
    double buckling;
    std::function<std::vector<std::string>(double P)> loads;
    int station;
  };
  const Case cases[] = {
      {"cantilever, lateral end load",
       {specifiedDeflectionAndSlope(kIncrements)},
       kPi * kPi * EI / (4 * L * L),
       [](double P) {
         return std::vector<std::string>{loadRecord(0, 0, 1000.0), loadRecord(0, kIncrements, 0.0, 0.0, P)};
       },
       0},
      {"simply supported, uniform load",
       {specifiedDeflection(0, 0.0), specifiedDeflection(kIncrements, 0.0)},
       kPi * kPi * EI / (L * L),
       [h](double P) { return std::vector<std::string>{loadRecord(0, kIncrements, 10.0 * h, 0.0, P)}; },
       kIncrements / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlotBlock lateralOnly = solve(beamColumn(c.restraints, c.loads(0.0)));
    ASSERT_TRUE(lateralOnly.complete);
    const double w1 = lateralOnly.results[static_cast<std::size_t>(c.station)].deflection;
    for (const double fraction : {0.2, 0.35, 0.5}) {
      const PlotBlock amplified = solve(beamColumn(c.restraints, c.loads(fraction * c.buckling)));
      ASSERT_TRUE(amplified.complete);
      const double w2 = amplified.results[static_cast<std::size_t>(c.station)].deflection;
      const double ratio = w2 / w1;
      const double expected = 1.0 / (1.0 - fraction);
      const double rounding = ratio * (plotRounding(w1) / w1 + plotRounding(w2) / w2);
      EXPECT_NEAR(ratio, expected, 0.015 * expected + rounding) << "P/Pcr = " << fraction;
    }
  }
}

}  // namespace
}  // namespace korvex::validation
