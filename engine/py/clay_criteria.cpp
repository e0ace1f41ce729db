#include "py/clay_criteria.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "py/criterion_support.h"

namespace korvex {

namespace {

// An active shift this small is no shift: the clay stands unsupported at the excavation level.
constexpr double kShiftFloor = double(1.0E-10f);

// Exponents of the soft-clay and stiff-clay curves, written as single-precision fractions.
constexpr double kCubeRoot = static_cast<double>(1.0f / 3.0f);
constexpr double kTwoThirds = static_cast<double>(2.0f / 3.0f);
constexpr double kFourthRoot = 0.25;
constexpr double kThreeQuarters = 0.75;

// Soft clay: deflections as multiples of y50; p reaches pu at 8 y50.
constexpr std::array<double, kBranchPoints> kSoftClayMultiples = {
    0.0, double(0.008f), 0.25, 0.50, 0.75, 1.00, 1.25, 1.50, 1.75, 2.00, 2.25, 2.50, 2.75, 3.00, 8.0, 15.0, 20.0};
constexpr double kSoftClayPlateau = 8.0;

// Stiff clay with free water: wedge growth with depth per unit strength, the drop of the
// peak to the falling line, the softening and slope factors, and the residual factor.
constexpr double kWedgeSide = double(2.83f);
constexpr double kPeakDrop = double(0.411f);
constexpr double kSoftening = double(0.055f);
constexpr double kSofteningPower = 1.25;
constexpr double kFallingSlope = double(0.0625f);
constexpr double kResidual = 0.75;
constexpr double kAccumulatorRoot = double(1.225f);
constexpr double kFlowAroundFactor = 11.0;
constexpr int kEquivalentDepthSteps = 40;

// Stiff clay with free water: deflections as multiples of As y50.
constexpr std::array<double, kBranchPoints> kStiffClayMultiples = {
    0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 5.5, 6.0, 10.0, 14.0, 18.0, 200.0};

// As against x / b = 0, 1, ..., 5.
constexpr std::array<double, 6> kAsTable = {double(0.223f), double(0.46f), double(0.55f),
                                            double(0.59f),  double(0.60f), double(0.60f)};

// Stiff clay without free water: the first 15 deflections as fractions of 16 y50, where p
// reaches pu; the last two lie on the plateau.
constexpr std::array<double, 15> kFractionsOfPlateau = {
    0.0,           double(1.0E-5f), double(5.0E-5f), double(1.0E-4f), double(5.0E-4f),
    double(0.001f), double(0.005f), double(0.01f),   double(0.025f),  double(0.05f),
    double(0.075f), double(0.1f),   double(0.25f),   double(0.5f),    double(1.0f)};
constexpr double kStiffClayPlateau = 16.0;

// The wedge of soft clay and of stiff clay without free water gives way to flow around the
// wall at 9 c b.
constexpr double kFlowAroundBearing = 9.0;

// One branch before the multipliers and the active shift, with the secant modulus the
// solution uses at a deflection below 1.0E-14.
struct ClayPoints {
  std::array<double, kBranchPoints> y{};
  std::array<double, kBranchPoints> p{};
  double initialModulus = 0.0;
};

// The active earth pressure at the excavation level times the width, by which the curve
// starts away from p = 0: b s'v - 2 c b, or 0 when the clay needs no support there.
double activeShift(const CurveProperties& properties, const BranchSite& site) {
  const double b = site.width;
  const double pa = b * site.excavationStress - 2.0 * properties.strength * b;
  return pa > kShiftFloor ? pa : 0.0;
}

// A continuous wall has no flow around it: the passive wedge of a smooth wall, 2 c b + g' b z0,
// at the depth below the soil surface on the branch's own face.
double continuousWallResistance(const CurveProperties& properties, const BranchSite& site) {
  const double b = site.width;
  return 2.0 * properties.strength * b + properties.unitWeight * b * site.z0;
}

// Soft clay: pu = min(3 + g'z/c + 0.5 z/b, 9) c b; 0 without strength. The width term is
// left out at b = 0, where pu is 0 whatever N is.
double softClayUltimate(double c, double gamma, double z, double b) {
  if (!(c > 0.0)) return 0.0;
  const double widthTerm = b != 0.0 ? 0.5 * z / b : 0.0;
  const double n = 3.0 + gamma * z / c + widthTerm;
  return std::min(n, kFlowAroundBearing) * c * b;
}

// A clay branch: the points with the multipliers and the active shift, the ultimate
// resistance, and the echo of its heading values.
BranchResult clayBranch(SoilType criterion, const ClayPoints& points, double ultimate,
                        const CurveProperties& properties, const BranchSite& site,
                        std::initializer_list<double> echoed) {
  BranchResult result;
  result.branch.curve = scaledAndShifted(points.y, points.p, activeShift(properties, site), site);
  result.branch.curve.ultimate = ultimate;
  result.branch.echo = echoAt(criterion, site, echoed);
  result.branch.echo.initialModulus = points.initialModulus;
  return result;
}

// The depth h at which the integral of min(3 c b + (g' b + 0.5 c) z, 9 c b) from 0 to h
// reaches `target`, the wedge governing down to `wedgeEnd`. Needs c > 0, b > 0,
// g' b + 0.5 c > 0 and target > 0.
double wedgeThenFlowDepth(double target, double c, double b, double gamma, double wedgeEnd) {
  const double xr = wedgeEnd;
  const double wedgeIntegral = 3.0 * c * b * xr + gamma * b * xr * xr / 2.0 + c * xr * xr / 4.0;
  if (target > wedgeIntegral) return xr + (target - wedgeIntegral) / (kFlowAroundBearing * c * b);
  // Within the wedge range: a h^2 + 3 c b h - F = 0.
  const double a = 0.5 * gamma * b + 0.25 * c;
  const double linear = 3.0 * c * b;
  return (-linear + std::sqrt(linear * linear + 4.0 * a * target)) / (2.0 * a);
}

// Whether a layer has resistance to integrate: positive strength, width and growth of the
// wedge with depth (a negative unit weight has no meaning and could cancel it).
bool integrable(double target, double c, double b, double wedgeGrowth) {
  return target > 0.0 && c > 0.0 && b > 0.0 && wedgeGrowth > 0.0;
}

// Stiff clay with free water, p at deflection y before the cap by Es y (y50 > 0).
double stiffClayResistance(double y, double y50, double as, double pc) {
  const double asY50 = as * y50;
  if (y <= asY50) return 0.5 * pc * std::sqrt(y / y50);
  if (y <= 6.0 * asY50) {
    return 0.5 * pc * std::sqrt(y / y50) - kSoftening * pc * std::pow((y - asY50) / asY50, kSofteningPower);
  }
  const double afterDrop = 0.5 * pc * std::sqrt(6.0 * as) - kPeakDrop * pc;
  if (y <= 18.0 * asY50) return afterDrop - (kFallingSlope * pc / y50) * (y - 6.0 * asY50);
  return afterDrop - kResidual * pc * as;
}

// The share of pc the layer accumulator takes: A' = 1.225 sqrt(As) - 0.75 As - 0.411, the
// residual plateau of the curve relative to pc.
double accumulatorShare(double as) {
  return kAccumulatorRoot * std::sqrt(as) - kResidual * as - kPeakDrop;
}

}  // namespace

double stiffClayAs(double depthRatio) {
  const double last = static_cast<double>(kAsTable.size() - 1);
  if (!(depthRatio > 0.0)) return kAsTable.front();
  if (depthRatio >= last) return kAsTable.back();
  const std::size_t i = static_cast<std::size_t>(depthRatio);
  const double fraction = depthRatio - static_cast<double>(i);
  return kAsTable[i] + (kAsTable[i + 1] - kAsTable[i]) * fraction;
}

BranchResult SoftClayCriterion::branch(const CurveProperties& properties, const BranchSite& site) const {
  const double c = properties.strength;
  const double b = site.width;
  const double pu = site.continuousWall() ? continuousWallResistance(properties, site)
                                          : softClayUltimate(c, properties.unitWeight, site.z, b);
  const double y50 = 2.5 * properties.eps50 * b;

  ClayPoints points;
  for (std::size_t i = 0; i < kBranchPoints; ++i) points.y[i] = kSoftClayMultiples[i] * y50;
  // Without y50 the curve has no shape: it keeps zero resistance.
  if (y50 > 0.0) {
    for (std::size_t i = 1; i < kBranchPoints; ++i) {
      const double y = points.y[i];
      points.p[i] = y <= kSoftClayPlateau * y50 ? 0.5 * pu * std::pow(y / y50, kCubeRoot) : pu;
    }
    points.initialModulus = 0.5 * pu * std::pow(y50 / kSmallDeflection, kTwoThirds) / y50;
  }

  return clayBranch(SoilType::SoftClay, points, pu, properties, site,
                    {site.z0, b, c, properties.unitWeight, properties.eps50});
}

double SoftClayCriterion::equivalentDepth(double target, const CurveProperties& properties,
                                          const BranchSite& site) const {
  const double c = properties.strength;
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const double growth = gamma * b + 0.5 * c;
  if (!integrable(target, c, b, growth)) return 0.0;
  return wedgeThenFlowDepth(target, c, b, gamma, 6.0 * c * b / growth);
}

BranchResult StiffClayWithFreeWaterCriterion::branch(const CurveProperties& properties,
                                                     const BranchSite& site) const {
  const double c = properties.strength;
  const double ca = properties.averageStrength;
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const double z = site.z;
  double pc = 0.0;
  if (site.continuousWall()) {
    pc = continuousWallResistance(properties, site);
  } else {
    const double wedge = 2.0 * ca * b + gamma * b * z + kWedgeSide * ca * z;
    const double flowAround = kFlowAroundFactor * c * b;
    pc = std::min(wedge, flowAround);
  }
  // As grows with the depth below the soil surface on the branch's face; a wall of no width
  // sees every depth as deep.
  const double x = site.face == Face::Excavation ? site.x : site.z0;
  const double depthRatio = b > 0.0 ? x / b : static_cast<double>(kAsTable.size() - 1);
  const double as = stiffClayAs(depthRatio);
  const double y50 = properties.eps50 * b;
  const double es = properties.k * z;
  const double asY50 = as * y50;

  ClayPoints points;
  for (std::size_t i = 0; i < kBranchPoints; ++i) points.y[i] = kStiffClayMultiples[i] * asY50;
  if (y50 > 0.0) {
    for (std::size_t i = 0; i < kBranchPoints; ++i) {
      const double y = points.y[i];
      points.p[i] = std::min(stiffClayResistance(y, y50, as, pc), es * y);
    }
  }
  points.initialModulus = es;

  BranchResult result = clayBranch(SoilType::StiffClayWithFreeWater, points, pc, properties, site,
                                   {site.z0, b, c, ca, gamma, properties.eps50});
  result.branch.curve.accumulatorFactor = accumulatorShare(as);
  return result;
}

double StiffClayWithFreeWaterCriterion::equivalentDepth(double target, const CurveProperties& properties,
                                                        const BranchSite& site) const {
  const double c = properties.strength;
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const double growth = gamma * b + kWedgeSide * c;
  if (!integrable(target, c, b, growth)) return 0.0;
  // At the layer's first curve the average strength is the strength itself.
  const double xr = (kFlowAroundFactor * c * b - 2.0 * c * b) / growth;
  const double step = xr / kEquivalentDepthSteps;
  double sum = 0.0;
  double share = 0.0;
  for (int j = 1; j <= kEquivalentDepthSteps; ++j) {
    const double zj = j * step;
    share = accumulatorShare(stiffClayAs(zj / b));
    const double before = sum;
    sum += (2.0 * c * b + gamma * b * zj + kWedgeSide * c * zj) * share * step;
    if (sum > target) return zj - (sum - target) * step / (sum - before);
  }
  return xr + (target - sum) / (kFlowAroundFactor * c * b * share);
}

BranchResult StiffClayWithoutFreeWaterCriterion::branch(const CurveProperties& properties,
                                                        const BranchSite& site) const {
  const double c = properties.strength;
  const double ca = properties.averageStrength;
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const double z = site.z;
  const double pu = site.continuousWall()
                        ? continuousWallResistance(properties, site)
                        : std::min(3.0 * ca * b + gamma * b * z + 0.5 * ca * z, kFlowAroundBearing * c * b);
  const double y50 = 2.5 * properties.eps50 * b;
  const double plateauStart = kStiffClayPlateau * y50;

  ClayPoints points;
  for (std::size_t i = 0; i < kFractionsOfPlateau.size(); ++i) points.y[i] = plateauStart * kFractionsOfPlateau[i];
  points.y[15] = 18.0 * y50;
  points.y[16] = 20.0 * y50;
  if (y50 > 0.0) {
    for (std::size_t i = 1; i < kBranchPoints; ++i) {
      const double y = points.y[i];
      points.p[i] = y <= plateauStart ? 0.5 * pu * std::pow(y / y50, kFourthRoot) : pu;
    }
    points.initialModulus = 0.5 * pu * std::pow(y50 / kSmallDeflection, kThreeQuarters) / y50;
  }

  return clayBranch(SoilType::StiffClayWithoutFreeWater, points, pu, properties, site,
                    {site.z0, b, c, ca, gamma, properties.eps50});
}

double StiffClayWithoutFreeWaterCriterion::equivalentDepth(double target, const CurveProperties& properties,
                                                           const BranchSite& site) const {
  const double c = properties.strength;
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const double growth = gamma * b + 0.5 * c;
  if (!integrable(target, c, b, growth)) return 0.0;
  // An average strength of 3 c or more starts the layer on the flow-around plateau.
  const double xr = std::max((kFlowAroundBearing * c * b - 3.0 * properties.averageStrength * b) / growth, 0.0);
  return wedgeThenFlowDepth(target, c, b, gamma, xr);
}

}  // namespace korvex
