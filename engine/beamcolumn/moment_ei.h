// Nonlinear flexural rigidity: moment-EI curves give the EI a cracked or yielding section has
// at the moment it carries.
#pragma once

#include <span>

#include "beamcolumn/station_tables.h"
#include "input/input_model.h"

namespace korvex {

// The EI at curvature phi = |w(j-1) - 2 w(j) + w(j+1)| / h^2 on the curve (M_k, EI_k): the
// point of the segment (k-1, k) where M = phi EI, k being the first of 2 .. n-1 with
// phi EI_k < M_k (n when there is none). The curve has at least two points.
double eiAtCurvature(const MomentEICurve& curve, double phi);

// Replaces EI at the stations FROM .. TO of every curve by the EI consistent with the
// curvature of the deflections `w`.
void updateMomentEI(std::span<const MomentEICurve> curves, const StationTable& w, double h, StationTable& ei);

}  // namespace korvex
