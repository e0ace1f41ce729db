#include "views/scene.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

constexpr double kArrowHeadShare = 0.25;  // of the arrow's length
constexpr double kArrowHeadHalfWidth = 0.4;  // of the head's length

// Two unit vectors square to `axis` and to each other; the first lies in the plane of the axis
// and y where it can, so bars and pyramids stand square to the wall's row.
std::pair<Vec3, Vec3> squareTo(const Vec3& axis) {
  const Vec3 u = normalized(axis);
  const Vec3 reference = std::abs(u.y) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  const Vec3 first = normalized(reference - u * dot(reference, u));
  return {first, cross(u, first)};
}

std::vector<Vec3> squareAround(const Vec3& centre, const Vec3& a, const Vec3& b, double half) {
  return {centre - a * half - b * half, centre + a * half - b * half, centre + a * half + b * half,
          centre - a * half + b * half};
}

void widen(Bounds& bounds, const Vec3& p) {
  if (!bounds.found) {
    bounds = {true, p, p};
    return;
  }
  bounds.min = {std::min(bounds.min.d, p.d), std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y)};
  bounds.max = {std::max(bounds.max.d, p.d), std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y)};
}

}  // namespace

double dot(const Vec3& a, const Vec3& b) { return a.d * b.d + a.x * b.x + a.y * b.y; }

Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.x * b.y - a.y * b.x, a.y * b.d - a.d * b.y, a.d * b.x - a.x * b.d};
}

double length(const Vec3& a) { return std::sqrt(dot(a, a)); }

Vec3 normalized(const Vec3& a) {
  const double l = length(a);
  return l > 0 ? a * (1 / l) : a;
}

Bounds boundsOf(const Scene& scene, SceneItem item) {
  Bounds bounds;
  for (const Solid& solid : scene.solids)
    if (solid.item == item)
      for (const Vec3& p : solid.corners) widen(bounds, p);
  for (const Stroke& stroke : scene.strokes)
    if (stroke.item == item)
      for (const Vec3& p : stroke.points) widen(bounds, p);
  return bounds;
}

Solid hexahedron(SceneItem item, const std::vector<Vec3>& corners, Rgba fill) {
  Solid s;
  s.item = item;
  s.corners = corners;
  s.faces = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  s.fill = fill;
  return s;
}

Solid box(SceneItem item, const Vec3& a, const Vec3& b, Rgba fill) {
  const double d0 = std::min(a.d, b.d), d1 = std::max(a.d, b.d);
  const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
  const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
  return hexahedron(item,
                    {{d0, x0, y0}, {d0, x1, y0}, {d0, x1, y1}, {d0, x0, y1},
                     {d1, x0, y0}, {d1, x1, y0}, {d1, x1, y1}, {d1, x0, y1}},
                    fill);
}

Solid bar(SceneItem item, const Vec3& from, const Vec3& to, double side, Rgba fill) {
  const auto [a, b] = squareTo(to - from);
  std::vector<Vec3> corners = squareAround(from, a, b, side / 2);
  const std::vector<Vec3> far = squareAround(to, a, b, side / 2);
  corners.insert(corners.end(), far.begin(), far.end());
  return hexahedron(item, corners, fill);
}

Solid pyramid(SceneItem item, const Vec3& tip, const Vec3& base, double half, Rgba fill) {
  const auto [a, b] = squareTo(tip - base);
  Solid s;
  s.item = item;
  s.corners = squareAround(base, a, b, half);
  s.corners.push_back(tip);
  s.faces = {{0, 1, 2, 3}, {0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
  s.fill = fill;
  return s;
}

Solid flatRectangle(SceneItem item, double d, double x0, double x1, double y0, double y1, Rgba fill) {
  Solid s;
  s.item = item;
  s.corners = {{d, x0, y0}, {d, x1, y0}, {d, x1, y1}, {d, x0, y1}};
  s.faces = {{0, 1, 2, 3}};
  s.fill = fill;
  return s;
}

void addArrow(Scene& scene, SceneItem item, const Vec3& tail, const Vec3& tip, Rgba colour) {
  const double headLength = kArrowHeadShare * length(tip - tail);
  if (headLength <= 0) return;
  const Vec3 headBase = tip - normalized(tip - tail) * headLength;
  scene.strokes.push_back({item, {tail, headBase}, colour, 2});
  scene.solids.push_back(pyramid(item, tip, headBase, kArrowHeadHalfWidth * headLength, colour));
}

}  // namespace korvex
