#include "py/py_multipliers.h"

#include <cmath>

namespace korvex {

namespace {

// Wall elements spaced closer than this ratio of widths form a continuous wall; from the
// upper limit on they stand apart and need no reduction.
constexpr double kContinuousRatio = double(1.1f);
constexpr double kSeparateRatio = double(3.1f);

double column(const PYModification& row, bool pColumn) { return pColumn ? row.pMultiplier : row.yMultiplier; }

}  // namespace

double PYMultipliers::fromTable(double depth, bool pColumn) const {
  const std::size_t n = m_table.size();
  if (n == 0 || depth < m_table.front().depth || depth > m_table.back().depth) return 1.0;
  for (std::size_t i = 0; i < n; ++i) {
    const PYModification& row = m_table[i];
    if (depth == row.depth) {
      if (i + 1 < n && m_table[i + 1].depth == depth) return column(m_table[i + 1], pColumn);
      return column(row, pColumn);
    }
    if (i + 1 < n && row.depth < depth && depth < m_table[i + 1].depth) {
      const PYModification& next = m_table[i + 1];
      return column(row, pColumn) +
             (column(next, pColumn) - column(row, pColumn)) * (depth - row.depth) / (next.depth - row.depth);
    }
  }
  return 1.0;
}

double PYMultipliers::p(double depth) const {
  if (!m_table.empty()) return fromTable(depth, true);
  if (m_ratio >= kContinuousRatio && m_ratio < kSeparateRatio && depth >= m_freeHeight)
    return double(0.5292f) * std::pow(m_ratio, double(0.5659f));
  return 1.0;
}

double PYMultipliers::y(double depth) const { return m_table.empty() ? 1.0 : fromTable(depth, false); }

}  // namespace korvex
