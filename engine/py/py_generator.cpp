#include "py/py_generator.h"

#include <algorithm>
#include <string>
#include <utility>

#include "format/hand_over_rounding.h"
#include "py/criterion_for.h"
#include "py/py_multipliers.h"

namespace korvex {

namespace {

constexpr int kCurvesPerLayer = 5;

// The X of the five curves of a layer: just inside its top, at its quarter points and just
// inside its bottom.
std::array<double, kCurvesPerLayer> curveDepths(const ProfileLayer& layer, double inset) {
  const double t = layer.bottom - layer.top;
  return {layer.top + inset, layer.top + double(0.25f) * t, layer.top + double(0.5f) * t,
          layer.top + double(0.75f) * t, layer.bottom - inset};
}

// The profile layer whose X range holds `x`: the first whose bottom is not above it.
std::size_t layerHolding(const PYProfile& profile, double x) {
  for (std::size_t l = 0; l < profile.layers.size(); ++l)
    if (x <= profile.layers[l].bottom) return l;
  return profile.layers.size() - 1;
}

CurveProperties propertiesAt(const PYProfile& profile, const ProfileLayer& layer, double x) {
  CurveProperties properties;
  properties.strength = profile.property(StrengthColumn::Strength, x);
  const double strengthAtTop = profile.strengths[static_cast<std::size_t>(layer.firstStrengthRow)].strength;
  properties.averageStrength = (strengthAtTop + properties.strength) / 2.0;
  properties.phi = profile.property(StrengthColumn::Phi, x);
  properties.eps50 = profile.property(StrengthColumn::Eps50, x);
  properties.value6 = profile.property(StrengthColumn::Value6, x);
  properties.unitWeight = profile.averageUnitWeight(x);
  properties.k = layer.k;
  return properties;
}

// What the solution reads of a branch: every value through an E10.3 field.
BranchCurve readBack(const BranchCurve& branch) {
  BranchCurve read = branch;
  for (std::size_t i = 0; i < read.y.size(); ++i) {
    read.y[i] = roundAsE10_3(branch.y[i]);
    read.p[i] = roundAsE10_3(branch.p[i]);
  }
  return read;
}

// The resistance summed down a layer, from which the layers below take their equivalent depth.
struct LayerAccumulator {
  double sum = 0.0;
  double previousUltimate = 0.0;
  double previousX = 0.0;
};

}  // namespace

PYGeneration generatePYCurves(const BlockInput& input, double excavationStress, int userCurveCount) {
  const SoilDataLine& soil = input.soilData;
  const UnitSystem unitSystem = input.unitSystem;
  const double freeHeight = soil.freeHeight;
  const double h = input.wall.incrementLength;
  const double wallLength = static_cast<double>(input.wall.numIncrements) * h;
  const double unitWeightWater = unitWeightOfWater(unitSystem);
  PYGeneration generation;
  generation.profile =
      buildPYProfile(input.layers, freeHeight, soil.waterDepthBackfill, unitWeightWater, wallLength + 2.0 * h - freeHeight);
  const PYProfile& profile = generation.profile;

  // The five depths of every layer, numbered top down, and the layer each belongs to.
  const double inset = unitSystem == UnitSystem::English ? double(0.1f) : double(0.01f);
  std::vector<double> curveX;
  for (const ProfileLayer& layer : profile.layers) {
    const auto depths = curveDepths(layer, inset);
    curveX.insert(curveX.end(), depths.begin(), depths.end());
  }
  std::vector<std::vector<std::size_t>> curvesOfLayer(profile.layers.size());
  for (std::size_t c = 0; c < curveX.size(); ++c) curvesOfLayer[layerHolding(profile, curveX[c])].push_back(c);

  const double width = soil.passiveWidth;
  const double ratio = width > 0.0 ? std::max(soil.activeWidth / width, 1.0) : 1.0;
  const PYMultipliers multipliers(input.pyModifications, ratio, freeHeight);

  std::vector<GeneratedCurve>& curves = generation.curves;
  curves.reserve(curveX.size());
  generation.branches.reserve(2 * curveX.size());
  std::vector<LayerAccumulator> accumulators(profile.layers.size());
  for (std::size_t l = 0; l < profile.layers.size(); ++l) {
    const std::vector<std::size_t>& indices = curvesOfLayer[l];
    if (indices.empty()) continue;
    const ProfileLayer& layer = profile.layers[l];
    const PYCriterion& criterion = criterionFor(layer.soilType);
    double equivalentDepth = 0.0;
    for (std::size_t i = 0; i < indices.size(); ++i) {
      const double x = curveX[indices[i]];
      const bool first = i == 0;
      generation.check = profile.checkReaches(x);
      if (!generation.check.passed()) return generation;
      const CurveProperties properties = propertiesAt(profile, layer, x);

      BranchSite site;
      site.unitSystem = unitSystem;
      site.x = x;
      site.layerTop = layer.top;
      site.layerBottom = layer.bottom;
      site.freeHeight = freeHeight;
      site.width = width;
      site.ratio = ratio;
      site.excavationStress = excavationStress;
      site.pMultiplier = multipliers.p(freeHeight + x);
      site.yMultiplier = multipliers.y(freeHeight + x);
      site.firstCurveOfLayer = first;
      site.face = Face::Excavation;
      site.z0 = x;
      site.z = l == 0 ? x : x - layer.top;

      if (first && l > 0) {
        // A layer below the first continues the resistance of the layers above it.
        double target = 0.0;
        for (std::size_t above = 0; above < l; ++above) target += accumulators[above].sum;
        equivalentDepth = criterion.equivalentDepth(target, properties, site);
      }
      if (l > 0) site.z = x - layer.top + equivalentDepth;

      GeneratedCurve curve;
      curve.depth = freeHeight + x;
      BranchResult excavationResult = criterion.branch(properties, site);
      generation.check = std::move(excavationResult.check);
      if (!generation.check.passed()) return generation;
      generation.branches.push_back(std::move(excavationResult.branch));
      const BranchCurve excavation = generation.branches.back().curve;
      curve.excavation = readBack(excavation);
      site.face = Face::Backfill;
      site.z0 = freeHeight + x;
      site.z += freeHeight;
      BranchResult backfillResult = criterion.branch(properties, site);
      generation.check = std::move(backfillResult.check);
      if (!generation.check.passed()) return generation;
      generation.branches.push_back(std::move(backfillResult.branch));
      curve.backfill = readBack(generation.branches.back().curve);
      curves.push_back(curve);

      LayerAccumulator& accumulator = accumulators[l];
      if (!first) {
        accumulator.sum += 0.5 * (excavation.ultimate + accumulator.previousUltimate) * excavation.accumulatorFactor *
                           (x - accumulator.previousX);
      }
      if (i + 1 == indices.size() && excavation.addsTail) accumulator.sum += (layer.bottom - x) * excavation.ultimate;
      accumulator.previousUltimate = excavation.ultimate;
      accumulator.previousX = x;
    }
  }
  // The solution's curve storage holds the user's curves and these together.
  const int total = userCurveCount + static_cast<int>(curves.size());
  if (total > kMaxCurves) {
    // Built by appending: GCC 12 at -O3 takes "(" + std::to_string(...) for an overlapping copy.
    std::string count = "(";
    count += std::to_string(total);
    count += " P-Y CURVES: USER-SPECIFIED AND GENERATED CURVES TOGETHER MAY NOT EXCEED ";
    count += std::to_string(kMaxCurves);
    count += ")";
    generation.check = CheckResult::dataError({kTooMuchData, std::move(count)});
  }
  return generation;
}

void solutionPoints(const GeneratedCurve& curve, std::vector<double>& y, std::vector<double>& p) {
  y.clear();
  p.clear();
  y.reserve(2 * kBranchPoints - 1);
  p.reserve(2 * kBranchPoints - 1);
  for (int r = kBranchPoints - 1; r >= 0; --r) {
    y.push_back(-curve.backfill.y[static_cast<std::size_t>(r)]);
    p.push_back(curve.backfill.p[static_cast<std::size_t>(r)]);
  }
  for (int r = 1; r < kBranchPoints; ++r) {
    y.push_back(curve.excavation.y[static_cast<std::size_t>(r)]);
    p.push_back(-curve.excavation.p[static_cast<std::size_t>(r)]);
  }
}

}  // namespace korvex
