#include "beamcolumn/soil_curves.h"

#include <gtest/gtest.h>

#include <cmath>

#include "beamcolumn/moment_ei.h"
#include "beamcolumn/pressure_loads.h"

namespace korvex {
namespace {

// A resisting curve through (-1, 100), (0, 0), (1, -100), (3, -150).
SoilCurve resistingCurve(int station, bool chained = false) {
  return SoilCurve{station, {-1.0, 0.0, 1.0, 3.0}, {100.0, 0.0, -100.0, -150.0}, chained};
}

TEST(SoilCurves, LinearisingOnASegmentGivesItsSlopeAsSpringAndItsInterceptAsLoad) {
  const SoilCurve curve = resistingCurve(0);
  bool off = false;
  CurveSpring spring = linearise(curve, 0.5, off);
  EXPECT_FALSE(off);
  EXPECT_EQ(spring.spring, 100.0);
  EXPECT_EQ(spring.load, 0.0);  // resistance q - s y = -50 at y = 0.5
  spring = linearise(curve, 2.0, off);
  EXPECT_FALSE(off);
  EXPECT_EQ(spring.spring, 25.0);
  EXPECT_EQ(spring.load - spring.spring * 2.0, -125.0);
  // A point on a node belongs to the segment that ends there.
  spring = linearise(curve, 1.0, off);
  EXPECT_EQ(spring.spring, 100.0);
  EXPECT_FALSE(off);
}

TEST(SoilCurves, DeflectionsOffTheCurveExtendItsEndSegmentsAndSetTheFlag) {
  const SoilCurve curve = resistingCurve(0);
  bool off = false;
  CurveSpring spring = linearise(curve, -2.0, off);
  EXPECT_TRUE(off);
  EXPECT_EQ(spring.spring, 100.0);
  off = false;
  spring = linearise(curve, 10.0, off);
  EXPECT_TRUE(off);
  EXPECT_EQ(spring.spring, 25.0);
  // A curve of two points always counts as off the curve.
  off = false;
  linearise(SoilCurve{0, {0.0, 1.0}, {0.0, -5.0}, false}, 0.5, off);
  EXPECT_TRUE(off);
  // Equal deflections on a segment give neither spring nor load.
  off = false;
  spring = linearise(SoilCurve{0, {0.0, 0.0, 1.0}, {0.0, -5.0, -6.0}, false}, -1.0, off);
  EXPECT_EQ(spring.spring, 0.0);
  EXPECT_EQ(spring.load, 0.0);
}

// Curves whose deflections never decrease are searched by bisection; the segment found must be
// the one the point-by-point search finds, on nodes, between repeated deflections, off both
// ends and for a deflection that is not a number.
TEST(SoilCurves, BisectionFindsTheSegmentThePointByPointSearchFinds) {
  SoilCurve sorted{0, {-3.0, -1.0, -1.0, 0.0, 0.5, 0.5, 0.5, 2.0, 4.0}, {90, 60, 55, 0, -20, -25, -30, -60, -70}, false};
  SoilCurve plain = sorted;
  sorted.classify();
  ASSERT_TRUE(sorted.ascending);
  ASSERT_FALSE(plain.ascending);
  for (double y = -4.0; y <= 5.0; y += 0.125) {
    for (const double at : {y, -1.0, 0.5, 2.0, std::nan("")}) {
      bool offSorted = false, offPlain = false;
      const CurveSpring a = linearise(sorted, at, offSorted);
      const CurveSpring b = linearise(plain, at, offPlain);
      EXPECT_EQ(offSorted, offPlain) << at;
      if (std::isnan(at)) continue;
      EXPECT_EQ(a.spring, b.spring) << at;
      EXPECT_EQ(a.load, b.load) << at;
    }
  }
  // Deflections out of order keep the point-by-point search.
  SoilCurve unordered{0, {0.0, 2.0, 1.0, 3.0}, {0, -10, -20, -30}, false};
  unordered.classify();
  EXPECT_FALSE(unordered.ascending);
}

TEST(SoilCurves, UserCurvesAreScaledAndChainedBelowTheExcavationLevel) {
  const UserCurve user{12, 2, 0.5, 2.0, {{0.0, 0.0}, {1.0, -40.0}}};
  const SoilCurve only = prepareUserCurve(user, 1, 6.0, 72.0);  // station 12 at 72 in: at the level
  EXPECT_TRUE(only.chained);
  EXPECT_EQ(only.y[1], 2.0);
  EXPECT_EQ(only.p[1], -40.0 * 0.5 * 6.0);
  EXPECT_FALSE(prepareUserCurve(user, 1, 6.0, 72.1).chained);
  EXPECT_FALSE(prepareUserCurve(user, 2, 6.0, 0.0).chained) << "with generated curves a user curve stands alone";
}

class SoilSprings : public ::testing::Test {
 protected:
  void SetUp() override {
    sw.clear();
    qw.clear();
    w.clear();
  }
  StationTable sw, qw, w;
};

TEST_F(SoilSprings, ChainedCurvesGiveHalfSpringsAtTheirEndStationsAndFullInBetween) {
  const SoilCurve curves[] = {resistingCurve(10, true), resistingCurve(14, true), resistingCurve(18, false)};
  EXPECT_FALSE(addSoilSprings(curves, w, 20, sw, qw).offCurve);
  EXPECT_EQ(sw[10], 50.0);
  EXPECT_EQ(sw[12], 100.0);
  EXPECT_EQ(sw[14], 100.0);  // two segments meet: two halves
  EXPECT_EQ(sw[18], 50.0);
  EXPECT_EQ(sw[9], 0.0);
  EXPECT_EQ(sw[19], 0.0);
}

TEST_F(SoilSprings, SpringsAreInterpolatedBetweenTwoDifferentCurves) {
  SoilCurve stiff = resistingCurve(18, false);
  for (double& p : stiff.p) p *= 3.0;
  const SoilCurve curves[] = {resistingCurve(10, true), stiff};
  addSoilSprings(curves, w, 20, sw, qw);
  EXPECT_DOUBLE_EQ(sw[14], 200.0);  // halfway from 100 to 300
  EXPECT_DOUBLE_EQ(sw[18], 150.0);
}

TEST_F(SoilSprings, AStandAloneCurveActsAtItsOwnStationOnly) {
  const SoilCurve curves[] = {resistingCurve(5, false)};
  addSoilSprings(curves, w, 20, sw, qw);
  EXPECT_EQ(sw[5], 100.0);
  EXPECT_EQ(sw[4] + sw[6], 0.0);
  // Not below the toe.
  sw.clear();
  const SoilCurve deep[] = {resistingCurve(21, false)};
  addSoilSprings(deep, w, 20, sw, qw);
  EXPECT_EQ(sw[21], 0.0);
}

TEST_F(SoilSprings, AChainedCurveThatNothingClosesActsAlone) {
  const SoilCurve single[] = {resistingCurve(8, true)};
  addSoilSprings(single, w, 20, sw, qw);
  EXPECT_EQ(sw[8], 100.0);
  // The last of a chain was reached by its segment already and adds nothing more.
  sw.clear();
  const SoilCurve chain[] = {resistingCurve(8, true), resistingCurve(12, true)};
  addSoilSprings(chain, w, 20, sw, qw);
  EXPECT_EQ(sw[8], 50.0);
  EXPECT_EQ(sw[12], 50.0);
}

// Cut at the toe, a segment reaches the lower curve's values at the toe itself.
TEST_F(SoilSprings, SegmentsStopAtTheToeAndASecondCurveAtTheSameStationIsSkipped) {
  SoilCurve stiff = resistingCurve(24, false);
  for (double& p : stiff.p) p *= 3.0;
  const SoilCurve curves[] = {resistingCurve(16, true), resistingCurve(16, true), stiff};
  addSoilSprings(curves, w, 20, sw, qw);
  EXPECT_EQ(sw[16], 50.0);
  EXPECT_DOUBLE_EQ(sw[18], 200.0);  // halfway from 100 to 300
  EXPECT_DOUBLE_EQ(sw[20], 150.0);
  EXPECT_EQ(sw[21], 0.0);
}

TEST_F(SoilSprings, ASegmentRunningUpwardsSaysTheStationsAreNotInOrder) {
  const SoilCurve curves[] = {resistingCurve(12, true), resistingCurve(8, false)};
  EXPECT_FALSE(addSoilSprings(curves, w, 20, sw, qw).stationsInOrder);
  const SoilCurve downwards[] = {resistingCurve(8, true), resistingCurve(12, false)};
  EXPECT_TRUE(addSoilSprings(downwards, w, 20, sw, qw).stationsInOrder);
}

TEST_F(SoilSprings, EachStationUsesItsOwnDeflection) {
  w[10] = 2.0;  // on the soft segment
  const SoilCurve curves[] = {resistingCurve(10, false)};
  addSoilSprings(curves, w, 20, sw, qw);
  EXPECT_EQ(sw[10], 25.0);
  EXPECT_EQ(qw[10], 25.0 * 1.0 - 100.0);
}

TEST(MomentEI, EIFollowsTheCurveWhereMomentEqualsCurvatureTimesEI) {
  // A bilinear section: EI 1e9 up to M = 1e6 (curvature 1e-3), then 2e8 at M = 1.2e6.
  const MomentEICurve curve{0, 0, 3, {{0.0, 1.0e9}, {1.0e6, 1.0e9}, {1.2e6, 2.0e8}}};
  EXPECT_DOUBLE_EQ(eiAtCurvature(curve, 0.0), 1.0e9);
  EXPECT_DOUBLE_EQ(eiAtCurvature(curve, 5.0e-4), 1.0e9);
  // Between the points: M = phi EI on the segment from (1e6, 1e9) to (1.2e6, 2e8).
  const double phi = 2.0e-3;
  const double ei = eiAtCurvature(curve, phi);
  const double t = (ei - 1.0e9) / (2.0e8 - 1.0e9);
  EXPECT_NEAR(phi * ei, 1.0e6 + t * 2.0e5, 1.0e-6);

  StationTable w, table;
  for (int j = -3; j <= 10; ++j) w[j] = 0.5 * 2.0e-3 * j * j;  // constant curvature 2e-3 with h = 1
  updateMomentEI(std::span<const MomentEICurve>(&curve, 1), w, 1.0, table);
  EXPECT_DOUBLE_EQ(table[0], ei);
  EXPECT_EQ(table[1], 0.0);
}

TEST(PressureLoads, PointsBecomeStationLoadsInterpolatedAtEachStationDepth) {
  StationTables tables;
  tables.reset(10);
  const PressureLoadPoint points[] = {{20.0, 2.0}, {40.0, 2.0}};
  addPressureLoads(points, 40.0, 10.0, tables);
  EXPECT_EQ(tables.q[0], 0.0);
  EXPECT_EQ(tables.q[1], 10.0);  // halfway from 0 at depth 0 to 2 x h at 20
  EXPECT_EQ(tables.q[2], 20.0);
  EXPECT_EQ(tables.q[4], 20.0);
  EXPECT_EQ(tables.q[5], 0.0);
}

TEST(PressureLoads, ALastDepthRoundingDownwardRepeatsTheStationAbove) {
  StationTables tables;
  tables.reset(10);
  const PressureLoadPoint points[] = {{0.0, 1.0}, {36.0, 4.0}};
  addPressureLoads(points, 36.0, 10.0, tables);  // 3.6 stations: up to station 4
  EXPECT_DOUBLE_EQ(tables.q[3], (1.0 + 3.0 * 30.0 / 36.0) * 10.0);
  EXPECT_DOUBLE_EQ(tables.q[4], tables.q[3]);
  // Reaching below the toe loads station N+1 and never beyond the tables.
  StationTables deep;
  deep.reset(10);
  const PressureLoadPoint far[] = {{1.0e6, 1.0}};
  addPressureLoads(far, 1.0e6, 10.0, deep);
  EXPECT_GT(deep.q[11], 0.0);
  EXPECT_TRUE(deep.hasDataBeyondToe());
}

// Each station takes the first point of the diagram at or below it, even when the points
// are out of depth order.
TEST(PressureLoads, PointsOutOfDepthOrderAreSearchedFromTheTopForEveryStation) {
  StationTables tables;
  tables.reset(10);
  const PressureLoadPoint points[] = {{30.0, 3.0}, {10.0, 1.0}, {50.0, 5.0}};
  addPressureLoads(points, 50.0, 10.0, tables);
  // Stations 1 to 3 (10 to 30 in) find the first point, at 30 in, interpolated from the top.
  EXPECT_DOUBLE_EQ(tables.q[1], 30.0 * 10.0 / 30.0);
  EXPECT_DOUBLE_EQ(tables.q[3], 30.0);
  // Station 4 (40 in) passes both upper points and interpolates between 10 in and 50 in.
  EXPECT_DOUBLE_EQ(tables.q[4], 10.0 + (50.0 - 10.0) * (40.0 - 10.0) / 40.0);
  EXPECT_DOUBLE_EQ(tables.q[5], 50.0);
}

}  // namespace
}  // namespace korvex
