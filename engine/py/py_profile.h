// The soil in front of the wall as the p-y generator sees it: the layers below the
// excavation level down to two increments below the wall tip, with the tables of effective
// unit weight and of strength against X, the depth below the excavation level.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "input/check_result.h"
#include "input/input_model.h"
#include "py/soil_type.h"

namespace korvex {

struct ProfileLayer {
  SoilType soilType = SoilType::SoftClay;
  double top = 0.0;     // X top
  double bottom = 0.0;  // X bottom
  double k = 0.0;       // value 5 of the layer's top row
  int firstStrengthRow = 0;  // the layer's top row in the strength table; the next row is its bottom
};

struct UnitWeightRow {
  double x = 0.0;
  double unitWeight = 0.0;  // effective: buoyant below the backfill water table
};

struct StrengthRow {
  double x = 0.0;
  double strength = 0.0;  // value 2: c, or qu for rock
  double phi = 0.0;       // value 3 in radians
  double eps50 = 0.0;     // value 4: e50, or krm for weak rock
  double value6 = 0.0;    // optional K, or RQD for weak rock
};

// Which column of the strength table a property comes from.
enum class StrengthColumn { Strength, Phi, Eps50, Value6 };

struct PYProfile {
  double freeHeight = 0.0;
  std::vector<ProfileLayer> layers;
  std::vector<UnitWeightRow> unitWeights;
  std::vector<StrengthRow> strengths;

  // Whether both tables reach down to X; when one does not, the check fails with the
  // warning for the report and the stop code for the console.
  CheckResult checkReaches(double x) const;

  // A strength-table property at X: linear between the rows that bracket X; where two rows
  // share X (a layer interface) their average, or the one that is not zero. X must lie within
  // the table (checkReaches); below it the last row's value is taken.
  double property(StrengthColumn column, double x) const;
  // The average effective unit weight from the excavation level down to X (trapezoids over
  // the table); the first row's value at X = 0. X must lie within the table (checkReaches).
  double averageUnitWeight(double x) const;
};

// Builds the profile below `freeHeight` from the input layers; `tipLimit` is the X at which
// the profile ends (two increments below the wall tip). `unitWeightWater` is subtracted
// below `waterTable` (a depth below the top of the wall).
PYProfile buildPYProfile(std::span<const SoilLayer> layers, double freeHeight, double waterTable,
                         double unitWeightWater, double tipLimit);

// Degrees to radians as the soil tables convert them.
double degreesToRadians(double degrees);
double radiansToDegrees(double radians);

}  // namespace korvex
