// Loading plot data files into the result graphs: files from real runs of the engine (single,
// staged, short- and long-term, English and SI), and truncated, damaged and error-stop files,
// which must leave no graph half-filled.
#include <gtest/gtest.h>

#include <string>

#include "app/project_tables.h"
#include "graphs/result_graphs.h"
#include "test_support.h"
#include "validation/example_support.h"

namespace korvex {
namespace {

using testing::TempFolder;

// The plot file of a run of the example `name` (its data text changed by `edit` first).
std::filesystem::path plotOfExample(const TempFolder& folder, const std::string& name,
                                    const std::function<void(std::string&)>& edit = {}) {
  std::string data = testing::readFile(std::filesystem::path(KORVEX_EXAMPLES) / (name + ".kx5d"));
  if (edit) edit(data);
  testing::runEngineOn(folder, data, name);
  return folder / (name + ".kx5p");
}

std::filesystem::path writePlot(const TempFolder& folder, const std::string& text) {
  const std::filesystem::path path = folder / "written.kx5p";
  testing::writeFile(path, text);
  return path;
}

// Relative tolerance of values read back from the file's 4-significant-digit E13.4 fields
// after a division by 12 or 1000: the round-off of the division only.
constexpr double kDivisionRoundOff = 1e-12;

TEST(PlotLoading, AStagedRunKeepsThreeSetsOfAllTheirPoints) {
  TempFolder folder;
  ResultGraphs graphs;
  ASSERT_TRUE(loadPlotFile(plotOfExample(folder, "staged_excavation"), {}, graphs).loaded);
  // N = 300: N + 2 = 302 points per set, more than a store of 301 would hold.
  for (GraphIndex g : {kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction}) {
    const TGraphPlot& graph = graphs.graph(g);
    ASSERT_EQ(graph.LineCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(graph.Line(i).points.size(), 302u);
    EXPECT_EQ(graph.LineName(0), "Stage: 1");
    EXPECT_EQ(graph.LineName(2), "Stage: 3");
    EXPECT_EQ(graph.YTitle(), "Depth (m)");
  }
  ASSERT_EQ(graphs.store().sets.size(), 3u);
  EXPECT_EQ(graphs.store().sets[2].wall.size(), 302u);
  EXPECT_EQ(graphs.store().earthPressurePointCount, 76);
  // SI values are shown as written: the last stage's 302nd row.
  const WallPoint& last = graphs.store().sets[2].wall.back();
  EXPECT_DOUBLE_EQ(last.depth, 15.05);
  const TGraphPlot& dms = graphs.graph(kGraphDMS);
  EXPECT_TRUE(dms.ShowThree);
  EXPECT_EQ(dms.LineCount(kPanel2Lines), 3);
  EXPECT_EQ(dms.Panels[1].xCaption, "Bending Moment (m-kN)");
  EXPECT_EQ(graphs.graph(kGraphMoment).XTitle(), "Bending Moment (m-kN)");
  EXPECT_EQ(graphs.firstCurvePoints()[kGraphDeflection], 302);
  // Each stage's largest moment and top deflection, read off the graphs, are the report's (its
  // E12.3 fields hold three digits: half a unit in the third).
  const auto blocks = example_checks::parseResultBlocks(testing::readFile(folder / "staged_excavation.kx5o"));
  ASSERT_EQ(blocks.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    double peak = 0;
    for (const TFloatPoint& p : graphs.graph(kGraphMoment).Line(i).points)
      if (std::fabs(p.x) > std::fabs(peak)) peak = p.x;
    const double reported = blocks[static_cast<std::size_t>(i)].peakMoment().moment;
    EXPECT_NEAR(peak, reported, 5e-3 * std::fabs(reported)) << i;
    const double top = blocks[static_cast<std::size_t>(i)].stations.front().deflection;
    EXPECT_NEAR(graphs.graph(kGraphDeflection).Line(i).points.front().x, top, 5e-3 * std::fabs(top)) << i;
  }
}

TEST(PlotLoading, EnglishRunsShowFeetAndKipsButKeepTheOtherValues) {
  TempFolder folder;
  ResultGraphs graphs;
  PlotContext context;
  context.longTerm = true;
  ASSERT_TRUE(loadPlotFile(plotOfExample(folder, "tied_wall_user_curves"), context, graphs).loaded);
  // Row 2 of block 1: 0.6000E+01 -0.1695E+00 0.3009E+04 0.5006E+03 -0.3222E+00
  const TGraphPlot& moment = graphs.graph(kGraphMoment);
  EXPECT_NEAR(moment.Line(0).points[1].y, 0.5, 0.5 * kDivisionRoundOff);       // 6 in = 0.5 ft
  EXPECT_NEAR(moment.Line(0).points[1].x, 3.009, 3.009 * kDivisionRoundOff);   // lb-in -> in-kips
  EXPECT_NEAR(graphs.graph(kGraphShear).Line(0).points[1].x, 0.5006, 0.5006 * kDivisionRoundOff);
  EXPECT_DOUBLE_EQ(graphs.graph(kGraphDeflection).Line(0).points[1].x, -0.1695);
  EXPECT_DOUBLE_EQ(graphs.graph(kGraphReaction).Line(0).points[1].x, -0.3222);
  EXPECT_EQ(moment.LineName(0), "Short-Term");
  EXPECT_EQ(moment.LineName(1), "Long-Term");
  EXPECT_EQ(moment.XTitle(), "Bending Moment (in-kips)");
  EXPECT_EQ(graphs.graph(kGraphShear).XTitle(), "Shear (kips)");
  EXPECT_EQ(graphs.graph(kGraphDeflection).XTitle(), "Deflection (in)");
  EXPECT_EQ(graphs.graph(kGraphDeflection).YTitle(), "Depth (ft)");
  // Earth pressure: depth 120 in at 10 ft, the pressure as written.
  const TGraphPlot& pressure = graphs.graph(kGraphPressure);
  EXPECT_DOUBLE_EQ(pressure.Line(0).points[1].y, 10);
  EXPECT_DOUBLE_EQ(pressure.Line(0).points[1].x, 1.5);
  EXPECT_EQ(graphs.graph(kGraphCombined).LineName(1), "from Soils ");

  // p-y curves of the last (long-term) block, named by their depths in inches, with their true
  // origins: (0, 0) is a point of the curve, not padding.
  const TGraphPlot& py = graphs.graph(kGraphPY);
  ASSERT_EQ(py.LineCount(), 3);
  EXPECT_EQ(py.LineName(0), "Depth 60");
  EXPECT_EQ(py.LineName(2), "Depth 240");
  ASSERT_EQ(py.Line(0).points.size(), 3u);
  EXPECT_EQ(py.Line(0).points[0].y, 400);
  EXPECT_EQ(py.Line(0).points[1].x, 0);
  EXPECT_EQ(py.Line(0).points[1].y, 0);
  EXPECT_EQ(py.Line(0).points[2].y, -400);
  EXPECT_EQ(py.XTitle(), "y (in)");
  EXPECT_EQ(py.YTitle(), "p (lbs/in)");
}

TEST(PlotLoading, ShorterLinesRepeatTheirLastPointByCountOnly) {
  TempFolder folder;
  ResultGraphs graphs;
  // One block: no earth pressure, two curves of 3 and 2 points with a genuine (0, 0), no
  // wall points.
  const std::string text =
      "0\n2 2\n10 3\n-1 5\n0 0\n1 -5\n20 2\n0 0\n2 -7\n1 0 2\n";
  ASSERT_TRUE(loadPlotFile(writePlot(folder, text), {}, graphs).loaded);
  const TGraphPlot& py = graphs.graph(kGraphPY);
  ASSERT_EQ(py.Line(1).points.size(), 3u);
  EXPECT_EQ(py.Line(1).points[0].x, 0);
  EXPECT_EQ(py.Line(1).points[0].y, 0);
  EXPECT_EQ(py.Line(1).points[2].x, 2);   // the last point repeated
  EXPECT_EQ(py.Line(1).points[2].y, -7);
  EXPECT_EQ(py.Line(0).points[1].y, 0);   // the first curve's origin kept
  EXPECT_EQ(graphs.graph(kGraphDeflection).LineCount(), 1);
  EXPECT_EQ(graphs.graph(kGraphDeflection).LineName(0), "Load #1");
}

TEST(PlotLoading, ALaterFileSetsEveryGraphsLinesAfresh) {
  TempFolder folder;
  ResultGraphs graphs;
  ASSERT_TRUE(loadPlotFile(plotOfExample(folder, "staged_excavation"), {}, graphs).loaded);
  graphs.graph(kGraphMoment).Line(0).active = false;
  ASSERT_TRUE(loadPlotFile(plotOfExample(folder, "sample_wall"), {}, graphs).loaded);
  for (GraphIndex g : {kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction, kGraphPressure}) {
    ASSERT_EQ(graphs.graph(g).LineCount(), 1) << g;
    EXPECT_EQ(graphs.graph(g).LineName(0), "Load #1");
  }
  EXPECT_EQ(graphs.graph(kGraphDeflection).Line(0).points.size(), 82u);
  EXPECT_FALSE(graphs.graph(kGraphMoment).Line(0).active);  // the user's choice stays
  EXPECT_EQ(graphs.graph(kGraphPY).LineCount(), 0);
  EXPECT_EQ(graphs.graph(kGraphPressure).PointCount(), 0);
  EXPECT_EQ(graphs.graph(kGraphDMS).LineCount(kPanel3Lines), 1);
  EXPECT_EQ(graphs.store().sets.size(), 1u);
}

TEST(PlotLoading, TheOverlayShowsTheProjectsLayersAndWall) {
  TempFolder folder;
  ResultGraphs graphs;
  PlotContext context;
  context.hasOverlay = true;
  context.englishProject = true;
  context.layers = {{kSoftClay, 10}, {kSand, 20}, {kWeakRock, 25}, {12, 30}};
  context.wallLength = 360;       // inches
  context.excavationDepth = 144;  // inches
  ASSERT_TRUE(loadPlotFile(plotOfExample(folder, "sample_wall"), context, graphs).loaded);
  const TGraphPlot& dms = graphs.graph(kGraphDMS);
  ASSERT_EQ(dms.LineCount(kOverlayLines), 6);
  EXPECT_EQ(dms.WallLineCount, 4);
  const std::pair<std::string, TFloatPoint> expected[] = {
      {" CLAY ", {1, 10}}, {" SAND ", {7, 20}}, {"WEAK ROCK", {10, 25}}, {"LAYER 4", {0, 30}},
      {"PILE", {0, 30}},   {"PILE", {0, 12}}};
  for (int i = 0; i < 6; ++i) {
    const TLine& line = dms.Line(i, kOverlayLines);
    EXPECT_EQ(line.name, expected[i].first);
    ASSERT_EQ(line.points.size(), 1u);
    EXPECT_EQ(line.points[0].x, expected[i].second.x);
    EXPECT_EQ(line.points[0].y, expected[i].second.y);
  }
}

TEST(PlotLoading, FilesThatDoNotReadWholeLeaveNoGraphFilled) {
  TempFolder folder;
  const std::filesystem::path good = plotOfExample(folder, "staged_excavation");
  const std::string whole = testing::readFile(good);
  // A stage-2 error stop: the engine repeats block 1's results without their earth-pressure
  // and p-y records, and block 2 cannot be read.
  TempFolder stopped;
  const std::filesystem::path errorStop = plotOfExample(stopped, "staged_excavation", [](std::string& data) {
    const std::string stage2 = "300 0.05 0.5 0.00001 6 1";
    data.replace(data.find(stage2), stage2.size(), "500 0.05 0.5 0.00001 6 1");
  });
  struct Case {
    const char* what;
    std::string text;
    std::string error;  // the start of the message
  };
  const Case cases[] = {
      {"truncated", whole.substr(0, whole.size() / 2),
       "Error on Line 800 Item 2\r302 points along the wall are announced but the file holds fewer"},
      {"ends before a count", "0\n1\n", "This file either invalid or incomplete."},
      {"negative count", "-3\n", "Error on Line 1 Item 1\ra negative number of earth-pressure points"},
      {"count beyond the file", "0\n1 2000000000\n",
       "Error on Line 2 Item 2\r2000000000 p-y curves are announced but the file holds fewer"},
      {"absurd result sets", "0\n1 0\n2147483647 0 1\n",
       "Error on Line 3 Item 3\r2147483647 result sets are announced but the file holds fewer"},
      {"no result set", "0\n1 0\n0 0 1\n", "Error on Line 3 Item 3\rthe number of result sets is 0, not 1 or more"},
      {"not a number", "1\n0 x 0 0\n", "Error on Line 2 Item 2\rA floating point number was expected"},
      {"beyond double", "1\n0 1E4000 0 0\n", "Error on Line 2 Item 2\ra number beyond the range of the graphs"},
      {"error stop", testing::readFile(errorStop), "Error on Line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResultGraphs graphs;
    ASSERT_TRUE(loadPlotFile(good, {}, graphs).loaded);
    const PlotLoadResult result = loadPlotFile(writePlot(folder, c.text), {}, graphs);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.error.substr(0, c.error.size()), c.error);
    for (int g = 0; g < kGraphCount; ++g) EXPECT_EQ(graphs.graph(static_cast<GraphIndex>(g)).LineCount(), 0);
    EXPECT_TRUE(graphs.store().sets.empty());
  }
  ResultGraphs graphs;
  EXPECT_FALSE(loadPlotFile(folder / "missing.kx5p", {}, graphs).loaded);
}

}  // namespace
}  // namespace korvex
