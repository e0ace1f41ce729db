// Helpers shared by the tests of the p-y criteria: the site of a branch in a one-layer
// profile and one branch run into a report file of its own.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format/text_output.h"
#include "format/unit_labels.h"
#include "py/py_criterion.h"
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

// One branch as returned and as written to the report.
struct WrittenBranch {
  BranchCurve curve;
  std::string text;
  std::vector<std::string> lines;
};

// Runs one branch into a report held in memory; `unitSelector` is +1 English, -1 SI.
inline WrittenBranch runBranch(const PYCriterion& criterion, const CurveProperties& properties, const BranchSite& site,
                               int unitSelector = 1) {
  MemoryOutput report;
  WrittenBranch written;
  const UnitSystem system = unitSelector > 0 ? UnitSystem::English : UnitSystem::SI;
  written.curve = criterion.branch(properties, site, unitLabelsOf(system), report);
  written.text = report.text();
  written.lines = splitLines(written.text);
  return written;
}

}  // namespace korvex::testing
