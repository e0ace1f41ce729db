// Elastic beams without soil against the closed forms of elementary beam theory
// (Timoshenko & Gere, "Mechanics of Materials"; Roark's "Formulas for Stress and Strain",
// 7th ed., Table 8.1): cantilevers fixed at the toe and free at the top, a propped
// cantilever, a beam fixed at both ends, a settling support and a specified rotation, the
// supports given as specified deflections and slopes.
//
// Quantities are read from the result records of the plot data file (E13.4: four
// significant digits); the report's table prints only three. The difference scheme writes
// the wall's equation EI w'''' = q at every station with central differences and the
// restraints as w(J) = given and w(J+1) - w(J-1) = 2h theta. For polynomial deflection
// lines its error can be worked out by hand (the truncation series stop), which the
// cantilever cases below use to check the scheme to the last printed digit.
//
// Signs: x is the depth below the top (station 0); deflection and load are positive in the
// same direction; the engine's moment is EI w'' and its net reaction per station is the
// force applied at the station (load plus support force).
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

double plotRounding(double value) { return halfUnitInLastDigit(value, 4); }

PlotBlock solve(const BeamModel& beam) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, beam.dataFile());
  EXPECT_EQ(run.report.find("ERROR"), std::string::npos) << run.report;
  PlotBlock block = readPlotBlock(run.plot);
  EXPECT_TRUE(block.complete);
  EXPECT_EQ(block.results.size(), static_cast<std::size_t>(beam.increments + 2));
  return block;
}

BeamModel cantilever(int increments) {
  BeamModel beam;
  beam.increments = increments;
  beam.incrementLength = kLength / increments;
  beam.flexuralRigidity = kFlexuralRigidity;
  beam.restraints = {specifiedDeflectionAndSlope(increments)};  // toe fixed
  return beam;
}

// One load case of the cantilever: the records, the closed-form deflection line w(x), the
// exact error e(x) of the difference scheme for it, the moment M(x) = EI w'', the shear
// V(x) and the toe reaction.
struct CantileverCase {
  const char* name;
  std::function<std::vector<std::string>(int n, double h)> loads;
  std::function<double(double x)> deflection;
  std::function<double(double x, double h)> truncation;
  std::function<double(double x)> moment;
  std::function<double(double x)> shear;
  double toeReaction;
};

constexpr double kTipLoad = 1000.0;    // lb
constexpr double kTipMoment = 1.0e5;   // lb-in
constexpr double kUniformLoad = 10.0;  // lb/in

// Closed forms (Roark Table 8.1, left end free and right end fixed, the free end at x = 0):
//   tip load P:   w = P (2L^3 - 3L^2 x + x^3) / 6EI,  w(0) = PL^3/3EI,  M = P x,  V = P;
//   tip moment T: w = T (L - x)^2 / 2EI,             w(0) = TL^2/2EI,  M = T,    V = 0;
//   uniform q:    w = q (x^4 - 4L^3 x + 3L^4) / 24EI, w(0) = qL^4/8EI,  M = q x^2/2, V = q x.
//
// Error of the scheme, by hand. The cantilever is statically determinate, so the moments
// at the stations are exact and the scheme solves w(j-1) - 2w(j) + w(j+1) = h^2 M(xj)/EI
// with w(N) = 0 and w(N+1) = w(N-1). For the true line, by Taylor's series (finite for a
// polynomial), w(x-h) - 2w(x) + w(x+h) = h^2 w'' + h^4 w''''/12 and
// w(L+h) - w(L-h) = 2h w'(L) + h^3 w'''(L)/3. The error e = w_fd - w therefore satisfies
// second differences of -h^4 q/12EI (q the distributed load, zero for the end loads) and a
// toe condition e'(L) = -h^2 w'''(L)/6 (e is at most quadratic, so its differences are exact):
//   tip load:   e = P h^2 (L - x) / 6EI;
//   tip moment: e = 0 (w is quadratic, every difference is exact);
//   uniform q:  e = q h^2 (L - x)(3L + x) / 24EI.
std::vector<CantileverCase> cantileverCases() {
  const double L = kLength, EI = kFlexuralRigidity, P = kTipLoad, T = kTipMoment, q = kUniformLoad;
  return {
      {"tip load", [=](int, double) { return std::vector<std::string>{loadRecord(0, 0, P)}; },
       [=](double x) { return P * (2 * L * L * L - 3 * L * L * x + x * x * x) / (6 * EI); },
       [=](double x, double h) { return P * h * h * (L - x) / (6 * EI); }, [=](double x) { return P * x; },
       [=](double) { return P; }, -P},
      {"tip moment", [=](int, double) { return std::vector<std::string>{loadRecord(0, 0, 0.0, T)}; },
       [=](double x) { return T * (L - x) * (L - x) / (2 * EI); }, [=](double, double) { return 0.0; },
       [=](double) { return T; }, [=](double) { return 0.0; }, 0.0},
      {"uniform load", [=](int n, double h) { return std::vector<std::string>{loadRecord(0, n, q * h)}; },
       [=](double x) { return q * (x * x * x * x - 4 * L * L * L * x + 3 * L * L * L * L) / (24 * EI); },
       [=](double x, double h) { return q * h * h * (L - x) * (3 * L + x) / (24 * EI); },
       [=](double x) { return q * x * x / 2; }, [=](double x) { return q * x; }, -q * L},
  };
}

