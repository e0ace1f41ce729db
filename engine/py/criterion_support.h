// What every p-y criterion shares: the multipliers and the active shift applied to its
// points, its echo, and the range-of-numbers check with the text of its message.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "input/check_result.h"
#include "py/py_criterion.h"

namespace korvex {

// y' = ym y and p' = pm p shifted by the active pressure pa: towards the excavation on its
// face (p' = pm p - pa), against it on the backfill face (p' = pm p + pa).
BranchCurve scaledAndShifted(const std::array<double, kBranchPoints>& y, const std::array<double, kBranchPoints>& p,
                             double pa, const BranchSite& site);

// The echo of a branch of `criterion` at `site` with the numbers of its heading.
BranchEcho echoAt(SoilType criterion, const BranchSite& site, std::initializer_list<double> values);

// "12.00 IN": the depth X of a curve for the messages of the criteria's stops.
std::string curveDepthText(double x, UnitSystem unitSystem);

// Soil or rock data so large that a resistance or deflection of the branch (or one of the
// `reported` values of its block) leaves the range of numbers cannot make a curve the
// solution could use: the check fails with "THE <curveName> P-Y CURVE AT X = ... EXCEEDS THE
// RANGE OF NUMBERS: CHECK <dataToCheck>".
CheckResult finiteCurveCheck(const BranchCurve& curve, std::initializer_list<double> reported,
                             std::string_view curveName, std::string_view dataToCheck, const BranchSite& site);

}  // namespace korvex
