#include "beamcolumn/moment_ei.h"

#include <cmath>

namespace korvex {

double eiAtCurvature(const MomentEICurve& curve, double phi) {
  const auto& pts = curve.points;
  const std::size_t n = pts.size();
  std::size_t k = n - 1;  // 0-based index of point k
  for (std::size_t i = 1; i + 1 < n; ++i) {
    if (phi * pts[i].ei < pts[i].moment) {
      k = i;
      break;
    }
  }
  const MomentEIPoint& lower = pts[k - 1];
  const MomentEIPoint& upper = pts[k];
  const double t = (lower.moment - phi * lower.ei) / ((upper.ei - lower.ei) * phi - (upper.moment - lower.moment));
  return lower.ei + (upper.ei - lower.ei) * t;
}

void updateMomentEI(std::span<const MomentEICurve> curves, const StationTable& w, double h, StationTable& ei) {
  const double h2 = h * h;
  for (const MomentEICurve& curve : curves) {
    for (int j = curve.from; j <= curve.to; ++j) {
      const double phi = std::fabs(w[j - 1] - 2.0 * w[j] + w[j + 1]) / h2;
      ei[j] = eiAtCurvature(curve, phi);
    }
  }
}

}  // namespace korvex
