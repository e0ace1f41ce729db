// The side view's drawing as a list of marks in window pixels: the world window around the
// wall and its aspect correction, the mapping from world to pixels, the soil layers with their
// labels, the wall, the ground lines and the symbols at the nodes. World coordinates: x across
// the wall (the wall's centre line at 0), y down from the top of the drawing, in the lengths of
// side_view_model.h. Positions given as shares of the window width W are pixels.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "views/side_view_model.h"

namespace korvex {

struct WorldWindow {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  bool empty() const { return !(xmax > xmin) || !(ymax > ymin); }
  bool operator==(const WorldWindow&) const = default;
};

struct WorldPoint {
  double x = 0, y = 0;
  bool operator==(const WorldPoint&) const = default;
};

// The corners of the wall's outline, in drawing order round the outline. The wall is
// 2 x FreeHeight / 40 wide; with no free height (a wall not yet excavated) it is a hundredth of
// its length wide, so that the window still has a width. None without stations.
std::optional<std::array<WorldPoint, 4>> wallOutline(const SideViewModel& model);

// The world window: every bound from 0 widened to hold the wall's outline and the bottoms of
// the soil layers drawn, then all four multiplied by 1.05; empty when there are no outlines.
WorldWindow worldWindowOf(const SideViewModel& model);
// The window shown in a client area of `width` x `height` pixels: the x bounds widened, or the
// y bounds lengthened, so that a world unit is as long across as down. Empty for an empty
// window or a client area without pixels.
WorldWindow aspectCorrected(const WorldWindow& window, int width, int height);

struct Pixel {
  int x = 0, y = 0;
  bool operator==(const Pixel&) const = default;
};

// One thing to draw, in drawing order.
struct SideMark {
  enum Kind { Line, Wall, Text, Circle };
  Kind kind = Line;
  std::vector<Pixel> points;  // Line: 2 ends; Wall: 4 corners; Text: its top-left; Circle: 2 corners
  int penWidth = 1;
  std::string text;
};

// The marks of `model` in a client area of `width` x `height` pixels, with text lines
// `textHeight` pixels high; none when the shown window is empty.
std::vector<SideMark> sideViewMarks(const SideViewModel& model, int width, int height, int textHeight);

// The window caption while the pointer stands at pixel row `pointerY`: "  Depth: " and the depth
// below the top of the wall with one decimal (a pixel that shows a station reads that station's
// depth). None when the window is empty.
std::optional<std::string> depthCaption(const SideViewModel& model, int width, int height, int pointerY);

}  // namespace korvex
