// The wall: a panel of width w, length L and the wall's thickness at each of the 20 positions
// along the wall; deflected, a row of bricks per panel that follow the deflected centre line.
#include <cstddef>

#include "views/scene_parts.h"

namespace korvex::scene_parts {

namespace {

constexpr Rgba kWallFill{0.75f, 0.75f, 0.75f, 1};
constexpr Rgba kWallOutline{0.9f, 0.9f, 0, 1};
constexpr float kUndeformedOpacity = 0.35f;  // the undeflected wall behind the deflected one

void addStraightPanels(Scene& scene, const Context& c, SceneItem item, Rgba fill) {
  const double half = c.extents.thickness / 2;
  const double w = c.extents.panelWidth;
  for (double p : c.positions) {
    Solid panel = box(item, {0, -half, p - w / 2}, {c.extents.wallLength, half, p + w / 2}, fill);
    panel.outlined = true;
    panel.outline = kWallOutline;
    scene.solids.push_back(panel);
  }
}

// The unit normal of the deflected centre line at station j in the d-x plane, from the
// stations on either side (one side at the ends).
Vec3 normalAt(const std::vector<double>& u, std::size_t j, double h) {
  const std::size_t before = j > 0 ? j - 1 : j;
  const std::size_t after = j + 1 < u.size() ? j + 1 : j;
  const Vec3 tangent{static_cast<double>(after - before) * h, u[after] - u[before], 0};
  return normalized(Vec3{-tangent.x, tangent.d, 0});
}

void addDeflectedPanels(Scene& scene, const Context& c, const std::vector<double>& u) {
  const double h = c.model.incrementLength;
  const double half = c.extents.thickness / 2;
  const double w = c.extents.panelWidth;
  // The two faces of the wall at every station: the centre line offset by half the thickness.
  std::vector<Vec3> backfillFace, excavationFace;
  for (std::size_t j = 0; j < u.size(); ++j) {
    const Vec3 centre{static_cast<double>(j) * h, u[j], 0};
    const Vec3 n = normalAt(u, j, h);
    backfillFace.push_back(centre - n * half);
    excavationFace.push_back(centre + n * half);
  }
  for (double p : c.positions) {
    const Vec3 y0{0, 0, p - w / 2}, y1{0, 0, p + w / 2};
    for (std::size_t i = 0; i + 1 < u.size(); ++i) {
      scene.solids.push_back(hexahedron(SceneItem::Wall,
                                        {backfillFace[i] + y0, excavationFace[i] + y0, excavationFace[i] + y1,
                                         backfillFace[i] + y1, backfillFace[i + 1] + y0, excavationFace[i + 1] + y0,
                                         excavationFace[i + 1] + y1, backfillFace[i + 1] + y1},
                                        kWallFill));
    }
    // The panel's four long edges and its two ends.
    for (const std::vector<Vec3>* face : {&backfillFace, &excavationFace}) {
      for (const Vec3& side : {y0, y1}) {
        Stroke edge{SceneItem::Wall, {}, kWallOutline, 1};
        for (const Vec3& point : *face) edge.points.push_back(point + side);
        scene.strokes.push_back(edge);
      }
    }
    for (std::size_t j : {std::size_t{0}, u.size() - 1}) {
      scene.strokes.push_back({SceneItem::Wall,
                               {backfillFace[j] + y0, excavationFace[j] + y0, excavationFace[j] + y1,
                                backfillFace[j] + y1, backfillFace[j] + y0},
                               kWallOutline,
                               1});
    }
  }
}

}  // namespace

void addWall(Scene& scene, const Context& c, const DeformedWall* deformed, bool undeformedToo) {
  const std::size_t stations = static_cast<std::size_t>(c.model.increments) + 1;
  const bool deflected = deformed != nullptr && c.model.increments > 0 && deformed->displacement.size() == stations;
  if (!deflected) {
    addStraightPanels(scene, c, SceneItem::Wall, kWallFill);
    return;
  }
  addDeflectedPanels(scene, c, deformed->displacement);
  if (undeformedToo) {
    Rgba ghost = kWallFill;
    ghost.a = kUndeformedOpacity;
    addStraightPanels(scene, c, SceneItem::UndeformedWall, ghost);
  }
}

}  // namespace korvex::scene_parts
