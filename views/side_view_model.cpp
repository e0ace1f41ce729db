#include "views/side_view_model.h"

#include "app/program_data.h"
#include "app/project_tables.h"
#include "app/soil_parameter_layout.h"
#include "entry/unit_codes.h"
#include "views/number_label.h"

namespace korvex {

namespace {

constexpr double kInchesPerFoot = 12;
constexpr const char* kPhi = "\xC3\xB8= ";  // "ø= "

// The value of a slot of the soil type's layout (gamma 0, cohesion or strength 1, friction 2).
double slotValue(int type, int slot, const std::vector<double>& values) {
  const SoilValueLayout* layout = soilValueLayout(type);
  if (layout == nullptr) return 0;
  const int column = (*layout)[static_cast<std::size_t>(slot)].column;
  return column >= 0 && column < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(column)] : 0;
}

std::vector<int> nodesOfColumn(const TGridTable& table, int col) {
  std::vector<int> nodes;
  for (int row = 0; row < table.RowCount(); ++row) nodes.push_back(table.Column(col).GetInt(row));
  return nodes;
}

}  // namespace

std::string soilTypeName(int type) {
  switch (type) {
    case kSoftClay: return "Soft clay";
    case kStiffClayWithFreeWater: return "Stiff clay w/free water";
    case kStiffClayWithoutFreeWater: return "Stiff clay w/o free water";
    case kSand: return "Sand";
    case kSilt: return "Silt";
    case kStrongRock: return "Rock";
    case kWeakRock: return "Weak Rock";
    default: return "";
  }
}

std::string soilParameterLine(int type, const std::vector<double>& values) {
  const std::string gamma = "gamma= " + shortestNumber(slotValue(type, 0, values));
  const std::string second = shortestNumber(slotValue(type, 1, values));
  const std::string friction = shortestNumber(slotValue(type, 2, values));
  switch (type) {
    case kSoftClay:
    case kStiffClayWithFreeWater:
    case kStiffClayWithoutFreeWater: return "c= " + second + "; " + gamma;
    case kSand: return kPhi + friction + "; " + gamma;
    case kSilt: return kPhi + friction + "; c= " + second + "; " + gamma;
    case kStrongRock:
    case kWeakRock: return "compressive strength= " + second + "; " + gamma;
    default: return "";
  }
}

SideViewModel sideViewModelOf(const TProgramData& project, const ProjectTables& tables) {
  SideViewModel m;
  m.increments = project.NumIncrements;
  m.incrementLength = static_cast<double>(project.IncrementLength);
  m.freeHeight = static_cast<double>(project.FreeHeight);
  m.backfillSlope = static_cast<double>(project.BackfillSlope);
  m.activeWidth = static_cast<double>(project.ActiveWidth);
  m.pyWidth = static_cast<double>(project.PYWidth);
  m.outlineCount = tables.PileSect.RowCount();

  // The mode numbers as the next save would write them from the switches.
  TProgramData modes = project;
  modes.DeriveModes(tables);
  m.showLayers = modes.EarthPressureMode == 2 || modes.PYCurveMode == 2;

  const double toWorld = project.UnitSystem == kEnglishUnits ? kInchesPerFoot : 1;
  const TGridTable& soil = tables.NewSoil;
  for (int row = 0; row < soil.RowCount(); ++row) {
    const int type = soil.Column(0).GetInt(row);
    std::vector<double> values;
    if (const TGridTable* parameters = soil.Column(2).GetTable(row); parameters != nullptr && parameters->RowCount() > 0) {
      for (int col = 0; col < parameters->ColumnCount(); ++col)
        values.push_back(static_cast<double>(parameters->Column(col).GetFloat(0)));
    }
    m.layers.push_back({static_cast<double>(soil.Column(1).GetFloat(row)) * toWorld, soilTypeName(type),
                        soilParameterLine(type, values)});
  }
  if (project.ApplyRestraints) m.restraintNodes = nodesOfColumn(tables.Soillayer, 1);
  if (project.ApplyExternalPY) m.curveNodes = nodesOfColumn(tables.PYCurves2, 0);
  if (project.ApplySprings) m.springNodes = nodesOfColumn(tables.SoilStrength, 1);
  return m;
}

}  // namespace korvex
