#include "py/py_profile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "format/fortran_format.h"

namespace korvex {

namespace {

constexpr double kPi = double(3.1416f);
constexpr double kZeroValue = 1.0E-20;  // a value below this at an interface is "none given"
constexpr double kNearZeroDepth = double(1.0E-6f);

double columnOf(const StrengthRow& row, StrengthColumn column) {
  switch (column) {
    case StrengthColumn::Strength:
      return row.strength;
    case StrengthColumn::Phi:
      return row.phi;
    case StrengthColumn::Eps50:
      return row.eps50;
    case StrengthColumn::Value6:
      return row.value6;
  }
  return 0.0;
}

// The stop for a property asked below the end of a table: the warning in the report, the
// stop code on the console.
CheckResult beyondTable(double x, const char* tableName, const char* stopCode) {
  return CheckResult::dataError(
      {"**** WARNING ****", "THE VALUE OF X =" + formatExponent(x, 12, 4), "IS BEYOND THE EXTENT OF", tableName},
      {std::string("STOP ") + stopCode});
}

StrengthRow strengthRowOf(double x, const std::array<double, 6>& values) {
  return StrengthRow{x, values[1], degreesToRadians(values[2]), values[3], values[5]};
}

double interpolate(double x, double x0, double v0, double x1, double v1) {
  return x1 == x0 ? v1 : v0 + (v1 - v0) * (x - x0) / (x1 - x0);
}

}  // namespace

double degreesToRadians(double degrees) { return degrees * kPi / 180.0; }
double radiansToDegrees(double radians) { return radians * 180.0 / kPi; }

PYProfile buildPYProfile(std::span<const SoilLayer> layers, double freeHeight, double waterTable,
                         double unitWeightWater, double tipLimit) {
  PYProfile profile;
  profile.freeHeight = freeHeight;
  double previousBottom = 0.0;
  double runningX = 0.0;
  for (const SoilLayer& input : layers) {
    const double depthBottom = input.bottomDepth;
    const double depthTop = previousBottom;
    previousBottom = depthBottom;
    if (profile.layers.empty() && !(depthBottom > freeHeight)) continue;  // above the excavation level
    const double thickness = profile.layers.empty() ? depthBottom - freeHeight : depthBottom - depthTop;
    if (!(thickness > 0.0) || !(runningX < tipLimit)) break;

    ProfileLayer layer;
    layer.soilType = soilTypeOfCode(input.soilType);
    layer.top = runningX;
    layer.bottom = runningX + thickness;
    layer.k = input.top[4];
    layer.firstStrengthRow = static_cast<int>(profile.strengths.size());
    StrengthRow topRow = strengthRowOf(layer.top, input.top);
    StrengthRow bottomRow = strengthRowOf(layer.bottom, input.bottom);
    const bool cutAtTip = layer.bottom > tipLimit;
    if (cutAtTip) {
      // The layer ends at the tip limit with the values interpolated there.
      const double newBottom = tipLimit;
      bottomRow.strength = interpolate(newBottom, layer.top, topRow.strength, layer.bottom, bottomRow.strength);
      bottomRow.phi = interpolate(newBottom, layer.top, topRow.phi, layer.bottom, bottomRow.phi);
      bottomRow.eps50 = interpolate(newBottom, layer.top, topRow.eps50, layer.bottom, bottomRow.eps50);
      bottomRow.value6 = interpolate(newBottom, layer.top, topRow.value6, layer.bottom, bottomRow.value6);
      layer.bottom = newBottom;
      bottomRow.x = newBottom;
    }
    profile.strengths.push_back(topRow);
    profile.strengths.push_back(bottomRow);

    // Effective unit weight: buoyant below the backfill water table; a water table inside
    // the layer splits it into a dry and a buoyant part.
    const double gamma = input.top[0];
    const double buoyant = gamma - unitWeightWater;
    const double absoluteTop = freeHeight + layer.top;
    const double absoluteBottom = freeHeight + layer.bottom;
    if (absoluteTop < waterTable && waterTable < absoluteBottom) {
      const double waterX = waterTable - freeHeight;
      profile.unitWeights.push_back(UnitWeightRow{layer.top, gamma});
      profile.unitWeights.push_back(UnitWeightRow{waterX, gamma});
      profile.unitWeights.push_back(UnitWeightRow{waterX, buoyant});
      profile.unitWeights.push_back(UnitWeightRow{layer.bottom, buoyant});
    } else {
      profile.unitWeights.push_back(UnitWeightRow{layer.top, absoluteTop >= waterTable ? buoyant : gamma});
      profile.unitWeights.push_back(UnitWeightRow{layer.bottom, absoluteBottom > waterTable ? buoyant : gamma});
    }
    profile.layers.push_back(layer);
    runningX = layer.bottom;
    if (cutAtTip) break;
  }
  return profile;
}

CheckResult PYProfile::checkReaches(double x) const {
  if (strengths.empty() || x > strengths.back().x) return beyondTable(x, "THE INPUT STRENGTH CURVE", "1");
  if (unitWeights.empty() || x > unitWeights.back().x) return beyondTable(x, "THE INPUT CURVE FOR UNIT WEIGHT", "4");
  return {};
}

double PYProfile::property(StrengthColumn column, double x) const {
  if (strengths.empty()) return 0.0;
  if (x > strengths.back().x) return columnOf(strengths.back(), column);
  std::size_t i = 0;
  while (x > strengths[i].x) ++i;
  const double at = columnOf(strengths[i], column);
  if (x == strengths[i].x) {
    if (i + 1 < strengths.size() && strengths[i + 1].x == x) {
      // A layer interface: the average of the two layers, or the value of the one that has one.
      const double below = columnOf(strengths[i + 1], column);
      if (std::abs(at) < kZeroValue) return below;
      if (std::abs(below) < kZeroValue) return at;
      return (at + below) / 2.0;
    }
    return at;
  }
  if (i == 0) return at;
  return interpolate(x, strengths[i - 1].x, columnOf(strengths[i - 1], column), strengths[i].x, at);
}

double PYProfile::averageUnitWeight(double x) const {
  if (unitWeights.empty()) return 0.0;
  if (x < kNearZeroDepth) return unitWeights.front().unitWeight;
  double integral = 0.0;
  for (std::size_t i = 1; i < unitWeights.size(); ++i) {
    const UnitWeightRow& a = unitWeights[i - 1];
    const UnitWeightRow& b = unitWeights[i];
    if (a.x >= x) break;
    const double end = std::min(b.x, x);
    const double atEnd = interpolate(end, a.x, a.unitWeight, b.x, b.unitWeight);
    integral += 0.5 * (a.unitWeight + atEnd) * (end - a.x);
  }
  return integral / x;
}

}  // namespace korvex
