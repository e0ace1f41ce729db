// Soil layers as translucent blocks on both sides of the wall, and the water tables.
#include <algorithm>
#include <string>

#include "views/number_label.h"
#include "views/scene_parts.h"

namespace korvex::scene_parts {

namespace {

constexpr float kLayerOpacity = 0.5f;
constexpr Rgba kWaterSurface{0.2f, 0.5f, 1, 0.35f};
constexpr Rgba kWaterMark{0.1f, 0.3f, 0.9f, 1};
constexpr int kWaterMarksPerSide = 5;         // a 5 x 5 grid of pyramids on each water surface
constexpr double kWaterMarkShare = 0.3;       // pyramid height, of the symbol size

Solid layerBlock(const Vec3& a, const Vec3& b, int number) {
  Rgba fill = layerColour(number);
  Solid block = box(SceneItem::SoilLayer, a, b, {fill.r, fill.g, fill.b, kLayerOpacity});
  block.outlined = true;
  block.outline = fill;
  return block;
}

// A water surface at depth `d` between x0 and x1, and its grid of small pyramids standing on
// the surface with their tips down.
void addWaterSurface(Scene& scene, const Context& c, double d, double x0, double x1) {
  const double y0 = -c.halfRow, y1 = c.halfRow;
  scene.solids.push_back(flatRectangle(SceneItem::Water, d, x0, x1, y0, y1, kWaterSurface));
  const double height = kWaterMarkShare * c.symbolSize;
  for (int i = 0; i < kWaterMarksPerSide; ++i) {
    for (int k = 0; k < kWaterMarksPerSide; ++k) {
      const double x = x0 + (i + 0.5) * (x1 - x0) / kWaterMarksPerSide;
      const double y = y0 + (k + 0.5) * (y1 - y0) / kWaterMarksPerSide;
      scene.solids.push_back(pyramid(SceneItem::Water, {d, x, y}, {d - height, x, y}, height / 2, kWaterMark));
    }
  }
}

}  // namespace

void addSoilLayers(Scene& scene, const Context& c, bool layerLabels, bool depthLabels) {
  const double half = c.extents.thickness / 2;
  const double across = c.extents.halfAcross;
  const double excavation = c.model.excavationDepth;
  double top = 0;
  for (std::size_t i = 0; i < c.model.layers.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const double bottom = c.model.layers[i].bottom;
    if (bottom > top) {
      scene.solids.push_back(layerBlock({top, -across, -c.halfRow}, {bottom, -half, c.halfRow}, number));
      const double excavationTop = std::max(top, excavation);
      if (bottom > excavationTop)
        scene.solids.push_back(layerBlock({excavationTop, half, -c.halfRow}, {bottom, across, c.halfRow}, number));
      if (layerLabels)
        scene.labels.push_back({SceneItem::SoilLayer, {(top + bottom) / 2, -across, c.halfRow}, "Layer " + std::to_string(number)});
      if (depthLabels) scene.labels.push_back({SceneItem::SoilLayer, {bottom, across, c.halfRow}, numberLabel(bottom)});
    }
    top = bottom;
  }
}

void addWater(Scene& scene, const Context& c) {
  const double half = c.extents.thickness / 2;
  const double across = c.extents.halfAcross;
  if (across <= half) return;
  addWaterSurface(scene, c, c.model.waterDepthBackfill, -across, -half);
  addWaterSurface(scene, c, c.model.waterDepthExcavation, half, across);
}

}  // namespace korvex::scene_parts
