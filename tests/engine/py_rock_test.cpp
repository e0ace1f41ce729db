// The rock p-y criteria against hand calculations: the strong-rock elastic-plastic curve with
// its residual, the weak-rock curve with its RQD reduction and depth-dependent ultimate
// resistance, the faces of the wall, the zero-strength stop, curves that stay finite for empty
// data, and the report blocks column by column. The multipliers: py_curve_properties_test.cpp.
#include "py/rock_criteria.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "py_test_support.h"
#include "test_support.h"

namespace korvex {
namespace {

// The criteria's constants are single-precision numbers; a value built from them differs from
// the decimal hand calculation by a few parts in 1.0E7.
constexpr double kSinglePrecision = 1.0E-6;
// Hand-worked values below are carried to six significant figures.
constexpr double kHandFigures = 1.0E-5;

void expectRelative(double actual, double expected, double tolerance) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << "expected " << expected;
}

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

using testing::runBranch;
using testing::WrittenBranch;

BranchSite backfillOf(BranchSite site) {
  site.face = Face::Backfill;
  site.z0 = site.freeHeight + site.x;
  return site;
}

// ---------------------------------------------------------------------------------------
// Strong rock, worked by hand: qu = 2000 psi, so su = 1000 psi and Es = 2.0E6 psi; b = 12 in,
// so y1 = 0.0048 in, p1 = 9600 lb/in, pu = 12000 lb/in and y2 = 0.0048 + 2400 / 1.0E5 =
// 0.0288 in; deflection step 0.0288 / 15 = 0.00192 in. g' = 0.07 pci at X = 100 in
// (layer from X = 40 in, H = 120 in): residual 0.5 x 0.07 x 12 x 100 = 42 lb/in.

CurveProperties strongRock() {
  CurveProperties properties;
  properties.strength = 2000.0;
  properties.averageStrength = 2000.0;
  properties.unitWeight = 0.07;
  return properties;
}

BranchSite strongRockSite() {
  BranchSite site;
  site.x = 100.0;
  site.layerTop = 40.0;
  site.layerBottom = 160.0;
  site.freeHeight = 120.0;
  site.z = 60.0;
  site.z0 = 100.0;
  site.width = 12.0;
  site.firstCurveOfLayer = false;
  return site;
}

// y2 as the criterion forms it, and the deflections by repeated addition of y2 / 15.
double strongRockY2(double su, double b) {
  const double y1 = double(0.0004f) * b;
  const double p1 = double(2000.0f) * su * y1;
  return y1 + (su * b - p1) / (double(100.0f) * su);
}

std::vector<double> accumulatedDeflections(double y2) {
  const double step = y2 / double(15.0f);
  std::vector<double> y(kBranchPoints, 0.0);
  for (int k = 1; k < kBranchPoints; ++k) y[k] = y[k - 1] + step;
  return y;
}

TEST(StrongRock, ElasticLimitAndUltimateDeflectionAreFixedFractionsOfTheWidthForAnyStrength) {
  for (double qu : {2.0E-6, 1.0, 2000.0, 3.0E12}) {
    for (double b : {0.3, 12.0, 36.0}) {
      CurveProperties properties = strongRock();
      properties.strength = qu;
      BranchSite site = strongRockSite();
      site.width = b;
      const StrongRockCurve curve = strongRockCurve(properties, site);
      expectRelative(curve.y1, 0.0004 * b, kSinglePrecision);
      expectRelative(curve.y2, 0.0024 * b, kSinglePrecision);
    }
  }
}

TEST(StrongRock, ResistanceRisesToTheUltimateThenDropsToTheUnreducedResidual) {
  const double pm = 0.7;
  const StrongRockCurve curve = strongRockCurve(strongRock(), strongRockSite());
  const double su = 1000.0, b = 12.0;
  expectRelative(curve.resistance(curve.y1, pm), 0.8 * su * b * pm, kSinglePrecision);
  expectRelative(curve.resistance(0.5 * curve.y1, pm), 0.4 * su * b * pm, kSinglePrecision);
  expectRelative(curve.resistance(std::nextafter(curve.y2, 0.0), pm), su * b * pm, kSinglePrecision);
  expectRelative(curve.resistance(curve.y2, pm), 42.0, kSinglePrecision);
  expectRelative(curve.resistance(10.0 * curve.y2, pm), 42.0, kSinglePrecision);
}

TEST(StrongRock, DeflectionsAccumulateFifteenthsOfY2AndEachPointTakesItsPart) {
  const StrongRockCriterion criterion;
  BranchSite site = strongRockSite();
  site.pMultiplier = 0.5;
  const BranchCurve curve = runBranch(criterion, strongRock(), site).curve;

  const double y2 = strongRockY2(1000.0, 12.0);
  const std::vector<double> y = accumulatedDeflections(y2);
  for (int k = 0; k < kBranchPoints; ++k) EXPECT_EQ(curve.y[k], y[k]) << "point " << k + 1;
  expectRelative(curve.y[16], 16.0 * 0.00192, kSinglePrecision);

  // Hand values before the p-multiplier 0.5: Es y on the elastic part, 9600 + 1.0E5 (y - 0.0048)
  // on the plastic part, 42 lb/in (not multiplied) from y2 on.
  EXPECT_EQ(curve.p[0], 0.0);
  expectRelative(curve.p[1], 0.5 * 3840.0, kSinglePrecision);                   // y = 0.00192
  expectRelative(curve.p[2], 0.5 * 7680.0, kSinglePrecision);                   // y = 0.00384
  expectRelative(curve.p[3], 0.5 * 9696.0, kSinglePrecision);                   // y = 0.00576
  expectRelative(curve.p[8], 0.5 * (9600.0 + 1.0E5 * 0.01056), kSinglePrecision);  // y = 0.01536
  // Point 16 lies at y2 up to the rounding of the additions: just short of it, it is still
  // plastic at the ultimate; otherwise it takes the residual.
  expectRelative(curve.p[15], y[15] < y2 ? 0.5 * 12000.0 : 42.0, kSinglePrecision);
  expectRelative(curve.p[16], 42.0, kSinglePrecision);
}

TEST(StrongRock, RoundingOfTheAccumulatedDeflectionsDecidesWhetherPointSixteenFails) {
  // Widths whose sixteenth accumulated step falls short of y2 (18, 0.45) and reaches it (1, 36.7).
  const StrongRockCriterion criterion;
  for (double b : {0.45, 1.0, 18.0, 36.7}) {
    BranchSite site = strongRockSite();
    site.width = b;
    const BranchCurve curve = runBranch(criterion, strongRock(), site).curve;
    const double y2 = strongRockY2(1000.0, b);
    const std::vector<double> y = accumulatedDeflections(y2);
    for (int k = 0; k < kBranchPoints; ++k) EXPECT_EQ(curve.y[k], y[k]) << "b = " << b << " point " << k + 1;
    const double residual = 0.5 * 0.07 * b * 100.0;
    expectRelative(curve.p[15], y[15] < y2 ? 1000.0 * b : residual, kSinglePrecision);
  }
}

TEST(StrongRock, BackfillFaceResidualUsesTheDepthBelowTheBackfillTopWhileTheReportShowsX) {
  const StrongRockCriterion criterion;
  const BranchSite excavation = strongRockSite();
  const BranchSite backfill = backfillOf(excavation);
  const WrittenBranch front = runBranch(criterion, strongRock(), excavation);
  const WrittenBranch back = runBranch(criterion, strongRock(), backfill);

  // 0.5 x 0.07 x 12 x (120 + 100) = 92.4 lb/in; the rising part does not depend on the face.
  expectRelative(back.curve.p[16], 92.4, kSinglePrecision);
  for (int k = 0; k < 15; ++k) EXPECT_EQ(back.curve.p[k], front.curve.p[k]) << "point " << k + 1;
  ASSERT_GE(back.lines.size(), 5u);
  EXPECT_EQ(back.lines[2], blanks(17) + "DEPTH-BACKFILL SIDE  " + blanks(5) + "DIAM" + blanks(8) + "C");
  EXPECT_EQ(back.lines[4], blanks(24) + "    100.00" + blanks(5) + "    12.000" + "   0.1E+04");
}

TEST(StrongRock, ZeroStrengthGivesAZeroResistanceCurveOverTheUsualDeflections) {
  const StrongRockCriterion criterion;
  CurveProperties properties = strongRock();
  properties.strength = 0.0;
  const BranchSite site = strongRockSite();  // not the layer's first curve: strong rock does not stop
  const BranchCurve curve = runBranch(criterion, properties, site).curve;
  for (int k = 0; k < kBranchPoints; ++k) {
    EXPECT_EQ(curve.p[k], 0.0) << "point " << k + 1;
    if (k > 0) {
      EXPECT_GT(curve.y[k], curve.y[k - 1]);
    }
  }
  expectRelative(curve.y[16], 16.0 * 0.0024 * 12.0 / 15.0, kSinglePrecision);
}

TEST(StrongRock, ReportBlockNamesTheFaceInItsHeadingAndPrintsDoublePrecisionRows) {
  const StrongRockCriterion criterion;
  const WrittenBranch written = runBranch(criterion, strongRock(), strongRockSite());
  const std::vector<std::string>& lines = written.lines;
  ASSERT_EQ(lines.size(), 7u + kBranchPoints);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], blanks(17) + "DEPTH-EXCAVATION SIDE" + blanks(5) + "DIAM" + blanks(8) + "C");
  EXPECT_EQ(lines[3], blanks(30) + " IN" + blanks(13) + " IN" + " LBS/IN**2");
  EXPECT_EQ(lines[4], blanks(24) + "    100.00" + blanks(5) + "    12.000" + "   0.1E+04");
  EXPECT_EQ(lines[5], blanks(38) + "Y" + blanks(19) + "P");
  EXPECT_EQ(lines[5].find('Y'), 38u);  // column 39
  EXPECT_EQ(lines[5].find('P'), 58u);  // column 59
  EXPECT_EQ(lines[6], blanks(38) + " IN" + blanks(13) + " LBS/IN");
  EXPECT_EQ(lines[7], blanks(21) + blanks(11) + "0.000D+00" + blanks(11) + "0.000D+00");
  EXPECT_EQ(lines[8], blanks(21) + blanks(11) + "0.192D-02" + blanks(11) + "0.384D+04");
  EXPECT_EQ(lines[23], blanks(21) + blanks(11) + "0.307D-01" + blanks(11) + "0.420D+02");
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("AT THE"), std::string::npos) << "no branch title: " << line;
    EXPECT_EQ(line.find("Multiplier"), std::string::npos) << line;
  }
}

