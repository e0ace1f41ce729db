// How the three-dimensional view looks at its model and what the mouse does to it.
#include <gtest/gtest.h>

#include "views/number_label.h"
#include "views/view_camera.h"

namespace korvex {
namespace {

// Window positions are sums and products of a few pixel values and matrix entries.
constexpr double kPixelRoundOff = 1e-9;

ModelExtents tiedBackExtents() {
  ModelExtents e;
  e.wallLength = 30;
  e.panelWidth = 1;
  e.thickness = 0.1;
  e.halfAcross = 12.5;
  e.deepest = 40;
  e.overall = 40;
  return e;
}

ViewCamera camera(int width = 870, int height = 640) {
  ViewCamera c;
  c.setViewport(width, height);
  c.setModel(tiedBackExtents());
  return c;
}

TEST(ViewCamera, StartsWithDepthDownTheScreenAcrossToTheRightAndTheModelCentred) {
  const ViewCamera c = camera();
  const double scale = 590.0 / 80;
  const WindowPoint top = c.toWindow({0, 0, 0});
  const WindowPoint toe = c.toWindow({30, 0, 0});
  const WindowPoint excavationSide = c.toWindow({0, 10, 0});
  const WindowPoint middle = c.toWindow({20, 0, 0});
  EXPECT_NEAR(middle.x, 435, kPixelRoundOff);
  EXPECT_NEAR(middle.y, 320, kPixelRoundOff);
  EXPECT_NEAR(toe.y - top.y, 30 * scale, kPixelRoundOff);
  EXPECT_NEAR(toe.x, top.x, kPixelRoundOff);
  EXPECT_NEAR(excavationSide.x - top.x, 10 * scale, kPixelRoundOff);
  // Along the wall points straight at the viewer.
  EXPECT_NEAR(c.toWindow({0, 0, 7}).x, top.x, kPixelRoundOff);
}

TEST(ViewCamera, AZoomWindowWithoutWidthOrHeightChangesNothing) {
  const WindowPoint corners[][2] = {{{100, 50}, {100, 300}}, {{100, 50}, {400, 50}}, {{200, 200}, {200, 200}}};
  for (const auto& corner : corners) {
    ViewCamera c = camera();
    const ViewCamera before = c;
    EXPECT_FALSE(c.zoomToWindow(corner[0], corner[1]));
    EXPECT_TRUE(c == before);
  }
}

TEST(ViewCamera, AZoomWindowBringsItsCentreToTheMiddleAndFillsTheWindow) {
  ViewCamera c = camera();
  const Vec3 inside{5, -3, 0};
  const WindowPoint p = c.toWindow(inside);
  // A rectangle 43.5 x 64 pixels centred on the point: its height limits the zoom to 10.
  ASSERT_TRUE(c.zoomToWindow({p.x - 21.75, p.y - 32}, {p.x + 21.75, p.y + 32}));
  EXPECT_NEAR(c.zoom(), 10, 1e-12);
  const WindowPoint after = c.toWindow(inside);
  EXPECT_NEAR(after.x, 435, kPixelRoundOff);
  EXPECT_NEAR(after.y, 320, kPixelRoundOff);
}

TEST(ViewCamera, PanningMovesTheModelWithThePointerAfterAnyTurnAndZoom) {
  ViewCamera c = camera();
  c.drag({400, 300}, {460, 260}, MouseMode::Rotating, false);
  c.zoomBy(3);
  const Vec3 p{12, 4, -2};
  const WindowPoint before = c.toWindow(p);
  c.drag({100, 100}, {130, 80}, MouseMode::Panning, false);
  const WindowPoint after = c.toWindow(p);
  EXPECT_NEAR(after.x - before.x, 30, kPixelRoundOff);
  EXPECT_NEAR(after.y - before.y, -20, kPixelRoundOff);
}

TEST(ViewCamera, DraggingTheZoomNeverReachesZero) {
  ViewCamera c = camera();
  c.drag({0, 0}, {0, 3 * 640}, MouseMode::Zooming, false);  // 1 - 3 would be -2
  EXPECT_DOUBLE_EQ(c.zoom(), 0.5);
  for (int i = 0; i < 30; ++i) c.drag({0, 0}, {0, 640}, MouseMode::Zooming, false);
  EXPECT_DOUBLE_EQ(c.zoom(), 1e-3);
  c.drag({0, 100}, {0, 0}, MouseMode::Zooming, false);  // dragging up enlarges
  EXPECT_NEAR(c.zoom(), 1e-3 * (1 + 100.0 / 640), 1e-15);
}

TEST(ViewCamera, ShiftKeepsOnlyTheLargerPartOfADrag) {
  const struct {
    WindowPoint to, free;
  } cases[] = {{{430, 310}, {430, 300}}, {{410, 340}, {400, 340}}};
  for (const auto& c : cases) {
    for (MouseMode mode : {MouseMode::Rotating, MouseMode::Panning}) {
      ViewCamera constrained = camera(), free = camera();
      constrained.drag({400, 300}, c.to, mode, true);
      free.drag({400, 300}, c.free, mode, false);
      EXPECT_TRUE(constrained == free);
    }
  }
}

TEST(ViewCamera, RestartReturnsToTheFirstView) {
  ViewCamera c = camera();
  const ViewCamera first = c;
  c.drag({10, 10}, {200, 90}, MouseMode::Rotating, false);
  c.drag({10, 10}, {200, 90}, MouseMode::Panning, false);
  c.zoomBy(1.4142);
  c.restart();
  EXPECT_TRUE(c == first);
}

TEST(NumberLabel, FixedWithThreeDecimalsBetweenAThousandthAndAHundredThousand) {
  const std::pair<double, const char*> cases[] = {
      {12.5, "12.500"}, {0.0011, "0.001"}, {0.001, "1.000E-03"}, {99999.9, "99999.900"},
      {100000, "1.000E+05"}, {-123456.7, "-1.235E+05"}, {0, "0.000E+00"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(numberLabel(value), text);
}

}  // namespace
}  // namespace korvex
