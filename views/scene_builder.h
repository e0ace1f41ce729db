// The three-dimensional view's scene from the model: the wall as a row of 20 panels, the soil
// layers as translucent blocks on both sides, the water tables, and the symbols of surcharges,
// springs, concentrated loads, restraints and tiebacks, each switched by its show option.
#pragma once

#include <vector>

#include "views/model_extents.h"
#include "views/scene.h"
#include "views/view_model.h"

namespace korvex {

// What the view shows; the defaults are those of a new view.
struct ShowOptions {
  bool wall = true;
  bool soilLayers = true;
  bool water = true;
  bool surcharge = true;
  bool springs = true;
  bool tiebacks = true;
  bool loads = true;
  bool restraints = true;
  bool axes = true;
  bool layerLabels = false;
  bool depthLabels = false;
  bool deformedShape = false;
  bool undeformedModel = false;
};

// Number of wall panels, and of the repeats of every symbol that belongs to the wall.
inline constexpr int kWallPositions = 20;
// Tiebacks drawn on each side of the centre of the wall at most, however close their spacing.
inline constexpr int kMostTiebacksPerSide = 50;
// A node number is drawn only between these stations past the ends of the wall; a table row
// running beyond them (a "To Node" of 2147483647) stops there.
inline constexpr int kNodesBeyondWallEnds = 2;

// The centres of the 20 wall panels along the wall: +-(k + 0.5) w for k = 0 to 9.
std::vector<double> wallPositions(double panelWidth);

// Displacements of the wall's stations 0 to N across the wall, in model units and already
// magnified; positive towards the excavation.
struct DeformedWall {
  std::vector<double> displacement;
};

// The scene of `model`. With `deformed` given (one displacement per station 0..N) and the
// deformed shape shown, the wall is drawn deflected, and undeflected as well when the options
// ask for it.
Scene buildScene(const ViewModel& model, const ModelExtents& extents, const ShowOptions& show,
                 const DeformedWall* deformed = nullptr);

// The colour of soil layer `number` (1-based), opaque; the blocks are drawn at half opacity.
Rgba layerColour(int number);

}  // namespace korvex
