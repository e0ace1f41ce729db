// The input tables of a project, by the names the project file and the windows use. They are
// the main window's tables (created from the catalogue at start-up); a project does not copy
// them but reads and writes their cells.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tables/catalogue.h"
#include "tables/grid_table.h"
#include "tables/grid_table_chart.h"

namespace korvex {

// Soil types of column 0 of NewSoil and LongSoil.
enum SoilType {
  kSoftClay = 1,
  kStiffClayWithFreeWater = 2,
  kStiffClayWithoutFreeWater = 3,
  kSand = 4,
  kSilt = 5,
  kStrongRock = 6,
  kWeakRock = 7,
};

// Load types of column 0 of SurchargeTable.
enum SurchargeType { kPointLoad = 1, kLineLoad = 2, kStripLoad = 3 };

class ProjectTables {
 public:
  // The tables of `catalogue`, which must outlive this object.
  explicit ProjectTables(const Catalogue& catalogue);

  TGridTable& PileSect;
  TGridTable& Soillayer;  // specified deflections and slopes
  TGridTable& BoundCond;
  TGridTable& SoilStrength;
  TGridTable& TiebackTable1;
  TGridTable& PYMod;
  TGridTable& DistLoad;
  TGridTable& LongDist;
  TGridTable& SurchargeTable;
  TGridTable& NewSoil;
  TGridTable& LongSoil;
  TGridTableChart& PYCurves2;
  TGridTableChart& MEICurves2;

  // The table of the catalogue named `name` ("BoundCond", "PYCurves2", ...), or nullptr.
  TGridTable* ByName(std::string_view name) const;

  // Every plain table of the main window (templates included), and the chart tables.
  const std::vector<TGridTable*>& Plain() const { return m_plain; }
  const std::vector<TGridTableChart*>& Charts() const { return m_charts; }

  // Whether any table reports a change (edited p-y or moment-EI curves count too), and
  // clearing every table's changes.
  bool IsChanged() const;
  void ResetChanged();
  // Every table, both families, converted to unit system `system`.
  void SetUnits(int system);
  // Every table emptied to no rows.
  void EmptyAll();
  // Every plain table with fewer rows than MinRows given MinRows rows.
  void ApplyMinRows();

 private:
  std::vector<std::pair<std::string, TGridTable*>> m_byName;
  std::vector<TGridTable*> m_plain;
  std::vector<TGridTableChart*> m_charts;
};

}  // namespace korvex