TEST(StrongRock, ReportBlockTakesTheUnitLabelsOfTheSystem) {
  const StrongRockCriterion criterion;
  const WrittenBranch written = runBranch(criterion, strongRock(), strongRockSite(), UnitSystem::SI);
  ASSERT_GE(written.lines.size(), 7u);
  EXPECT_EQ(written.lines[3], blanks(30) + "  M" + blanks(13) + "  M" + "  KN/ M**2");
  EXPECT_EQ(written.lines[6], blanks(38) + "  M" + blanks(13) + "  KN/ M");
}

// ---------------------------------------------------------------------------------------
// Weak rock, worked by hand: b = 24 in, qu = qa = 1000 psi, RQD 0 (ar = 1), Er = 1.0E5 psi,
// krm = 0.0005, X = 12 in in a layer from X = 0: xr = 12 in < 3 b = 72 in, so
//   pur = 1000 (24 + 1.4 x 12) = 40800 lb/in, Kir = 100 + 400 x 12 / 72 = 166.667,
//   Kir Er = 1.66667E7 psi, yrm = 0.012 in, C = 20400 / 0.012^0.25 = 61636.1,
//   yA = (61636.1 / 1.66667E7)^(4/3) = 5.71893E-4 in.
// Points below yA lie on the straight start: y1 = 6.0E-6 in gives 100 lb/in, y7 = 4.8E-4 in
// gives 8000 lb/in; above it the parabola: y8 = 0.06 yrm gives 20400 x 0.06^0.25 = 10096.4,
// y14 = yrm gives 20400, y17 = 12 yrm gives 20400 x 12^0.25 = 37968.7 lb/in.

