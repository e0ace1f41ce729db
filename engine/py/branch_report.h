// Report lines every p-y criterion shares: the branch title, the multiplier line and the
// small-deflection warning.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "format/text_output.h"
#include "py/py_criterion.h"

namespace korvex {

// Two empty lines and "AT THE EXCAVATION SIDE" or "AT THE BACKFILL SIDE", indented 9.
void writeBranchTitle(TextOutput& report, Face face);

// " P-Multiplier = " and " Y-Multiplier = " with their values in E10.3, on one line.
void writeMultiplierLine(TextOutput& report, double pMultiplier, double yMultiplier);

// The warning for a point after the first whose deflection is below 1.0E-14: the initial
// secant modulus the solution then uses, in D12.4.
void writeSmallDeflectionWarning(TextOutput& report, double initialModulus);

// "12.00 IN": the depth X of a curve for the messages of the criteria's stops.
std::string curveDepthText(double x, const UnitLabels& units);

// Soil or rock data so large that a resistance or deflection of the branch (or one of the
// `reported` values of its block) leaves the range of numbers cannot make a curve the
// solution could use: the run ends with "THE <curveName> P-Y CURVE AT X = ... EXCEEDS THE
// RANGE OF NUMBERS: CHECK <dataToCheck>" instead.
void requireFiniteCurve(const BranchCurve& curve, std::initializer_list<double> reported, std::string_view curveName,
                        std::string_view dataToCheck, const BranchSite& site, const UnitLabels& units);

// The deflection below which the small-deflection warning is printed.
inline constexpr double kSmallDeflection = double(1.0E-14f);

}  // namespace korvex
