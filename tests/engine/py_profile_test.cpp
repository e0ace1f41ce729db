// The soil profile in front of the wall that the p-y generator works on, its property
// functions, the multipliers, and the curve the solution forms from two generated branches.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "control/block_assembly.h"
#include "py/py_generator.h"
#include "py/py_multipliers.h"
#include "py/py_profile.h"

namespace korvex {
namespace {

SoilLayer layer(int type, double bottom, std::array<double, 6> top, std::array<double, 6> bottom6) {
  SoilLayer l;
  l.soilType = type;
  l.bottomDepth = bottom;
  l.top = top;
  l.bottom = bottom6;
  return l;
}

SoilLayer uniform(int type, double bottom, double gamma, double c, double phiDegrees) {
  return layer(type, bottom, {gamma, c, phiDegrees, 0.01, 100, 0}, {gamma, c, phiDegrees, 0.01, 100, 0});
}

constexpr double kGammaW = double(0.036f);

TEST(PYProfile, StartsAtTheExcavationLevelAndSkipsLayersAboveIt) {
  // H on a layer bottom: that layer is skipped and the next starts at X = 0.
  const std::vector<SoilLayer> layers = {uniform(4, 120, 0.07, 0, 30), uniform(1, 200, 0.065, 5, 0),
                                         uniform(4, 400, 0.07, 0, 34)};
  PYProfile p = buildPYProfile(layers, 120, 1e4, kGammaW, 1e4);
  ASSERT_EQ(p.layers.size(), 2u);
  EXPECT_EQ(p.layers[0].soilType, SoilType::SoftClay);
  EXPECT_EQ(p.layers[0].top, 0.0);
  EXPECT_EQ(p.layers[0].bottom, 80.0);
  EXPECT_EQ(p.layers[1].top, 80.0);
  EXPECT_EQ(p.layers[1].bottom, 280.0);

  // H inside a layer: only its part below H.
  p = buildPYProfile(layers, 150, 1e4, kGammaW, 1e4);
  ASSERT_EQ(p.layers.size(), 2u);
  EXPECT_EQ(p.layers[0].bottom, 50.0);
  EXPECT_EQ(p.strengths.size(), 4u);
  EXPECT_EQ(p.unitWeights.size(), 4u);
}

TEST(PYProfile, IsCutAtTheTipLimitWithInterpolatedBottomValues) {
  const std::vector<SoilLayer> layers = {layer(5, 300, {0.07, 2, 20, 0.01, 50, 0}, {0.07, 6, 40, 0.03, 50, 0}),
                                         uniform(4, 500, 0.07, 0, 34)};
  const PYProfile p = buildPYProfile(layers, 100, 1e4, kGammaW, 150);
  ASSERT_EQ(p.layers.size(), 1u);  // deeper layers produce no curves
  EXPECT_EQ(p.layers[0].bottom, 150.0);
  const StrengthRow& bottom = p.strengths[1];
  EXPECT_DOUBLE_EQ(bottom.x, 150.0);
  EXPECT_DOUBLE_EQ(bottom.strength, 2 + 4 * 150.0 / 200.0);
  EXPECT_DOUBLE_EQ(bottom.eps50, 0.01 + 0.02 * 0.75);
  EXPECT_NEAR(radiansToDegrees(bottom.phi), 20 + 20 * 0.75, 1e-9);
}

TEST(PYProfile, AWaterTableInsideALayerSplitsItsUnitWeight) {
  const std::vector<SoilLayer> layers = {uniform(4, 300, 0.07, 0, 30)};
  const PYProfile p = buildPYProfile(layers, 100, 160, kGammaW, 1e4);
  ASSERT_EQ(p.unitWeights.size(), 4u);
  EXPECT_EQ(p.unitWeights[1].x, 60.0);
  EXPECT_EQ(p.unitWeights[1].unitWeight, 0.07);
  EXPECT_EQ(p.unitWeights[2].x, 60.0);
  EXPECT_DOUBLE_EQ(p.unitWeights[2].unitWeight, 0.07 - kGammaW);
  // The average unit weight changes slope at the water table.
  EXPECT_DOUBLE_EQ(p.averageUnitWeight(60), 0.07);
  EXPECT_NEAR(p.averageUnitWeight(160), (60 * 0.07 + 100 * (0.07 - kGammaW)) / 160, 1e-15);
  EXPECT_EQ(p.averageUnitWeight(0), 0.07);

  // Water table at a layer top: buoyant from the top; at a layer bottom: dry down to it.
  const std::vector<SoilLayer> two = {uniform(4, 160, 0.07, 0, 30), uniform(4, 300, 0.07, 0, 30)};
  const PYProfile q = buildPYProfile(two, 100, 160, kGammaW, 1e4);
  ASSERT_EQ(q.unitWeights.size(), 4u);
  EXPECT_EQ(q.unitWeights[1].unitWeight, 0.07);
  EXPECT_DOUBLE_EQ(q.unitWeights[2].unitWeight, 0.07 - kGammaW);
}

TEST(PYProfile, PropertiesInterpolateAndAverageAtInterfaces) {
  const std::vector<SoilLayer> layers = {layer(1, 200, {0.065, 4, 0, 0.02, 0, 0}, {0.065, 8, 0, 0.02, 0, 0}),
                                         layer(1, 300, {0.065, 10, 0, 0, 0, 0}, {0.065, 10, 0, 0, 0, 0})};
  const PYProfile p = buildPYProfile(layers, 100, 1e4, kGammaW, 1e4);
  EXPECT_DOUBLE_EQ(p.property(StrengthColumn::Strength, 50), 6.0);
  EXPECT_DOUBLE_EQ(p.property(StrengthColumn::Strength, 100), 9.0);  // the average at the interface
  EXPECT_DOUBLE_EQ(p.property(StrengthColumn::Eps50, 100), 0.02);   // the one that is not zero
  EXPECT_DOUBLE_EQ(p.property(StrengthColumn::Strength, 150), 10.0);
  EXPECT_TRUE(p.checkReaches(200).passed());
  const CheckResult beyond = p.checkReaches(250);
  EXPECT_EQ(beyond.status, CheckStatus::DataError);
  EXPECT_EQ(beyond.consoleLines, (std::vector<std::string>{"STOP 1"}));
  EXPECT_EQ(beyond.reportLines, (std::vector<std::string>{"**** WARNING ****", "THE VALUE OF X =  0.2500E+03",
                                                          "IS BEYOND THE EXTENT OF", "THE INPUT STRENGTH CURVE"}));
  // A unit-weight table that ends above the strength table's end.
  PYProfile shortWeights = p;
  shortWeights.unitWeights.pop_back();
  const CheckResult weights = shortWeights.checkReaches(200);
  EXPECT_EQ(weights.consoleLines, (std::vector<std::string>{"STOP 4"}));
  EXPECT_EQ(weights.reportLines.back(), "THE INPUT CURVE FOR UNIT WEIGHT");
}

TEST(PYMultipliers, ReductionForCloselySpacedElementsAndTheModificationTable) {
  const PYMultipliers spaced({}, 2.0, 100);
  EXPECT_NEAR(spaced.p(150), 0.7834, 1e-4);
  EXPECT_EQ(spaced.p(50), 1.0);  // above the excavation level
  EXPECT_EQ(spaced.y(150), 1.0);
  EXPECT_EQ(PYMultipliers({}, 1.0, 100).p(150), 1.0);  // a continuous wall
  EXPECT_EQ(PYMultipliers({}, 3.1, 100).p(150), 1.0);  // elements far apart

  const std::vector<PYModification> table = {{100, 0.5, 1.0}, {200, 0.7, 2.0}, {200, 0.9, 3.0}, {300, 1.1, 4.0}};
  const PYMultipliers modified(table, 2.0, 100);
  EXPECT_DOUBLE_EQ(modified.p(150), 0.6);
  EXPECT_DOUBLE_EQ(modified.y(150), 1.5);
  EXPECT_DOUBLE_EQ(modified.p(200), 0.9);  // two rows at one depth: a step, the lower row counts
  EXPECT_DOUBLE_EQ(modified.p(250), 1.0);
  EXPECT_DOUBLE_EQ(modified.p(100), 0.5);
  EXPECT_EQ(modified.p(99), 1.0);
  EXPECT_EQ(modified.p(301), 1.0);
}

TEST(GeneratedCurve, TheSolutionJoinsTheBackfillAndExcavationBranches) {
  GeneratedCurve curve;
  curve.depth = 121.0;
  for (int r = 0; r < kBranchPoints; ++r) {
    curve.excavation.y[static_cast<std::size_t>(r)] = r * 0.1;
    curve.excavation.p[static_cast<std::size_t>(r)] = 10.0 * r - 2.0;  // p' = pm p - pa, pa = 2
    curve.backfill.y[static_cast<std::size_t>(r)] = r * 0.1;
    curve.backfill.p[static_cast<std::size_t>(r)] = 10.0 * r + 2.0;
  }
  const SoilCurve soil = solutionCurve(curve, 3.0);
  EXPECT_EQ(soil.station, 40);
  EXPECT_TRUE(soil.chained);
  ASSERT_EQ(soil.y.size(), 33u);
  EXPECT_DOUBLE_EQ(soil.y.front(), -1.6);
  EXPECT_DOUBLE_EQ(soil.p.front(), (160.0 + 2.0) * 3.0);
  EXPECT_DOUBLE_EQ(soil.y[16], 0.0);  // the curve passes through (0, pa)
  EXPECT_DOUBLE_EQ(soil.p[16], 2.0 * 3.0);
  EXPECT_DOUBLE_EQ(soil.y[17], 0.1);
  EXPECT_DOUBLE_EQ(soil.p[17], -(10.0 - 2.0) * 3.0);
  EXPECT_DOUBLE_EQ(soil.y.back(), 1.6);
  for (std::size_t i = 1; i < soil.y.size(); ++i) EXPECT_LT(soil.y[i - 1], soil.y[i]);
}

}  // namespace
}  // namespace korvex
