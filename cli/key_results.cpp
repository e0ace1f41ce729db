#include "key_results.h"

#include <algorithm>
#include <cmath>

namespace korvex::cli {

namespace {
// Relative size below which a result is the round-off of the difference formulas.
constexpr double kRoundOff = 1e-9;
}  // namespace

KeyResults keyResults(const BlockOutcome& block) {
  KeyResults key;
  if (block.rows.empty()) return key;
  const ResultRow& top = block.rows.front();
  key.maxMoment = key.minMoment = {top.moment, top.depth};
  key.maxShear = {top.shear, top.depth};
  key.maxDeflection = {top.deflection, top.depth};
  key.topDeflection = top.deflection;
  for (const ResultRow& row : block.rows) {
    if (row.moment > key.maxMoment.value) key.maxMoment = {row.moment, row.depth};
    if (row.moment < key.minMoment.value) key.minMoment = {row.moment, row.depth};
    if (std::fabs(row.shear) > std::fabs(key.maxShear.value)) key.maxShear = {row.shear, row.depth};
    if (std::fabs(row.deflection) > std::fabs(key.maxDeflection.value))
      key.maxDeflection = {row.deflection, row.depth};
  }
  // A moment that is round-off beside the largest (the free end of a cantilever, -2E-9 lb-in
  // beside 1.7E+5) is zero.
  const double momentScale = std::max(std::fabs(key.maxMoment.value), std::fabs(key.minMoment.value));
  for (ValueAtDepth* moment : {&key.maxMoment, &key.minMoment})
    if (std::fabs(moment->value) < kRoundOff * momentScale) moment->value = 0.0;
  return key;
}

FigureUnits figureUnits(UnitSystem unitSystem) {
  if (unitSystem == UnitSystem::English) return {"in", "lb", "lb-in"};
  return {"m", "kN", "kN-m"};
}

std::string blockLabel(const BlockOutcome& block, std::size_t blockCount) {
  switch (block.role) {
    case BlockRole::Stage:
      return "Stage " + std::to_string(block.block);
    case BlockRole::ShortTerm:
      return "Short-term";
    case BlockRole::LongTerm:
      return "Long-term";
    case BlockRole::Single:
      break;
  }
  return blockCount > 1 ? "Block " + std::to_string(block.block) : "";
}

}  // namespace korvex::cli
