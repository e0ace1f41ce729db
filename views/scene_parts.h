// The parts of the three-dimensional scene, one function per kind of item (scene_builder.cpp
// calls them as the show options say). Internal to the views library.
#pragma once

#include <vector>

#include "views/model_extents.h"
#include "views/scene.h"
#include "views/scene_builder.h"
#include "views/view_model.h"

namespace korvex::scene_parts {

struct Context {
  const ViewModel& model;
  const ModelExtents& extents;
  std::vector<double> positions;  // the 20 panel centres along the wall
  double halfRow = 0;             // half the length of the wall's row of panels (10 w)
  double symbolSize = 0;          // length of load arrows and size of the other symbols

  // Depth of station `node`.
  double depthOf(int node) const { return node * model.incrementLength; }
  // `node` brought between the stations just past the ends of the wall.
  int clampNode(int node) const;
};

// Nodes a row of the spring or load table covers, with its values at the first and last node.
struct NodeSpan {
  int from = 0, to = 0;
  ViewModel::NodeRow first, last;  // the values at `from` and at `to`
  // The row's values at `node`, interpolated linearly between the ends.
  ViewModel::NodeRow at(int node) const;
};
// The spans of `rows`: a row covers its nodes from start to end (a start past the end covers
// the start only); an interpolating row runs on to the end node of the next row, which is then
// not a span of its own. Nodes are clamped to -2..N+2.
std::vector<NodeSpan> nodeSpans(const std::vector<ViewModel::NodeRow>& rows, const Context& context);

void addWall(Scene& scene, const Context& context, const DeformedWall* deformed, bool undeformedToo);
void addSoilLayers(Scene& scene, const Context& context, bool layerLabels, bool depthLabels);
void addWater(Scene& scene, const Context& context);
void addSprings(Scene& scene, const Context& context);
void addLoads(Scene& scene, const Context& context);
void addRestraints(Scene& scene, const Context& context);
void addTiebacks(Scene& scene, const Context& context);
void addSurcharges(Scene& scene, const Context& context);

}  // namespace korvex::scene_parts
