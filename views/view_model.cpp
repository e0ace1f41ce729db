#include "views/view_model.h"

#include <algorithm>
#include <cmath>

#include "app/program_data.h"
#include "app/project_tables.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

constexpr double kInchesPerFoot = 12;
constexpr double kMillimetresPerMetre = 1000;
constexpr double kSquareMillimetresPerSquareMetre = 1e6;

double floatCell(const TGridTable& table, int col, int row) {
  return static_cast<double>(table.Column(col).GetFloat(row));
}
int intCell(const TGridTable& table, int col, int row) { return table.Column(col).GetInt(row); }

// Rows of the spring table (constant/interpolate, from, to, lateral, rotational) or of the
// concentrated-load table (constant/interpolate, from, to, lateral, moment, axial).
std::vector<ViewModel::NodeRow> nodeRows(const TGridTable& table, bool withAxial) {
  std::vector<ViewModel::NodeRow> rows;
  for (int row = 0; row < table.RowCount(); ++row) {
    ViewModel::NodeRow r;
    r.interpolate = intCell(table, 0, row) == 2;
    r.from = intCell(table, 1, row);
    r.to = intCell(table, 2, row);
    r.lateral = floatCell(table, 3, row);
    r.moment = floatCell(table, 4, row);
    if (withAxial) r.axial = floatCell(table, 5, row);
    rows.push_back(r);
  }
  return rows;
}

}  // namespace

ViewModel viewModelOf(const TProgramData& project, const ProjectTables& tables) {
  ViewModel m;
  const int units = project.UnitSystem;
  m.english = units == kEnglishUnits;
  // Project lengths (code L) are inches in English projects; table lengths of code L2 are feet.
  const double fromProjectLength = m.english ? 1 / kInchesPerFoot : 1;
  // Surcharge distances (code L1) are inches or millimetres.
  const double fromSmallLength = m.english ? 1 / kInchesPerFoot : units == kSIUnits ? 1 / kMillimetresPerMetre : 1;

  m.increments = project.NumIncrements;
  m.incrementLength = static_cast<double>(project.IncrementLength) * fromProjectLength;
  m.excavationDepth = static_cast<double>(project.FreeHeight) * fromProjectLength;
  m.activeWidth = static_cast<double>(project.ActiveWidth) * fromProjectLength;
  m.pyWidth = static_cast<double>(project.PYWidth) * fromProjectLength;
  m.waterDepthBackfill = static_cast<double>(project.WaterDepthBackfill) * fromProjectLength;
  m.waterDepthExcavation = static_cast<double>(project.WaterDepthExcavation) * fromProjectLength;

  for (int row = 0; row < tables.NewSoil.RowCount(); ++row)
    m.layers.push_back({intCell(tables.NewSoil, 0, row), floatCell(tables.NewSoil, 1, row)});

  if (project.ApplySprings) m.springs = nodeRows(tables.SoilStrength, false);
  if (project.ApplyConcLoads) m.loads = nodeRows(tables.BoundCond, true);
  if (project.ApplyRestraints) {
    for (int row = 0; row < tables.Soillayer.RowCount(); ++row)
      m.restraints.push_back({intCell(tables.Soillayer, 0, row), intCell(tables.Soillayer, 1, row)});
  }
  if (project.ApplyTieback) {
    const TGridTable& t = tables.TiebackTable1;
    for (int row = 0; row < t.RowCount(); ++row) {
      // The rod's area is in^2 or mm^2; its side is drawn in feet or metres.
      const double area = std::max(floatCell(t, 1, row), 0.0);
      const double side = m.english ? std::sqrt(area) / kInchesPerFoot
                          : units == kSIUnits ? std::sqrt(area / kSquareMillimetresPerSquareMetre)
                                              : std::sqrt(area);
      m.tiebacks.push_back({floatCell(t, 0, row), side, floatCell(t, 3, row), floatCell(t, 4, row), floatCell(t, 5, row)});
    }
  }
  if (project.ApplySurcharge) {
    const TGridTable& s = tables.SurchargeTable;
    for (int row = 0; row < s.RowCount(); ++row)
      m.surcharges.push_back({intCell(s, 0, row), floatCell(s, 2, row) * fromSmallLength, floatCell(s, 3, row) * fromSmallLength});
  }
  return m;
}

}  // namespace korvex
