#include "earthpressure/soil_profile.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvex {

namespace {

constexpr int kWeakRock = 7;
constexpr int kStrongRock = 6;
constexpr int kFirstDrainedType = 4;  // sand, silt and both rocks drain

constexpr double kDegreesPerRadian = double(57.2958f);

// The input layer as the module copies it: thickness from the bottom depths, the values of
// the top row (unit weight, cohesion or rock strength, friction angle, optional K).
WorkingLayer workingLayerFrom(const SoilLayer& layer, double topDepth) {
  WorkingLayer working;
  working.thickness = layer.bottomDepth - topDepth;
  working.unitWeight = layer.top[0];
  working.cohesion = layer.top[1];
  working.frictionAngle = layer.top[2];
  working.optionalK = layer.top[5];
  working.drained = layer.soilType >= kFirstDrainedType;
  // The sixth value of weak rock is its RQD, not an earth-pressure coefficient.
  if (layer.soilType == kStrongRock || layer.soilType == kWeakRock) working.optionalK = 0.0;
  return working;
}

// The end marker that follows the last input layer.
WorkingLayer endMarker() {
  WorkingLayer marker;
  marker.thickness = -1.0;
  return marker;
}

// The distinct depths among the excavation level and the water table, ascending.
std::vector<double> specialDepths(double freeHeight, double waterTable) {
  double d[3] = {freeHeight, waterTable, freeHeight};
  if (d[0] > d[1]) std::swap(d[0], d[1]);
  if (d[0] > d[2]) std::swap(d[0], d[2]);
  if (d[1] > d[2]) std::swap(d[1], d[2]);
  int count = 3;
  const bool firstTwoEqual = std::abs(d[0] - d[1]) < kDepthTolerance;
  if (firstTwoEqual) count = 2;
  if (std::abs(d[1] - d[2]) < kDepthTolerance) --count;
  if (firstTwoEqual) d[1] = d[2];
  std::vector<double> depths(d, d + count);
  // A depth at the surface or above it splits nothing: the profile starts there anyway.
  std::erase_if(depths, [](double depth) { return depth <= kDepthTolerance; });
  return depths;
}

}  // namespace

SoilProfile buildSoilProfile(UnitSystem unitSystem, const SoilDataLine& soil, const SurfaceLoadLine& surface,
                             std::span<const SoilLayer> layers) {
  SoilProfile profile;
  profile.unitSystem = unitSystem;
  profile.unitWeightWater = unitWeightOfWater(unitSystem);
  profile.freeHeight = soil.freeHeight;
  profile.activeWidth = soil.activeWidth;
  profile.passiveWidth = soil.passiveWidth;
  profile.waterTableBackfill = soil.waterDepthBackfill;
  profile.waterTableExcavation = soil.waterDepthExcavation;
  profile.activeFactor = soil.activeFactor;
  profile.waterOption = soil.waterOption;
  profile.backfillSlope = soil.backfillSlope;
  profile.uniformPressure = surface.uniformPressure;

  std::vector<WorkingLayer> input;
  input.reserve(layers.size() + 1);
  double topDepth = 0.0;
  for (const SoilLayer& layer : layers) {
    input.push_back(workingLayerFrom(layer, topDepth));
    topDepth = layer.bottomDepth;
  }
  input.push_back(endMarker());

  std::vector<double> special = specialDepths(profile.freeHeight, profile.waterTableBackfill);
  std::size_t next = 0;  // the first special depth not yet consumed

  // Walk the input layers top down; a layer that reaches past a special depth is split there.
  std::vector<WorkingLayer>& out = profile.layers;
  double slotTop = 0.0;
  for (const WorkingLayer& source : input) {
    if (source.thickness <= 0.0) break;
    if (static_cast<int>(out.size()) >= kWorkingLayerSlots) {
      profile.overflow = true;
      break;
    }
    WorkingLayer current = source;
    current.top = slotTop;
    current.modification = profile.activeFactor;
    const double bottom = current.top + current.thickness;
    bool overflow = false;
    while (next < special.size()) {
      if (std::abs(bottom - special[next]) <= kDepthTolerance) {
        special[next] = bottom;  // the layer boundary is the special depth
        ++next;
        continue;
      }
      if (bottom < special[next]) break;
      // Split at the special depth; the lower part inherits every property.
      WorkingLayer lower = current;
      current.thickness = special[next] - current.top;
      lower.top = special[next];
      lower.thickness = bottom - special[next];
      out.push_back(current);
      if (static_cast<int>(out.size()) >= kWorkingLayerSlots) {
        overflow = true;
        break;
      }
      current = lower;
      ++next;
    }
    if (overflow) {
      profile.overflow = true;
      break;
    }
    out.push_back(current);
    slotTop = bottom;
  }
  // Every slot must leave room for the end marker: a table of 21 real layers overflows.
  if (static_cast<int>(out.size()) >= kWorkingLayerSlots) profile.overflow = true;

  for (std::size_t m = 0; m < out.size(); ++m) {
    if (std::abs(out[m].top - profile.freeHeight) <= kDepthTolerance) profile.excavationLayer = static_cast<int>(m);
    if (std::abs(out[m].top - profile.waterTableBackfill) <= kDepthTolerance)
      profile.waterTableLayer = static_cast<int>(m);
  }
  return profile;
}

void computeOverburden(SoilProfile& profile) {
  std::vector<WorkingLayer>& layers = profile.layers;
  const double waterTable = profile.waterTableBackfill;
  double totalStress = profile.uniformPressure;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    WorkingLayer& layer = layers[i];
    if (i > 0) totalStress += layers[i - 1].thickness * layers[i - 1].unitWeight;
    layer.belowWaterTable = std::abs(layer.top - waterTable) < kDepthTolerance || layer.top > waterTable;
    layer.effectiveStress =
        layer.belowWaterTable ? totalStress - (layer.top - waterTable) * profile.unitWeightWater : totalStress;
  }
  profile.excavationStress =
      profile.excavationLayer >= 0 ? layers[static_cast<std::size_t>(profile.excavationLayer)].effectiveStress : 0.0;
}

void computeCoefficients(SoilProfile& profile) {
  const double slope = profile.backfillSlope;
  for (WorkingLayer& layer : profile.layers) {
    const double phi = layer.frictionAngle;
    layer.activeTan = std::tan((double(45.0f) - phi * double(0.5f)) / kDegreesPerRadian);
    layer.ka = layer.activeTan * layer.activeTan;
    if (std::abs(slope) > 0.0 && std::abs(slope) < phi) {
      // Rankine's coefficient for a backfill inclined at the slope angle.
      const double b = slope / kDegreesPerRadian;
      const double f = phi / kDegreesPerRadian;
      const double cosB = std::cos(b);
      const double rootD = std::sqrt(cosB * cosB - std::cos(f) * std::cos(f));
      layer.ka = cosB * (cosB - rootD) / (cosB + rootD);
      layer.activeTan = std::sqrt(layer.ka);
    }
    layer.slopeWarning = std::abs(slope) > 0.0 && std::abs(slope) >= phi && layer.top < profile.freeHeight;
    const double passiveTan = std::tan((double(45.0f) + phi * double(0.5f)) / kDegreesPerRadian);
    layer.kp = passiveTan * passiveTan;
    layer.computedKa = layer.ka;
    // A user's coefficient replaces Ka and with it the cohesion term.
    if (layer.optionalK > double(1.0E-7f)) {
      layer.ka = layer.optionalK;
      layer.activeTan = 0.0;
    }
  }
}

}  // namespace korvex
