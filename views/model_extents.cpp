#include "views/model_extents.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

constexpr double kDefaultPanelShare = 0.1;       // of L, when Wa is 0
constexpr double kThicknessShareOfWp = 0.1;
constexpr double kDefaultThicknessShare = 0.01;  // of L, when Wp is 0
constexpr double kSurchargeReachShare = 0.9;
constexpr double kPanelsAcross = 2.5 * 5;        // d is at least 12.5 panel widths
constexpr int kWindowBorder = 50;                // pixels left free around the model

}  // namespace

ModelExtents extentsOf(const ViewModel& model) {
  ModelExtents e;
  e.wallLength = std::max(model.wallLength(), 0.0);
  e.panelWidth = model.activeWidth > 0 ? model.activeWidth : kDefaultPanelShare * e.wallLength;
  e.thickness = model.pyWidth > 0 ? kThicknessShareOfWp * model.pyWidth : kDefaultThicknessShare * e.wallLength;
  for (const ViewModel::Surcharge& s : model.surcharges) {
    const double farthest = s.distance + (s.kind == ViewModel::kStripLoad ? s.width / 2 : 0);
    e.surchargeReach = std::max(e.surchargeReach, kSurchargeReachShare * farthest);
  }
  e.halfAcross = std::max(kPanelsAcross * e.panelWidth, e.surchargeReach);
  e.deepest = e.wallLength;
  for (const ViewModel::Layer& layer : model.layers) e.deepest = std::max(e.deepest, layer.bottom);
  for (double value : {e.wallLength, e.panelWidth, e.thickness, e.surchargeReach, e.halfAcross, e.deepest})
    e.overall = std::max(e.overall, std::abs(value));
  return e;
}

double viewScale(const ModelExtents& extents, int windowWidth, int windowHeight) {
  const double height = std::max(windowHeight - kWindowBorder, 1);
  const double width = std::max(windowWidth - kWindowBorder, 1);
  const double depthRange = 2 * extents.deepest;
  const double acrossRange = 2 * extents.halfAcross;
  if (depthRange <= 0 && acrossRange <= 0) return std::min(height, width) / 2;
  if (depthRange <= 0) return width / acrossRange;
  if (acrossRange <= 0) return height / depthRange;
  return std::min(height / depthRange, width / acrossRange);
}

}  // namespace korvex
