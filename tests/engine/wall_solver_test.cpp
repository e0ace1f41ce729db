// The finite-difference wall against closed-form beam solutions.
#include "beamcolumn/wall_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "beamcolumn/wall_results.h"

namespace korvex {
namespace {

// A wall of `n` increments over length `length`, EI constant from station 0 to N as one
// stiffness record gives it (half values at the two end stations).
struct Wall {
  Wall(int n, double length, double ei) : h(length / n) {
    tables.reset(n);
    GroupDistributor stiffness({&tables.ei});
    const double values[] = {ei};
    stiffness.distribute(0, n, 1, values);
  }
  // Solves once with the tables' own loads and springs.
  SolveCounts solve(const std::vector<Restraint>& restraints, double maxDeflection = 1.0e9) {
    solver.setConditions(tables.numIncrements, restraints);
    return solver.solve(tables, tables.q, tables.s, h, maxDeflection, 1.0e-12, w);
  }
  double h;
  StationTables tables;
  StationTable w;
  WallSolver solver;
};

// Cantilever fixed at the toe (deflection and slope 0 at station N), tip load P at station 0.
double cantileverTipDeflection(int n) {
  constexpr double kLength = 240.0, kEI = 3.0e10, kLoad = 1000.0;
  Wall wall(n, kLength, kEI);
  wall.tables.q[0] = kLoad;
  wall.solve({Restraint{3, n, 0.0, 0.0}});
  return wall.w[0];
}

TEST(WallSolver, CantileverTipLoadGivesPL3Over3EIWithSecondOrderConvergence) {
  const double exact = 1000.0 * std::pow(240.0, 3) / (3.0 * 3.0e10);  // 0.1536 in
  const double coarse = std::fabs(cantileverTipDeflection(40) - exact);
  const double fine = std::fabs(cantileverTipDeflection(80) - exact);
  const double finer = std::fabs(cantileverTipDeflection(160) - exact);
  // Discretisation error of the central differences: well below 0.1 % at 40 increments.
  EXPECT_LT(coarse / exact, 1.0e-3);
  // Second order: halving h divides the error by about four.
  EXPECT_NEAR(coarse / fine, 4.0, 0.4);
  EXPECT_NEAR(fine / finer, 4.0, 0.4);
}

TEST(WallSolver, CantileverMomentAndShearFollowStatics) {
  constexpr int kN = 80;
  Wall wall(kN, 240.0, 3.0e10);
  wall.tables.q[0] = 1000.0;
  wall.solve({Restraint{3, kN, 0.0, 0.0}});
  wall.w[-2] = 2.0 * wall.w[-1] - wall.w[0];
  wall.w[kN + 2] = 2.0 * wall.w[kN + 1] - wall.w[kN];
  WallResults results;
  deriveWallResults(wall.tables, wall.w, wall.h, results);
  // M = P x at interior stations (the load counts positive with the deflection); V = P.
  // Tolerances: round-off of a recursion over 80 stations, far below the printed 4 digits.
  for (int j : {10, 40, 78}) {
    EXPECT_NEAR(results.moment[j], 1000.0 * j * wall.h, 1.0e-6 * 1000.0 * 240.0) << j;
    EXPECT_NEAR(results.shear[j], 1000.0, 1.0e-6 * 1000.0) << j;
  }
  EXPECT_EQ(results.moment[0], 0.0 * results.moment[0]);
  EXPECT_NEAR(results.slope[kN], 0.0, 1.0e-12);
}

TEST(WallSolver, LongWallOnUniformSpringsMatchesTheBeamOnElasticFoundation) {
  // Semi-infinite beam on a Winkler foundation with a load P at its free end (Hetenyi):
  // y(0) = 2 P beta / k, beta = (k / 4 EI)^(1/4). k = 50 lb/in per inch of wall, EI = 1e9.
  constexpr double kEI = 1.0e9, kModulus = 50.0, kLoad = 1000.0, kLength = 2400.0;
  constexpr int kN = 400;
  Wall wall(kN, kLength, kEI);
  const double h = wall.h;
  GroupDistributor springs({&wall.tables.s});
  const double stiffness[] = {kModulus * h};
  springs.distribute(0, kN, 1, stiffness);
  wall.tables.q[0] = kLoad;
  wall.solve({});
  const double beta = std::pow(kModulus / (4.0 * kEI), 0.25);
  const double exact = 2.0 * kLoad * beta / kModulus;
  // beta L = 25: the far end no longer matters. The difference scheme with h = 6 in against a
  // characteristic length 1/beta = 95 in leaves about 0.1 % (0.4 % at h = 12 in); allow 0.5 %.
  EXPECT_NEAR(wall.w[0], exact, 0.005 * exact);
  // Deflection decays as exp(-beta x) cos(beta x): at x = pi / (2 beta) it is near zero.
  const int quarterWave = static_cast<int>(std::lround(3.14159265 / (2.0 * beta) / h));
  EXPECT_NEAR(wall.w[quarterWave], 0.0, 0.02 * exact);
}

TEST(WallSolver, SpecifiedSlopeAtTheTopMakesTheFictitiousStationFollow) {
  constexpr int kN = 40;
  Wall wall(kN, 120.0, 2.0e9);
  wall.tables.q[20] = 500.0;
  const double theta = 0.002;
  wall.solve({Restraint{3, 0, 0.01, theta}, Restraint{1, kN, 0.0, 0.0}});
  EXPECT_NEAR(wall.w[-1], wall.w[1] - 2.0 * wall.h * theta, 1.0e-14);
  EXPECT_NEAR(wall.w[0], 0.01, 1.0e-14);
  EXPECT_NEAR(wall.w[kN], 0.0, 1.0e-14);
}

TEST(WallSolver, SlopeAloneAndDeflectionAloneAreHeldWhereSpecified) {
  constexpr int kN = 30;
  Wall wall(kN, 90.0, 1.0e9);
  wall.tables.q[0] = 100.0;
  // Slope zero at the toe (a guided end) and deflection zero at station 20: a propped wall.
  wall.solve({Restraint{1, 20, 0.0, 0.0}, Restraint{2, kN, 0.0, 0.0}});
  EXPECT_NEAR(wall.w[20], 0.0, 1.0e-14);
  EXPECT_NEAR(wall.w[kN + 1], wall.w[kN - 1], 1.0e-14);
  EXPECT_GT(wall.w[0], 0.0);
}

TEST(WallSolver, CountsStationsOverTheMaximumAndNotClosed) {
  constexpr int kN = 20;
  Wall wall(kN, 240.0, 3.0e10);
  wall.tables.q[0] = 1.0e6;
  SolveCounts counts = wall.solve({Restraint{3, kN, 0.0, 0.0}}, 1.0);
  EXPECT_GT(counts.overMaxDeflection, 0);
  EXPECT_LT(counts.overMaxDeflection, kN + 1);
  EXPECT_EQ(counts.notClosed, kN);  // every station moved except the fixed toe
  // The same solve again changes nothing.
  counts = wall.solver.solve(wall.tables, wall.tables.q, wall.tables.s, wall.h, 1.0e9, 1.0e-12, wall.w);
  EXPECT_EQ(counts.notClosed, 0);
  EXPECT_EQ(counts.overMaxDeflection, 0);
}

TEST(WallSolver, AZeroPivotDropsItsRowInsteadOfFailing) {
  // No stiffness at all: every pivot is zero and the deflections stay zero.
  StationTables tables;
  tables.reset(10);
  tables.q[5] = 1.0;
  WallSolver solver;
  solver.setConditions(10, {});
  StationTable w;
  const SolveCounts counts = solver.solve(tables, tables.q, tables.s, 1.0, 1.0, 1.0e-6, w);
  EXPECT_EQ(counts.overMaxDeflection, 0);
  for (int j = -1; j <= 11; ++j) EXPECT_EQ(w[j], 0.0) << j;

  // A slope specified where the pivots are zero: the rows of the slope still hold,
  // w(4) = w(6) - 2 h theta, and nothing becomes infinite.
  solver.setConditions(10, {Restraint{2, 5, 0.0, 0.01}});
  solver.solve(tables, tables.q, tables.s, 1.0, 1.0, 1.0e-6, w);
  for (int j = -1; j <= 11; ++j) EXPECT_EQ(w[j], j == 4 ? -0.02 : 0.0) << j;
}

TEST(WallResults, AConcentratedMomentShowsItsShearJumpAndCancellingReactions) {
  constexpr int kN = 20;
  Wall wall(kN, 200.0, 1.0e9);
  const double torque = 5.0e4;
  wall.tables.t[10] = torque;
  wall.tables.moments.push_back(ConcentratedMoment{10, torque / (2.0 * wall.h)});
  // Simply supported at both ends.
  wall.solve({Restraint{1, 0, 0.0, 0.0}, Restraint{1, kN, 0.0, 0.0}});
  wall.w[-2] = 2.0 * wall.w[-1] - wall.w[0];
  wall.w[kN + 2] = 2.0 * wall.w[kN + 1] - wall.w[kN];
  WallResults plain;
  StationTables noList = wall.tables;
  noList.moments.clear();
  deriveWallResults(noList, wall.w, wall.h, plain);
  WallResults corrected;
  deriveWallResults(wall.tables, wall.w, wall.h, corrected);
  const double c = torque / (2.0 * wall.h);
  EXPECT_DOUBLE_EQ(corrected.shear[10], plain.shear[10] - c);
  EXPECT_DOUBLE_EQ(corrected.shear[9], plain.shear[9] - c / 2.0);
  EXPECT_DOUBLE_EQ(corrected.shear[11], plain.shear[11] - c / 2.0);
  EXPECT_DOUBLE_EQ(corrected.reaction[11], plain.reaction[11] + c);
  EXPECT_DOUBLE_EQ(corrected.reaction[9], plain.reaction[9] - c);
  // The two corrections of the reactions cancel.
  EXPECT_NEAR(corrected.reaction[9] + corrected.reaction[11], plain.reaction[9] + plain.reaction[11], 1.0e-9);
  // A simply supported beam with a central couple: shear T/L away from the couple.
  EXPECT_NEAR(std::fabs(corrected.shear[5]), torque / 200.0, 1.0e-6 * torque / 200.0);
  EXPECT_NEAR(std::fabs(corrected.shear[15]), torque / 200.0, 1.0e-6 * torque / 200.0);
}

}  // namespace
}  // namespace korvex