CurveProperties weakRock() {
  CurveProperties properties;
  properties.strength = 1000.0;
  properties.averageStrength = 1000.0;
  properties.eps50 = 0.0005;
  properties.value6 = 0.0;
  properties.unitWeight = 0.08;
  properties.k = 1.0E5;
  return properties;
}

BranchSite weakRockSite() {
  BranchSite site;
  site.x = 12.0;
  site.layerTop = 0.0;
  site.layerBottom = 200.0;
  site.freeHeight = 60.0;
  site.z = 12.0;
  site.z0 = 12.0;
  site.width = 24.0;
  site.firstCurveOfLayer = false;
  return site;
}

TEST(WeakRock, CurveNearTheRockSurfaceFollowsTheHandCalculation) {
  const WeakRockCurve curve = weakRockCurve(weakRock(), weakRockSite());
  expectRelative(curve.ultimate, 40800.0, kSinglePrecision);
  expectRelative(curve.modulusFactor, 166.667, kHandFigures);
  expectRelative(curve.yrm, 0.012, kSinglePrecision);
  expectRelative(curve.yA, 5.71893E-4, kHandFigures);
  // The parabola reaches pur at 16 yrm and stays there.
  expectRelative(curve.resistance(16.0 * 0.012), 40800.0, kSinglePrecision);
  expectRelative(curve.resistance(40.0 * 0.012), 40800.0, kSinglePrecision);

  const WeakRockCriterion criterion;
  BranchSite site = weakRockSite();
  site.pMultiplier = 0.8;
  const BranchCurve branch = runBranch(criterion, weakRock(), site).curve;
  expectRelative(branch.y[0], 6.0E-6, kSinglePrecision);
  EXPECT_EQ(branch.y[13], 0.012 * 1.0);   // yrm exactly
  EXPECT_EQ(branch.y[14], 0.012 * 4.0);   // 4 yrm exactly
  EXPECT_EQ(branch.y[16], 0.012 * 12.0);  // 12 yrm exactly
  expectRelative(branch.p[0], 0.8 * 100.0, kHandFigures);
  expectRelative(branch.p[6], 0.8 * 8000.0, kHandFigures);
  expectRelative(branch.p[7], 0.8 * 10096.4, kHandFigures);
  expectRelative(branch.p[13], 0.8 * 20400.0, kSinglePrecision);
  expectRelative(branch.p[16], 0.8 * 37968.7, kHandFigures);
  for (int k = 1; k < kBranchPoints; ++k) EXPECT_GT(branch.y[k], branch.y[k - 1]) << "point " << k + 1;
}