// Free-end deflections PL^3/3EI, TL^2/2EI and qL^4/8EI on a fine mesh (h = 3 in). The
// tolerance is the scheme's truncation at the free end (e(0) above: h^2/2L^2 and h^2/L^2
// relative) plus the rounding of E13.4.
TEST(CantileverValidation, FreeEndDeflectionsMatchTheClosedFormsWithinTheTruncationError) {
  const int n = 80;
  const double h = kLength / n;
  const double expected[] = {kTipLoad * std::pow(kLength, 3) / (3 * kFlexuralRigidity),
                             kTipMoment * kLength * kLength / (2 * kFlexuralRigidity),
                             kUniformLoad * std::pow(kLength, 4) / (8 * kFlexuralRigidity)};
  const std::vector<CantileverCase> cases = cantileverCases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    BeamModel beam = cantilever(n);
    beam.loads = cases[i].loads(n, h);
    const PlotBlock block = solve(beam);
    ASSERT_TRUE(block.complete);
    const double printed = block.results[0].deflection;
    EXPECT_NEAR(printed, expected[i], std::abs(cases[i].truncation(0.0, h)) + plotRounding(expected[i]));
  }
}

// Whole deflection lines on a coarse mesh (N = 10, h = 24 in), where the truncation is
// visible in four digits: every station shows the closed form plus the exact error e(x) of
// the scheme, to within the rounding of E13.4; the tolerance has no other allowance.
TEST(CantileverValidation, DeflectionLinesEqualTheClosedFormsPlusTheExactTruncationOfTheScheme) {
  const int n = 10;
  const double h = kLength / n;
  for (const CantileverCase& c : cantileverCases()) {
    SCOPED_TRACE(c.name);
    BeamModel beam = cantilever(n);
    beam.loads = c.loads(n, h);
    const PlotBlock block = solve(beam);
    ASSERT_TRUE(block.complete);
    for (int j = 0; j <= n; ++j) {
      const double x = j * h;
      const double expected = c.deflection(x) + c.truncation(x, h);
      const double printed = block.results[static_cast<std::size_t>(j)].deflection;
      EXPECT_NEAR(printed, expected, 1.01 * plotRounding(expected) + 1.0e-12) << "station " << j;
    }
  }
}

// Moments and shears inside the cantilever follow from statics alone (M = Px, T, qx^2/2;
// V = P, 0, qx), and the scheme reproduces them at every inner station; the net reaction
// at the toe is the support force minus the load lumped there (-P, 0, -qL). Only the
// E13.4 rounding is allowed. The end stations carry half the flexural rigidity in the
// station table (the distribution rule halves a record's ends), so the moment printed at
// the toe is half the fixed-end moment; the shears at stations 0 and N-1 are central
// differences reaching past them (to the moment taken as zero above the top, and to that
// halved toe moment). Those stations are left out here; the fixed-end moment is checked by
// extrapolation in the cases of restrained beams below.
TEST(CantileverValidation, InnerMomentsShearsAndTheToeReactionFollowStatics) {
  const int n = 20;
  const double h = kLength / n;
  for (const CantileverCase& c : cantileverCases()) {
    SCOPED_TRACE(c.name);
    BeamModel beam = cantilever(n);
    beam.loads = c.loads(n, h);
    const PlotBlock block = solve(beam);
    ASSERT_TRUE(block.complete);
    const double momentScale = std::abs(c.moment(kLength)) + std::abs(c.moment(0.0));
    for (int j = 1; j < n; ++j) {
      const double x = j * h;
      const ResultRow& row = block.results[static_cast<std::size_t>(j)];
      EXPECT_NEAR(row.moment, c.moment(x), plotRounding(c.moment(x)) + 1.0e-9 * momentScale) << "station " << j;
      if (j <= n - 2) {
        EXPECT_NEAR(row.shear, c.shear(x), plotRounding(c.shear(x)) + 1.0e-9 * momentScale / h) << "station " << j;
      }
    }
    const double lumpedAtToe = std::string(c.name) == "uniform load" ? kUniformLoad * h / 2 : 0.0;
    const double toeForce = block.results[static_cast<std::size_t>(n)].reaction - lumpedAtToe;
    EXPECT_NEAR(toeForce, c.toeReaction, plotRounding(c.toeReaction) + 1.0e-9 * momentScale / h);
  }
}

