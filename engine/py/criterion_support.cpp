#include "py/criterion_support.h"

#include <cmath>

#include "format/fortran_format.h"
#include "format/unit_labels.h"

namespace korvex {
namespace {

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

BranchCurve scaledAndShifted(const std::array<double, kBranchPoints>& y, const std::array<double, kBranchPoints>& p,
                             double pa, const BranchSite& site) {
  BranchCurve curve;
  const double shift = site.face == Face::Excavation ? -pa : pa;
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    curve.y[i] = site.yMultiplier * y[i];
    curve.p[i] = site.pMultiplier * p[i] + shift;
  }
  return curve;
}

BranchEcho echoAt(SoilType criterion, const BranchSite& site, std::initializer_list<double> values) {
  BranchEcho echo;
  echo.criterion = criterion;
  echo.face = site.face;
  for (double value : values) {
    if (echo.valueCount == BranchEcho::kMaxValues) break;
    echo.values[echo.valueCount++] = value;
  }
  echo.pMultiplier = site.pMultiplier;
  echo.yMultiplier = site.yMultiplier;
  return echo;
}

std::string curveDepthText(double x, UnitSystem unitSystem) {
  return std::string(trimmed(formatFixed(x, 10, 2))) + " " + std::string(trimmed(unitLabelsOf(unitSystem).len3));
}

CheckResult finiteCurveCheck(const BranchCurve& curve, std::initializer_list<double> reported,
                             std::string_view curveName, std::string_view dataToCheck, const BranchSite& site) {
  bool finite = std::isfinite(curve.ultimate);
  for (double value : reported) finite = finite && std::isfinite(value);
  for (int i = 0; i < kBranchPoints; ++i) finite = finite && std::isfinite(curve.y[i]) && std::isfinite(curve.p[i]);
  if (finite) return {};
  return CheckResult::dataError({"ERROR STOP -- THE " + std::string(curveName) + " P-Y CURVE AT X = " +
                                 curveDepthText(site.x, site.unitSystem) + " EXCEEDS THE RANGE OF NUMBERS: CHECK " +
                                 std::string(dataToCheck)});
}

}  // namespace korvex
