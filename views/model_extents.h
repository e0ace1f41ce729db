// The extents of the three-dimensional view's model and the scale that fits them into the
// window. Lengths in the view's unit (feet or metres, see view_model.h).
#pragma once

#include "views/view_model.h"

namespace korvex {

struct ModelExtents {
  double wallLength = 0;      // L = N x h
  double panelWidth = 0;      // w: Wa, or 0.1 L when Wa is 0
  double thickness = 0;       // 0.1 Wp, or 0.01 L when Wp is 0
  double surchargeReach = 0;  // c: 0.9 x the farthest surcharge distance (a strip's far edge)
  double halfAcross = 0;      // d: the larger of 12.5 w and c, the model's half-extent across the wall
  double deepest = 0;         // the larger of L and the deepest layer bottom
  double overall = 0;         // the largest of the values above

  bool operator==(const ModelExtents&) const = default;
};

ModelExtents extentsOf(const ViewModel& model);

// Pixels per model unit that fit the depth range (-deepest to +deepest) into the window's
// height and the width across the wall (2 d) into its width, each less a 50-pixel border. An
// extent of 0 (an empty project) does not limit the scale; with both 0 the model is taken as
// one unit in each direction, so the scale is never 0.
double viewScale(const ModelExtents& extents, int windowWidth, int windowHeight);

}  // namespace korvex
