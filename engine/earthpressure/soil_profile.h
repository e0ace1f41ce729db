// The working soil profile of the earth-pressure module: the input layers behind the wall,
// split at the excavation level and at the backfill water table, with the effective
// overburden at each layer top and the active and passive earth-pressure coefficients.
//
// Depths are measured down from the top of the backfill (the top of the wall); lengths in
// inches and stresses in lb/in^2 (English) or metres and kN/m^2 (SI).
#pragma once

#include <span>
#include <vector>

#include "input/input_model.h"

namespace korvex {

// Slots of the working layer table: at most 20 real layers, the last slot holds only the
// end marker.
inline constexpr int kWorkingLayerSlots = 21;

// Depths closer than this are the same depth.
inline constexpr double kDepthTolerance = double(1.0E-5f);

struct WorkingLayer {
  double thickness = 0.0;
  double top = 0.0;             // ZTOP
  double cohesion = 0.0;        // rock: the uniaxial compressive strength
  double frictionAngle = 0.0;   // degrees
  double unitWeight = 0.0;      // total unit weight, also below the water table
  bool drained = true;          // sand, silt and rock
  double optionalK = 0.0;       // user's active coefficient; 0 = none
  double modification = 0.0;    // factor on active earth pressure
  bool belowWaterTable = false;
  double effectiveStress = 0.0;  // effective overburden at the layer top
  double activeTan = 0.0;        // the square root of Ka, or 0 when the user's K replaces Ka
  double ka = 0.0;
  double kp = 0.0;
  double computedKa = 0.0;       // Ka before the user's coefficient replaces it (printed)
  bool slopeWarning = false;     // backfill slope not less than the friction angle, above H

  double bottom() const { return top + thickness; }
  // Unit weight acting on the effective stress: buoyant for drained layers below water.
  double effectiveUnitWeight(double unitWeightWater) const {
    return drained && belowWaterTable ? unitWeight - unitWeightWater : unitWeight;
  }
};

struct SoilProfile {
  UnitSystem unitSystem = UnitSystem::English;
  double unitWeightWater = 0.0;
  double freeHeight = 0.0;            // H
  double activeWidth = 0.0;           // Wa
  double passiveWidth = 0.0;          // Wp
  double waterTableBackfill = 0.0;
  double waterTableExcavation = 0.0;
  double uniformPressure = 0.0;       // q on the backfill surface
  double backfillSlope = 0.0;         // degrees, signed
  double activeFactor = 0.0;          // modification factor for active earth pressure
  int waterOption = 0;                // 1: water pressure acts on the active side

  std::vector<WorkingLayer> layers;  // the subdivided layers, top down
  int excavationLayer = -1;          // the layer whose top lies at H; -1 when none
  int waterTableLayer = -1;          // the layer whose top lies at the water table; -1 when none
  bool overflow = false;             // more than 20 layers after subdivision
  double excavationStress = 0.0;     // effective overburden at the excavation level
};

// Set-up and subdivision: copies the soil data of group 10 and splits the layers at the
// excavation level and the backfill water table.
SoilProfile buildSoilProfile(UnitSystem unitSystem, const SoilDataLine& soil, const SurfaceLoadLine& surface,
                             std::span<const SoilLayer> layers);

// Effective overburden at every layer top and at the excavation level.
void computeOverburden(SoilProfile& profile);

// Active and passive coefficients of every layer, the slope warning flags, and the user's
// coefficient in place of Ka where one is given.
void computeCoefficients(SoilProfile& profile);

}  // namespace korvex
