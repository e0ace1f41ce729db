#include "beamcolumn/wall_results.h"

namespace korvex {

void deriveWallResults(const StationTables& tables, const StationTable& w, double h, WallResults& results) {
  const int n = tables.numIncrements;
  const double h2 = h * h;
  const double twoH = 2.0 * h;
  results = WallResults{};
  for (int j = 0; j <= n + 1; ++j) results.slope[j] = (w[j + 1] - w[j - 1]) / twoH;
  results.moment[-1] = 0.0;
  for (int j = 0; j <= n + 2; ++j) results.moment[j] = tables.ei[j] * (w[j - 1] - 2.0 * w[j] + w[j + 1]) / h2;
  const StationTable& m = results.moment;
  for (int j = 0; j <= n + 1; ++j) {
    results.shear[j] = (m[j + 1] - m[j - 1]) / twoH;
    results.reaction[j] = (m[j - 1] - 2.0 * m[j] + m[j + 1]) / h;
  }
  for (const ConcentratedMoment& moment : tables.moments) {
    const int k = moment.station;
    const double c = moment.coupleForce;
    results.shear[k] -= c;
    if (tables.holds(k + 1)) {
      results.shear[k + 1] -= c / 2.0;
      results.reaction[k + 1] += c;
    }
    if (tables.holds(k - 1)) {
      results.shear[k - 1] -= c / 2.0;
      results.reaction[k - 1] -= c;
    }
  }
}

BlockResults plotRows(const StationTables& tables, const StationTable& w, const WallResults& results, double h,
                      UnitSystem unitSystem) {
  BlockResults rows;
  rows.unitSystem = unitSystem;
  rows.rows.reserve(static_cast<std::size_t>(tables.numIncrements) + 2);
  for (int j = 0; j <= tables.numIncrements + 1; ++j)
    rows.rows.push_back(
        ResultRow{static_cast<double>(j) * h, w[j], results.moment[j], results.shear[j], results.reaction[j]});
  return rows;
}

}  // namespace korvex
