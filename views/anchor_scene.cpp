// Tiebacks, with their rods and anchor blocks at their spacing along the wall, and the arrows of
// the surcharge loads on the backfill surface.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/scene_parts.h"

namespace korvex::scene_parts {

namespace {

constexpr Rgba kTiebackFill{0.5f, 0.75f, 0.75f, 1};
constexpr Rgba kTiebackOutline{1, 0.5f, 0, 1};
constexpr Rgba kSurchargeColour{0, 0, 1, 0.25f};
constexpr double kAnchorSides = 4;             // an anchor block is four rod sides wide
constexpr double kAnchorShareOfUnbonded = 1.0 / 8;
constexpr double kSurchargeArrowLength = 2;    // in symbol sizes
constexpr int kStripRows = 5;                  // rows of arrows across a strip load

// Where the tiebacks of a row stand along the wall: +-(k + 0.5) x spacing for k below
// round(10 w / spacing), at most kMostTiebacksPerSide a side. A row always shows: with no
// spacing, or one too wide for a tieback beside the centre, one tieback stands on the centre.
std::vector<double> tiebackPositions(double spacing, double panelWidth) {
  const double perSide = spacing > 0 ? std::round(kWallPositions / 2 * panelWidth / spacing) : 0;
  const int count = static_cast<int>(std::min(perSide, static_cast<double>(kMostTiebacksPerSide)));
  if (count < 1) return {0.0};
  std::vector<double> positions;
  for (int k = 0; k < count; ++k) {
    positions.push_back((k + 0.5) * spacing);
    positions.push_back(-(k + 0.5) * spacing);
  }
  return positions;
}

void addDownArrow(Scene& scene, const Context& c, double x, double y) {
  addArrow(scene, SceneItem::Surcharge, {-kSurchargeArrowLength * c.symbolSize, x, y}, {0, x, y}, kSurchargeColour);
}

}  // namespace

void addTiebacks(Scene& scene, const Context& c) {
  const double half = c.extents.thickness / 2;
  for (const ViewModel::Tieback& t : c.model.tiebacks) {
    if (!(t.unbonded > 0)) continue;
    // Inclined below horizontal by the row's angle, into the backfill (towards negative x).
    const double angle = t.angle * std::numbers::pi / 180;
    const Vec3 along{std::sin(angle), -std::cos(angle), 0};
    const double side = std::max(t.rodSide, 0.0);
    for (double y : tiebackPositions(t.spacing, c.extents.panelWidth)) {
      const Vec3 head{t.depth, -half, y};
      const Vec3 end = head + along * t.unbonded;
      for (Solid part : {bar(SceneItem::Tieback, head, end, side, kTiebackFill),
                         bar(SceneItem::Tieback, end, end + along * (kAnchorShareOfUnbonded * t.unbonded),
                             kAnchorSides * side, kTiebackFill)}) {
        part.outlined = true;
        part.outline = kTiebackOutline;
        scene.solids.push_back(part);
      }
    }
  }
}

void addSurcharges(Scene& scene, const Context& c) {
  for (const ViewModel::Surcharge& s : c.model.surcharges) {
    // Surcharges stand on the backfill, at their distance from the wall.
    const double x = -s.distance;
    switch (s.kind) {
      case ViewModel::kPointLoad: addDownArrow(scene, c, x, 0); break;
      case ViewModel::kLineLoad:
        for (double p : c.positions) addDownArrow(scene, c, x, p);
        break;
      case ViewModel::kStripLoad: {
        const int rows = s.width > 0 ? kStripRows : 1;
        for (int row = 0; row < rows; ++row) {
          const double across = rows > 1 ? x - s.width / 2 + row * s.width / (rows - 1) : x;
          for (double p : c.positions) addDownArrow(scene, c, across, p);
        }
        break;
      }
      default: break;
    }
  }
}

}  // namespace korvex::scene_parts
