#include "tables/grid_table_chart.h"

#include <algorithm>

namespace korvex {

namespace {

TTableRegistry& chartRegistry() {
  static TTableRegistry registry;
  return registry;
}

// Copies the values of every float column that sits at the same position in both tables, row
// by row over the rows both have.
void carryOverFloatValues(const TGridTable& from, TGridTable& to) {
  const int columns = std::min(from.ColumnCount(), to.ColumnCount());
  const int rows = std::min(from.RowCount(), to.RowCount());
  for (int c = 0; c < columns; ++c) {
    const auto* source = dynamic_cast<const TFloatColumn*>(&from.Column(c));
    auto* target = dynamic_cast<TFloatColumn*>(&to.Column(c));
    if (source == nullptr || target == nullptr) continue;
    for (int r = 0; r < rows; ++r) target->SetFloat(r, source->GetFloat(r));
  }
}

}  // namespace

TGridTableChart::TGridTableChart(TGridTable* owner) : TGridTable(owner, chartRegistry()) {}

const TColumnTypeRegistry& TGridTableChart::ColumnTypes() const { return TColumnTypeRegistry::ChartInstance(); }

TGridTable* TGridTableChart::FindByIdentifier(int identifier) { return chartRegistry().Find(identifier); }
TGridTable* TGridTableChart::TableAt(int position) { return chartRegistry().At(position); }
int TGridTableChart::PositionOf(const TGridTable* table) { return chartRegistry().PositionOf(table); }
int TGridTableChart::LiveTableCount() { return static_cast<int>(chartRegistry().tables.size()); }
const TTableRegistry& TGridTableChart::ChartRegistry() { return chartRegistry(); }

std::unique_ptr<TGridTable> TGridTableChart::NewSubTable(const TGridTable& source, int row,
                                                         const TGridTable* previous) {
  auto table = std::make_unique<TGridTableChart>(this);
  table->SetRowNumber(row + 1);
  table->CopyTemplate(source);
  if (const auto* chartSource = dynamic_cast<const TGridTableChart*>(&source)) {
    table->m_getDataFromFile = chartSource->m_getDataFromFile;
    table->m_okCancelButtons = chartSource->m_okCancelButtons;
    table->m_invertedXAxis = chartSource->m_invertedXAxis;
    table->m_invertedYAxis = chartSource->m_invertedYAxis;
    table->m_chart = chartSource->m_chart;
  }
  if (previous != nullptr) {
    table->SetRowCount(previous->RowCount());
    carryOverFloatValues(*previous, *table);
  } else {
    table->SetRowCount(table->MinRows());
  }
  return table;
}

}  // namespace korvex
