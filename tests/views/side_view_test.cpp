// The side view's marks and depth read-out, without a screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "views/side_view.h"
#include "views/side_view_model.h"
#include "views_test_support.h"

namespace korvex {
namespace {

using testing::ViewProject;

// The pixel row of world depth `y` (below the top of the drawing) in a client area.
int rowOf(const SideViewModel& m, int width, int height, double y) {
  const WorldWindow w = aspectCorrected(worldWindowOf(m), width, height);
  return static_cast<int>(std::lround(height * (y - w.ymin) / (w.ymax - w.ymin)));
}

const SideMark* wallMark(const std::vector<SideMark>& marks) {
  const auto found = std::find_if(marks.begin(), marks.end(), [](const SideMark& m) { return m.kind == SideMark::Wall; });
  return found == marks.end() ? nullptr : &*found;
}

bool hasText(const std::vector<SideMark>& marks, const std::string& text) {
  return std::any_of(marks.begin(), marks.end(), [&](const SideMark& m) { return m.kind == SideMark::Text && m.text == text; });
}

bool hasLine(const std::vector<SideMark>& marks, Pixel a, Pixel b, int width) {
  return std::any_of(marks.begin(), marks.end(), [&](const SideMark& m) {
    return m.kind == SideMark::Line && m.points[0] == a && m.points[1] == b && m.penWidth == width;
  });
}

TEST(SideView, ThePointerOnTheTopOfTheWallReadsDepthZeroAndOnItsToeItsLength) {
  struct Case {
    const char* example;
    int width, height;
    const char* toe;
  };
  const Case cases[] = {{"sample_wall", 572, 380, "  Depth: 240.0"},
                        {"sample_wall", 300, 900, "  Depth: 240.0"},
                        {"tied_back_wall_in_soft_clay", 1000, 200, "  Depth: 360.0"},
                        {"staged_excavation", 572, 380, "  Depth: 15.0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.example);
    ViewProject p;
    p.open(c.example);
    const SideViewModel m = sideViewModelOf(p.data, p.tables);
    const std::vector<SideMark> marks = sideViewMarks(m, c.width, c.height, 12);
    const SideMark* wall = wallMark(marks);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(depthCaption(m, c.width, c.height, wall->points[0].y), "  Depth: 0.0");
    EXPECT_EQ(depthCaption(m, c.width, c.height, wall->points[2].y), c.toe);
  }
}

TEST(SideView, AWallWithoutFreeHeightIsAHundredthOfItsLengthWideAndGoesRoundItsCorners) {
  ViewProject p;
  p.open("sample_wall");  // 80 stations of 3 in, no free height
  const SideViewModel m = sideViewModelOf(p.data, p.tables);
  ASSERT_EQ(m.freeHeight, 0);
  const auto outline = wallOutline(m);
  ASSERT_TRUE(outline);
  EXPECT_DOUBLE_EQ((*outline)[1].x - (*outline)[0].x, 2 * 2.4);
  EXPECT_FALSE(aspectCorrected(worldWindowOf(m), 572, 380).empty());
  // Each side of the quadrilateral runs along an axis: its corners are in order round it.
  const std::vector<SideMark> marks = sideViewMarks(m, 572, 380, 12);
  const SideMark* wall = wallMark(marks);
  ASSERT_NE(wall, nullptr);
  for (std::size_t i = 0; i < 4; ++i) {
    const Pixel a = wall->points[i], b = wall->points[(i + 1) % 4];
    EXPECT_TRUE(a.x == b.x || a.y == b.y) << i;
  }
}

TEST(SideView, SoilLayersAreDrawnOnlyWhenTheyGenerateEarthPressureOrCurves) {
  struct Case {
    bool userPressure, soilPressure;
    int choice, generateCurves;
    bool layers;
  };
  const Case cases[] = {
      {false, true, 2, 1, true},   // as the example: both generated
      {false, true, 2, 0, true},   // triangular earth pressure from the layers (mode 2)
      {true, false, 2, 1, true},   // the user's pressure, generated curves (mode 2)
      {false, true, 3, 0, false},  // trapezoidal pressure (mode 3), no curves
      {false, false, 2, 0, false}, // neither
  };
  for (const Case& c : cases) {
    ViewProject p;
    p.open("tied_back_wall_in_soft_clay");
    p.data.UserEarthPressure = c.userPressure;
    p.data.SoilEarthPressure = c.soilPressure;
    p.data.EarthPressureChoice = c.choice;
    p.data.GeneratePYCurves = c.generateCurves;
    const std::vector<SideMark> marks = sideViewMarks(sideViewModelOf(p.data, p.tables), 572, 380, 12);
    EXPECT_EQ(hasText(marks, "Sand"), c.layers);
    EXPECT_EQ(hasText(marks, "Soft clay"), c.layers);
  }
}

TEST(SideView, ALayerEndingAboveTheExcavationEndsAtTheWall) {
  ViewProject p;
  p.open("tied_back_wall_in_soft_clay");  // sand to 6 ft, clay to 40 ft, excavated to 14 ft
  const SideViewModel m = sideViewModelOf(p.data, p.tables);
  const int w = 580, h = 400;
  const std::vector<SideMark> marks = sideViewMarks(m, w, h, 12);
  const double top = 36;  // a tenth of the 360-inch wall
  EXPECT_TRUE(hasLine(marks, {0, rowOf(m, w, h, 72 + top)}, {290, rowOf(m, w, h, 72 + top)}, 1));
  EXPECT_TRUE(hasLine(marks, {0, rowOf(m, w, h, 480 + top)}, {580, rowOf(m, w, h, 480 + top)}, 1));
  // The excavation surface on the right half, at 168 in.
  EXPECT_TRUE(hasLine(marks, {290, rowOf(m, w, h, 168 + top)}, {580, rowOf(m, w, h, 168 + top)}, 1));
  // The file's 0.06944 lb/in^3 is 119.99232 lb/ft^3 in the layer's table.
  EXPECT_TRUE(hasText(marks, "\xC3\xB8= 30; gamma= 119.99232"));
}

TEST(SideView, RestraintMarksStandAtTheirNodeOrTwoStationsPastTheToe) {
  const std::pair<int, int> cases[] = {{80, 80}, {2147483600, 82}};  // node, station drawn
  for (const auto& [node, station] : cases) {
    ViewProject p;
    p.open("sample_wall");
    p.tables.Soillayer.Column(1).SetInt(0, node);
    const SideViewModel m = sideViewModelOf(p.data, p.tables);
    const int y = rowOf(m, 572, 380, station * 3 + 24);
    EXPECT_TRUE(hasLine(sideViewMarks(m, 572, 380, 12), {286, y}, {297, y - 6}, 2)) << node;
  }
}

TEST(SideView, SoilLabelsReadAsTheTypeAndItsParameters) {
  struct Case {
    int type;
    std::vector<double> values;  // the parameter table's top row
    const char* name;
    const char* parameters;
  };
  const Case cases[] = {
      {1, {100, 500, 0.02, 0, 0}, "Soft clay", "c= 500; gamma= 100"},
      {3, {125, 2000, 0.005, 500, 0}, "Stiff clay w/o free water", "c= 2000; gamma= 125"},
      {4, {120, 30, 25, 0}, "Sand", "\xC3\xB8= 30; gamma= 120"},
      {5, {110, 28.5, 200, 0.01, 100, 0}, "Silt", "\xC3\xB8= 28.5; c= 200; gamma= 110"},
      {6, {150, 5000}, "Rock", "compressive strength= 5000; gamma= 150"},
      {7, {140, 1200, 0.0005, 1e5, 50}, "Weak Rock", "compressive strength= 1200; gamma= 140"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(soilTypeName(c.type), c.name);
    EXPECT_EQ(soilParameterLine(c.type, c.values), c.parameters);
  }
}

TEST(SideView, NoWallSectionOrNoPixelsDrawNothing) {
  ViewProject p;
  p.open("tied_back_wall_in_soft_clay");
  SideViewModel m = sideViewModelOf(p.data, p.tables);
  EXPECT_TRUE(sideViewMarks(m, 572, 0, 12).empty());
  EXPECT_FALSE(depthCaption(m, 0, 380, 10));
  m.outlineCount = 0;
  EXPECT_TRUE(sideViewMarks(m, 572, 380, 12).empty());
  EXPECT_FALSE(depthCaption(m, 572, 380, 10));
}

}  // namespace
}  // namespace korvex
