#include "py/sand_silt_criteria.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "py/criterion_support.h"

namespace korvex {

namespace {

// The sand criterion takes pi as 3.1416, the silt criterion as 4 atan 1.
constexpr double kSandPi = double(3.1416f);
double siltPi() { return 4.0 * std::atan(1.0); }

// Earth pressure at rest in the wedge's sides.
constexpr double kAtRest = double(0.4f);
// An active shift below this is none: the soil stands unsupported at the excavation level.
constexpr double kShiftFloor = double(1.0E-5f);
// 1 - cos^2 phi below this: the soil has no friction, so neither wedge nor flow around the
// wall develops resistance. Sand then resists nothing; silt stops the run.
constexpr double kNoFriction = double(1.0E-10f);
constexpr std::string_view kSoilDataToCheck = "THE SOIL DATA AND THE WALL WIDTH";
// Wall friction of a continuous wall in silt: 10 degrees.
constexpr double kSiltWallFriction = double(0.1745333f);

// Deflections: pB is reached at b / 60, pu at 3 b / 80; the plateau points of sand lie 1, 2
// and 3 widths beyond yu, those of silt 0.5, 1 and 1.5 widths.
constexpr double kDeflectionB = double(60.0f);
constexpr double kDeflectionUNumerator = double(3.0f);
constexpr double kDeflectionUDenominator = double(80.0f);
constexpr int kParabolaSteps = 12;
constexpr std::array<double, 3> kSandPlateau = {double(1.0f), double(2.0f), double(3.0f)};
constexpr std::array<double, 3> kSiltPlateau = {double(0.5f), double(1.0f), double(1.5f)};

// Silt: pB = 1.5 ps + puc; the cohesive bearing factor N = 3 + g' z / c + 0.5 z / b, at
// most 9.
constexpr double kSiltFrictionAtB = double(1.5f);
constexpr double kBearingAtSurface = double(3.0f);
constexpr double kBearingWidthTerm = double(0.5f);
constexpr double kBearingCap = double(9.0f);

// Equivalent depth: steps of the search over the wedge range, and A below x / b = 5.
constexpr int kSandSteps = 100;
constexpr int kSiltSteps = 50;
constexpr double kDeepA = double(0.88f);

// The static depth factors against x / b.
constexpr std::array<double, 10> kDepthRatios = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
constexpr std::array<double, 10> kFactorA = {double(2.83f), double(2.48f), double(2.11f), double(1.76f),
                                             double(1.48f), double(1.23f), double(1.06f), double(0.90f),
                                             double(0.88f), double(0.88f)};
constexpr std::array<double, 10> kFactorB = {double(2.14f), double(1.83f), double(1.54f), double(1.27f),
                                             double(1.05f), double(0.86f), double(0.71f), double(0.53f),
                                             double(0.50f), double(0.50f)};

// The angles of the wedge in front of the wall for friction angle phi (radians), with the
// Rankine coefficients Ka = tan^2(pi/4 - phi/2) and Kp = tan^2(pi/4 + phi/2).
struct FrictionAngles {
  double phi = 0.0;
  double alpha = 0.0;  // phi / 2: the spread of the wedge's sides
  double beta = 0.0;   // pi / 4 + phi / 2: the inclination of the wedge's base
  double ka = 0.0;
  double kp = 0.0;
  bool frictional = false;
};

FrictionAngles frictionAngles(double phi, double pi) {
  FrictionAngles f;
  f.phi = phi;
  f.alpha = phi / 2.0;
  f.beta = pi / 4.0 + phi / 2.0;
  const double activeTan = std::tan(pi / 4.0 - phi / 2.0);
  const double passiveTan = std::tan(f.beta);
  f.ka = activeTan * activeTan;
  f.kp = passiveTan * passiveTan;
  const double cosine = std::cos(phi);
  f.frictional = 1.0 - cosine * cosine >= kNoFriction;
  return f;
}

// The resistances per unit depth of a frictional soil, force / length: the passive wedge
// ps,t, flow around the wall ps,d, and the governing ps.
struct FrictionalResistance {
  double wedge = 0.0;
  double flowAround = 0.0;
  double governing = 0.0;
};

// Passive coefficient of a vertical wall with wall friction delta (Coulomb):
// cos^2 phi / (cos delta (1 - sqrt(sin(phi + delta) sin phi / cos delta))^2); 0 where the
// wedge cannot form (the root or the denominator has no value).
double passiveWithWallFriction(double phi, double delta) {
  const double root = std::sin(phi + delta) * std::sin(phi) / std::cos(delta);
  if (!(root >= 0.0)) return 0.0;
  const double gap = 1.0 - std::sqrt(root);
  const double denominator = std::cos(delta) * gap * gap;
  if (!(denominator > 0.0)) return 0.0;
  const double cosine = std::cos(phi);
  return cosine * cosine / denominator;
}

// ps,t and ps,d at the depth z of the site for average effective unit weight gamma (force /
// length**3) and width b. ps is the smaller of the two; a continuous wall has no flow around
// it and takes the passive pressure Kpc g' z0 over its width instead (z0: depth below the
// face's own soil surface, wall friction delta). A soil without friction, or data that give a
// negative resistance, resist nothing.
FrictionalResistance frictionalResistance(const FrictionAngles& f, double gamma, const BranchSite& site,
                                          double wallFriction) {
  FrictionalResistance r;
  if (!f.frictional) return r;
  const double z = site.z;
  const double b = site.width;
  const double tanPhi = std::tan(f.phi);
  const double tanAlpha = std::tan(f.alpha);
  const double tanBeta = std::tan(f.beta);
  const double sinBeta = std::sin(f.beta);
  const double tanBaseToPhi = std::tan(f.beta - f.phi);
  const double sideTerm = tanBaseToPhi * std::cos(f.alpha);
  if (sideTerm == 0.0) {
    // A friction angle of 90 degrees or more lays the wedge's base against the wall: the
    // resistance has no value, and the branch stops on it.
    r.wedge = r.flowAround = r.governing = std::numeric_limits<double>::quiet_NaN();
    return r;
  }
  r.wedge = gamma * z *
            (kAtRest * z * tanPhi * sinBeta / sideTerm +
             (tanBeta / tanBaseToPhi) * (b + z * tanBeta * tanAlpha) +
             kAtRest * z * tanBeta * (tanPhi * sinBeta - tanAlpha) - f.ka * b);
  const double tan4 = tanBeta * tanBeta * tanBeta * tanBeta;
  r.flowAround = f.ka * b * gamma * z * (tan4 * tan4 - 1.0) + kAtRest * b * gamma * z * tanPhi * tan4;
  r.governing = site.continuousWall() ? passiveWithWallFriction(f.phi, wallFriction) * b * gamma * site.z0
                                      : std::min(r.wedge, r.flowAround);
  if (r.governing < 0.0) r.governing = 0.0;
  return r;
}

// x / b for the depth factors; a wall without width is deep at any depth below 0.
double depthRatio(double x, double b) {
  if (b > 0.0) return x / b;
  return x > 0.0 ? kDepthRatios.back() : 0.0;
}

// The curve of one branch before the multipliers and the shift (force / length against
// length): a backbone of parabola, straight segment and plateau, capped by the initial line
// Es y and joined by it where the two meet:
//
//   p ^              pB         pu
//     |           .-''|''-------+------------   (silt: pB may lie above pu; the
//     |        .-'    |         |                segment then falls to pu)
//     |     .'  y^(1/n)  straight   plateau
//     |   /           |         |
//     +--+------------+---------+-----------> y
//        yk           yB        yu
struct CurveShape {
  bool resisting = false;  // false: no resistance at any deflection
  double es = 0.0;         // initial modulus k z, force / length**2
  double yB = 0.0;
  double yu = 0.0;
  double pB = 0.0;
  double pu = 0.0;
  double slope = 0.0;     // m, of the segment from (yB, pB) to (yu, pu)
  double inverseN = 0.0;  // 1 / n = |m| yB / pB, of the parabola pB (y / yB)^(1/n)
  double yk = 0.0;        // where the parabola meets the initial line
};

// Where the initial line Es y meets the parabola pB (y / yB)^(1/n): yB (pB / (Es yB))^(n/(n-1)),
// the same point as (C / (k z))^(n/(n-1)) with C = pB / yB^(1/n), without the powers of yB
// that leave the range of numbers for a narrow wall. At n = 1 both are straight lines through
// the origin that never cross: the initial line governs throughout when it is the lower one,
// the parabola from 0 otherwise.
double parabolaMeetsLine(const CurveShape& s) {
  const double slopeRatio = s.pB / s.es / s.yB;
  if (s.inverseN == 1.0) return slopeRatio >= 1.0 ? std::numeric_limits<double>::infinity() : 0.0;
  return s.yB * std::pow(slopeRatio, 1.0 / (1.0 - s.inverseN));
}

// The shape from the ultimate resistance pu, the resistance pB at yB, width b, initial
// modulus Es and depth z. A curve without width, initial modulus or resistance at yB has no
// resistance (its parabola would have no value).
CurveShape curveShape(double pu, double pB, double b, double es, double z) {
  CurveShape s;
  s.yB = b / kDeflectionB;
  s.yu = kDeflectionUNumerator * b / kDeflectionUDenominator;
  s.pB = pB;
  s.pu = pu;
  s.es = es;
  s.resisting = s.yB > 0.0 && s.yu > s.yB && es > 0.0 && pB > 0.0;
  if (!s.resisting) return s;
  s.slope = (pu - pB) / (s.yu - s.yB);
  // Sand's segment always rises (A > B throughout the table); silt takes n from |m|.
  s.inverseN = std::abs(s.slope) * s.yB / pB;
  // At the soil surface k z draws no line to meet: yk is taken as 2 b.
  s.yk = z > 0.0 ? parabolaMeetsLine(s) : 2.0 * b;
  return s;
}

// 0, twelve equal steps up to yB, yu and three points on the plateau at yu + t b.
std::array<double, kBranchPoints> deflections(const CurveShape& s, double b, const std::array<double, 3>& plateau) {
  std::array<double, kBranchPoints> y{};
  const double step = s.yB / kParabolaSteps;
  for (int i = 1; i < kParabolaSteps; ++i) y[static_cast<std::size_t>(i)] = static_cast<double>(i) * step;
  y[12] = s.yB;
  y[13] = s.yu;
  for (std::size_t t = 0; t < plateau.size(); ++t) y[14 + t] = s.yu + plateau[t] * b;
  return y;
}

// Sand: the initial line up to yk (below yB), the parabola up to yB, the segment up to yu,
// then the plateau; never above the initial line.
double sandResistance(const CurveShape& s, double y) {
  if (!s.resisting) return 0.0;
  double p;
  if (y <= s.yk && y < s.yB) {
    p = s.es * y;
  } else if (y < s.yB) {
    p = s.pB * std::pow(y / s.yB, s.inverseN);
  } else if (y < s.yu) {
    p = s.pB + s.slope * (y - s.yB);
  } else {
    p = s.pu;
  }
  return std::min(p, s.es * y);
}

// How the initial line of a silt curve joins the backbone, chosen once per branch:
// 1 through the parabola (0 <= yk < yB), 2 onto the straight segment at yl between yB and
// yu, 3 onto the plateau at yp = pu / Es beyond yu; 1 where none of these holds.
struct SiltShape {
  int shapeCase = 1;
  double yl = 0.0;
  double yp = 0.0;
};

SiltShape siltShape(const CurveShape& s) {
  SiltShape shape;
  if (!s.resisting || (s.yk >= 0.0 && s.yk < s.yB)) return shape;
  // A segment parallel to the initial line never meets it.
  if (s.es != s.slope) {
    shape.yl = (s.pB - s.slope * s.yB) / (s.es - s.slope);
    if (shape.yl >= s.yB && shape.yl < s.yu) {
      shape.shapeCase = 2;
      return shape;
    }
  }
  shape.yp = s.pu / s.es;
  if (shape.yp >= s.yu) shape.shapeCase = 3;
  return shape;
}

double siltResistance(const CurveShape& s, const SiltShape& shape, double y) {
  if (!s.resisting) return 0.0;
  double p;
  switch (shape.shapeCase) {
    case 2:
      if (y <= shape.yl) {
        p = s.es * y;
      } else if (y <= s.yu) {
        p = s.es * shape.yl + s.slope * (y - shape.yl);
      } else {
        p = s.pu;
      }
      break;
    case 3:
      p = y <= shape.yp ? s.es * y : s.pu;
      break;
    default:
      if (y <= s.yk) {
        p = s.es * y;
      } else if (y <= s.yB) {
        p = s.pB * std::pow(y / s.yB, s.inverseN);
      } else if (y <= s.yu) {
        p = s.pB + s.slope * (y - s.yB);
      } else {
        p = s.pu;
      }
      break;
  }
  return std::min(p, s.es * y);
}

// The active earth pressure at the excavation level times the width, 0 when below the floor.
double activeShift(double pa) { return pa < kShiftFloor ? 0.0 : pa; }

// A sand or silt branch: the points with the multipliers and the active shift, and the
// ultimate resistance that the layer's accumulator takes, with the layer's tail.
BranchCurve frictionalCurve(const std::array<double, kBranchPoints>& y, const std::array<double, kBranchPoints>& p,
                            double pa, double ultimate, const BranchSite& site) {
  BranchCurve curve = scaledAndShifted(y, p, pa, site);
  curve.ultimate = ultimate;
  curve.addsTail = true;
  return curve;
}

// The silt check: a silt without friction angle has no frictional curve to build.
CheckResult zeroFrictionStop(const BranchSite& site) {
  return CheckResult::dataError(
      {"ERROR STOP -- THE SILT AT X = " + curveDepthText(site.x, site.unitSystem) +
       " BELOW THE EXCAVATION LEVEL HAS NO FRICTION ANGLE (A SOIL WITHOUT FRICTION IS A CLAY LAYER)"},
      {"", "", "       WARNING-------The Angle of the slope can not", "                     be greater than the internal  ",
       "                     friction angle of the sand.   "});
}

// puc: min(3 + g' z / c + 0.5 z / b, 9) c b, or on a continuous wall 2 c b + g' b z0; 0
// without cohesion. The width term is left out at b = 0, where puc is 0 whatever N is.
double cohesiveResistance(double c, double gamma, const BranchSite& site) {
  const double b = site.width;
  if (site.continuousWall()) return 2.0 * c * b + gamma * b * site.z0;
  if (!(c > 0.0)) return 0.0;
  const double widthTerm = b > 0.0 ? kBearingWidthTerm * site.z / b : 0.0;
  const double bearing = kBearingAtSurface + gamma * site.z / c + widthTerm;
  return std::min(bearing, kBearingCap) * c * b;
}

// The equivalent depth of a frictional layer: the depth h at which the integral from 0 of
//   A(h / b) g' h (h C1 + b C2) + 3 c b + 0.5 c h
// reaches `target`. With beta = pi/4 + phi/2 the wedge is g' h (b C2 + h C1) and the flow
// around g' b h C3; they meet at xr = b (C3 - C2) / C1. The integral is summed in `steps`
// equal steps over 0 .. xr and inverted linearly within the step that passes the target;
// beyond xr it grows by R = 0.88 g' b C3 z0 + 9 c b per unit depth. Sand passes c = 0.
// Returns 0 for a target not above 0 or a layer without resistance.
double steppedEquivalentDepth(double target, const FrictionAngles& f, double gamma, double b, double c, double z0,
                              int steps) {
  if (!(target > 0.0)) return 0.0;
  double c1 = 0.0;
  double c2 = 0.0;
  double c3 = 0.0;
  if (f.frictional) {
    const double tanPhi = std::tan(f.phi);
    const double tanAlpha = std::tan(f.alpha);
    c1 = std::tan(f.beta) *
         (kAtRest * (tanPhi * std::sin(f.beta) * (1.0 / std::cos(f.alpha) + 1.0) - tanAlpha) + f.kp * tanAlpha);
    c2 = f.kp - f.ka;
    c3 = (kAtRest * tanPhi + f.kp) * f.kp * f.kp - f.ka;
  }
  const double cohesive = c > 0.0 ? c : 0.0;
  double xr = c1 > 0.0 && b > 0.0 ? b * (c3 - c2) / c1 : 0.0;
  if (!(xr > 0.0) || !std::isfinite(xr)) xr = 0.0;

  double integral = 0.0;
  if (xr > 0.0) {
    const double step = xr / static_cast<double>(steps);
    for (int j = 1; j <= steps; ++j) {
      const double h = static_cast<double>(j) * step;
      const double a = staticDepthFactors(h / b).a;
      const double before = integral;
      integral += step * a * gamma * h * (h * c1 + b * c2);
      integral += step * (kBearingAtSurface * cohesive * b + kBearingWidthTerm * cohesive * h);
      // Resistances beyond the range of numbers pass any target within this step.
      if (!std::isfinite(integral)) return h;
      if (integral > target) return h - (integral - target) / (integral - before) * step;
    }
  }
  const double deep = kDeepA * gamma * b * c3 * z0 + kBearingCap * cohesive * b;
  // Without resistance below the wedge range the target lies out of reach: the integral
  // ends at xr, or never starts.
  if (!(deep > 0.0)) return integral > 0.0 ? xr : 0.0;
  const double depth = xr + (target - integral) / deep;
  return std::isfinite(depth) ? depth : std::numeric_limits<double>::max();
}

}  // namespace

DepthFactors staticDepthFactors(double depthRatio) {
  if (!(depthRatio > 0.0)) return {kFactorA.front(), kFactorB.front()};
  if (depthRatio >= kDepthRatios.back()) return {kFactorA.back(), kFactorB.back()};
  std::size_t i = 0;
  while (depthRatio >= kDepthRatios[i + 1]) ++i;
  const double fraction = (depthRatio - kDepthRatios[i]) / (kDepthRatios[i + 1] - kDepthRatios[i]);
  return {kFactorA[i] + (kFactorA[i + 1] - kFactorA[i]) * fraction,
          kFactorB[i] + (kFactorB[i + 1] - kFactorB[i]) * fraction};
}

BranchResult SandCriterion::branch(const CurveProperties& properties, const BranchSite& site) const {
  const double b = site.width;
  const double gamma = properties.unitWeight;
  const FrictionAngles angles = frictionAngles(properties.phi, kSandPi);
  const double pa = activeShift(site.excavationStress * angles.ka * b);
  const FrictionalResistance resistance = frictionalResistance(angles, gamma, site, angles.phi / 2.0);
  const DepthFactors factors = staticDepthFactors(depthRatio(site.z0, b));
  const double ps = resistance.governing;
  const CurveShape shape = curveShape(factors.a * ps, factors.b * ps, b, properties.k * site.z, site.z);

  const std::array<double, kBranchPoints> y = deflections(shape, b, kSandPlateau);
  std::array<double, kBranchPoints> p{};
  for (std::size_t i = 0; i < kBranchPoints; ++i) p[i] = sandResistance(shape, y[i]);
  BranchResult result;
  result.branch.curve = frictionalCurve(y, p, pa, factors.a * ps, site);
  result.check =
      finiteCurveCheck(result.branch.curve, {resistance.wedge, resistance.flowAround}, "SAND", kSoilDataToCheck, site);
  result.branch.echo = echoAt(SoilType::Sand, site,
                              {site.z0, b, angles.phi * 180.0 / kSandPi, gamma, factors.a, factors.b, resistance.wedge,
                               resistance.flowAround});
  return result;
}

double SandCriterion::equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const {
  const FrictionAngles angles = frictionAngles(properties.phi, kSandPi);
  return steppedEquivalentDepth(target, angles, properties.unitWeight, site.width, 0.0, site.z0, kSandSteps);
}

BranchResult SiltCriterion::branch(const CurveProperties& properties, const BranchSite& site) const {
  const double pi = siltPi();
  const FrictionAngles angles = frictionAngles(properties.phi, pi);
  if (!angles.frictional) return {Branch{}, zeroFrictionStop(site)};

  const double b = site.width;
  const double c = properties.strength;
  const double gamma = properties.unitWeight;
  const double pa = activeShift(site.excavationStress * angles.ka * b - 2.0 * c * std::sqrt(angles.ka) * b);
  const double puc = cohesiveResistance(c, gamma, site);
  const FrictionalResistance resistance = frictionalResistance(angles, gamma, site, kSiltWallFriction);
  const DepthFactors factors = staticDepthFactors(depthRatio(site.z, b));
  const double ps = resistance.governing;
  const CurveShape shape = curveShape(factors.a * ps, kSiltFrictionAtB * ps + puc, b, properties.k * site.z, site.z);
  const SiltShape joint = siltShape(shape);

  const std::array<double, kBranchPoints> y = deflections(shape, b, kSiltPlateau);
  std::array<double, kBranchPoints> p{};
  for (std::size_t i = 0; i < kBranchPoints; ++i) p[i] = siltResistance(shape, joint, y[i]);
  BranchResult result;
  result.branch.curve = frictionalCurve(y, p, pa, factors.a * ps, site);
  result.check = finiteCurveCheck(result.branch.curve, {puc, ps}, "SILT", kSoilDataToCheck, site);
  result.branch.echo =
      echoAt(SoilType::Silt, site, {site.z0, b, angles.phi * 180.0 / pi, gamma, factors.a, factors.b, puc, ps});
  return result;
}

double SiltCriterion::equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const {
  const FrictionAngles angles = frictionAngles(properties.phi, siltPi());
  return steppedEquivalentDepth(target, angles, properties.unitWeight, site.width, properties.strength, site.z0,
                                kSiltSteps);
}

}  // namespace korvex