// Slopes, printed only in the report's results table (E12.3: three significant digits),
// are central differences of the computed deflections. With e(x) above and the central
// difference of the true line, w'(x) + h^2 w'''(x)/6, the printed slope is exactly
//   tip load:   w' = -P (L^2 - x^2)/2EI      (the two h^2 terms cancel),
//   tip moment: w' = -T (L - x)/EI,
//   uniform q:  w' = -q (L^3 - x^3)/6EI  plus  q h^2 (x - L)/12EI,
// within the rounding of the three printed digits.
TEST(CantileverValidation, ReportedSlopesAreTheClosedFormSlopes) {
  const int n = 20;
  const double h = kLength / n, L = kLength, EI = kFlexuralRigidity;
  const std::vector<std::function<double(double x)>> slopes = {
      [=](double x) { return -kTipLoad * (L * L - x * x) / (2 * EI); },
      [=](double x) { return -kTipMoment * (L - x) / EI; },
      [=](double x) {
        return -kUniformLoad * (L * L * L - x * x * x) / (6 * EI) + kUniformLoad * h * h * (x - L) / (12 * EI);
      },
  };
  const std::vector<CantileverCase> cases = cantileverCases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    BeamModel beam = cantilever(n);
    beam.loads = cases[i].loads(n, h);
    TempFolder folder;
    const RunResult run = runEngineOn(folder, beam.dataFile());
    const std::vector<ReportRow> rows = reportResults(run.report);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n + 1));
    for (const ReportRow& row : rows) {
      const double expected = slopes[i](row.station * h);
      EXPECT_NEAR(row.slope, expected, 1.01 * halfUnitInLastDigit(expected, 3) + 1.0e-15) << "station " << row.station;
      EXPECT_NEAR(row.depth, row.station * h, halfUnitInLastDigit(row.station * h, 3));
    }
  }
}

