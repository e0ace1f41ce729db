#include "earthpressure/layer_resultants.h"

#include "earthpressure/surcharge_pressure.h"

namespace korvex {

namespace {

constexpr int kSurchargeSlices = 10;

// The resultants of one layer above the excavation level.
LayerResultants layerResultants(const WorkingLayer& layer, double stressAtBottom, double unitWeightWater,
                                double freeHeight, std::span<const Surcharge> surcharges) {
  LayerResultants r;
  const double t = layer.thickness;
  const double m = layer.modification;
  const double cohesionTerm = 2.0 * layer.cohesion * layer.activeTan;
  r.pa1 = layer.effectiveStress * layer.ka * t * m;
  for (int k = 1; k <= kSurchargeSlices; ++k) {
    const double z = layer.top + static_cast<double>(k) * t / kSurchargeSlices;
    r.pa1 += t / kSurchargeSlices * directSurchargePressure(surcharges, freeHeight, z);
  }
  const double gamma = layer.effectiveUnitWeight(unitWeightWater);
  r.pa2 = double(0.5f) * gamma * t * t * layer.ka * m;
  r.pa3 = -cohesionTerm * t * m;
  r.z1 = layer.top + t / 2.0;
  r.z2 = layer.top + 2.0 * t / 3.0;

  if (r.pa1 + r.pa3 < 0.0) {
    // Cohesion holds the top of the layer in tension: only the compression zone at its
    // bottom presses on the wall.
    r.pa1 = r.pa2 = r.pa3 = 0.0;
    const double tensionAtTop = cohesionTerm - layer.effectiveStress * layer.ka;
    const double pressureAtBottom = stressAtBottom * layer.ka - cohesionTerm;
    const double span = pressureAtBottom + tensionAtTop;
    // A layer whose pressure does not grow with depth has no compression zone.
    r.compressionLength = span != 0.0 ? pressureAtBottom * t / span : 0.0;
    r.pa4 = pressureAtBottom > 0.0 ? m * r.compressionLength * pressureAtBottom / 2.0 : 0.0;
    r.z3 = layer.bottom() - r.compressionLength / 3.0;
  }
  return r;
}

}  // namespace

ProfileResultants computeResultants(const SoilProfile& profile, std::span<const Surcharge> surcharges) {
  ProfileResultants result;
  result.layers.resize(profile.layers.size());
  const int excavation = profile.excavationLayer;
  for (int i = 0; i < excavation; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    result.layers[at] = layerResultants(profile.layers[at], profile.layers[at + 1].effectiveStress,
                                        profile.unitWeightWater, profile.freeHeight, surcharges);
  }
  return result;
}

void computeWaterResultants(SoilProfile& profile, ProfileResultants& resultants) {
  const int waterLayer = profile.waterTableLayer;
  const int excavation = profile.excavationLayer;
  if (waterLayer >= 0 && waterLayer < excavation) {
    resultants.waterSection = true;
    profile.waterOption = 1;
    const double gammaW = profile.unitWeightWater;
    const double waterTable = profile.waterTableBackfill;
    double depth = 0.0;  // the top of the layer, summed from the thicknesses above it
    for (int i = 0; i < waterLayer; ++i) depth += profile.layers[static_cast<std::size_t>(i)].thickness;
    for (int i = waterLayer; i < excavation; ++i) {
      const WorkingLayer& layer = profile.layers[static_cast<std::size_t>(i)];
      LayerResultants& r = resultants.layers[static_cast<std::size_t>(i)];
      const double t = layer.thickness;
      if (layer.drained && depth >= waterTable) {
        r.pw1 = (depth - waterTable) * gammaW * t;
        r.pw2 = double(0.5f) * gammaW * t * t;
        r.waterRow = true;
      }
      depth += t;
    }
  }
  double net = 0.0;
  for (int i = 0; i < excavation; ++i) {
    const LayerResultants& r = resultants.layers[static_cast<std::size_t>(i)];
    net += r.pa1 + r.pa2 + r.pa3 + r.pa4 + r.pw1 + r.pw2;
  }
  resultants.netForce = net;
}

}  // namespace korvex
