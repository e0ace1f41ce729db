#include "earthpressure/pressure_diagram.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

constexpr double kMinimumPressure = double(1.0E-5f);
constexpr double kTinyPressure = double(1.0E-12f);  // times the point index: never tension
constexpr double kNoUniformPressure = double(1.0E-6f);
constexpr double kSIPointsPerMetre = 20.0;

// The pressure of a layer at its top and its growth with depth.
struct LayerConstants {
  double gradient = 0.0;
  double top = 0.0;
  double uniformShare = 0.0;  // the part of the pressure that belongs to the surface pressure
};

LayerConstants layerConstants(const SoilProfile& profile, const WorkingLayer& layer, bool aboveExcavation) {
  LayerConstants k;
  const double m = layer.modification;
  const double cohesionTerm = 2.0 * layer.cohesion * layer.activeTan * m;
  const double q = profile.uniformPressure;
  if (aboveExcavation) {
    const bool waterActs = layer.belowWaterTable && layer.drained && profile.waterOption == 1;
    const double gw = waterActs ? profile.unitWeightWater : 0.0;
    const double water = (layer.top - profile.waterTableBackfill) * gw;
    k.gradient = layer.effectiveUnitWeight(profile.unitWeightWater) * layer.ka * m + gw;
    k.top = layer.effectiveStress * layer.ka * m - cohesionTerm + water;
    k.uniformShare = q * layer.ka * m - cohesionTerm + water;
  } else {
    // Below the excavation level the pressure stays at its value at the excavation level.
    k.top = profile.excavationStress * layer.ka * m - cohesionTerm;
    k.uniformShare = q * layer.ka * m - cohesionTerm;
  }
  if (q < kNoUniformPressure) k.uniformShare = 0.0;
  return k;
}

}  // namespace

double diagramPartsOf(double thickness, UnitSystem unitSystem) {
  return std::round(unitSystem == UnitSystem::English ? thickness : kSIPointsPerMetre * thickness);
}

PressureDiagram buildPressureDiagram(const SoilProfile& profile, const SurchargeGrid& surcharges,
                                     double wallLength) {
  PressureDiagram diagram;
  const std::vector<WorkingLayer>& layers = profile.layers;
  const int excavation = profile.excavationLayer;
  const bool english = profile.unitSystem == UnitSystem::English;

  // The points the solution reads: down to the wall tip in the last layer.
  double announced = 1.0;
  double aboveExcavation = 1.0;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const double thickness = i + 1 == layers.size() ? wallLength - layers[i].top : layers[i].thickness;
    announced += diagramPartsOf(thickness, profile.unitSystem);
    if (static_cast<int>(i) < excavation) aboveExcavation += diagramPartsOf(layers[i].thickness, profile.unitSystem);
  }
  const double capacity = static_cast<double>(kMaxDiagramPoints);
  if (announced > capacity || aboveExcavation > capacity) {
    diagram.exceedsStorage = true;
    return diagram;
  }
  diagram.announcedCount = static_cast<int>(std::max(announced, 1.0));

  const WorkingLayer& first = layers.front();
  const double topPressure =
      profile.uniformPressure > 0.0 ? profile.uniformPressure * first.ka * first.modification : 0.0;
  diagram.points.push_back(DiagramPoint{0.0, topPressure, 0.0, topPressure});
  diagram.pointsAboveExcavation = 1;

  const double freeHeight = profile.freeHeight;
  const double frontWater = profile.waterTableExcavation;
  double frontWaterPressure = 0.0;  // pore pressure in front of the wall, above the excavation level
  double previousTotal = 0.0;
  for (int l = 0; l < static_cast<int>(layers.size()); ++l) {
    const bool aboveExcavation = l < excavation;
    if (!aboveExcavation && static_cast<int>(diagram.points.size()) >= diagram.announcedCount) break;
    const WorkingLayer& layer = layers[static_cast<std::size_t>(l)];
    const LayerConstants k = layerConstants(profile, layer, aboveExcavation);
    // Below the excavation level the loop stops at the announced count, so a deep layer
    // never builds more than the storage holds.
    const double parts = diagramPartsOf(layer.thickness, profile.unitSystem);
    for (double part = 1.0; part <= parts; part += 1.0) {
      if (!aboveExcavation && static_cast<int>(diagram.points.size()) >= diagram.announcedCount) break;
      const double local = part * layer.thickness / parts;
      const double z = layer.top + local;
      const double surcharge = surcharges.at(z);
      double earth = k.top + k.gradient * local;
      double total = earth + surcharge;

      if (frontWater < z && z < freeHeight) {
        frontWaterPressure = (z - frontWater) * profile.unitWeightWater;
      } else if (z > freeHeight) {
        frontWaterPressure = 0.0;
      }
      if (layer.belowWaterTable) {
        total -= frontWaterPressure;
        earth -= frontWaterPressure;
      }

      const double index = static_cast<double>(diagram.points.size() + 1);
      if (total < kMinimumPressure) total = index * kTinyPressure;
      if (earth < kMinimumPressure) earth = index * kTinyPressure;
      earth -= k.uniformShare;

      if (aboveExcavation) {
        const double increment = (previousTotal + total) / 2.0;
        diagram.activeForce += english ? increment : increment / kSIPointsPerMetre;
        previousTotal = total;
      }
      diagram.points.push_back(DiagramPoint{z, total, earth, surcharge + k.uniformShare});
      if (aboveExcavation) diagram.pointsAboveExcavation = static_cast<int>(diagram.points.size());
    }
  }
  return diagram;
}

double ApparentEnvelope::at(double z) const {
  if (z < a1) return pressure * z / a1;
  // A support at the free height leaves no length to fall over (a3 = 0).
  if (z <= a1 + a2 || a3 == 0.0) return pressure;
  return pressure - (z - a1 - a2) * pressure / a3;
}

ApparentEnvelope apparentEnvelope(double freeHeight, double activeForce, const SupportDepths& supports) {
  ApparentEnvelope envelope;
  if (supports.count < 1) return envelope;
  const double h = freeHeight;
  envelope.a1 = 2.0 * supports.first / 3.0;
  if (supports.count == 1) {
    envelope.a3 = 2.0 * (h - supports.first) / 3.0;
    envelope.a2 = h / 3.0;
  } else {
    envelope.a3 = 2.0 * (h - supports.last) / 3.0;
    envelope.a2 = h - envelope.a1 - envelope.a3;
  }
  const double base = h - (envelope.a1 + envelope.a3) / 2.0;
  if (!(h > 0.0) || !(base > 0.0)) return envelope;
  envelope.pressure = double(1.3f) * activeForce / base;
  envelope.valid = true;
  return envelope;
}

void applyApparentEnvelope(PressureDiagram& diagram, const ApparentEnvelope& envelope) {
  const std::size_t end = static_cast<std::size_t>(diagram.pointsAboveExcavation);
  for (std::size_t i = 1; i < end && i < diagram.points.size(); ++i)
    diagram.points[i].total = envelope.at(diagram.points[i].depth);
}

}  // namespace korvex
