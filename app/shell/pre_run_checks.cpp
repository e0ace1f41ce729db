#include "app/shell/pre_run_checks.h"

#include "app/program_data.h"
#include "app/project_tables.h"
#include "entry/number_format.h"

namespace korvex {

namespace {

// Significant digits of the numbers in a warning.
constexpr int kWarningDigits = 15;

// Columns of the wall-stiffness table and of the sand and silt parameter tables.
constexpr int kFromNodeColumn = 0;
constexpr int kToNodeColumn = 1;
constexpr int kSubTableColumn = 2;
constexpr int kFrictionAngleColumn = 1;  // phi in both TblSand1 and TblSilt1

std::string number(long double value) { return formatGeneral(value, kWarningDigits); }

std::string nodeWarning(const char* which, int node, int row, int lastNode) {
  return std::string(which) + ", " + std::to_string(node) + " in row " + std::to_string(row) +
         " of Wall Stiffness definition\ris greater than number of nodes defined, " + std::to_string(lastNode) +
         ".\rPlease check on Wall Properties Windows and Wall Stiffness Table";
}

std::optional<std::string> wallStiffnessWarning(const TProgramData& project, const TGridTable& sections) {
  const int lastNode = project.NumIncrements;
  for (int r = 0; r < sections.RowCount(); ++r) {
    if (const int from = sections.GetInt(kFromNodeColumn, r); from > lastNode)
      return nodeWarning("Initial Node", from, r + 1, lastNode);
    if (const int to = sections.GetInt(kToNodeColumn, r); to > lastNode)
      return nodeWarning("End Node", to, r + 1, lastNode);
  }
  return std::nullopt;
}

// A backfill slope steeper than a sand or silt layer's friction angle at its top; clays, rocks
// and the long-term layers are not checked.
std::optional<std::string> backfillSlopeWarning(const TProgramData& project, const TGridTable& layers) {
  const long double slope = project.BackfillSlope;
  if (!(slope > 0)) return std::nullopt;
  for (int r = 0; r < layers.RowCount(); ++r) {
    const int type = layers.GetInt(0, r);
    if (type != kSand && type != kSilt) continue;
    const TGridTable* parameters = layers.Column(kSubTableColumn).GetTable(r);
    if (parameters == nullptr || parameters->RowCount() == 0) continue;
    const long double frictionAngle = parameters->Column(kFrictionAngleColumn).GetFloat(0);
    if (frictionAngle >= slope) continue;
    const std::string layer = std::to_string(r + 1);
    if (type == kSand)
      return "Slope of the Backfill: " + number(slope) + " deg.\ris greater than friction angle, " +
             number(frictionAngle) + " deg.,\rin layer " + layer +
             "\rPlease check on Wall Configuration and Soil Layers Windows";
    return "Slope of the Backfill: " + number(slope) + "\ris greater than friction angle, " + number(frictionAngle) +
           ",\rin layer " + layer + "\rPlease check Soil Layers";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> preRunWarning(const TProgramData& project, const ProjectTables& tables) {
  if (auto warning = wallStiffnessWarning(project, tables.PileSect)) return warning;
  return backfillSlopeWarning(project, tables.NewSoil);
}

}  // namespace korvex
