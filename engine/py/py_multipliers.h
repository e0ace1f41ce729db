// The p- and y-multipliers of a generated p-y curve at its depth: from the user's
// modification table, or the automatic reduction for closely spaced wall elements.
#pragma once

#include <span>

#include "input/input_model.h"

namespace korvex {

class PYMultipliers {
 public:
  // `ratio` is Wa / Wp; `freeHeight` the excavation level.
  PYMultipliers(std::span<const PYModification> table, double ratio, double freeHeight)
      : m_table(table), m_ratio(ratio), m_freeHeight(freeHeight) {}

  double p(double depth) const;
  double y(double depth) const;

 private:
  // Linear in the table by depth; a row's own value at its depth, the next row's when that
  // row shares the depth; 1.0 above the first row and below the last.
  double fromTable(double depth, bool pColumn) const;

  std::span<const PYModification> m_table;
  double m_ratio = 1.0;
  double m_freeHeight = 0.0;
};

}  // namespace korvex