TEST(WeakRock, BothFormulasGiveTheDeepValuesAtThreeWidthsIntoTheRock) {
  CurveProperties properties = weakRock();
  properties.value6 = 40.0;  // ar = 1 - 40 / 150
  const double ar = 1.0 - 40.0 / 150.0;
  for (double offset : {-1.0E-6, 1.0E-6}) {  // xr just above and just below 72 in
    BranchSite site = weakRockSite();
    site.x = 72.0 + offset;
    site.z0 = site.x;
    const WeakRockCurve curve = weakRockCurve(properties, site);
    expectRelative(curve.ultimate, 5.2 * ar * 1000.0 * 24.0, kSinglePrecision);
    EXPECT_NEAR(curve.modulusFactor, 500.0, 1.0E-4);  // 400 x 1.0E-6 / 72 at most, and single-precision rounding
    expectRelative(curve.initialModulus, 500.0 * 1.0E5, kSinglePrecision);
  }
  // Still in the wedge at 2.5 b: pur = ar 1000 (24 + 1.4 x 60) = ar 108000, Kir = 100 + 400 x 60 / 72.
  BranchSite wedge = weakRockSite();
  wedge.x = wedge.z0 = 60.0;
  const WeakRockCurve shallower = weakRockCurve(properties, wedge);
  expectRelative(shallower.ultimate, ar * 108000.0, kSinglePrecision);
  expectRelative(shallower.modulusFactor, 433.333, kHandFigures);
}

