#include "views/scene_builder.h"

#include <algorithm>

#include "views/scene_parts.h"

namespace korvex {

namespace {

constexpr double kSymbolShareOfWall = 0.08;  // symbols are at most this share of the wall's length

// In order of the layer number modulo 10.
constexpr Rgba kLayerColours[10] = {{0.8f, 0.55f, 0, 1},    {0.55f, 0.4f, 0.2f, 1}, {0.4f, 0.4f, 0.2f, 1},
                                    {0.4f, 0.4f, 0.55f, 1}, {0, 0.5f, 0.5f, 1},     {0.2f, 0.2f, 0.55f, 1},
                                    {0.8f, 0, 0.8f, 1},     {0.4f, 0.4f, 0.55f, 1}, {0.15f, 0.15f, 0.45f, 1},
                                    {0.65f, 0.4f, 0.2f, 1}};

}  // namespace

std::vector<double> wallPositions(double panelWidth) {
  std::vector<double> positions;
  for (int k = 0; k < kWallPositions / 2; ++k) {
    positions.push_back((k + 0.5) * panelWidth);
    positions.push_back(-(k + 0.5) * panelWidth);
  }
  return positions;
}

Rgba layerColour(int number) { return kLayerColours[((number % 10) + 10) % 10]; }

Scene buildScene(const ViewModel& model, const ModelExtents& extents, const ShowOptions& show,
                 const DeformedWall* deformed) {
  scene_parts::Context context{model, extents, wallPositions(extents.panelWidth)};
  context.halfRow = kWallPositions / 2 * extents.panelWidth;
  context.symbolSize = extents.wallLength > 0 ? std::min(extents.panelWidth, kSymbolShareOfWall * extents.wallLength)
                                              : extents.panelWidth;
  Scene scene;
  using namespace scene_parts;
  if (show.wall) {
    const bool deflected = show.deformedShape && deformed != nullptr;
    addWall(scene, context, deflected ? deformed : nullptr, deflected && show.undeformedModel);
  }
  if (show.soilLayers) addSoilLayers(scene, context, show.layerLabels, show.depthLabels);
  if (show.water) addWater(scene, context);
  if (show.springs) addSprings(scene, context);
  if (show.loads) addLoads(scene, context);
  if (show.restraints) addRestraints(scene, context);
  if (show.tiebacks) addTiebacks(scene, context);
  if (show.surcharge) addSurcharges(scene, context);
  return scene;
}

namespace scene_parts {

int Context::clampNode(int node) const {
  return std::clamp(node, -kNodesBeyondWallEnds, std::max(model.increments, 0) + kNodesBeyondWallEnds);
}

}  // namespace scene_parts

}  // namespace korvex
