// The rules a graph is drawn by, apart from any painting: axis ranges, tick steps and ticks,
// zooming, line colours and markers, line names and axis titles.
#include <gtest/gtest.h>

#include <cmath>

#include "graphs/axis_scale.h"
#include "graphs/graph_plot.h"
#include "graphs/line_style.h"
#include "graphs/view_zoom.h"

namespace korvex {
namespace {

// Steps are powers of ten; their quotients are compared to this relative tolerance, far below
// any step that the rule could pick by mistake (a factor of ten).
constexpr double kRoundOff = 1e-12;

TEST(AxisScale, RangesHoldZeroAndRoundOutToTheirStep) {
  struct Case {
    double min, max;
    double step, low, high;
  };
  const Case cases[] = {
      {0.0001, 0.0004, 0.0001, 0, 0.0004},  // a range of 0.0004 steps by 0.0001
      {0, 2500, 100, 0, 2500},              // 2500: mantissa 2.5 is below 3
      {5, 5, 1, 0, 5},                      // all x = 5: the range reaches down to 0
      {-0.3, 2.6, 0.1, -0.3, 2.6},          // ends already on multiples of 0.1 stay
      {-73.5, 12.2, 10, -80, 20},           // rounded away from zero at both ends
      {0, 0, 0.001, -0.01, 0.01},           // nothing to show: widened by 0.01 each side
      {-1e-250, 1e-250, 0.001, -0.01, 0.01},  // too narrow to divide: the same
  };
  for (const Case& c : cases) {
    const AxisRange r = axisRange(c.min, c.max);
    SCOPED_TRACE(testing::Message() << "[" << c.min << ", " << c.max << "]");
    EXPECT_NEAR(r.step, c.step, c.step * kRoundOff);
    EXPECT_NEAR(r.min, c.low, c.step * kRoundOff);
    EXPECT_NEAR(r.max, c.high, c.step * kRoundOff);
  }
}

TEST(AxisScale, EveryRangeHasThreeToAboutThirtyTicksAndNeverAZeroStep) {
  for (double width = 1e-9; width < 1e9; width *= 1.37) {
    const AxisRange r = axisRange(-0.3 * width, 0.7 * width);
    ASSERT_GT(r.step, 0);
    const auto ticks = tickIndices(r.min, r.max, r.step);
    EXPECT_GE(ticks.size(), 4u) << width;  // 3 steps at least: 4 ticks
    EXPECT_LE(ticks.size(), 33u) << width;
  }
}

TEST(AxisScale, TicksAtMultiplesWithoutARoundOffExtra) {
  // 0 .. 3.0 by 0.1: 31 ticks; 3.0 / 0.1 in floating point is 30.000000000000004.
  const auto ticks = tickIndices(0, 3.0, 0.1);
  ASSERT_EQ(ticks.size(), 31u);
  EXPECT_EQ(ticks.front(), 0);
  EXPECT_EQ(ticks.back(), 30);
  EXPECT_EQ(tickIndices(-0.25, 0.25, 0.1), (std::vector<long long>{-2, -1, 0, 1, 2}));
}

TEST(AxisScale, MappingPutsDepthDownwardsAndReadsBack) {
  const AxisMapping depth{0, 10, 100, 600};  // 0 at the top edge, 10 at the bottom edge
  EXPECT_EQ(depth.toPixel(0), 100);
  EXPECT_EQ(depth.toPixel(10), 600);
  EXPECT_EQ(depth.toPixel(2.5), 225);
  EXPECT_DOUBLE_EQ(depth.toValue(225), 2.5);
  const AxisMapping upwards{0, 10, 600, 100};  // a y axis growing upwards
  EXPECT_EQ(upwards.toPixel(10), 100);
}

TEST(ViewZoom, ABandNarrowerThanATwentiethWidensAboutItsCentre) {
  const ViewSpan full{0, 100};
  EXPECT_EQ(zoomToBand(52, 50, full), (ViewSpan{48.5, 53.5}));   // 2 wide -> 5 about 51
  EXPECT_EQ(zoomToBand(20, 60, full), (ViewSpan{20, 60}));       // wide enough: as drawn
  EXPECT_EQ(zoomToBand(99, 100, full), (ViewSpan{95, 100}));     // kept inside the full range
  EXPECT_EQ(zoomToBand(-30, 130, full), (ViewSpan{0, 100}));
}

TEST(ViewZoom, RightClickDoublesTheViewAroundThePointUpToTheFullRange) {
  const ViewSpan full{0, 100};
  EXPECT_EQ(zoomOutAround(50, {45, 55}, full), (ViewSpan{40, 60}));
  EXPECT_EQ(zoomOutAround(5, {0, 10}, full), (ViewSpan{0, 20}));   // moved inside
  EXPECT_EQ(zoomOutAround(30, {0, 80}, full), (ViewSpan{0, 100}));  // half-width at most 50
}

TEST(LineStyle, MarkersGoByPositionAndRepeatEveryTenLines) {
  EXPECT_EQ(markerKind(0), 1);
  EXPECT_EQ(markerKind(9), 10);
  EXPECT_EQ(markerKind(10), 1);  // line 11 has the triangle of line 1
  EXPECT_EQ(markerKind(19), 10);
  ASSERT_EQ(markerVertices(10).size(), 3u);
  EXPECT_NEAR(markerVertices(10)[0].x, -1, 1e-15);  // the triangle's vertex at 180 degrees
  EXPECT_EQ(markerVertices(1).size(), 4u);
  EXPECT_NEAR(markerVertices(1)[0].x, std::sqrt(0.5), 1e-15);  // the square stands on 45 degrees
  EXPECT_EQ(markerVertices(6).size(), 7u);
  EXPECT_NEAR(markerVertices(6)[0].y, 0, 1e-15);
}

TEST(LineStyle, ColoursCycleThroughTheSeventeenOfTheTable) {
  EXPECT_EQ(lineColour(0), (LineColour{0, 0, 0}));
  EXPECT_EQ(lineColour(1), (LineColour{0, 0, 255}));
  EXPECT_EQ(lineColour(2), (LineColour{255, 0, 0}));
  EXPECT_EQ(lineColour(16), (LineColour{0, 255, 255}));
  EXPECT_EQ(lineColour(17), lineColour(0));
}

TEST(GraphPlot, LineNamesAndAxisTitles) {
  TGraphPlot graph;
  graph.CurveName = "Depth ";
  graph.SetLineCount(3);
  graph.Line(0).number = 240.1;
  graph.Line(2).name = "Stage: 3";
  graph.LegendNames = {"", "mine"};
  EXPECT_EQ(graph.LineName(0), "Depth 240.1");
  EXPECT_EQ(graph.LineName(1), "mine");
  EXPECT_EQ(graph.LineName(2), "Stage: 3");

  graph.Panels[0] = {"Deflection", "Depth", "L", "L2"};
  EXPECT_EQ(graph.XTitle(), "Deflection (in)");
  EXPECT_EQ(graph.YTitle(), "Depth (ft)");
  graph.SetUnits(2);
  EXPECT_EQ(graph.XTitle(), "Deflection (m)");
  graph.SetUnits(-4);
  EXPECT_EQ(graph.Units(), 1);
  graph.Panels[0].xUnits = "";
  EXPECT_EQ(graph.XTitle(), "Deflection");
  EXPECT_EQ(graphNumber(-0.0, 4), "0");
  EXPECT_EQ(graphNumber(0.30000000000000004, 4), "0.3");
}

TEST(GraphPlot, PointCountsReachEveryLineOfAList) {
  TGraphPlot graph;
  graph.SetLineCount(2);
  EXPECT_EQ(graph.Line(1).number, 2);
  graph.Line(0).points = {{1, 2}};
  graph.SetPointCount(3);
  EXPECT_EQ(graph.PointCount(), 3);
  EXPECT_EQ(graph.Line(1).points.size(), 3u);
  EXPECT_EQ(graph.Line(0).points[2].x, 0);
  graph.SetPointCount(-1);
  EXPECT_EQ(graph.PointCount(), 0);
}

}  // namespace
}  // namespace korvex
