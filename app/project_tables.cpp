#include "app/project_tables.h"

#include <algorithm>
#include <string>

namespace korvex {

namespace {

TGridTable& plainTable(const Catalogue& catalogue, const char* name) {
  TGridTable* table = catalogue.Table(name);
  if (table == nullptr || catalogue.ChartTable(name) != nullptr)
    throw TableError(std::string("The catalogue has no plain table ") + name);
  return *table;
}

TGridTableChart& chartTable(const Catalogue& catalogue, const char* name) {
  TGridTableChart* table = catalogue.ChartTable(name);
  if (table == nullptr) throw TableError(std::string("The catalogue has no chart table ") + name);
  return *table;
}

}  // namespace

ProjectTables::ProjectTables(const Catalogue& catalogue)
    : PileSect(plainTable(catalogue, "PileSect")),
      Soillayer(plainTable(catalogue, "Soillayer")),
      BoundCond(plainTable(catalogue, "BoundCond")),
      SoilStrength(plainTable(catalogue, "SoilStrength")),
      TiebackTable1(plainTable(catalogue, "TiebackTable1")),
      PYMod(plainTable(catalogue, "PYMod")),
      DistLoad(plainTable(catalogue, "DistLoad")),
      LongDist(plainTable(catalogue, "LongDist")),
      SurchargeTable(plainTable(catalogue, "SurchargeTable")),
      NewSoil(plainTable(catalogue, "NewSoil")),
      LongSoil(plainTable(catalogue, "LongSoil")),
      PYCurves2(chartTable(catalogue, "PYCurves2")),
      MEICurves2(chartTable(catalogue, "MEICurves2")) {
  for (int i = 0; i < catalogue.TableCount(); ++i) {
    TGridTable& table = catalogue.TableAt(i);
    m_byName.emplace_back(catalogue.NameAt(i), &table);
    if (auto* chart = dynamic_cast<TGridTableChart*>(&table)) {
      m_charts.push_back(chart);
    } else {
      m_plain.push_back(&table);
    }
  }
}

TGridTable* ProjectTables::ByName(std::string_view name) const {
  for (const auto& [tableName, table] : m_byName) {
    if (tableName == name) return table;
  }
  return nullptr;
}

bool ProjectTables::IsChanged() const {
  const auto changed = [](const TGridTable* t) { return t->IsChanged(); };
  return std::any_of(m_plain.begin(), m_plain.end(), changed) || std::any_of(m_charts.begin(), m_charts.end(), changed);
}

void ProjectTables::ResetChanged() {
  for (TGridTable* table : m_plain) table->ResetChanged();
  for (TGridTableChart* table : m_charts) table->ResetChanged();
}

void ProjectTables::SetUnits(int system) {
  for (TGridTable* table : m_plain) table->SetUnits(system);
  for (TGridTableChart* table : m_charts) table->SetUnits(system);
}

void ProjectTables::EmptyAll() {
  for (TGridTable* table : m_plain) table->SetRowCount(0);
  for (TGridTableChart* table : m_charts) table->SetRowCount(0);
}

void ProjectTables::ApplyMinRows() {
  for (TGridTable* table : m_plain) table->SetRowCount(std::max(table->RowCount(), table->MinRows()));
}

}  // namespace korvex
