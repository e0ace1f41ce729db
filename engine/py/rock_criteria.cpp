#include "py/rock_criteria.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "py/criterion_support.h"

namespace korvex {

namespace {

// Strong rock: the elastic part ends at 0.0004 b with modulus 2000 su; the plastic part rises
// with slope 100 su to su b; the deflection range up to y2 is split into 15 steps.
constexpr double kStrongElasticLimit = double(0.0004f);
constexpr double kStrongModulusRatio = double(2000.0f);
constexpr double kStrongPlasticSlope = double(100.0f);
constexpr double kStrongSteps = double(15.0f);

// Weak rock: the strength reduction for jointing per percent of RQD, the ultimate resistance
// and initial-modulus factors near the rock surface and from 3 b down, and the offset that
// keeps xr above 0 at the rock surface.
constexpr double kRqdReduction = double(0.006666667f);
constexpr double kWedgeGrowth = double(1.4f);
constexpr double kDeepUltimate = double(5.2f);
constexpr double kSurfaceModulusFactor = double(100.0f);
constexpr double kModulusFactorGrowth = double(400.0f);
constexpr double kDeepModulusFactor = double(500.0f);
constexpr double kSurfaceOffset = double(1.0E-8f);
constexpr std::string_view kRockDataToCheck = "THE ROCK STRENGTH, MODULUS, UNIT WEIGHT AND WALL WIDTH";
constexpr double kZeroStrength = double(1.0E-10f);  // qu below this is "no strength given"

// The deflections of a weak-rock branch as multiples of yrm.
constexpr std::array<double, kBranchPoints> kWeakRockDeflectionFactors = {
    double(0.0005f), double(0.001f), double(0.003f), double(0.006f), double(0.009f), double(0.02f),
    double(0.04f),   double(0.06f),  double(0.08f),  double(0.1f),   double(0.25f),  double(0.5f),
    double(0.75f),   double(1.0f),   double(4.0f),   double(8.0f),   double(12.0f)};

// The weak-rock check at a curve below the layer's first with no uniaxial strength.
CheckResult zeroStrengthStop(const BranchSite& site) {
  return CheckResult::dataError({"ERROR STOP -- THE WEAK ROCK HAS NO UNIAXIAL COMPRESSIVE STRENGTH AT X = " +
                                 curveDepthText(site.x, site.unitSystem) + " BELOW THE EXCAVATION LEVEL"},
                                {"", "       --------------------WARNING----------------------",
                                 "       THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT",
                                 "       DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."});
}

}  // namespace

StrongRockCurve strongRockCurve(const CurveProperties& properties, const BranchSite& site) {
  StrongRockCurve curve;
  const double b = site.width;
  curve.shearStrength = properties.strength / 2.0;
  const double su = curve.shearStrength;
  curve.defined = su > 0.0 && b > 0.0;
  if (!curve.defined) {
    // Without strength the curve has no resistance; its deflections keep y2 at the value
    // every positive strength gives, 0.0024 b, which does not depend on su.
    const double width = b > 0.0 ? b : 0.0;
    curve.y1 = kStrongElasticLimit * width;
    curve.y2 = curve.y1 + width * (1.0 - kStrongModulusRatio * kStrongElasticLimit) / kStrongPlasticSlope;
    return curve;
  }
  curve.modulus = kStrongModulusRatio * su;
  curve.y1 = kStrongElasticLimit * b;
  curve.p1 = curve.modulus * curve.y1;
  curve.ultimate = su * b;
  curve.y2 = curve.y1 + (curve.ultimate - curve.p1) / (kStrongPlasticSlope * su);
  curve.residual = 0.5 * properties.unitWeight * b * site.z0;
  return curve;
}

double StrongRockCurve::resistance(double y, double pMultiplier) const {
  if (!defined) return 0.0;
  if (y < y1) return pMultiplier * modulus * y;
  if (y < y2) return pMultiplier * (p1 + kStrongPlasticSlope * shearStrength * (y - y1));
  return residual;
}

std::array<double, kBranchPoints> StrongRockCurve::deflections() const {
  // Accumulated step by step, so the point meant to sit at y2 may fall just short of it
  // and stay on the plastic part.
  const double step = y2 / kStrongSteps;
  std::array<double, kBranchPoints> y{};
  for (int k = 1; k < kBranchPoints; ++k) y[k] = y[k - 1] + step;
  return y;
}

WeakRockCurve weakRockCurve(const CurveProperties& properties, const BranchSite& site) {
  WeakRockCurve curve;
  const double b = site.width;
  const double krm = properties.eps50;
  const double qa = properties.averageStrength;
  curve.reduction = 1.0 - kRqdReduction * properties.value6;
  curve.depthIntoRock = (site.z0 - site.layerTop) + kSurfaceOffset;
  const double xr = curve.depthIntoRock;
  if (b > 0.0) {
    // The wedge near the rock surface grows with depth until, from 3 b down, the rock fails
    // by flowing around the wall.
    if (xr <= 3.0 * b) {
      curve.ultimate = curve.reduction * qa * (b + kWedgeGrowth * xr);
      curve.modulusFactor = kSurfaceModulusFactor + kModulusFactorGrowth * xr / (3.0 * b);
    } else {
      curve.ultimate = kDeepUltimate * curve.reduction * qa * b;
      curve.modulusFactor = kDeepModulusFactor;
    }
  }
  curve.initialModulus = curve.modulusFactor * properties.k;
  if (b > 0.0 && krm > 0.0) curve.yrm = krm * b;
  curve.defined = curve.yrm > 0.0 && curve.ultimate > 0.0 && curve.initialModulus > 0.0;
  if (curve.defined) {
    const double c = (curve.ultimate / 2.0) / std::pow(curve.yrm, 0.25);
    curve.yA = std::pow(c / curve.initialModulus, 4.0 / 3.0);
  }
  return curve;
}

double WeakRockCurve::resistance(double y) const {
  if (!defined) return 0.0;
  if (y < yA) return initialModulus * y;
  return std::min((ultimate / 2.0) * std::pow(y / yrm, 0.25), ultimate);
}

std::array<double, kBranchPoints> WeakRockCurve::deflections() const {
  std::array<double, kBranchPoints> y{};
  for (int k = 0; k < kBranchPoints; ++k) y[k] = yrm * kWeakRockDeflectionFactors[k];
  return y;
}

// Rock takes no active shift and gives nothing to the accumulator: the BranchCurve defaults
// (ultimate 0, factor 1, no tail) stand.
BranchResult StrongRockCriterion::branch(const CurveProperties& properties, const BranchSite& site) const {
  const StrongRockCurve curve = strongRockCurve(properties, site);
  const std::array<double, kBranchPoints> y = curve.deflections();
  BranchResult result;
  BranchCurve& points = result.branch.curve;
  for (int k = 0; k < kBranchPoints; ++k) {
    points.y[k] = site.yMultiplier * y[k];
    points.p[k] = curve.resistance(y[k], site.pMultiplier);
  }
  result.check = finiteCurveCheck(points, {}, "ROCK", kRockDataToCheck, site);
  // The block shows X on both faces.
  result.branch.echo = echoAt(SoilType::StrongRock, site, {site.x, site.width, curve.shearStrength});
  return result;
}

double StrongRockCriterion::equivalentDepth(double, const CurveProperties&, const BranchSite&) const { return 0.0; }

BranchResult WeakRockCriterion::branch(const CurveProperties& properties, const BranchSite& site) const {
  if (!site.firstCurveOfLayer && properties.strength < kZeroStrength) return {Branch{}, zeroStrengthStop(site)};
  const WeakRockCurve curve = weakRockCurve(properties, site);
  const std::array<double, kBranchPoints> y = curve.deflections();
  BranchResult result;
  BranchCurve& points = result.branch.curve;
  for (int k = 0; k < kBranchPoints; ++k) {
    points.y[k] = site.yMultiplier * y[k];
    points.p[k] = site.pMultiplier * curve.resistance(y[k]);
  }
  result.check = finiteCurveCheck(points, {}, "ROCK", kRockDataToCheck, site);
  result.branch.echo = echoAt(SoilType::WeakRock, site,
                              {site.z0, site.width, properties.strength, properties.k, properties.unitWeight,
                               properties.eps50});
  return result;
}

double WeakRockCriterion::equivalentDepth(double, const CurveProperties&, const BranchSite&) const { return 0.0; }

}  // namespace korvex