TEST(WeakRock, RqdReducesTheStrengthToOneThirdAtOneHundred) {
  CurveProperties properties = weakRock();
  properties.value6 = 100.0;
  const WeakRockCurve intact = weakRockCurve(properties, weakRockSite());
  EXPECT_EQ(intact.reduction, 1.0 - double(0.006666667f) * 100.0);
  EXPECT_NEAR(intact.reduction, 1.0 / 3.0, 1.0E-7);  // the constant is 0.006666667, not 1/150
  properties.value6 = 0.0;
  EXPECT_EQ(weakRockCurve(properties, weakRockSite()).reduction, 1.0);
  properties.value6 = 50.0;
  EXPECT_NEAR(weakRockCurve(properties, weakRockSite()).reduction, 2.0 / 3.0, 1.0E-7);
  // The reduction scales the ultimate resistance: 40800 / 3 at RQD 100.
  expectRelative(intact.ultimate, 40800.0 / 3.0, kSinglePrecision);
}

TEST(WeakRock, BackfillFaceMeasuresTheDepthIntoRockFromTheBackfillTop) {
  const WeakRockCriterion criterion;
  const BranchSite backfill = backfillOf(weakRockSite());
  // xr = 60 + 12 = 72 in (plus 1.0E-8): the deep values, pur = 5.2 x 1000 x 24 and Kir = 500.
  const WeakRockCurve curve = weakRockCurve(weakRock(), backfill);
  expectRelative(curve.ultimate, 124800.0, kSinglePrecision);
  EXPECT_NEAR(curve.modulusFactor, 500.0, 1.0E-4);

  // The backfill branch is the excavation branch of the point 60 in deeper in the same layer.
  BranchSite deeper = weakRockSite();
  deeper.x = 72.0;
  deeper.z0 = 72.0;
  const WrittenBranch back = runBranch(criterion, weakRock(), backfill);
  const WrittenBranch front = runBranch(criterion, weakRock(), deeper);
  for (int k = 0; k < kBranchPoints; ++k) {
    EXPECT_EQ(back.curve.y[k], front.curve.y[k]);
    EXPECT_EQ(back.curve.p[k], front.curve.p[k]);
  }
  ASSERT_GE(back.lines.size(), 8u);
  EXPECT_EQ(back.lines[2], blanks(9) + "AT THE BACKFILL SIDE");
  EXPECT_EQ(back.lines[7].substr(0, 20), blanks(10) + "     72.00");  // z0 = H + X
}

TEST(WeakRock, ZeroStrengthAfterTheLayersFirstCurveFailsTheCheckWithTheConsoleWarning) {
  const WeakRockCriterion criterion;
  CurveProperties properties = weakRock();
  properties.strength = 0.0;  // qa stays positive: the layer top has strength

  const WrittenBranch stopped = runBranch(criterion, properties, weakRockSite());
  EXPECT_EQ(stopped.check.status, CheckStatus::DataError);
  const std::vector<std::string> console = {"", "       --------------------WARNING----------------------",
                                            "       THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT",
                                            "       DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."};
  EXPECT_EQ(stopped.check.consoleLines, console);
  ASSERT_EQ(stopped.check.reportLines.size(), 1u);
  EXPECT_EQ(stopped.check.reportLines[0].rfind("ERROR STOP -- ", 0), 0u) << stopped.check.reportLines[0];
  EXPECT_NE(stopped.check.reportLines[0].find("12.00 IN"), std::string::npos) << stopped.check.reportLines[0];

  properties.strength = 0.5E-10;
  EXPECT_FALSE(runBranch(criterion, properties, weakRockSite()).check.passed());
  properties.strength = 2.0E-10;
  EXPECT_TRUE(runBranch(criterion, properties, weakRockSite()).check.passed());
}

