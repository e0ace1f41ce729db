// What the three-dimensional view draws, as plain data: closed bodies of plane faces, strokes
// and text anchors in model coordinates, each tagged with the kind of item it shows. The scene
// is built apart from any drawing layer (scene_builder.h), so that what is drawn where can be
// checked without a screen; the OpenGL part only turns it into display lists.
//
// Model coordinates, in the view's length unit:
//
//        backfill      |wall|   excavation
//   x  <-- negative ---+----+--- positive -->        y: along the wall (the panels' row)
//                      |    |                        d: depth below the top of the wall,
//   d                  |    |                           growing downwards
//   v
#pragma once

#include <string>
#include <vector>

namespace korvex {

struct Vec3 {
  double d = 0;  // depth, down
  double x = 0;  // across the wall, towards the excavation
  double y = 0;  // along the wall

  Vec3 operator+(const Vec3& o) const { return {d + o.d, x + o.x, y + o.y}; }
  Vec3 operator-(const Vec3& o) const { return {d - o.d, x - o.x, y - o.y}; }
  Vec3 operator*(double s) const { return {d * s, x * s, y * s}; }
  bool operator==(const Vec3&) const = default;
};

double dot(const Vec3& a, const Vec3& b);
Vec3 cross(const Vec3& a, const Vec3& b);
double length(const Vec3& a);
// `a` scaled to length 1 (a zero vector stays zero).
Vec3 normalized(const Vec3& a);

struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
  bool operator==(const Rgba&) const = default;
};

// The kinds of item; each show toggle of the view switches one of them.
enum class SceneItem { Wall, UndeformedWall, SoilLayer, Water, Surcharge, Spring, Load, Restraint, Tieback };

// A closed body (or a single flat face) with its faces' fill and, optionally, its edges drawn.
struct Solid {
  SceneItem item = SceneItem::Wall;
  std::vector<Vec3> corners;
  std::vector<std::vector<int>> faces;  // corner indices in turning order around each face
  Rgba fill;
  bool outlined = false;
  Rgba outline;
};

// A polyline.
struct Stroke {
  SceneItem item = SceneItem::Wall;
  std::vector<Vec3> points;
  Rgba colour;
  float width = 1;
};

// A text anchored at a model point.
struct Label {
  SceneItem item = SceneItem::SoilLayer;
  Vec3 at;
  std::string text;
};

struct Scene {
  std::vector<Solid> solids;
  std::vector<Stroke> strokes;
  std::vector<Label> labels;
};

// The smallest and largest corner of the solids and stroke points of one kind of item
// (found = false when there is none).
struct Bounds {
  bool found = false;
  Vec3 min, max;
};
Bounds boundsOf(const Scene& scene, SceneItem item);

// --- bodies ---
// A box between two opposite corners, faces parallel to the axes.
Solid box(SceneItem item, const Vec3& a, const Vec3& b, Rgba fill);
// A six-faced body from its eight corners: four of the near end, then four of the far end,
// each in the same turning order.
Solid hexahedron(SceneItem item, const std::vector<Vec3>& corners, Rgba fill);
// A square bar of side `side` from `from` to `to`; one pair of its faces is parallel to y.
Solid bar(SceneItem item, const Vec3& from, const Vec3& to, double side, Rgba fill);
// A four-sided pyramid with its tip at `tip`, its square base of half-side `half` centred at
// `base` and square to the tip's direction.
Solid pyramid(SceneItem item, const Vec3& tip, const Vec3& base, double half, Rgba fill);
// A flat rectangle at depth `d` between x0..x1 and y0..y1.
Solid flatRectangle(SceneItem item, double d, double x0, double x1, double y0, double y1, Rgba fill);

// An arrow from `tail` to `tip`: its shaft a stroke, its head a pyramid a quarter of its length.
void addArrow(Scene& scene, SceneItem item, const Vec3& tail, const Vec3& tip, Rgba colour);

}  // namespace korvex
