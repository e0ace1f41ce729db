// Helpers shared by the tests of the p-y criteria: the site of a branch in a one-layer
// profile and one branch made and written into a report held in memory.
#pragma once

#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format/text_output.h"
#include "format/unit_labels.h"
#include "py/py_criterion.h"
#include "report/py_curves_report.h"
#include "test_support.h"

namespace korvex::testing {

// A curve of the first profile layer at X = x below the excavation level of free height H,
// on the given face: z = z0 = X on the excavation face, H + X on the backfill face. Widely
// spaced wall elements, no multipliers and no active shift unless set afterwards.
inline BranchSite siteAt(Face face, double x, double width, double freeHeight = 0.0) {
  BranchSite site;
  site.face = face;
  site.x = x;
  site.freeHeight = freeHeight;
  site.width = width;
  site.ratio = 3.5;
  site.z = face == Face::Excavation ? x : freeHeight + x;
  site.z0 = site.z;
  return site;
}

// The soil properties at a curve: strength c and average strength ca, average effective unit
// weight, e50 (krm for weak rock), k (Er for weak rock) and the friction angle in degrees.
inline CurveProperties curveProperties(double c, double ca, double gamma, double eps50, double k,
                                       double phiDegrees = 0.0) {
  CurveProperties properties;
  properties.strength = c;
  properties.averageStrength = ca;
  properties.unitWeight = gamma;
  properties.eps50 = eps50;
  properties.k = k;
  properties.phi = phiDegrees * std::numbers::pi / 180.0;
  return properties;
}

// One branch as made and, when its check passed, as the report writes it.
struct WrittenBranch {
  BranchCurve curve;
  CheckResult check;
  std::string text;
  std::vector<std::string> lines;
};

// Makes one branch in `unitSystem` and writes its block into memory.
inline WrittenBranch runBranch(const PYCriterion& criterion, const CurveProperties& properties, BranchSite site,
                               UnitSystem unitSystem = UnitSystem::English) {
  site.unitSystem = unitSystem;
  const BranchResult result = criterion.branch(properties, site);
  WrittenBranch written;
  written.curve = result.branch.curve;
  written.check = result.check;
  if (!result.check.passed()) return written;
  MemoryOutput report;
  writeBranch(report, unitLabelsOf(unitSystem), result.branch);
  written.text = report.text();
  written.lines = splitLines(written.text);
  return written;
}

}  // namespace korvex::testing