TEST(WeakRock, FirstCurveOfAZeroStrengthLayerIsStillGenerated) {
  const WeakRockCriterion criterion;
  CurveProperties properties = weakRock();
  properties.strength = 0.0;
  BranchSite site = weakRockSite();
  site.firstCurveOfLayer = true;
  const WrittenBranch written = runBranch(criterion, properties, site);
  // The curve uses the average strength qa = 1000 psi: the hand curve above.
  expectRelative(written.curve.p[16], 37968.7, kHandFigures);
  EXPECT_EQ(written.lines.size(), 10u + kBranchPoints);
}

TEST(WeakRock, ZeroStrainFactorGivesAZeroResistanceCurve) {
  const WeakRockCriterion criterion;
  CurveProperties properties = weakRock();
  properties.eps50 = 0.0;
  const BranchCurve curve = runBranch(criterion, properties, weakRockSite()).curve;
  for (int k = 0; k < kBranchPoints; ++k) {
    EXPECT_EQ(curve.p[k], 0.0);
    EXPECT_EQ(curve.y[k], 0.0);
  }
}

TEST(WeakRock, ReportBlockFollowsTheBranchTitleWithFixedColumns) {
  const WeakRockCriterion criterion;
  const WrittenBranch written = runBranch(criterion, weakRock(), weakRockSite());
  const std::vector<std::string>& lines = written.lines;
  ASSERT_EQ(lines.size(), 10u + kBranchPoints);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], blanks(9) + "AT THE EXCAVATION SIDE");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], blanks(14) + "DEPTH" + blanks(5) + "DIAM" + blanks(7) + "Qu" + blanks(7) + " Eu " + blanks(3) +
                          "GAMMA AVG" + blanks(6) + "E50");
  EXPECT_EQ(lines[6], blanks(17) + " IN" + blanks(7) + " IN" + " LBS/IN**2" + " LBS/IN**2" + " LBS/IN**3");
  EXPECT_EQ(lines[7], blanks(10) + "     12.00" + "    24.000" + "  0.10E+04" + "  0.10E+06" + "  0.80E-01" +
                          "   0.500E-03");
  EXPECT_EQ(lines[8], blanks(37) + "Y" + blanks(19) + "P");
  EXPECT_EQ(lines[8].find('Y'), 37u);  // column 38
  EXPECT_EQ(lines[8].find('P'), 57u);  // column 58
  EXPECT_EQ(lines[9], blanks(38) + " IN" + blanks(13) + " LBS/IN");
  EXPECT_EQ(lines[10], blanks(21) + blanks(11) + "0.600E-05" + blanks(11) + "0.100E+03");
  EXPECT_EQ(lines[26], blanks(21) + blanks(11) + "0.144E+00" + blanks(11) + "0.380E+05");
  for (const std::string& line : lines) EXPECT_EQ(line.find("Multiplier"), std::string::npos) << line;
}

TEST(WeakRock, ReportBlockTakesTheUnitLabelsOfTheSystem) {
  const WeakRockCriterion criterion;
  const WrittenBranch written = runBranch(criterion, weakRock(), weakRockSite(), UnitSystem::SI);
  ASSERT_GE(written.lines.size(), 10u);
  EXPECT_EQ(written.lines[6], blanks(17) + "  M" + blanks(7) + "  M" + "  KN/ M**2" + "  KN/ M**2" + "  KN/ M**3");
  EXPECT_EQ(written.lines[9], blanks(38) + "  M" + blanks(13) + "  KN/ M");
}

// ---------------------------------------------------------------------------------------
// What both rock criteria share.

struct RockCase {
  const char* name;
  const PYCriterion* criterion;
  CurveProperties properties;
  BranchSite site;
};

