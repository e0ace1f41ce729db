// The earth-pressure module against hand calculations: subdivision of the soil profile,
// overburden, Rankine coefficients, layer resultants, the pressure diagram, the apparent
// pressure envelope and the surcharge formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "earthpressure/earth_pressure_module.h"
#include "earthpressure/layer_resultants.h"
#include "earthpressure/pressure_diagram.h"
#include "earthpressure/soil_profile.h"
#include "earthpressure/surcharge_pressure.h"
#include "format/fortran_format.h"
#include "report/pressure_report.h"

namespace korvex {
namespace {

constexpr double kDegree = double(57.2958f);  // degrees per radian, as the module converts

SoilLayer layer(int type, double bottom, double unitWeight, double cohesion, double phi, double k = 0.0) {
  SoilLayer l;
  l.soilType = type;
  l.bottomDepth = bottom;
  l.top = {unitWeight, cohesion, phi, 0.0, 0.0, k};
  l.bottom = l.top;
  return l;
}

SoilDataLine soilData(double freeHeight, double waterBackfill, double slope = 0.0) {
  SoilDataLine s;
  s.freeHeight = freeHeight;
  s.activeWidth = 12.0;
  s.passiveWidth = 12.0;
  s.waterDepthBackfill = waterBackfill;
  s.waterDepthExcavation = 1.0e4;
  s.activeFactor = 1.0;
  s.waterOption = 1;
  s.backfillSlope = slope;
  return s;
}

// A profile through its coefficients, English units unless told.
SoilProfile profileOf(const std::vector<SoilLayer>& layers, const SoilDataLine& soil, double q = 0.0,
                      UnitSystem unitSystem = UnitSystem::English) {
  SurfaceLoadLine surface;
  surface.uniformPressure = q;
  SoilProfile profile = buildSoilProfile(unitSystem, soil, surface, layers);
  computeOverburden(profile);
  computeCoefficients(profile);
  return profile;
}

std::vector<double> tops(const SoilProfile& profile) {
  std::vector<double> result;
  for (const WorkingLayer& l : profile.layers) result.push_back(l.top);
  return result;
}

const double kSand = 0.0694;  // lb/in^3, about 120 lb/ft^3

TEST(SoilProfile, SplitsAtTheExcavationLevelAndTheWaterTable) {
  const SoilProfile p = profileOf({layer(4, 100, kSand, 0, 30), layer(1, 300, 0.065, 5, 0)}, soilData(150, 60));
  EXPECT_EQ(tops(p), (std::vector<double>{0, 60, 100, 150}));
  EXPECT_EQ(p.waterTableLayer, 1);
  EXPECT_EQ(p.excavationLayer, 3);
  EXPECT_DOUBLE_EQ(p.layers[3].thickness, 150.0);
  // The lower part of a split layer keeps every property of the layer.
  EXPECT_EQ(p.layers[2].cohesion, 5.0);
  EXPECT_FALSE(p.layers[3].drained);
  EXPECT_TRUE(p.layers[0].drained);
  EXPECT_FALSE(p.overflow);
}

TEST(SoilProfile, SpecialDepthsOnOrNearABoundaryCauseNoSplit) {
  // H on the boundary: the lower layer is the excavation layer.
  SoilProfile p = profileOf({layer(4, 100, kSand, 0, 30), layer(4, 300, kSand, 0, 34)}, soilData(100, 1e4));
  EXPECT_EQ(tops(p), (std::vector<double>{0, 100}));
  EXPECT_EQ(p.excavationLayer, 1);
  EXPECT_EQ(p.waterTableLayer, -1);  // deeper than the profile

  // A boundary within the tolerance of H is taken as H.
  p = profileOf({layer(4, 100.000004, kSand, 0, 30), layer(4, 300, kSand, 0, 34)}, soilData(100, 1e4));
  EXPECT_EQ(p.layers.size(), 2u);
  EXPECT_EQ(p.excavationLayer, 1);

  // Water table at H: one special depth, one split.
  p = profileOf({layer(4, 300, kSand, 0, 30)}, soilData(120, 120));
  EXPECT_EQ(tops(p), (std::vector<double>{0, 120}));
  EXPECT_EQ(p.excavationLayer, 1);
  EXPECT_EQ(p.waterTableLayer, 1);

  // Water table at the surface and H = 0 split nothing; layer 1 is both.
  p = profileOf({layer(4, 300, kSand, 0, 30)}, soilData(0, 0));
  EXPECT_EQ(p.layers.size(), 1u);
  EXPECT_EQ(p.excavationLayer, 0);
  EXPECT_EQ(p.waterTableLayer, 0);
}

TEST(SoilProfile, TenLayersWithTwoSplitsFitAndTwentyOneOverflow) {
  std::vector<SoilLayer> ten;
  for (int i = 1; i <= 10; ++i) ten.push_back(layer(4, 10.0 * i, kSand, 0, 30));
  SoilProfile p = profileOf(ten, soilData(35, 55));
  EXPECT_EQ(p.layers.size(), 12u);
  EXPECT_FALSE(p.overflow);
  EXPECT_EQ(p.excavationLayer, 4);

  std::vector<SoilLayer> twenty;
  for (int i = 1; i <= 20; ++i) twenty.push_back(layer(4, 10.0 * i, kSand, 0, 30));
  p = profileOf(twenty, soilData(50, 1e4));
  EXPECT_EQ(p.layers.size(), 20u);
  EXPECT_FALSE(p.overflow);
  // One split more makes 21 real layers: no room for the end marker.
  p = profileOf(twenty, soilData(55, 1e4));
  EXPECT_TRUE(p.overflow);
}

TEST(SoilProfile, NoLayerTopAtTheExcavationWhenHLiesBelowTheProfile) {
  const SoilProfile p = profileOf({layer(4, 100, kSand, 0, 30)}, soilData(150, 1e4));
  EXPECT_EQ(p.excavationLayer, -1);
  // H at the very bottom is not a layer top either.
  EXPECT_EQ(profileOf({layer(4, 100, kSand, 0, 30)}, soilData(100, 1e4)).excavationLayer, -1);
}

TEST(SoilProfile, EffectiveOverburdenSubtractsPorePressureBelowTheWaterTable) {
  const double gammaW = double(0.036f);
  SoilProfile p = profileOf({layer(4, 300, 0.07, 0, 30)}, soilData(200, 100), 2.0);
  ASSERT_EQ(p.layers.size(), 3u);
  EXPECT_DOUBLE_EQ(p.layers[0].effectiveStress, 2.0);
  EXPECT_DOUBLE_EQ(p.layers[1].effectiveStress, 2.0 + 100 * 0.07);  // at the water table
  EXPECT_DOUBLE_EQ(p.layers[2].effectiveStress, 2.0 + 200 * 0.07 - 100 * gammaW);
  EXPECT_DOUBLE_EQ(p.excavationStress, p.layers[2].effectiveStress);

  // Water at the surface: every layer below it, pore pressure from the top down.
  p = profileOf({layer(4, 100, 0.07, 0, 30), layer(4, 300, 0.07, 0, 30)}, soilData(100, 0));
  EXPECT_TRUE(p.layers[0].belowWaterTable);
  EXPECT_DOUBLE_EQ(p.layers[1].effectiveStress, 100 * 0.07 - 100 * gammaW);
}

TEST(SoilProfile, ActiveCoefficientsForLevelAndSlopingBackfill) {
  const SoilProfile level = profileOf({layer(4, 300, kSand, 0, 30)}, soilData(120, 1e4));
  const double rankine = std::pow(std::tan((45.0 - 15.0) / kDegree), 2);
  EXPECT_NEAR(level.layers[0].ka, rankine, 1e-12);
  EXPECT_EQ(formatExponent(level.layers[0].ka, 10, 3), " 0.333E+00");
  EXPECT_NEAR(level.layers[0].kp, 3.0, 1e-5);
  EXPECT_FALSE(level.layers[0].slopeWarning);

  // 20 degrees on 30-degree sand: Rankine's inclined-backfill coefficient, above the level one.
  const SoilProfile sloping = profileOf({layer(4, 300, kSand, 0, 30)}, soilData(120, 1e4, 20));
  const double b = 20 / kDegree, f = 30 / kDegree;
  const double rootD = std::sqrt(std::cos(b) * std::cos(b) - std::cos(f) * std::cos(f));
  EXPECT_NEAR(sloping.layers[0].ka, std::cos(b) * (std::cos(b) - rootD) / (std::cos(b) + rootD), 1e-12);
  EXPECT_GT(sloping.layers[0].ka, rankine);
  EXPECT_NEAR(sloping.layers[0].activeTan, std::sqrt(sloping.layers[0].ka), 1e-15);
  EXPECT_EQ(formatExponent(sloping.layers[0].ka, 10, 3), " 0.414E+00");
  // The slope does not change Kp.
  EXPECT_EQ(sloping.layers[0].kp, level.layers[0].kp);

  // 30 degrees on the same sand: level-ground Ka and the warning above H only.
  const SoilProfile steep = profileOf({layer(4, 300, kSand, 0, 30)}, soilData(120, 1e4, -30));
  EXPECT_EQ(steep.layers[0].ka, level.layers[0].ka);
  EXPECT_TRUE(steep.layers[0].slopeWarning);
  EXPECT_FALSE(steep.layers[1].slopeWarning);

  // A clay layer above H warns whenever the backfill slopes.
  const SoilProfile clay = profileOf({layer(1, 300, 0.065, 5, 0)}, soilData(120, 1e4, 5));
  EXPECT_TRUE(clay.layers[0].slopeWarning);
  EXPECT_NEAR(clay.layers[0].ka, 1.0, 1e-5);
}

TEST(SoilProfile, TheUsersCoefficientReplacesKaAndTheCohesionTerm) {
  SoilProfile p = profileOf({layer(5, 300, kSand, 2, 30, 0.5)}, soilData(120, 1e4));
  EXPECT_EQ(p.layers[0].ka, 0.5);
  EXPECT_EQ(p.layers[0].activeTan, 0.0);
  EXPECT_NEAR(p.layers[0].computedKa, 1.0 / 3.0, 1e-5);  // printed as computed

  p = profileOf({layer(5, 300, kSand, 2, 30, 1e-8)}, soilData(120, 1e4));
  EXPECT_NEAR(p.layers[0].ka, 1.0 / 3.0, 1e-5);
  // Rock holds RQD in the sixth value: never a coefficient.
  p = profileOf({layer(7, 300, kSand, 200, 0, 80)}, soilData(120, 1e4));
  EXPECT_EQ(p.layers[0].optionalK, 0.0);
  EXPECT_NEAR(p.layers[0].ka, 1.0, 1e-5);
}

TEST(LayerResultants, SandLayersGiveTheTriangleAndTheRectangleAboveH) {
  const SoilProfile p = profileOf({layer(4, 60, 0.07, 0, 30), layer(4, 300, 0.06, 0, 34)}, soilData(120, 1e4), 1.5);
  const ProfileResultants r = computeResultants(p, {});
  const WorkingLayer& second = p.layers[1];
  EXPECT_NEAR(r.layers[0].pa1, 1.5 * p.layers[0].ka * 60, 1e-9);
  EXPECT_NEAR(r.layers[0].pa2, 0.5 * 0.07 * 60 * 60 * p.layers[0].ka, 1e-9);
  EXPECT_NEAR(r.layers[1].pa1, (1.5 + 60 * 0.07) * second.ka * 60, 1e-9);
  EXPECT_DOUBLE_EQ(r.layers[1].z1, 90.0);
  EXPECT_DOUBLE_EQ(r.layers[1].z2, 100.0);
  // The layer below H carries no resultant.
  EXPECT_EQ(r.layers[2].pa2, 0.0);
  EXPECT_EQ(r.layers[2].z1, -1000.0);
}

TEST(LayerResultants, AClayLayerInTensionKeepsOnlyItsCompressionZone) {
  // c = 5 psi, q = 2 psi, Ka about 1: tension at the top 2c - q = 8, pressure at the bottom
  // 2 + 0.065 x 200 - 10 = 5.
  const SoilProfile p = profileOf({layer(1, 200, 0.065, 5, 0), layer(4, 400, kSand, 0, 30)}, soilData(300, 1e4), 2.0);
  const ProfileResultants r = computeResultants(p, {});
  const LayerResultants& clay = r.layers[0];
  EXPECT_EQ(clay.pa1, 0.0);
  EXPECT_EQ(clay.pa2, 0.0);
  EXPECT_EQ(clay.pa3, 0.0);
  const double ka = p.layers[0].ka, rootKa = p.layers[0].activeTan;
  const double top = 2 * 5 * rootKa - 2 * ka, bottom = (2 + 0.065 * 200) * ka - 2 * 5 * rootKa;
  EXPECT_NEAR(bottom, 5.0, 1e-4);
  const double d = bottom * 200 / (bottom + top);
  EXPECT_NEAR(clay.compressionLength, d, 1e-9);
  EXPECT_NEAR(clay.pa4, d * bottom / 2, 1e-9);
  EXPECT_NEAR(clay.z3, 200 - d / 3, 1e-9);

  // A clay layer that never reaches compression: PA4 = 0, net force not positive.
  const SoilProfile weak = profileOf({layer(1, 100, 0.065, 20, 0), layer(4, 400, kSand, 0, 30)}, soilData(100, 1e4));
  ProfileResultants rw = computeResultants(weak, {});
  EXPECT_EQ(rw.layers[0].pa4, 0.0);
  SoilProfile copy = weak;
  computeWaterResultants(copy, rw);
  EXPECT_TRUE(rw.netForceNegative());
}

TEST(LayerResultants, WaterResultantsFromTheWaterTableToH) {
  const double gammaW = double(0.036f);
  SoilProfile p = profileOf({layer(4, 100, 0.07, 0, 30), layer(1, 150, 0.065, 5, 0), layer(4, 400, 0.07, 0, 30)},
                            soilData(200, 60));
  p.waterOption = 0;
  ProfileResultants r = computeResultants(p, {});
  computeWaterResultants(p, r);
  EXPECT_TRUE(r.waterSection);
  EXPECT_EQ(p.waterOption, 1);  // water above H always acts
  // Layers: 0-60, 60-100 (sand), 100-150 (clay), 150-200 (sand), then below H.
  EXPECT_FALSE(r.layers[0].waterRow);
  EXPECT_NEAR(r.layers[1].pw1, 0.0, 1e-12);
  EXPECT_NEAR(r.layers[1].pw2, 0.5 * gammaW * 40 * 40, 1e-9);
  EXPECT_FALSE(r.layers[2].waterRow);  // clay: no free water
  EXPECT_EQ(r.layers[2].pw1, 0.0);
  EXPECT_NEAR(r.layers[3].pw1, 90 * gammaW * 50, 1e-9);
  EXPECT_NEAR(r.layers[3].pw2, 0.5 * gammaW * 50 * 50, 1e-9);

  // Water table at H: no section.
  SoilProfile atH = profileOf({layer(4, 400, 0.07, 0, 30)}, soilData(200, 200));
  ProfileResultants none = computeResultants(atH, {});
  computeWaterResultants(atH, none);
  EXPECT_FALSE(none.waterSection);
}

DiagramPoint pointAt(const PressureDiagram& d, double depth) {
  for (const DiagramPoint& p : d.points)
    if (std::abs(p.depth - depth) < 1e-9) return p;
  ADD_FAILURE() << "no point at " << depth;
  return {};
}

TEST(PressureDiagram, DrySandGivesTheRankineTriangleAndAConstantBelowH) {
  const SoilProfile p = profileOf({layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4));
  const SurchargeGrid none({}, 120, 240);
  const PressureDiagram d = buildPressureDiagram(p, none, 240);
  const double ka = p.layers[0].ka;
  ASSERT_EQ(d.announcedCount, 241);
  ASSERT_EQ(d.points.size(), 241u);  // points below the wall tip are not built
  EXPECT_EQ(d.points[0].total, 0.0);
  for (double z : {1.0, 37.0, 120.0}) {
    EXPECT_NEAR(pointAt(d, z).total, kSand * ka * z, 1e-12) << z;
    EXPECT_NEAR(pointAt(d, z).earth, kSand * ka * z, 1e-12) << z;
  }
  for (double z : {121.0, 200.0, 240.0}) EXPECT_NEAR(pointAt(d, z).total, p.excavationStress * ka, 1e-12) << z;
  // Fa by trapezoids at one-inch spacing: exact for a straight line.
  EXPECT_NEAR(d.activeForce, 0.5 * kSand * ka * 120 * 120, 1e-9);
  EXPECT_EQ(d.pointsAboveExcavation, 121);
}

TEST(PressureDiagram, TensionBecomesATinyPressureGrowingWithThePointIndex) {
  const SoilProfile p = profileOf({layer(1, 100, 0.065, 5, 0), layer(4, 400, kSand, 0, 30)}, soilData(100, 1e4));
  const PressureDiagram d = buildPressureDiagram(p, SurchargeGrid({}, 100, 200), 200);
  // The clay is in tension down to 2c / gamma = 153.8 in, beyond its bottom.
  for (std::size_t j = 1; j <= 100; ++j) {
    EXPECT_DOUBLE_EQ(d.points[j].total, static_cast<double>(j + 1) * double(1.0E-12f)) << j;
    EXPECT_GT(d.points[j].earth, 0.0);
  }
}

TEST(PressureDiagram, WaterBelowTheTableAndInFrontOfTheWall) {
  const double gammaW = double(0.036f);
  SoilDataLine soil = soilData(200, 100);
  soil.waterDepthExcavation = 150;
  SoilProfile p = profileOf({layer(4, 400, 0.07, 0, 30)}, soil);
  ProfileResultants r = computeResultants(p, {});
  computeWaterResultants(p, r);
  const PressureDiagram d = buildPressureDiagram(p, SurchargeGrid({}, 200, 300), 300);
  const double ka = p.layers[0].ka;
  // Below the water table the pressure rises by (gamma - gammaW) Ka + gammaW per inch.
  const double slope = (0.07 - gammaW) * ka + gammaW;
  EXPECT_NEAR(pointAt(d, 140).total - pointAt(d, 120).total, 20 * slope, 1e-9);
  // In front of the wall the water from 150 in down pushes back until H.
  const double at180 = 100 * 0.07 * ka + 80 * slope - 30 * gammaW;
  EXPECT_NEAR(pointAt(d, 180).total, at180, 1e-9);
  EXPECT_NEAR(pointAt(d, 180).earth, at180, 1e-9);
  // Below H neither water acts.
  EXPECT_NEAR(pointAt(d, 201).total, p.excavationStress * ka, 1e-9);
}

TEST(PressureDiagram, CountsPointsPerLayerAndAnnouncesThemDownToTheTip) {
  // SI: twenty parts per metre; a layer thinner than half a part gets none.
  std::vector<SoilLayer> layers = {layer(4, 2, 18, 0, 30), layer(4, 2.02, 18, 0, 30), layer(4, 20, 18, 0, 30)};
  const SoilProfile p = profileOf(layers, soilData(4, 100), 0.0, UnitSystem::SI);
  const PressureDiagram d = buildPressureDiagram(p, SurchargeGrid({}, 4, 10), 10);
  // Layers 0-2, 2-2.02 (no points), 2.02-4, 4-20 cut at the tip (10 m).
  EXPECT_EQ(d.announcedCount, 1 + 40 + 0 + 40 + 120);
  EXPECT_EQ(static_cast<int>(d.points.size()), d.announcedCount);
  EXPECT_NEAR(d.points.back().depth, 10.0, 1e-12);
  EXPECT_EQ(diagramPartsOf(0.49, UnitSystem::English), 0.0);
  EXPECT_EQ(diagramPartsOf(0.5, UnitSystem::English), 1.0);
  EXPECT_EQ(diagramPartsOf(0.025, UnitSystem::SI), 1.0);
}

TEST(PressureDiagram, UniformPressureIsTheSurchargePartAndMoreThanTwoThousandPointsAreRefused) {
  const SoilProfile p = profileOf({layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4), 3.0);
  const PressureDiagram d = buildPressureDiagram(p, SurchargeGrid({}, 120, 240), 240);
  const double ka = p.layers[0].ka;
  EXPECT_DOUBLE_EQ(d.points[0].total, 3.0 * ka);
  EXPECT_DOUBLE_EQ(d.points[0].surcharge, 3.0 * ka);
  EXPECT_NEAR(pointAt(d, 60).surcharge, 3.0 * ka, 1e-12);
  EXPECT_NEAR(pointAt(d, 60).earth, kSand * ka * 60, 1e-12);
  EXPECT_NEAR(pointAt(d, 60).total, 3.0 * ka + kSand * ka * 60, 1e-12);

  const SoilProfile deep = profileOf({layer(4, 4000, kSand, 0, 30)}, soilData(120, 1e4));
  EXPECT_TRUE(buildPressureDiagram(deep, SurchargeGrid({}, 120, 2400), 2400).exceedsStorage);
}

// A block of increments of 6 in with generated pressure over `layers`.
BlockInput pressureBlock(const std::vector<SoilLayer>& layers, const SoilDataLine& soil, int mode = 2,
                         int increments = 40) {
  BlockInput input;
  input.control.earthPressureMode = mode;
  input.wall.numIncrements = increments;
  input.wall.incrementLength = 6.0;
  input.soilData = soil;
  input.layers = layers;
  return input;
}

TEST(EarthPressureModule, AFailedCheckEndsTheModuleAfterTheStepThatFoundIt) {
  struct Case {
    const char* name;
    BlockInput input;
    SupportDepths supports;
    EarthPressureStep reached;
    std::string firstLine;
    std::vector<std::string> console;
  };
  const SupportDepths noSupport;
  const Case cases[] = {
      {"H below the profile", pressureBlock({layer(4, 100, kSand, 0, 30)}, soilData(150, 1e4)), noSupport,
       EarthPressureStep::Profile, "ERROR STOP 1 -- NO SOIL LAYER STARTS AT THE EXCAVATION LEVEL", {"STOP 1"}},
      {"phi of 180 under a sloping backfill",
       pressureBlock({layer(4, 60, kSand, 0, 180), layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4, 20.0)),
       noSupport, EarthPressureStep::Overburden, "ERROR STOP -- LAYER 1 HAS NO ACTIVE EARTH PRESSURE COEFFICIENT", {}},
      {"a diagram of more than 2000 points",
       pressureBlock({layer(4, 4000, kSand, 0, 30)}, soilData(120, 1e4), 2, 400), noSupport, EarthPressureStep::Resultants, kTooMuchData, {}},
      {"an envelope without support", pressureBlock({layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4), 3), noSupport,
       EarthPressureStep::Resultants, "ERROR STOP -- THE APPARENT-PRESSURE ENVELOPE IS UNDEFINED", {}},
  };
  for (const Case& c : cases) {
    const EarthPressureResult result = generateEarthPressure(c.input, c.supports);
    EXPECT_EQ(result.check.status, CheckStatus::DataError) << c.name;
    EXPECT_EQ(result.reached, c.reached) << c.name;
    ASSERT_FALSE(result.check.reportLines.empty()) << c.name;
    EXPECT_EQ(result.check.reportLines[0].rfind(c.firstLine, 0), 0u) << result.check.reportLines[0];
    EXPECT_EQ(result.check.consoleLines, c.console) << c.name;
    EXPECT_TRUE(result.pressure.points.empty()) << c.name;
  }
  // The same profile with a support at half the height passes and hands over its points.
  const EarthPressureResult passed = generateEarthPressure(
      pressureBlock({layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4), 3), SupportDepths{1, 60.0, 60.0});
  EXPECT_TRUE(passed.check.passed());
  EXPECT_EQ(passed.pressure.points.size(), 241u);  // one per inch down to the wall tip at 240 in
}

TEST(ApparentEnvelope, OneSupportAtHalfTheHeightGivesThreeEqualZones) {
  const double h = 240, fa = 614.0;
  const ApparentEnvelope e = apparentEnvelope(h, fa, SupportDepths{1, 120, 120});
  ASSERT_TRUE(e.valid);
  EXPECT_DOUBLE_EQ(e.a1, 80);
  EXPECT_DOUBLE_EQ(e.a2, 80);
  EXPECT_DOUBLE_EQ(e.a3, 80);
  EXPECT_NEAR(e.pressure, 1.95 * fa / h, 1e-7 * e.pressure);
  EXPECT_DOUBLE_EQ(e.at(40), e.pressure / 2);
  EXPECT_DOUBLE_EQ(e.at(120), e.pressure);
  EXPECT_DOUBLE_EQ(e.at(200), e.pressure / 2);

  // Two supports: a1 from the first, a3 from the last, a2 between.
  const ApparentEnvelope two = apparentEnvelope(h, fa, SupportDepths{2, 60, 180});
  EXPECT_DOUBLE_EQ(two.a1, 40);
  EXPECT_DOUBLE_EQ(two.a3, 40);
  EXPECT_DOUBLE_EQ(two.a2, 160);
  EXPECT_NEAR(two.pressure, double(1.3f) * fa / 200, 1e-12);

  // A support at the free height leaves a3 = 0; a1 + a2 rounds to just below H = 0.9,
  // where the envelope keeps its full pressure.
  const ApparentEnvelope atH = apparentEnvelope(0.9, fa, SupportDepths{1, 0.9, 0.9});
  ASSERT_TRUE(atH.valid);
  ASSERT_LT(atH.a1 + atH.a2, 0.9);
  EXPECT_EQ(atH.at(0.9), atH.pressure);

  EXPECT_FALSE(apparentEnvelope(h, fa, SupportDepths{}).valid);
  EXPECT_FALSE(apparentEnvelope(0, fa, SupportDepths{1, 0, 0}).valid);
  // Supports whose zones swallow the whole height leave no base.
  EXPECT_FALSE(apparentEnvelope(h, fa, SupportDepths{2, 900, 0}).valid);
}

TEST(ApparentEnvelope, ReplacesOnlyTheTotalAboveH) {
  const SoilProfile p = profileOf({layer(4, 400, kSand, 0, 30)}, soilData(120, 1e4));
  PressureDiagram d = buildPressureDiagram(p, SurchargeGrid({}, 120, 240), 240);
  const PressureDiagram original = d;
  const ApparentEnvelope e = apparentEnvelope(120, d.activeForce, SupportDepths{1, 60, 60});
  applyApparentEnvelope(d, e);
  EXPECT_EQ(d.points[0].total, original.points[0].total);
  EXPECT_DOUBLE_EQ(pointAt(d, 60).total, e.pressure);
  EXPECT_DOUBLE_EQ(pointAt(d, 60).earth, pointAt(original, 60).earth);
  EXPECT_EQ(pointAt(d, 121).total, pointAt(original, 121).total);
}

Surcharge surcharge(int type, double magnitude, double x, double width = 0.0) {
  return Surcharge{type, magnitude, x, width};
}

TEST(SurchargePressure, PointAndLineLoadsSwitchToTheFarFormBeyondPointFourH) {
  const double h = 100, z = 50, n = 0.5;
  // m = 0.4: near form.
  const double pointNear = double(0.28f) * 1000 * n * n / (h * h * std::pow(double(0.16f) + n * n, 3));
  EXPECT_NEAR(surchargePressure(surcharge(1, 1000, 40), h, z, SurchargeForm::Grid), pointNear, 1e-15);
  // m = 0.41: far form.
  const double m = 0.41;
  const double pointFar = double(1.77f) * 1000 * m * m * n * n / (h * h * std::pow(m * m + n * n, 3));
  EXPECT_NEAR(surchargePressure(surcharge(1, 1000, 41), h, z, SurchargeForm::Grid), pointFar, 1e-15);

  const double lineNear = double(0.203f) * 50 * n / (h * std::pow(double(0.16f) + n * n, 2));
  EXPECT_NEAR(surchargePressure(surcharge(2, 50, 40), h, z, SurchargeForm::Grid), lineNear, 1e-15);
  const double lineFar = 4 * 50 * m * m * n / (3.1416 * h * std::pow(m * m + n * n, 2));
  EXPECT_NEAR(surchargePressure(surcharge(2, 50, 41), h, z, SurchargeForm::Grid), lineFar, 1e-15);
  EXPECT_NEAR(surchargePressure(surcharge(2, 50, 41), h, z, SurchargeForm::Direct), lineFar / (4 / 3.1416) * 1.273,
              1e-15);
  // Any other type acts as a point load.
  EXPECT_EQ(surchargePressure(surcharge(9, 1000, 41), h, z, SurchargeForm::Grid), pointFar);
  // Without a free height the far forms hold, independent of H.
  EXPECT_NEAR(surchargePressure(surcharge(1, 1000, 41), 0.0, z, SurchargeForm::Grid), pointFar, 1e-15);
  EXPECT_TRUE(std::isfinite(surchargePressure(surcharge(2, 50, 0), 0.0, z, SurchargeForm::Grid)));
}

TEST(SurchargePressure, StripLoads) {
  EXPECT_EQ(surchargePressure(surcharge(3, 500, 60, 0), 100, 30, SurchargeForm::Grid), 0.0);
  const double t1 = std::atan(40.0 / 30), t2 = std::atan(80.0 / 30), beta = t2 - t1;
  const double expected = 2 * 500 * (beta - std::sin(beta) * std::cos(t1 + t2)) / 3.1416;
  EXPECT_NEAR(surchargePressure(surcharge(3, 500, 60, 40), 100, 30, SurchargeForm::Grid), expected, 1e-12);
  EXPECT_NEAR(surchargePressure(surcharge(3, 500, 60, 40), 100, 30, SurchargeForm::Direct),
              expected * 3.1416 / 2 * 0.6366, 1e-12);
  EXPECT_EQ(surchargePressure(surcharge(3, 500, 60, 40), 100, 0, SurchargeForm::Grid), 0.0);
}

TEST(SurchargePressure, DirectEvaluationAddsLoadsAndSkipsTinyOnes) {
  const std::vector<Surcharge> loads = {surcharge(1, 1000, 41), surcharge(3, 500, 60, 40), surcharge(2, 1e-4, 10)};
  const double sum = surchargePressure(loads[0], 100, 30, SurchargeForm::Direct) +
                     surchargePressure(loads[1], 100, 30, SurchargeForm::Direct);
  EXPECT_DOUBLE_EQ(directSurchargePressure(loads, 100, 30), sum);
  EXPECT_EQ(directSurchargePressure({}, 100, 30), 0.0);
}

TEST(SurchargeGrid, TakesTheValueOfTheDeepestGridDepthAbove) {
  const std::vector<Surcharge> loads = {surcharge(1, 1000, 30), surcharge(2, 50, 80)};
  const double h = 100, length = 400, step = length / 200;  // grid every 2 in
  const SurchargeGrid grid(loads, h, length);
  auto at = [&](double z) {
    return surchargePressure(loads[0], h, z, SurchargeForm::Grid) + surchargePressure(loads[1], h, z, SurchargeForm::Grid);
  };
  EXPECT_EQ(grid.at(step), 0.0);
  EXPECT_EQ(grid.at(step + 1e-9), at(step));
  EXPECT_EQ(grid.at(7.0), at(6.0));
  EXPECT_EQ(grid.at(8.0), at(6.0));  // 8 is a grid depth: the one above it counts
  EXPECT_EQ(grid.at(1000.0), at(length));
  EXPECT_EQ(SurchargeGrid({}, h, length).at(50), 0.0);
}

TEST(GeneratedPressureHandOff, TheReportShowsEveryPointUpToFiftyThenEverySixthOrFourth) {
  EXPECT_EQ(reportedPointIndices(50, UnitSystem::English).size(), 50u);
  const std::vector<std::size_t> english = reportedPointIndices(51, UnitSystem::English);
  EXPECT_EQ(english, (std::vector<std::size_t>{0, 6, 12, 18, 24, 30, 36, 42, 48, 50}));
  const std::vector<std::size_t> si = reportedPointIndices(61, UnitSystem::SI);
  EXPECT_EQ(si.size(), 16u);  // 0, 4, ..., 60: the last is among them
  EXPECT_EQ(si.back(), 60u);
  EXPECT_TRUE(reportedPointIndices(0, UnitSystem::English).empty());
}

}  // namespace
}  // namespace korvex
