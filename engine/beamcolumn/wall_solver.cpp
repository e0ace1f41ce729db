#include "beamcolumn/wall_solver.h"

#include <cmath>

namespace korvex {

namespace {
enum BoundaryCode { kFree = 1, kDeflection = 2, kSlopeAbove = 3, kDeflectionKeep = 4, kSlopeBelow = 5 };
}

void WallSolver::setConditions(int n, const std::vector<Restraint>& restraints) {
  m_n = n;
  m_restraints = restraints;
  m_codes.fill(kFree);
  for (const Restraint& restraint : restraints) {
    const int j = restraint.station;
    switch (restraint.caseCode) {
      case 1:
        code(j) = kDeflection;
        break;
      case 2:
        code(j - 1) = kSlopeAbove;
        code(j + 1) = kSlopeBelow;
        break;
      default:
        code(j - 1) = kSlopeAbove;
        code(j) = kDeflectionKeep;
        code(j + 1) = kSlopeBelow;
        break;
    }
  }
}

SolveCounts WallSolver::solve(const StationTables& tables, const StationTable& qw, const StationTable& sw, double h,
                              double maxDeflection, double tolerance, StationTable& w) {
  const StationTable& F = tables.ei;
  const StationTable& P = tables.p;
  const StationTable& R = tables.r;
  const StationTable& T = tables.t;
  const double h2 = h * h;
  const double h3 = h2 * h;
  const double twoH = 2.0 * h;
  const int n = m_n;

  for (int j : {-3, -2}) {
    m_a[j] = 0.0;
    m_b[j] = 0.0;
    m_c[j] = 0.0;
  }
  // The specified-condition pointer; conditions that overlap can leave it past the list,
  // where the last condition stands in.
  std::size_t k = 0;
  auto condition = [&]() -> const Restraint& {
    static const Restraint kNone{};
    if (m_restraints.empty()) return kNone;
    return m_restraints[std::min(k, m_restraints.size() - 1)];
  };
  double ds = 0.0, as = 0.0, bs = 0.0, cs = 0.0;

  for (int j = -1; j <= n + 1; ++j) {
    const double above = h * P[j - 1] + R[j - 1];
    const double below = h * P[j + 1] + R[j + 1];
    const double a = F[j - 1] - 0.25 * h * above;
    const double b = -2.0 * (F[j - 1] + F[j]);
    const double c = F[j - 1] + 4.0 * F[j] + F[j + 1] + 0.25 * h * (above + below) + h3 * sw[j];
    const double d = -2.0 * (F[j] + F[j + 1]);
    const double e = F[j + 1] - 0.25 * h * below;
    const double f = h3 * qw[j] - 0.5 * h2 * (T[j - 1] - T[j + 1]);

    const double bigE = a * m_b[j - 2] + b;
    const double den = a * m_a[j - 2] + bigE * m_b[j - 1] + c;
    const double dd = den == 0.0 ? 0.0 : -1.0 / den;
    m_a[j] = dd * e;
    m_b[j] = dd * (bigE * m_a[j - 1] + d);
    m_c[j] = dd * (a * m_c[j - 2] + bigE * m_c[j - 1] - f);

    switch (code(j)) {
      case kDeflection:
        m_a[j] = 0.0;
        m_b[j] = 0.0;
        m_c[j] = condition().deflection;
        ++k;
        break;
      case kDeflectionKeep:
        m_a[j] = 0.0;
        m_b[j] = 0.0;
        m_c[j] = condition().deflection;
        break;
      case kSlopeAbove:
        ds = dd;
        as = m_a[j];
        bs = m_b[j];
        cs = m_c[j];
        m_a[j] = 1.0;
        m_b[j] = 0.0;
        m_c[j] = -twoH * condition().slope;
        break;
      case kSlopeBelow: {
        // D / Ds = -D Den_s: a zero pivot above gives 0, as a zero pivot gives D = 0; a zero
        // combined pivot gives G = 0 likewise.
        const double ratio = ds == 0.0 ? 0.0 : dd / ds;
        const double combined = 1.0 - (bs * m_b[j - 1] + as - 1.0) * ratio;
        const double g = combined == 0.0 ? 0.0 : 1.0 / combined;
        m_a[j] = g * m_a[j];
        m_b[j] = g * (m_b[j] + bs * m_a[j - 1] * ratio);
        m_c[j] = g * (m_c[j] + (bs * m_c[j - 1] + twoH * condition().slope + cs) * ratio);
        ++k;
        break;
      }
      default:
        break;
    }
  }

  SolveCounts counts;
  w[n + 2] = 0.0;
  w[n + 3] = 0.0;
  for (int j = n + 1; j >= -1; --j) {
    const double previous = w[j];
    w[j] = m_a[j] * w[j + 2] + m_b[j] * w[j + 1] + m_c[j];
    if (j >= 0 && j <= n) {
      if (maxDeflection - std::fabs(w[j]) < 0.0) ++counts.overMaxDeflection;
      if (std::fabs(w[j] - previous) - tolerance > 0.0) ++counts.notClosed;
    }
  }
  return counts;
}

}  // namespace korvex
