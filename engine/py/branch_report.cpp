#include "py/branch_report.h"

#include <cmath>

#include "format/fortran_format.h"
#include "input/error_stop.h"

namespace korvex {
namespace {

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

void writeBranchTitle(TextOutput& report, Face face) {
  static const Format kTitle("/,/,9X,A");
  report.write(kTitle, face == Face::Excavation ? "AT THE EXCAVATION SIDE" : "AT THE BACKFILL SIDE");
}

void writeMultiplierLine(TextOutput& report, double pMultiplier, double yMultiplier) {
  static const Format kLine("' P-Multiplier = ',E10.3,' Y-Multiplier = ',E10.3");
  report.write(kLine, pMultiplier, yMultiplier);
}

void writeSmallDeflectionWarning(TextOutput& report, double initialModulus) {
  static const Format kWarning(
      "29X,'**** WARNING ****',/,5X,'DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM',/,"
      "5X,'USED A SOIL MODULUS OF ',D12.4");
  report.write(kWarning, initialModulus);
}

std::string curveDepthText(double x, const UnitLabels& units) {
  return std::string(trimmed(formatFixed(x, 10, 2))) + " " + std::string(trimmed(units.len3));
}

void requireFiniteCurve(const BranchCurve& curve, std::initializer_list<double> reported, std::string_view curveName,
                        std::string_view dataToCheck, const BranchSite& site, const UnitLabels& units) {
  bool finite = std::isfinite(curve.ultimate);
  for (double value : reported) finite = finite && std::isfinite(value);
  for (int i = 0; i < kBranchPoints; ++i) finite = finite && std::isfinite(curve.y[i]) && std::isfinite(curve.p[i]);
  if (finite) return;
  throw ErrorStop("ERROR STOP -- THE " + std::string(curveName) + " P-Y CURVE AT X = " + curveDepthText(site.x, units) +
                  " EXCEEDS THE RANGE OF NUMBERS: CHECK " + std::string(dataToCheck));
}

}  // namespace korvex
