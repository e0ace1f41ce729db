// Horizontal pressure on the wall from loads standing on the backfill surface: point loads,
// line loads and strip loads parallel to the wall (elastic solutions in the form used for
// retaining-wall design, with the near-wall forms for loads closer than 0.4 H).
#pragma once

#include <array>
#include <span>

#include "input/input_model.h"

namespace korvex {

// Which written form of the formulas is evaluated: the grid evaluation uses 4/pi and 2/pi
// with pi = 3.1416; the direct evaluation writes them 1.273 and 0.6366.
enum class SurchargeForm { Grid, Direct };

// Horizontal pressure of one surcharge at depth z below the top of a wall of free height H.
// Distances are in the model's length unit (SI distances already in metres). Types other
// than 2 and 3 act as point loads. Above the surface (z <= 0) the pressure is 0. With H = 0
// the loads lie beyond 0.4 H and the far forms apply, written without H.
double surchargePressure(const Surcharge& load, double freeHeight, double z, SurchargeForm form);

// Sum of the direct pressures of all surcharges at depth z; loads of magnitude not greater
// than 1.0E-4 are skipped. Used for the layer resultants.
double directSurchargePressure(std::span<const Surcharge> loads, double freeHeight, double z);

// The surcharge pressure on a fixed grid of 200 depths down the wall model: a depth takes
// the summed pressure of the deepest grid depth above it, 0 above the first grid depth, and
// the value at the wall tip below it. Used for every point of a pressure diagram.
class SurchargeGrid {
 public:
  static constexpr int kGridDepths = 200;

  // `wallLength` is the length of the wall model, N h.
  SurchargeGrid(std::span<const Surcharge> loads, double freeHeight, double wallLength);

  double at(double z) const;
  bool empty() const { return m_empty; }

 private:
  double m_spacing = 0.0;
  bool m_empty = true;
  std::array<double, kGridDepths + 1> m_sum{};  // index j: grid depth j spacing; 0 unused
};

}  // namespace korvex
