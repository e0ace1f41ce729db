// Generation of p-y curves from the soil layers: five curves in every layer of the profile
// in front of the wall, each made of an excavation-face and a backfill-face branch of 17
// points by the criterion of the layer's soil type, with the report sections of the
// generation.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "beamcolumn/soil_curves.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"
#include "py/py_criterion.h"

namespace korvex {

// A generated curve as the solution reads it: its depth below the top of the wall and both
// branches, each value rounded as its E10.3 field reads back.
struct GeneratedCurve {
  double depth = 0.0;
  BranchCurve excavation;
  BranchCurve backfill;
};

struct PYGenerationContext {
  TextOutput& report;
  const UnitLabels& units;
  std::function<void(std::string_view)> progress;  // " READ SOIL DATA...."
  double excavationStress = 0.0;  // from the earth-pressure module; 0 when it did not run
  int userCurveCount = 0;         // curves already read; together they may not exceed the storage
};

// Generates the curves of a block with group 10 read. Throws ErrorStop for the stops of the
// generation (too many curves, a property beyond its table, the criteria's own stops).
std::vector<GeneratedCurve> generatePYCurves(const BlockInput& input, const PYGenerationContext& context);

// The curve the solution forms from a generated one: 33 points from the backfill branch
// (deflections negated, last point first) through the excavation branch (resistances
// negated), p times h, attached to the station nearest to depth / h and chained to the next.
SoilCurve solutionCurve(const GeneratedCurve& curve, double h);

// The 33 points of that curve before the multiplication by h, for the plot data file.
void solutionPoints(const GeneratedCurve& curve, std::vector<double>& y, std::vector<double>& p);

}  // namespace korvex
