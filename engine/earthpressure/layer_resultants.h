// Resultant forces of the active earth pressure and of the water pressure on each layer
// above the excavation level, with the depths of their lines of action.
#pragma once

#include <span>
#include <vector>

#include "earthpressure/soil_profile.h"

namespace korvex {

struct LayerResultants {
  double pa1 = 0.0;  // from the overburden at the layer top plus the surcharge share
  double pa2 = 0.0;  // from the increase of pressure within the layer
  double pa3 = 0.0;  // of the cohesion term (negative)
  double pa4 = 0.0;  // of the compression zone of a layer in tension at its top
  double z1 = -1000.0;
  double z2 = -1000.0;
  double z3 = double(-1.0E-5f);
  double compressionLength = 0.0;
  double pw1 = 0.0;  // water: rectangular part
  double pw2 = 0.0;  // water: triangular part
  bool waterRow = false;  // the layer has a row in the water-pressure table
};

struct ProfileResultants {
  std::vector<LayerResultants> layers;  // one per working layer
  bool waterSection = false;            // the water table lies above the excavation level
  double netForce = 0.0;                // sum over the layers above the excavation level

  bool netForceNegative() const { return netForce < double(1.0E-5f); }
};

// Earth-pressure resultants of the layers above the excavation level, with the direct
// surcharge pressures added to PA1. The profile must have its coefficients.
ProfileResultants computeResultants(const SoilProfile& profile, std::span<const Surcharge> surcharges);

// Water-pressure resultants of the drained layers from the water table down to the
// excavation level. When the water table lies above the excavation level the water-pressure
// option of the profile is set to 1: that water then acts on the wall.
void computeWaterResultants(SoilProfile& profile, ProfileResultants& resultants);

}  // namespace korvex