std::vector<RockCase> rockCases() {
  static const StrongRockCriterion strong;
  static const WeakRockCriterion weak;
  return {{"strong rock", &strong, strongRock(), strongRockSite()}, {"weak rock", &weak, weakRock(), weakRockSite()}};
}

TEST(RockCriteria, TakeNoActiveShiftNoEquivalentDepthAndGiveNothingToTheAccumulator) {
  for (const RockCase& rock : rockCases()) {
    BranchSite site = rock.site;
    site.excavationStress = 50.0;  // would shift a soil curve by b x 50
    const BranchCurve curve = runBranch(*rock.criterion, rock.properties, site).curve;
    const BranchCurve unshifted = runBranch(*rock.criterion, rock.properties, rock.site).curve;
    for (int k = 0; k < kBranchPoints; ++k) EXPECT_EQ(curve.p[k], unshifted.p[k]) << rock.name;
    EXPECT_EQ(curve.ultimate, 0.0) << rock.name;
    EXPECT_EQ(curve.accumulatorFactor, 1.0) << rock.name;
    EXPECT_FALSE(curve.addsTail) << rock.name;
    EXPECT_EQ(rock.criterion->equivalentDepth(1.0E6, rock.properties, site), 0.0) << rock.name;
  }
}

// Zero data must give curves the solution can use: finite, ordered deflections (the backfill
// branch is mirrored), no warnings in the report.
TEST(RockCriteria, ZeroDataGiveFiniteOrderedCurvesWithoutWarnings) {
  enum Zeroed { Strength, StrainFactor, Width, Modulus, UnitWeight, Everything };
  for (const RockCase& rock : rockCases()) {
    for (Zeroed zeroed : {Strength, StrainFactor, Width, Modulus, UnitWeight, Everything}) {
      CurveProperties properties = rock.properties;
      BranchSite site = rock.site;
      site.firstCurveOfLayer = true;  // the weak-rock stop is tested on its own
      if (zeroed == Strength || zeroed == Everything) properties.strength = properties.averageStrength = 0.0;
      if (zeroed == StrainFactor || zeroed == Everything) properties.eps50 = 0.0;
      if (zeroed == Width || zeroed == Everything) site.width = 0.0;
      if (zeroed == Modulus || zeroed == Everything) properties.k = 0.0;
      if (zeroed == UnitWeight || zeroed == Everything) properties.unitWeight = 0.0;
      for (const BranchSite& face : {site, backfillOf(site)}) {
        const WrittenBranch written = runBranch(*rock.criterion, properties, face);
        for (int k = 0; k < kBranchPoints; ++k) {
          EXPECT_TRUE(std::isfinite(written.curve.y[k])) << rock.name << " case " << zeroed << " point " << k + 1;
          EXPECT_TRUE(std::isfinite(written.curve.p[k])) << rock.name << " case " << zeroed << " point " << k + 1;
          EXPECT_GE(written.curve.p[k], 0.0) << rock.name << " case " << zeroed;
          if (k > 0) {
            EXPECT_GE(written.curve.y[k], written.curve.y[k - 1]) << rock.name << " case " << zeroed;
          }
        }
        for (const std::string& line : written.lines) EXPECT_EQ(line.find("WARNING"), std::string::npos) << line;
      }
    }
  }
}

TEST(RockCriteria, ResistancesBeyondTheRangeOfNumbersFailTheCheck) {
  for (const RockCase& rock : rockCases()) {
    CurveProperties properties = rock.properties;
    BranchSite site = rock.site;
    properties.strength = properties.averageStrength = 1.0E300;
    properties.unitWeight = 1.0E300;
    properties.k = 1.0E300;
    site.width = 1.0E10;
    const CheckResult check = runBranch(*rock.criterion, properties, site).check;
    EXPECT_EQ(check.status, CheckStatus::DataError) << rock.name;
    ASSERT_EQ(check.reportLines.size(), 1u) << rock.name;
    EXPECT_EQ(check.reportLines[0].rfind("ERROR STOP -- ", 0), 0u) << check.reportLines[0];
  }
}

}  // namespace
}  // namespace korvex