// Mesh refinement. A tip moment that cancels the closed-form free-end deflection is added
// (T = -2PL/3 with the tip load, T = -qL^2/4 with the uniform load), so that the exact
// free-end deflection is zero and the printed value is the error of the scheme itself,
// carried with four significant digits. Halving h must quarter it (second order), and it
// must equal the hand-derived e(0): P L h^2/6EI and q L^2 h^2/8EI. The tip moment adds no
// error of its own (its deflection line is quadratic). Tolerances: the E13.4 rounding of
// each error, propagated into their ratio.
TEST(CantileverValidation, MeshRefinementShowsSecondOrderConvergence) {
  struct Case {
    const char* name;
    std::function<std::vector<std::string>(int n, double h)> loads;
    std::function<double(double h)> freeEndError;
  };
  const double L = kLength, EI = kFlexuralRigidity, P = kTipLoad, q = kUniformLoad;
  const Case cases[] = {
      {"tip load", [=](int, double) { return std::vector<std::string>{loadRecord(0, 0, P, -2 * P * L / 3)}; },
       [=](double h) { return P * L * h * h / (6 * EI); }},
      {"uniform load",
       [=](int n, double h) {
         return std::vector<std::string>{loadRecord(0, n, q * h), loadRecord(0, 0, 0.0, -q * L * L / 4)};
       },
       [=](double h) { return q * L * L * h * h / (8 * EI); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> errors;
    for (const int n : {10, 20, 40, 80}) {
      const double h = kLength / n;
      BeamModel beam = cantilever(n);
      beam.loads = c.loads(n, h);
      const PlotBlock block = solve(beam);
      ASSERT_TRUE(block.complete);
      const double error = block.results[0].deflection;
      EXPECT_NEAR(error, c.freeEndError(h), 1.01 * plotRounding(c.freeEndError(h))) << "N = " << n;
      errors.push_back(error);
    }
    for (std::size_t i = 0; i + 1 < errors.size(); ++i) {
      ASSERT_GT(errors[i + 1], 0.0);
      const double ratio = errors[i] / errors[i + 1];
      const double tolerance =
          ratio * (plotRounding(errors[i]) / errors[i] + plotRounding(errors[i + 1]) / errors[i + 1]) * 1.01;
      EXPECT_NEAR(ratio, 4.0, tolerance) << "halving from N = " << (10 << i);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Beams restrained by specified deflections and slopes.
//
// The scheme's error in these cases comes from the central-difference restraints (the
// slope condition misses h^2 w'''/6 at each clamped end); the fourth difference inside the
// beam truncates h^2 w''''''/6, which vanishes for the quartic and cubic lines here.
// Working the cubic correction out as for the cantilever gives, for the mid-span
// deflection, 8 (h/L)^2 of it for the fixed-fixed beam and 4.25 (h/L)^2 for the propped
// cantilever; moments and reactions carry errors of the same order. The cases use h = L/160
// and allow 10 (h/L)^2 of the quantity's scale plus the E13.4 rounding.
// ---------------------------------------------------------------------------------------

constexpr int kFineIncrements = 160;

double truncationAllowance(double scale) {
  const double ratio = 1.0 / kFineIncrements;
  return 10.0 * ratio * ratio * std::abs(scale);
}

// The moment at the end station from the three inner stations next to it, exact for the
// quadratic moment diagrams of uniform loads and the linear ones of end forces.
double extrapolatedEndMoment(const PlotBlock& block, int end, int inward) {
  const auto m = [&](int j) { return block.results[static_cast<std::size_t>(j)].moment; };
  return 3 * m(end + inward) - 3 * m(end + 2 * inward) + m(end + 3 * inward);
}

// Propped cantilever (Roark Table 8.1, uniform load, one end simply supported and the other
// fixed): pinned at the top (deflection 0 at station 0), fixed at the toe (deflection and
// slope 0 at station N), uniform load q. With x from the pinned end:
//   w = q x (L^3 - 3 L x^2 + 2 x^3) / 48EI,
// largest at x = L (1 + sqrt 33)/16 = 0.4215 L, where it is q L^4 / 184.6 EI (Roark rounds the
// divisor to 185); reactions 3qL/8 at the pin and 5qL/8 at the toe;
//   M = EI w'' = q x^2/2 - 3qLx/8,  qL^2/8 at the toe.
TEST(RestrainedBeamValidation, ProppedCantileverUnderUniformLoad) {
  const int n = kFineIncrements;
  const double L = kLength, EI = kFlexuralRigidity, q = kUniformLoad, h = L / n;
  BeamModel beam;
  beam.increments = n;
  beam.incrementLength = h;
  beam.restraints = {specifiedDeflection(0, 0.0), specifiedDeflectionAndSlope(n)};
  beam.loads = {loadRecord(0, n, q * h)};
  const PlotBlock block = solve(beam);
  ASSERT_TRUE(block.complete);

  const auto deflection = [&](double x) { return q * x * (L * L * L - 3 * L * x * x + 2 * x * x * x) / (48 * EI); };
  const auto moment = [&](double x) { return q * x * x / 2 - 3 * q * L * x / 8; };
  const double xMax = L * (1 + std::sqrt(33.0)) / 16;
  const double wMax = deflection(xMax);
  EXPECT_NEAR(wMax, q * std::pow(L, 4) / (185 * EI), 0.003 * wMax);  // 185 rounded from 184.6

  double printedMax = 0.0;
  for (int j = 0; j <= n; ++j) {
    const double x = j * h;
    const ResultRow& row = block.results[static_cast<std::size_t>(j)];
    printedMax = std::max(printedMax, row.deflection);
    EXPECT_NEAR(row.deflection, deflection(x), truncationAllowance(wMax) + plotRounding(wMax)) << "station " << j;
    if (j > 0 && j < n) {
      EXPECT_NEAR(row.moment, moment(x), truncationAllowance(q * L * L / 8) + plotRounding(q * L * L / 8))
          << "station " << j;
    }
  }
  // The largest printed deflection: the stations bracket x = 0.4215 L within h/2, where the
  // line is flat to (h/2)^2 |w''|/2.
  EXPECT_NEAR(printedMax, wMax,
              truncationAllowance(wMax) + plotRounding(wMax) + h * h / 8 * std::abs(moment(xMax)) / EI);
  // Support forces: the net reaction less the load lumped at the station (qh/2).
  EXPECT_NEAR(block.results[0].reaction - q * h / 2, -3 * q * L / 8, truncationAllowance(q * L) + plotRounding(q * L));
  EXPECT_NEAR(block.results[static_cast<std::size_t>(n)].reaction - q * h / 2, -5 * q * L / 8,
              truncationAllowance(q * L) + plotRounding(q * L));
  EXPECT_NEAR(extrapolatedEndMoment(block, n, -1), q * L * L / 8,
              truncationAllowance(q * L * L / 8) + 4 * plotRounding(q * L * L / 8));
}

// Beam fixed at both ends (Roark Table 8.1, uniform load, both ends fixed):
//   w = q x^2 (L - x)^2 / 24EI,  qL^4/384EI at mid-span;
//   M = EI w'' = q (L^2 - 6Lx + 6x^2)/12,  qL^2/12 at the ends and -qL^2/24 at mid-span;
// each support carries qL/2.
TEST(RestrainedBeamValidation, FixedFixedBeamUnderUniformLoad) {
  const int n = kFineIncrements;
  const double L = kLength, EI = kFlexuralRigidity, q = kUniformLoad, h = L / n;
  BeamModel beam;
  beam.increments = n;
  beam.incrementLength = h;
  beam.restraints = {specifiedDeflectionAndSlope(0), specifiedDeflectionAndSlope(n)};
  beam.loads = {loadRecord(0, n, q * h)};
  const PlotBlock block = solve(beam);
  ASSERT_TRUE(block.complete);

  const auto deflection = [&](double x) { return q * x * x * (L - x) * (L - x) / (24 * EI); };
  const auto moment = [&](double x) { return q * (L * L - 6 * L * x + 6 * x * x) / 12; };
  const double wMid = q * std::pow(L, 4) / (384 * EI);
  const double mEnd = q * L * L / 12;
  for (int j = 0; j <= n; ++j) {
    const double x = j * h;
    const ResultRow& row = block.results[static_cast<std::size_t>(j)];
    EXPECT_NEAR(row.deflection, deflection(x), truncationAllowance(wMid) + plotRounding(wMid)) << "station " << j;
    if (j > 0 && j < n) {
      EXPECT_NEAR(row.moment, moment(x), truncationAllowance(mEnd) + plotRounding(mEnd)) << "station " << j;
    }
  }
  EXPECT_NEAR(block.results[static_cast<std::size_t>(n / 2)].deflection, wMid,
              truncationAllowance(wMid) + plotRounding(wMid));
  EXPECT_NEAR(block.results[static_cast<std::size_t>(n / 2)].moment, -q * L * L / 24,
              truncationAllowance(mEnd) + plotRounding(mEnd));
  EXPECT_NEAR(extrapolatedEndMoment(block, 0, 1), mEnd, truncationAllowance(mEnd) + 4 * plotRounding(mEnd));
  EXPECT_NEAR(extrapolatedEndMoment(block, n, -1), mEnd, truncationAllowance(mEnd) + 4 * plotRounding(mEnd));
  for (const int end : {0, n})
    EXPECT_NEAR(block.results[static_cast<std::size_t>(end)].reaction - q * h / 2, -q * L / 2,
                truncationAllowance(q * L) + plotRounding(q * L))
        << "station " << end;
}

// A fixed-fixed beam whose top support settles by Delta without rotating (slope-deflection
// equations; Timoshenko & Gere): w = Delta (1 - 3 xi^2 + 2 xi^3), xi = x/L; M = EI w'' =
// EI Delta (12 xi - 6)/L^2, so -6 EI Delta/L^2 at the top and +6 EI Delta/L^2 at the toe;
// constant shear 12 EI Delta/L^3, which the two supports apply in opposite directions.
TEST(RestrainedBeamValidation, SettlementOfAFixedSupport) {
  const int n = kFineIncrements;
  const double L = kLength, EI = kFlexuralRigidity, h = L / n, delta = 0.5;
  BeamModel beam;
  beam.increments = n;
  beam.incrementLength = h;
  beam.restraints = {specifiedDeflectionAndSlope(0, delta, 0.0), specifiedDeflectionAndSlope(n)};
  const PlotBlock block = solve(beam);
  ASSERT_TRUE(block.complete);

  const double mEnd = 6 * EI * delta / (L * L);
  const double shear = 12 * EI * delta / (L * L * L);
  for (int j = 0; j <= n; ++j) {
    const double xi = j * h / L;
    const ResultRow& row = block.results[static_cast<std::size_t>(j)];
    EXPECT_NEAR(row.deflection, delta * (1 - 3 * xi * xi + 2 * xi * xi * xi),
                truncationAllowance(delta) + plotRounding(delta))
        << "station " << j;
    if (j > 0 && j < n) {
      EXPECT_NEAR(row.moment, EI * delta * (12 * xi - 6) / (L * L), truncationAllowance(mEnd) + plotRounding(mEnd))
          << "station " << j;
    }
    if (j > 1 && j < n - 1) {
      EXPECT_NEAR(row.shear, shear, truncationAllowance(shear) + plotRounding(shear)) << "station " << j;
    }
  }
  EXPECT_NEAR(extrapolatedEndMoment(block, 0, 1), -mEnd, truncationAllowance(mEnd) + 4 * plotRounding(mEnd));
  EXPECT_NEAR(extrapolatedEndMoment(block, n, -1), mEnd, truncationAllowance(mEnd) + 4 * plotRounding(mEnd));
  EXPECT_NEAR(block.results[0].reaction, shear, truncationAllowance(shear) + plotRounding(shear));
  EXPECT_NEAR(block.results[static_cast<std::size_t>(n)].reaction, -shear,
              truncationAllowance(shear) + plotRounding(shear));
}

// Specified slopes. (a) A beam fixed at the toe whose top is turned through theta by a
// specified slope, with no lateral restraint and no load: the restraining couple is
// constant, w' = theta (1 - x/L), w = -theta (L - x)^2 / 2L, w(0) = -theta L/2 and
// M = EI w'' = -EI theta/L. The line is quadratic, so the scheme is exact: only the E13.4
// rounding is allowed. (b) A guided cantilever: slope 0 specified at the loaded top, toe
// fixed (Roark Table 8.1, end load, one end guided and the other fixed): w(0) = PL^3/12EI,
// M = P (x - L/2); the moment is exact by statics and the deflection carries the truncation
// of two clamped ends.
TEST(RestrainedBeamValidation, SpecifiedSlopesAtTheTop) {
  const double L = kLength, EI = kFlexuralRigidity;
  {
    SCOPED_TRACE("turned top");
    const int n = 20;
    const double h = L / n, theta = 0.002;
    BeamModel beam;
    beam.increments = n;
    beam.incrementLength = h;
    beam.restraints = {specifiedSlope(0, theta), specifiedDeflectionAndSlope(n)};
    const PlotBlock block = solve(beam);
    ASSERT_TRUE(block.complete);
    for (int j = 0; j <= n; ++j) {
      const double x = j * h;
      const ResultRow& row = block.results[static_cast<std::size_t>(j)];
      const double w = -theta * (L - x) * (L - x) / (2 * L);
      EXPECT_NEAR(row.deflection, w, 1.01 * plotRounding(w) + 1.0e-12) << "station " << j;
      if (j > 0 && j < n) {
        EXPECT_NEAR(row.moment, -EI * theta / L, plotRounding(EI * theta / L)) << "station " << j;
      }
    }
  }
  {
    SCOPED_TRACE("guided cantilever");
    const int n = kFineIncrements;
    const double h = L / n, P = kTipLoad;
    BeamModel beam;
    beam.increments = n;
    beam.incrementLength = h;
    beam.restraints = {specifiedSlope(0, 0.0), specifiedDeflectionAndSlope(n)};
    beam.loads = {loadRecord(0, 0, P)};
    const PlotBlock block = solve(beam);
    ASSERT_TRUE(block.complete);
    const double w0 = P * L * L * L / (12 * EI);
    EXPECT_NEAR(block.results[0].deflection, w0, truncationAllowance(w0) + plotRounding(w0));
    for (int j = 1; j < n; ++j) {
      const double m = P * (j * h - L / 2);
      EXPECT_NEAR(block.results[static_cast<std::size_t>(j)].moment, m, plotRounding(P * L / 2)) << "station " << j;
    }
  }
}

}  // namespace
}  // namespace korvex::validation
