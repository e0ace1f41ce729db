// The three-dimensional view without a screen: the model it reads from the project, its
// extents and scale, what its scene draws where, and the deformed shape with its factor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphs/graph_plot.h"
#include "graphs/result_graphs.h"
#include "test_support.h"
#include "views/deformed_shape.h"
#include "views/model_extents.h"
#include "views/scene_builder.h"
#include "views/view_model.h"
#include "views_test_support.h"

namespace korvex {
namespace {

using testing::boundsOfSolid;
using testing::countOf;
using testing::ViewProject;

// Lengths are products and quotients of a few decimal numbers: only round-off separates them.
constexpr double kRoundOff = 1e-12;

void expectBounds(const Bounds& b, Vec3 min, Vec3 max) {
  ASSERT_TRUE(b.found);
  EXPECT_NEAR(b.min.d, min.d, kRoundOff);
  EXPECT_NEAR(b.min.x, min.x, kRoundOff);
  EXPECT_NEAR(b.min.y, min.y, kRoundOff);
  EXPECT_NEAR(b.max.d, max.d, kRoundOff);
  EXPECT_NEAR(b.max.x, max.x, kRoundOff);
  EXPECT_NEAR(b.max.y, max.y, kRoundOff);
}

TEST(ViewModel, LengthsAreFeetInEnglishAndMetresInSIProjects) {
  struct Case {
    int units;
    double increment, freeHeight, width, water, area, distance;  // as the project and tables hold them
    double inIncrement, inFreeHeight, inWidth, inWater, inSide, inDistance;  // as the view draws them
  };
  const Case cases[] = {
      {1, 2, 168, 12, 600, 1.44, 120, 2.0 / 12, 14, 1, 50, 0.1, 10},  // in, in^2 -> ft
      {2, 0.05, 3, 1, 20, 400, 2500, 0.05, 3, 1, 20, 0.02, 2.5},      // mm^2, mm -> m
      {3, 2, 168, 12, 600, 1.44, 120, 2, 168, 12, 600, 1.2, 120},    // as they stand
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    ViewProject p;
    p.data.SetUnits(c.units, p.tables);
    p.data.NumIncrements = 10;
    p.data.IncrementLength = c.increment;
    p.data.FreeHeight = c.freeHeight;
    p.data.ActiveWidth = c.width;
    p.data.WaterDepthBackfill = c.water;
    p.data.ApplyTieback = p.data.ApplySurcharge = true;
    p.tables.TiebackTable1.SetRowCount(1);
    p.tables.TiebackTable1.Column(1).SetFloat(0, c.area);
    p.tables.SurchargeTable.SetRowCount(1);
    p.tables.SurchargeTable.Column(2).SetFloat(0, c.distance);
    const ViewModel m = viewModelOf(p.data, p.tables);
    EXPECT_NEAR(m.incrementLength, c.inIncrement, kRoundOff);
    EXPECT_NEAR(m.excavationDepth, c.inFreeHeight, kRoundOff);
    EXPECT_NEAR(m.activeWidth, c.inWidth, kRoundOff);
    EXPECT_NEAR(m.waterDepthBackfill, c.inWater, kRoundOff);
    ASSERT_EQ(m.tiebacks.size(), 1u);
    EXPECT_NEAR(m.tiebacks[0].rodSide, c.inSide, kRoundOff);
    ASSERT_EQ(m.surcharges.size(), 1u);
    EXPECT_NEAR(m.surcharges[0].distance, c.inDistance, kRoundOff);
    // A switched-off option's rows are not part of the model.
    p.data.ApplyTieback = false;
    EXPECT_TRUE(viewModelOf(p.data, p.tables).tiebacks.empty());
  }
}

TEST(ViewModel, TheTiedBackExampleHasItsRodAtFourFeetInTwoLayers) {
  ViewProject p;
  p.open("tied_back_wall_in_soft_clay");
  const ViewModel m = viewModelOf(p.data, p.tables);
  ASSERT_EQ(m.layers.size(), 2u);
  EXPECT_EQ(m.layers[0].soilType, 4);
  EXPECT_NEAR(m.layers[0].bottom, 6, kRoundOff);
  EXPECT_EQ(m.layers[1].soilType, 1);
  EXPECT_NEAR(m.layers[1].bottom, 40, kRoundOff);
  ASSERT_EQ(m.tiebacks.size(), 1u);
  EXPECT_NEAR(m.tiebacks[0].depth, 4, kRoundOff);
  EXPECT_NEAR(m.tiebacks[0].unbonded, 40, kRoundOff);
  EXPECT_NEAR(m.tiebacks[0].spacing, 8, kRoundOff);
  EXPECT_NEAR(m.tiebacks[0].rodSide, std::sqrt(1.227) / 12, kRoundOff);
  const ModelExtents e = extentsOf(m);
  EXPECT_NEAR(e.wallLength, 30, kRoundOff);
  EXPECT_NEAR(e.deepest, 40, kRoundOff);  // the clay reaches below the toe
  EXPECT_NEAR(e.halfAcross, 12.5, kRoundOff);
}

TEST(ModelExtents, MissingWidthsFallBackToSharesOfTheWall) {
  struct Case {
    double activeWidth, pyWidth, layerBottom;
    std::vector<ViewModel::Surcharge> surcharges;
    double panel, thickness, reach, halfAcross, deepest;
  };
  const Case cases[] = {
      {0, 0, 0, {}, 3, 0.3, 0, 37.5, 30},                              // w = 0.1 L, thickness 0.01 L
      {2, 5, 45, {}, 2, 0.5, 0, 25, 45},                               // the layer reaches below the toe
      {1, 1, 0, {{ViewModel::kStripLoad, 40, 20}}, 1, 0.1, 45, 45, 30},  // 0.9 x the strip's far edge
      {1, 1, 0, {{ViewModel::kPointLoad, 10, 20}}, 1, 0.1, 9, 12.5, 30},  // a point load has no width
  };
  for (const Case& c : cases) {
    ViewModel m;
    m.increments = 100;
    m.incrementLength = 0.3;
    m.activeWidth = c.activeWidth;
    m.pyWidth = c.pyWidth;
    m.layers = {{4, c.layerBottom}};
    m.surcharges = c.surcharges;
    const ModelExtents e = extentsOf(m);
    EXPECT_NEAR(e.panelWidth, c.panel, kRoundOff);
    EXPECT_NEAR(e.thickness, c.thickness, kRoundOff);
    EXPECT_NEAR(e.surchargeReach, c.reach, kRoundOff);
    EXPECT_NEAR(e.halfAcross, c.halfAcross, kRoundOff);
    EXPECT_NEAR(e.deepest, c.deepest, kRoundOff);
  }
}

TEST(ModelExtents, TheScaleFitsTheDepthRangeAndTheWidthAcrossAndIsNeverZero) {
  ModelExtents e;
  e.deepest = 40;
  e.halfAcross = 12.5;
  EXPECT_DOUBLE_EQ(viewScale(e, 870, 640), 590.0 / 80);   // the depth range -40..40 limits it
  EXPECT_DOUBLE_EQ(viewScale(e, 300, 2000), 250.0 / 25);  // the width across limits it
  EXPECT_DOUBLE_EQ(viewScale(ModelExtents{}, 870, 640), 590.0 / 2);  // an empty project: one unit
  EXPECT_GT(viewScale(e, 10, 10), 0);
}

// A wall of 10 stations 1 m apart, panels 2 m wide and 0.5 m thick, excavated to 4 m.
ViewModel simpleWall() {
  ViewModel m;
  m.english = false;
  m.increments = 10;
  m.incrementLength = 1;
  m.activeWidth = 2;
  m.pyWidth = 5;
  m.excavationDepth = 4;
  m.waterDepthBackfill = m.waterDepthExcavation = 100;
  return m;
}

Scene sceneOf(const ViewModel& m, const DeformedWall* deformed = nullptr, bool undeformed = false) {
  ShowOptions show;
  show.deformedShape = deformed != nullptr;
  show.undeformedModel = undeformed;
  return buildScene(m, extentsOf(m), show, deformed);
}

TEST(ModelScene, TwentyPanelsStandSideBySideAlongTheWall) {
  const Scene scene = sceneOf(simpleWall());
  ASSERT_EQ(countOf(scene, SceneItem::Wall), 20);
  expectBounds(boundsOf(scene, SceneItem::Wall), {0, -0.25, -20}, {10, 0.25, 20});
  std::vector<double> centres;
  for (const Solid& s : scene.solids)
    if (s.item == SceneItem::Wall) centres.push_back((boundsOfSolid(s).min.y + boundsOfSolid(s).max.y) / 2);
  std::sort(centres.begin(), centres.end());
  for (int k = 0; k < 20; ++k) EXPECT_NEAR(centres[static_cast<std::size_t>(k)], -19 + 2 * k, kRoundOff);
}

TEST(ModelScene, TiebacksRunFromTheirDepthIntoTheBackfillAtTheirSpacing) {
  struct Case {
    double depth, unbonded, angle, spacing;
    int count;           // tiebacks drawn
    double farthestY;    // of the tieback farthest along the wall
  };
  const Case cases[] = {
      {4, 40, 0, 5, 8, 17.5},        // round(10 w / 5) = 4 a side, at 2.5, 7.5, 12.5 and 17.5
      {3, 16, 30, 0, 1, 0},          // no spacing: one on the centre line
      {3, 16, 30, 100, 1, 0},        // wider than the wall: one on the centre line
      {2, 10, 15, 0.01, 100, 0.495},  // 2000 a side asked for: 50 drawn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spacing);
    ViewModel m = simpleWall();
    m.tiebacks = {{c.depth, 0, c.unbonded, c.angle, c.spacing}};
    const Scene scene = sceneOf(m);
    EXPECT_EQ(countOf(scene, SceneItem::Tieback), 2 * c.count);  // a rod and an anchor block each
    // The rod (side 0) and its anchor, an eighth of its length, run along one line.
    const double reach = c.unbonded * 9 / 8;
    const double angle = c.angle * std::numbers::pi / 180;
    expectBounds(boundsOf(scene, SceneItem::Tieback), {c.depth, -0.25 - reach * std::cos(angle), -c.farthestY},
                 {c.depth + reach * std::sin(angle), -0.25, c.farthestY});
  }
  ViewModel noLength = simpleWall();
  noLength.tiebacks = {{4, 0.1, 0, 0, 5}};
  EXPECT_EQ(countOf(sceneOf(noLength), SceneItem::Tieback), 0);
}

TEST(ModelScene, SpringRowsCoverTheirNodesAndStopTwoStationsPastTheWall) {
  using Row = ViewModel::NodeRow;
  struct Case {
    std::vector<Row> rows;
    int nodes;            // nodes with a spring block
    double top, bottom;   // depths of the first and last node
  };
  const Case cases[] = {
      {{{0, 2147483647}}, 13, 0, 12},          // the table's largest "To Node" stops at N + 2
      {{{2147483600, 2147483647}}, 1, 12, 12},  // a row wholly past the toe shows at N + 2
      {{{5, 3}}, 1, 5, 5},                     // a start past the end: the start only
      {{{0, 2, true}, {4, 6}}, 7, 0, 6},       // interpolated to the next row's end; that row not again
      {{{2, 3}, {8, 9}}, 4, 2, 9},
  };
  for (const Case& c : cases) {
    ViewModel m = simpleWall();
    m.springs = c.rows;
    const Scene scene = sceneOf(m);
    EXPECT_EQ(countOf(scene, SceneItem::Spring), 20 * c.nodes);
    // Blocks half an increment high, 0.4 m (half the symbol size) out from the excavation face.
    expectBounds(boundsOf(scene, SceneItem::Spring), {c.top - 0.25, 0.25, -19.5}, {c.bottom + 0.25, 0.65, 19.5});
  }
}

TEST(ModelScene, LateralLoadsPointTheWayTheyPushTheWall) {
  struct Case {
    double lateral;
    bool drawn;
    double xMin, xMax;  // the arrows lie on the backfill side when they push towards the excavation
  };
  const Case cases[] = {{10, true, -1.05, -0.25}, {-10, true, 0.25, 1.05}, {0, false, 0, 0}};
  for (const Case& c : cases) {
    ViewModel m = simpleWall();
    m.loads = {{3, 3, false, c.lateral, 0, 0}};
    const Bounds b = boundsOf(sceneOf(m), SceneItem::Load);
    ASSERT_EQ(b.found, c.drawn);
    if (!c.drawn) continue;
    EXPECT_NEAR(b.min.x, c.xMin, kRoundOff);
    EXPECT_NEAR(b.max.x, c.xMax, kRoundOff);
    EXPECT_NEAR((b.min.d + b.max.d) / 2, 3, kRoundOff);
  }
}

TEST(ModelScene, SoilBlocksFillTheLayersOnBothSidesBelowTheExcavation) {
  ViewModel m = simpleWall();
  m.layers = {{4, 3}, {1, 8}};  // sand above the excavation level (4 m), clay across it
  const Scene scene = sceneOf(m);
  std::vector<Bounds> blocks;
  for (const Solid& s : scene.solids)
    if (s.item == SceneItem::SoilLayer) blocks.push_back(boundsOfSolid(s));
  ASSERT_EQ(blocks.size(), 3u);
  expectBounds(blocks[0], {0, -25, -20}, {3, -0.25, 20});
  expectBounds(blocks[1], {3, -25, -20}, {8, -0.25, 20});
  expectBounds(blocks[2], {4, 0.25, -20}, {8, 25, 20});
}

TEST(ModelScene, TheDeformedWallFollowsTheDeflectedCentreLine) {
  ViewModel m = simpleWall();
  m.increments = 2;
  const DeformedWall deformed{{0.3, 0.2, 0.1}};
  const Scene scene = sceneOf(m, &deformed, true);
  ASSERT_EQ(countOf(scene, SceneItem::Wall), 2 * 20);
  EXPECT_EQ(countOf(scene, SceneItem::UndeformedWall), 20);
  // The first panel's bricks: the middle of each end lies on the centre line at its station.
  for (int i = 0; i < 2; ++i) {
    const Solid& brick = scene.solids[static_cast<std::size_t>(i)];
    for (int end = 0; end < 2; ++end) {
      Vec3 middle;
      for (int k = 0; k < 4; ++k) middle = middle + brick.corners[static_cast<std::size_t>(4 * end + k)] * 0.25;
      EXPECT_NEAR(middle.d, i + end, kRoundOff);
      EXPECT_NEAR(middle.x, deformed.displacement[static_cast<std::size_t>(i + end)], kRoundOff);
    }
  }
  // Deflections that do not fit the stations leave the wall straight.
  const DeformedWall wrong{{0.3, 0.2}};
  EXPECT_EQ(countOf(sceneOf(m, &wrong, true), SceneItem::Wall), 20);
}

// A deflection graph of two result sets of an English wall of two 2-inch increments: depths in
// feet, deflections in inches.
TGraphPlot twoStageDeflections() {
  TGraphPlot graph;
  graph.CurveName = "Load #";
  graph.SetLineCount(2);
  const double depths[] = {0, 1.0 / 6, 2.0 / 6, 3.0 / 6};
  const double deflections[2][4] = {{1.2, 0.6, 0, -0.6}, {2.4, 1.2, 0, 0}};
  for (int set = 0; set < 2; ++set) {
    graph.Line(set).name = "Stage: " + std::to_string(set + 1);
    for (int j = 0; j < 4; ++j) graph.Line(set).points.push_back({deflections[set][j], depths[j]});
  }
  return graph;
}

TEST(DeformedShape, DeflectionsAreTheCurrentStagesInFeet) {
  ViewModel english;
  english.increments = 2;
  english.incrementLength = 2.0 / 12;
  ViewModel otherStations = english;
  otherStations.increments = 3;
  ViewModel otherSpacing = english;
  otherSpacing.incrementLength = 0.5;
  struct Case {
    bool loaded;
    const ViewModel* model;
    int stage;
    std::vector<double> deflection;  // ft
    std::string name, unavailable;
  };
  const Case cases[] = {
      {true, &english, 2, {0.2, 0.1, 0}, "Stage: 2", ""},
      {true, &english, 1, {0.1, 0.05, 0}, "Stage: 1", ""},
      {true, &english, 4, {0.1, 0.05, 0}, "Stage: 1", ""},  // a stage the results do not hold
      {false, &english, 1, {}, "", kNoResultsLoaded},
      {true, &otherStations, 1, {}, "Stage: 1", kResultsOfAnotherWall},
      {true, &otherSpacing, 1, {}, "Stage: 1", kResultsOfAnotherWall},
  };
  const TGraphPlot graph = twoStageDeflections();
  for (const Case& c : cases) {
    const DeflectedStations result = deflectedStationsOf(graph, c.loaded, *c.model, c.stage);
    EXPECT_EQ(result.unavailable, c.unavailable);
    EXPECT_EQ(result.resultName, c.name);
    ASSERT_EQ(result.deflection.size(), c.deflection.size());
    for (std::size_t j = 0; j < c.deflection.size(); ++j) EXPECT_NEAR(result.deflection[j], c.deflection[j], kRoundOff);
  }
}

TEST(DeformedShape, TheTiedBackWallsResultsFitItsModel) {
  testing::TempFolder folder;
  ViewProject p;
  p.open("tied_back_wall_in_soft_clay");
  testing::runEngineOn(folder, testing::readFile(std::filesystem::path(KORVEX_EXAMPLES) / "tied_back_wall_in_soft_clay.kx5d"));
  ResultGraphs graphs;
  ASSERT_TRUE(loadPlotFile(folder / "wall.kx5p", plotContextOf(p.data, p.tables), graphs).loaded);
  const TGraphPlot& deflection = graphs.graph(kGraphDeflection);
  EXPECT_TRUE(deformedShapeOffered(deflection, true));
  const DeflectedStations result = deflectedStationsOf(deflection, true, viewModelOf(p.data, p.tables), 1);
  ASSERT_TRUE(result.available()) << result.unavailable;
  ASSERT_EQ(result.deflection.size(), 181u);
  // The top moves 0.06225 in towards the excavation (the report's value, to its 4 digits).
  EXPECT_NEAR(result.deflection[0] * 12, 0.06225, 5e-6);
}

TEST(DeformedShape, TheFactorStepsAlongItsLeadingDigit) {
  struct Case {
    double factor;
    bool up;
    double next;
  };
  const Case cases[] = {{1, true, 2},     {9, true, 10},     {10, true, 20},  {1, false, 0.9}, {0.5, true, 0.6},
                        {0.3, true, 0.4}, {0.1, false, 0.09}, {250, false, 100}, {0, true, 1},  {-4, false, 1}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(stepFactor(c.factor, c.up), c.next) << c.factor << (c.up ? " up" : " down");
}

TEST(DeformedShape, TheFittingFactorShowsTheLargestDeflectionAsATenthOfTheWall) {
  EXPECT_DOUBLE_EQ(fittingFactor({0.01, -0.5}, 30), 6);
  EXPECT_DOUBLE_EQ(fittingFactor({0.07}, 30), 40);  // 42.9 rounded down to one digit
  EXPECT_DOUBLE_EQ(fittingFactor({0, 0}, 30), 1);
}

}  // namespace
}  // namespace korvex
