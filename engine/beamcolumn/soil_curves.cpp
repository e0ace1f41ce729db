#include "beamcolumn/soil_curves.h"

#include <algorithm>
#include <cmath>


namespace korvex {

CurveSpring linearise(const SoilCurve& curve, double y, bool& offCurve) {
  const std::size_t n = curve.y.size();
  if (n < 2) {
    offCurve = true;
    return {};
  }
  std::size_t m = n - 2;  // segment (m, m+1), 0-based
  if (n < 3) {
    offCurve = true;
  } else if (y < curve.y[0]) {
    m = 0;
    offCurve = true;
  } else {
    // The first point from the second on that is not below y.
    std::size_t k = 1;
    if (curve.ascending && !std::isnan(y)) {
      k = static_cast<std::size_t>(std::lower_bound(curve.y.begin() + 1, curve.y.end(), y) - curve.y.begin());
    } else {
      while (k < n && !(y <= curve.y[k])) ++k;
    }
    if (k < n) {
      m = k - 1;
    } else {
      offCurve = true;
    }
  }
  const double dy = curve.y[m + 1] - curve.y[m];
  if (dy == 0.0) return {};
  CurveSpring spring;
  spring.spring = -(curve.p[m + 1] - curve.p[m]) / dy;
  spring.load = spring.spring * curve.y[m] + curve.p[m];
  return spring;
}

void SoilCurve::classify() { ascending = std::is_sorted(y.begin(), y.end()); }

SoilCurve prepareUserCurve(const UserCurve& curve, int pyCurveMode, double h, double freeHeight) {
  SoilCurve prepared;
  prepared.station = curve.station;
  prepared.chained = pyCurveMode == 1 && static_cast<double>(curve.station) * h >= freeHeight;
  for (const CurvePoint& point : curve.points) {
    prepared.y.push_back(point.y * curve.yMultiplier);
    prepared.p.push_back(point.p * curve.pMultiplier * h);
  }
  prepared.classify();
  return prepared;
}

namespace {

// Adds a segment from curve `a` to curve `b` (a stand-alone curve when they are the same).
// False, adding nothing, when `b` lies above `a`.
bool applySegment(const SoilCurve& a, const SoilCurve& b, bool standAlone, const StationTable& w, int n,
                  StationTable& sw, StationTable& qw, bool& offCurve) {
  const int ja = a.station;
  int jb = b.station;
  if (jb < ja) return false;
  if (jb == ja) {
    if (standAlone && ja <= n) {
      const CurveSpring spring = linearise(a, w[ja], offCurve);
      sw[ja] += spring.spring;
      qw[ja] += spring.load;
    }
    return true;
  }
  // A segment reaching below the toe is cut there: B's values arrive in full at the toe.
  if (ja >= n) return true;
  jb = std::min(jb, n);
  const double span = static_cast<double>(jb - ja);
  double firstS = 0.0, firstQ = 0.0, lastS = 0.0, lastQ = 0.0;
  for (int j = ja; j <= jb; ++j) {
    const CurveSpring sa = linearise(a, w[j], offCurve);
    const CurveSpring sb = linearise(b, w[j], offCurve);
    const double t = static_cast<double>(j - ja) / span;
    const double s = sa.spring + (sb.spring - sa.spring) * t;
    const double q = sa.load + (sb.load - sa.load) * t;
    sw[j] += s;
    qw[j] += q;
    if (j == ja) {
      firstS = s;
      firstQ = q;
    }
    lastS = s;
    lastQ = q;
  }
  // The end stations of a segment take half, as for the station tables.
  sw[ja] += -0.5 * firstS;
  qw[ja] += -0.5 * firstQ;
  sw[jb] += -0.5 * lastS;
  qw[jb] += -0.5 * lastQ;
  return true;
}

}  // namespace

SoilSpringsOutcome addSoilSprings(std::span<const SoilCurve> curves, const StationTable& w, int n, StationTable& sw,
                                  StationTable& qw) {
  SoilSpringsOutcome outcome;
  const SoilCurve* open = nullptr;  // start of the open segment
  bool openApplied = false;         // whether that curve already acted as a segment's end
  for (const SoilCurve& curve : curves) {
    if (open == nullptr) {
      if (!curve.chained) {
        applySegment(curve, curve, true, w, n, sw, qw, outcome.offCurve);
      } else {
        open = &curve;
        openApplied = false;
      }
      continue;
    }
    if (curve.station == open->station) continue;  // a second curve at the segment's start adds nothing
    if (!applySegment(*open, curve, false, w, n, sw, qw, outcome.offCurve)) {
      outcome.stationsInOrder = false;
      return outcome;
    }
    open = curve.chained ? &curve : nullptr;
    openApplied = true;
  }
  // A chained curve that nothing closed and no segment reached acts alone at its station.
  if (open != nullptr && !openApplied) applySegment(*open, *open, true, w, n, sw, qw, outcome.offCurve);
  return outcome;
}

}  // namespace korvex
